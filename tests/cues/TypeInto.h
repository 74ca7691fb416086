#pragma once

// Typing into a line edit, shared by the programs that test the cue windows.

#include <QLineEdit>
#include <QString>
#include <QTest>

namespace lumora::test {

// Types text into a line edit as a user would: it is focused, emptied and typed into.
inline void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

} // namespace lumora::test
