// One program for the tests of the patch and profile windows and their reports; each
// window keeps its own test class.

#include "PatchWindowsSupport.h"

namespace lumora::test {

namespace {

// The grid's open cell editor, wherever the focus is.
QLineEdit* OpenEditor(TGrid* grid)
{
    for (QLineEdit* edit : grid->findChildren<QLineEdit*>())
        if (edit->isVisible())
            return edit;
    return nullptr;
}

} // namespace

void TypeIntoCell(TGrid* grid, int row, int column, const QString& keys)
{
    const QModelIndex cell = grid->gridModel().index(row, column);
    grid->scrollTo(cell);
    grid->setFocus();
    grid->setCurrentIndex(cell);
    if (keys.isEmpty()) {
        QTest::keyClick(grid, Qt::Key_F2);
        if (QLineEdit* editor = OpenEditor(grid)) {
            editor->selectAll();
            QTest::keyClick(editor, Qt::Key_Backspace);
        }
    } else {
        QTest::keyClicks(grid, keys.left(1));
        if (QLineEdit* editor = OpenEditor(grid))
            QTest::keyClicks(editor, keys.mid(1));
    }
    QLineEdit* editor = OpenEditor(grid);
    QVERIFY2(editor, "no cell editor opened");
    QTest::keyClick(editor, Qt::Key_Tab);
}

void ClickCell(TGrid* grid, int row, int column, Qt::KeyboardModifiers modifiers, Qt::MouseButton button)
{
    grid->scrollTo(grid->gridModel().index(row, column));
    QTest::mouseClick(grid->cellViewport(column), button, modifiers, grid->cellRect(row, column).center());
}

void ReleaseOnCell(TGrid* grid, int row, int column, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    grid->scrollTo(grid->gridModel().index(row, column));
    QTest::mouseRelease(grid->cellViewport(column), button, modifiers, grid->cellRect(row, column).center());
}

QString CellText(TGrid* grid, int row, int column)
{
    return grid->gridModel().index(row, column).data().toString();
}

bool CellChecked(TGrid* grid, int row, int column)
{
    return grid->gridModel().index(row, column).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

} // namespace lumora::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    for (auto make : {lumora::test::MakePatchEditorTest, lumora::test::MakeProfileEditorTest,
                      lumora::test::MakePatchReportWindowsTest}) {
        const std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
