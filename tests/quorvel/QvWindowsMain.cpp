// One program for the tests of the Quorvel windows; each window keeps its own test class.

#include "QvWindowsSupport.h"

#include <QAbstractItemView>
#include <QDir>

namespace lumora::test {

QString TypeIntoCell(TGrid* grid, int row, int column, const QString& keys)
{
    const QModelIndex cell = grid->gridModel().index(row, column);
    grid->scrollTo(cell);
    grid->setFocus();
    grid->setCurrentIndex(cell);
    QTest::keyClick(grid, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!editor)
        return {};
    // The user's entry replaces what the cell held.
    editor->selectAll();
    if (keys.isEmpty())
        QTest::keyClick(editor, Qt::Key_Backspace);
    else
        QTest::keyClicks(editor, keys);
    const QString typed = editor->text();
    QTest::keyClick(editor, Qt::Key_Tab);
    return typed;
}

void ClickCell(TGrid* grid, int row, int column, Qt::MouseButton button)
{
    grid->scrollTo(grid->gridModel().index(row, column));
    QTest::mouseClick(grid->cellViewport(column), button, {}, grid->cellRect(row, column).center());
}

void DoubleClickCell(TGrid* grid, int row, int column)
{
    grid->scrollTo(grid->gridModel().index(row, column));
    const QPoint at = grid->cellRect(row, column).center();
    QTest::mouseClick(grid->cellViewport(column), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->cellViewport(column), Qt::LeftButton, {}, at);
}

QString CellText(TGrid* grid, int row, int column)
{
    return grid->gridModel().index(row, column).data().toString();
}

void ChooseFromPopUp(TGrid* grid, int row, int column, const char* action)
{
    const QString name = QString::fromLatin1(action);
    bool chosen = false;
    QTimer::singleShot(0, qApp, [name, &chosen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* a : menu->actions())
            if (a->objectName() == name) {
                menu->setActiveAction(a);
                QTest::keyClick(menu, Qt::Key_Return);
                chosen = true;
                return;
            }
        menu->close();
    });
    ClickCell(grid, row, column, Qt::LeftButton);
    ClickCell(grid, row, column, Qt::RightButton);
    QVERIFY2(chosen, qPrintable(QStringLiteral("no pop-up item ") + name));
}

void Screenshot(QWidget* window, const char* name)
{
    const QString folder = qEnvironmentVariable("LUMORA_QV_SHOTS");
    if (folder.isEmpty())
        return;
    QCoreApplication::processEvents();
    window->grab().save(QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
}

} // namespace lumora::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    for (auto make : {lumora::test::MakeQVTypeTest, lumora::test::MakeQVDeviceTest, lumora::test::MakeQVActionTest,
                      lumora::test::MakeQVPositionTest, lumora::test::MakeQvNavigationTest}) {
        const std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
