#pragma once

// Shared by the tests of the patch and profile windows: answering a modal dialog from
// inside its own event loop, and driving a grid as a user does.

#include "widgets/Grid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace lumora::test {

std::unique_ptr<QObject> MakePatchEditorTest();
std::unique_ptr<QObject> MakeProfileEditorTest();
std::unique_ptr<QObject> MakePatchReportWindowsTest();

// Runs answer on the modal dialog of type T that opens next (looked for a few times, as
// a window may open it once the current event is done). The answer must close it; a
// missing dialog fails the test.
template <class T> void WhenModal(std::function<void(T*)> answer, int tries = 50)
{
    QTimer::singleShot(tries == 50 ? 0 : 10, qApp, [answer, tries] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog && tries > 0) {
            WhenModal<T>(answer, tries - 1);
            return;
        }
        QVERIFY2(dialog, "the expected dialog did not open");
        if (dialog)
            answer(dialog);
    });
}

// Types keys into a cell (an empty text empties it) and leaves it with Tab.
void TypeIntoCell(TGrid* grid, int row, int column, const QString& keys);
void ClickCell(TGrid* grid, int row, int column, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton);
void ReleaseOnCell(TGrid* grid, int row, int column, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {});
QString CellText(TGrid* grid, int row, int column);
bool CellChecked(TGrid* grid, int row, int column);
// Types text into a line edit as a user would.
void TypeInto(QLineEdit* edit, const QString& text);

} // namespace lumora::test
