// The grid through its widgets: typing held to the masks, leaving a cell, clicks, the
// drop-down and check-box columns, row selection, frozen columns and the model.

#include "widgets/Grid.h"
#include "widgets/GridDelegate.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <set>
#include <vector>

namespace lumora {
namespace {

// A sheet of texts the test owns, with a few colours and check marks, that counts how
// often the grid asks for a text.
class TSheet final : public IGridSource {
public:
    TSheet(int rows, int columns) : m_rows(rows), m_columns(columns), m_texts(std::size_t(rows) * columns) {}

    QString cellText(int row, int column) const override
    {
        ++asked;
        return m_texts[std::size_t(row) * m_columns + column];
    }
    QColor cellFontColour(int row, int column) const override
    {
        return row == redRow && column == redColumn ? QColor(Qt::red) : QColor();
    }
    QColor cellBackground(int row, int column) const override
    {
        return row == 0 && column == 0 ? QColor(Qt::yellow) : QColor();
    }
    bool cellChecked(int row, int column) const override { return checks.count({row, column}) > 0; }

    void set(int row, int column, const QString& text) { m_texts[std::size_t(row) * m_columns + column] = text; }
    QString get(int row, int column) const { return m_texts[std::size_t(row) * m_columns + column]; }

    mutable long asked = 0;
    int redRow = -1;
    int redColumn = -1;
    std::set<std::pair<int, int>> checks;

private:
    int m_rows;
    int m_columns;
    std::vector<QString> m_texts;
};

} // namespace

class TestGrid final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_window;
    TGrid* m_grid = nullptr;
    std::unique_ptr<TSheet> m_sheet;

    // A shown, active window holding one grid of rows x columns over a fresh sheet.
    void makeGrid(int rows, int columns)
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(700, 400);
        m_sheet = std::make_unique<TSheet>(rows, columns);
        m_grid = new TGrid(m_window.get());
        m_grid->setGeometry(0, 0, 700, 400);
        m_grid->setSource(m_sheet.get());
        m_grid->setDimensions(rows, columns);
        // The sheet takes what the user enters, as a window would.
        connect(m_grid, &TGrid::cellEdited, m_grid,
                [this](int row, int column, const QString& text) { m_sheet->set(row, column, text); });
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_grid->setFocus();
    }

    QLineEdit* editor() const { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }

    // Typing into a cell that has the focus: the first key opens the editor.
    void typeAt(int row, int column, const QString& keys)
    {
        m_grid->setCurrentIndex(m_grid->gridModel().index(row, column));
        QTest::keyClicks(m_grid, keys.left(1));
        if (keys.size() > 1 && editor())
            QTest::keyClicks(editor(), keys.mid(1));
    }

    void leaveCell()
    {
        if (QLineEdit* e = editor())
            QTest::keyClick(e, Qt::Key_Tab);
    }

    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = {}, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(m_grid->cellViewport(column), button, modifiers, m_grid->cellRect(row, column).center());
    }

private slots:
    void initTestCase()
    {
        // A comma locale: the grid must not let it near its numbers.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }

    void init() { m_window.reset(); }
    void cleanup() { m_window.reset(); }

    void modelPassesTheTester()
    {
        TGridModel model;
        TSheet sheet(30, 20);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setSource(&sheet);
        model.setDimensions(30, 20);
        model.setColumnList(2, {QStringLiteral("a"), QStringLiteral("b")});
        model.setColumnCheckBoxes(3);
        model.setRowReadOnly(1, true);
        model.setHeadings(Qt::Horizontal, {QStringLiteral("Cue"), QStringLiteral("Type")});
        model.refresh(0, 0, 29, 19);
        model.setData(model.index(4, 3), Qt::Checked, Qt::CheckStateRole);
        model.setDimensions(1000, 514);
        model.setDimensions(0, 0);
        model.setDimensions(5, 5);
    }

    void rulesAndColoursReachTheCells()
    {
        TGridModel model;
        TSheet sheet(4, 4);
        sheet.redRow = 2;
        sheet.redColumn = 1;
        model.setSource(&sheet);
        model.setDimensions(4, 4);
        model.setRowBackground(0, Qt::green);
        model.setRowBackground(1, Qt::blue);
        model.setColumnBackground(1, Qt::gray);
        model.setColumnReadOnly(3, true);
        model.setRowMask(1, MaskLevel());
        model.setColumnMask(2, MaskTime());

        const auto background = [&](int r, int c) {
            return model.index(r, c).data(Qt::BackgroundRole).value<QColor>();
        };
        QCOMPARE(background(0, 0), QColor(Qt::yellow)); // the source's own wins
        QCOMPARE(background(0, 1), QColor(Qt::green));  // then the row's
        QCOMPARE(background(2, 1), QColor(Qt::gray));   // then the column's
        QVERIFY(!model.index(2, 2).data(Qt::BackgroundRole).isValid());
        QCOMPARE(model.index(2, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
        QVERIFY(!model.index(2, 2).data(Qt::ForegroundRole).isValid());
        QVERIFY(!(model.flags(model.index(0, 3)) & Qt::ItemIsEditable));
        QVERIFY(model.flags(model.index(0, 2)) & Qt::ItemIsEditable);
        QCOMPARE(model.mask(1, 2), MaskLevel()); // the row's mask wins
        QCOMPARE(model.mask(2, 2), MaskTime());
        QVERIFY(model.mask(2, 0).isNull());
        QVERIFY(!model.setData(model.index(0, 3), QStringLiteral("x"), Qt::EditRole));
    }

    void masksHoldWhileTyping_data()
    {
        QTest::addColumn<int>("maskKind");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("level 100") << 0 << "100"
                                   << "100";
        QTest::newRow("level 101") << 0 << "101"
                                   << "10";
        QTest::newRow("level 1000") << 0 << "1000"
                                    << "100";
        QTest::newRow("level 05") << 0 << "05"
                                  << "0";
        QTest::newRow("level point") << 0 << "5.5"
                                     << "55";
        QTest::newRow("channel 512") << 1 << "512"
                                     << "512";
        QTest::newRow("channel 513") << 1 << "513"
                                     << "51";
        QTest::newRow("time 999.9") << 2 << "999.9"
                                    << "999.9";
        QTest::newRow("time 1000") << 2 << "1000"
                                   << "100";
        QTest::newRow("time 99.95") << 2 << "99.95"
                                    << "99.9";
        QTest::newRow("time comma") << 2 << "1,5"
                                    << "15";
        QTest::newRow("macro 2500") << 3 << "2500"
                                    << "2500";
        QTest::newRow("macro 2501") << 3 << "2501"
                                    << "250";
        QTest::newRow("text 16") << 4 << "ABCDEFGHIJKLMNOPQRS"
                                 << "ABCDEFGHIJKLMNOP";
    }

    void masksHoldWhileTyping()
    {
        QFETCH(int, maskKind);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        const TGridMask masks[] = {MaskLevel(), MaskChannel(), MaskTime(), MaskMacro(), MaskText(16)};
        makeGrid(3, 3);
        m_grid->setColumnMask(1, masks[maskKind]);
        QSignalSpy edited(m_grid, &TGrid::cellEdited);
        typeAt(1, 1, keys);
        QVERIFY(editor());
        QCOMPARE(editor()->text(), shown);
        leaveCell();
        QCOMPARE(edited.count(), 1);
        QCOMPARE(m_sheet->get(1, 1), shown);
        QCOMPARE(m_grid->gridModel().index(1, 1).data().toString(), shown);
    }

    void onlyATypedCellIsHandedOnWhenLeft()
    {
        makeGrid(4, 4);
        m_sheet->set(2, 2, QStringLiteral("40"));
        m_grid->setRowMask(2, MaskLevel());
        m_grid->setRowReadOnly(0);
        QSignalSpy edited(m_grid, &TGrid::cellEdited);
        QSignalSpy typing(m_grid, &TGrid::cellTyping);

        // Opened and left without a key: nothing to hand on.
        m_grid->setCurrentIndex(m_grid->gridModel().index(2, 2));
        QTest::keyClick(m_grid, Qt::Key_F2);
        QVERIFY(editor());
        QCOMPARE(editor()->text(), QStringLiteral("40"));
        leaveCell();
        QCOMPARE(edited.count(), 0);

        // Emptied and left: handed on once, as an empty text.
        m_grid->setCurrentIndex(m_grid->gridModel().index(2, 2));
        QTest::keyClick(m_grid, Qt::Key_F2);
        editor()->selectAll();
        QTest::keyClick(editor(), Qt::Key_Backspace);
        QCOMPARE(typing.count(), 1);
        QCOMPARE(typing.at(0).at(2).toString(), QString());
        leaveCell();
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.at(0).at(0).toInt(), 2);
        QCOMPARE(edited.at(0).at(1).toInt(), 2);
        QCOMPARE(edited.at(0).at(2).toString(), QString());

        // Typed, then Esc: dropped.
        typeAt(2, 1, QStringLiteral("7"));
        QTest::keyClick(editor(), Qt::Key_Escape);
        QCOMPARE(edited.count(), 1);

        // A read-only row takes no keys.
        typing.clear();
        typeAt(0, 1, QStringLiteral("9"));
        QCOMPARE(typing.count(), 0);
        QVERIFY(!m_grid->isEditing());

        // An edit in progress handed on by the window (a command while the user types).
        typeAt(3, 3, QStringLiteral("12"));
        QVERIFY(m_grid->isEditing());
        m_grid->commitEdit();
        QVERIFY(!m_grid->isEditing());
        QCOMPARE(edited.count(), 2);
        QCOMPARE(m_sheet->get(3, 3), QStringLiteral("12"));
    }

    void clicksCarryTheCellAndShift()
    {
        makeGrid(6, 6);
        QSignalSpy clicked(m_grid, &TGrid::cellClicked);
        QSignalSpy right(m_grid, &TGrid::rightButtonReleased);
        clickCell(1, 2);
        clickCell(3, 4, Qt::ShiftModifier);
        clickCell(2, 2, {}, Qt::RightButton);
        QCOMPARE(clicked.count(), 2);
        QCOMPARE(clicked.at(0).at(0).toInt(), 1);
        QCOMPARE(clicked.at(0).at(1).toInt(), 2);
        QCOMPARE(clicked.at(0).at(2).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers());
        QCOMPARE(clicked.at(1).at(0).toInt(), 3);
        QCOMPARE(clicked.at(1).at(1).toInt(), 4);
        QCOMPARE(clicked.at(1).at(2).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
        QCOMPARE(right.count(), 1);
        QCOMPARE(right.at(0).at(0).toInt(), 2);
        QCOMPARE(right.at(0).at(1).toInt(), 2);

        // Off the cells: the release is still reported, without a cell.
        QTest::mouseClick(m_grid->viewport(), Qt::RightButton, {}, QPoint(690, 390));
        QCOMPARE(right.count(), 2);
        QCOMPARE(right.at(1).at(0).toInt(), -1);
    }

    void dropDownColumnHandsOnTheChoice()
    {
        makeGrid(3, 3);
        const QStringList types{QStringLiteral("Preset"), QStringLiteral("Track"), QStringLiteral("Multipart")};
        m_grid->setColumnList(1, types);
        m_sheet->set(2, 1, QStringLiteral("Preset"));
        QSignalSpy chosen(m_grid, &TGrid::listChosen);
        clickCell(2, 1);
        auto* combo = m_grid->viewport()->findChild<QComboBox*>();
        QVERIFY(combo);
        QCOMPARE(combo->currentText(), QStringLiteral("Preset"));
        QTRY_VERIFY(combo->view()->isVisible()); // the list opens on the one click
        const QModelIndex track = combo->view()->model()->index(1, 0);
        QTest::mouseClick(combo->view()->viewport(), Qt::LeftButton, {}, combo->view()->visualRect(track).center());
        QTRY_COMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), 2);
        QCOMPARE(chosen.at(0).at(1).toInt(), 1);
        QCOMPARE(chosen.at(0).at(2).toInt(), 1);
        QCOMPARE(chosen.at(0).at(3).toString(), QStringLiteral("Track"));
        QTRY_VERIFY(!m_grid->isEditing());
        // Nothing is stored by the grid: the cell shows what the sheet holds.
        QCOMPARE(m_grid->gridModel().index(2, 1).data().toString(), QStringLiteral("Preset"));
    }

    void checkBoxColumnToggles()
    {
        makeGrid(3, 3);
        m_grid->setColumnCheckBoxes(2);
        QSignalSpy toggled(m_grid, &TGrid::checkToggled);
        connect(m_grid, &TGrid::checkToggled, m_grid, [this](int r, int c, bool on) {
            if (on)
                m_sheet->checks.insert({r, c});
            else
                m_sheet->checks.erase({r, c});
        });
        clickCell(1, 2);
        QCOMPARE(toggled.count(), 1);
        QCOMPARE(toggled.at(0).at(2).toBool(), true);
        QCOMPARE(m_grid->gridModel().index(1, 2).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        clickCell(1, 2);
        QCOMPARE(toggled.count(), 2);
        QCOMPARE(toggled.at(1).at(2).toBool(), false);
        m_grid->setColumnReadOnly(2);
        clickCell(1, 2);
        QCOMPARE(toggled.count(), 2);
    }

    void severalRowsSelected()
    {
        makeGrid(10, 4);
        m_grid->setMultiRowSelection(true);
        clickCell(2, 1);
        clickCell(5, 1, Qt::ShiftModifier);
        clickCell(8, 3, Qt::ControlModifier);
        QCOMPARE(m_grid->selectedRows(), (std::vector<int>{2, 3, 4, 5, 8}));
        m_grid->setMultiRowSelection(false);
        QVERIFY(m_grid->selectedRows().empty());
    }

    void frozenColumnsStayInView()
    {
        makeGrid(100, 513);
        m_grid->setHeadings(Qt::Horizontal, QStringList(513, QStringLiteral("c")));
        m_grid->setFrozenColumns(1);
        for (int step = 0; step < 100; ++step)
            m_sheet->set(step, 0, QString::number(step + 1));
        QTableView* frozen = m_grid->frozenView();
        QVERIFY(frozen->isVisible());
        QVERIFY(!frozen->isColumnHidden(0));
        QVERIFY(frozen->isColumnHidden(1));
        QVERIFY(frozen->isColumnHidden(512));
        const QPoint before = frozen->viewport()->mapTo(m_window.get(), m_grid->cellRect(3, 0).topLeft());

        m_grid->horizontalScrollBar()->setValue(m_grid->horizontalScrollBar()->maximum());
        m_grid->verticalScrollBar()->setValue(20 * 20);
        QCOMPARE(frozen->verticalScrollBar()->value(), m_grid->verticalScrollBar()->value());
        const QPoint after = frozen->viewport()->mapTo(m_window.get(), m_grid->cellRect(23, 0).topLeft());
        QCOMPARE(after, before);

        QSignalSpy clicked(m_grid, &TGrid::cellClicked);
        clickCell(23, 0);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), 23);
        QCOMPARE(clicked.at(0).at(1).toInt(), 0);

        // Moving left from the first column that scrolls never ends under the frozen one.
        m_grid->setCurrentIndex(m_grid->gridModel().index(23, 3));
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(m_grid, Qt::Key_Left);
        QCOMPARE(m_grid->currentIndex().column(), 1);
        QVERIFY(m_grid->visualRect(m_grid->currentIndex()).left() >= m_grid->columnWidth(0));
        // Typing into the frozen column edits it where it is seen.
        QTest::keyClick(m_grid, Qt::Key_Left);
        QCOMPARE(m_grid->currentIndex().column(), 0);
        QTest::keyClicks(m_grid, QStringLiteral("7"));
        QVERIFY(editor());
        QCOMPARE(editor()->parentWidget(), frozen->viewport());
        QCOMPARE(editor()->text(), QStringLiteral("7"));
        QTest::keyClick(editor(), Qt::Key_Return);
        QTRY_COMPARE(m_sheet->get(23, 0), QStringLiteral("7"));

        // A new size keeps the frozen column.
        m_grid->setDimensions(50, 300);
        QVERIFY(!frozen->isColumnHidden(0));
        QVERIFY(frozen->isColumnHidden(1));
    }

    // The tracking editor's sheet: drawing it asks only for what is on screen.
    void bigSheetAsksOnlyForVisibleCells()
    {
        makeGrid(1000, 514);
        m_grid->setFrozenColumns(2);
        m_sheet->asked = 0;
        m_grid->refreshAll();
        (void)m_window->grab();
        const long onScreen = (700 / 40 + 2) * (400 / 20 + 2) * 2;
        QVERIFY2(m_sheet->asked > 0, "nothing drawn");
        QVERIFY2(m_sheet->asked <= onScreen * 4, qPrintable(QString::number(m_sheet->asked)));
        m_sheet->asked = 0;
        m_grid->refreshColumn(400, 10);
        (void)m_window->grab();
        QVERIFY(m_sheet->asked <= onScreen * 4);
    }
};

} // namespace lumora

QTEST_MAIN(lumora::TestGrid)
#include "GridTest.moc"
