// One program for the submaster windows' tests; each window keeps its own test class.

#include "SubWindowsSupport.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace lumora::test {

// ---- Grids, as the cue sheets' tests drive them

QString TypeIntoCell(TGrid* grid, int row, int column, const QString& keys)
{
    const QModelIndex cell = grid->gridModel().index(row, column);
    grid->window()->activateWindow();
    grid->scrollTo(cell);
    grid->setFocus();
    grid->setCurrentIndex(cell);
    if (keys.isEmpty()) {
        QTest::keyClick(grid, Qt::Key_F2);
        if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
            editor->selectAll();
            QTest::keyClick(editor, Qt::Key_Backspace);
        }
    } else {
        QTest::keyClicks(grid, keys.left(1));
        if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
            QTest::keyClicks(editor, keys.mid(1));
    }
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!editor) {
        qWarning("no cell editor opened");
        return {};
    }
    const QString typed = editor->text();
    QTest::keyClick(editor, Qt::Key_Tab);
    return typed;
}

void ClickCell(TGrid* grid, int row, int column, Qt::KeyboardModifiers modifiers, Qt::MouseButton button)
{
    grid->scrollTo(grid->gridModel().index(row, column));
    QTest::mouseClick(grid->cellViewport(column), button, modifiers, grid->cellRect(row, column).center());
}

void ChooseFromList(TGrid* grid, int row, int column, int item)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ClickCell(grid, row, column);
    auto* combo = grid->cellViewport(column)->findChild<QComboBox*>();
    QVERIFY2(combo, "the list did not open");
    QTRY_VERIFY(combo->view()->isVisible());
    const QModelIndex choice = combo->view()->model()->index(item, 0);
    QTest::mouseClick(combo->view()->viewport(), Qt::LeftButton, {}, combo->view()->visualRect(choice).center());
    QTRY_VERIFY(!grid->isEditing());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString CellText(TGrid* grid, int row, int column)
{
    return grid->gridModel().index(row, column).data().toString();
}

QColor CellFont(TGrid* grid, int row, int column)
{
    return grid->gridModel().index(row, column).data(Qt::ForegroundRole).value<QColor>();
}

QColor CellBackground(TGrid* grid, int row, int column)
{
    return grid->gridModel().index(row, column).data(Qt::BackgroundRole).value<QColor>();
}

} // namespace lumora::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    for (auto make :
         {lumora::test::MakeSubEditTest, lumora::test::MakeSubListTest, lumora::test::MakeSubReportWindowsTest}) {
        const std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
