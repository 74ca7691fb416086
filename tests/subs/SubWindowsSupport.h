#pragma once

// Shared by the submaster window tests: answering a modal dialog from inside its own
// event loop, typing into boxes and grid cells, and a test class base with a recording
// user interface and a fresh show for each test.

#include "cues/SheetWindowsSupport.h"
#include "show/EditorState.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>

#include <memory>

namespace lumora::test {

std::unique_ptr<QObject> MakeSubEditTest();
std::unique_ptr<QObject> MakeSubListTest();
std::unique_ptr<QObject> MakeSubReportWindowsTest();

// The recording interface reports a question nobody scripted an answer for as a
// GoogleTest failure outside any test.
inline int UnexpectedQuestions()
{
    return ::testing::UnitTest::GetInstance()->ad_hoc_test_result().total_part_count();
}

template <class T> T* Child(QObject* window, const char* name)
{
    T* widget = window->findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no %s", name);
    return widget;
}

inline void Click(QObject* window, const char* button)
{
    QTest::mouseClick(Child<QPushButton>(window, button), Qt::LeftButton);
}

} // namespace lumora::test
