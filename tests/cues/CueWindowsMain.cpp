// One program for the cue windows' tests; each window keeps its own test class.

#include "CueWindowsSupport.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

namespace lumora::test {

QModelIndex LevelCell(TGrid* grid, int channel)
{
    return grid->gridModel().index(CueGridLevelRow(channel), CueGridColumn(channel));
}

QModelIndex ChannelCell(TGrid* grid, int channel)
{
    return grid->gridModel().index(CueGridLevelRow(channel) - 1, CueGridColumn(channel));
}

QString LevelShown(TGrid* grid, int channel)
{
    return LevelCell(grid, channel).data().toString();
}

QColor LevelColour(TGrid* grid, int channel)
{
    return LevelCell(grid, channel).data(Qt::ForegroundRole).value<QColor>();
}

QColor ChannelBackground(TGrid* grid, int channel)
{
    return ChannelCell(grid, channel).data(Qt::BackgroundRole).value<QColor>();
}

void TypeLevel(TGrid* grid, int channel, const QString& text)
{
    const QModelIndex cell = LevelCell(grid, channel);
    // The offscreen platform gives the window no activation back after a dialog closed.
    grid->window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(grid->window()));
    grid->scrollTo(cell);
    grid->setFocus();
    grid->setCurrentIndex(cell);
    if (text.isEmpty()) {
        QTest::keyClick(grid, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
    } else {
        QTest::keyClicks(grid, text.left(1));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, text.mid(1));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!grid->isEditing());
}

void ClickChannel(TGrid* grid, int channel, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex cell = ChannelCell(grid, channel);
    grid->scrollTo(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, grid->visualRect(cell).center());
}

void RightClickGrid(TGrid* grid, int channel)
{
    const QModelIndex cell = LevelCell(grid, channel);
    grid->scrollTo(cell);
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, grid->visualRect(cell).center());
}

} // namespace lumora::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    for (auto make : {lumora::test::MakeInsertQTest, lumora::test::MakeCopyRangeTest, lumora::test::MakeInputLevel2Test,
                      lumora::test::MakeCueEdit2Test}) {
        const std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
