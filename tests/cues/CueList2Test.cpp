// The cue list screen through its widgets: the grid and its masks, type changes, Insert,
// Delete and Copy Range with their dialogs and messages, Cue Only Mode, closing.

#include "SheetWindowsSupport.h"

#include "cues/CopyRnge.h"
#include "cues/CueDialogs.h"
#include "cues/CueList2.h"
#include "cues/InsertQ.h"
#include "show/ValueHelpers.h"
#include "support/RecordingUi.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>

namespace lumora::test {

namespace {

using Col = TCueListColumn;
using Strings = std::vector<std::string>;

constexpr int C(Col column)
{
    return static_cast<int>(column);
}

} // namespace

class TestCueList2 final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TCueDialogs> m_dialogs;
    std::unique_ptr<TfmCueList2> m_window;

    TCueList& show() { return m_state->show().cueList; }
    TGrid* grid() const { return &m_window->grid(); }
    template <class T> T* child(const char* name) const
    {
        auto* c = m_window->findChild<T*>(QString::fromLatin1(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }
    void clickButton(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }

    // Cues with these numbers, each named after its position, with a hard level on the
    // channel of its position (cue k: channel k at 10 x k percent).
    void open(const std::vector<std::uint16_t>& numbers)
    {
        std::vector<TCueSpec> cues;
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            const int k = static_cast<int>(i) + 1;
            cues.push_back({numbers[i],
                            static_cast<std::uint8_t>(k == 1 ? kCuePreset : kCueTrack),
                            {{(k - 1) % kChannels + 1, (10 * k) % 101}}});
        }
        SetCues(show(), cues);
        for (int k = 1; k <= show().count; ++k)
            show().cue(k).name = "Cue " + std::to_string(k);
        reopen();
    }
    void reopen()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QCoreApplication::processEvents();
    }
    QString cell(int row, Col column) const { return CellText(grid(), row - 1, C(column)); }
    QStringList numbers() const
    {
        QStringList shown;
        for (int row = 1; row <= grid()->rows(); ++row)
            shown << cell(row, Col::Cue);
        return shown;
    }
    void selectRows(std::initializer_list<int> rows)
    {
        bool first = true;
        for (int row : rows) {
            ClickCell(grid(), row - 1, C(Col::Cue), first ? Qt::NoModifier : Qt::ControlModifier);
            first = false;
        }
    }
    void insertThroughDialog(const QString& number, int type)
    {
        WhenModal<TfmInsertQ>([number, type](TfmInsertQ* dialog) {
            dialog->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(type);
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("edtCueNo"));
            TypeInto(edit, number);
            QTest::keyClick(edit, Qt::Key_Return);
            if (dialog->isVisible())
                dialog->reject();
        });
        clickButton("btnInsert");
    }
    void copyThroughDialog(const QString& number)
    {
        WhenModal<TfmCopyRange>([number](TfmCopyRange* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"));
            TypeInto(edit, number);
            QTest::keyClick(edit, Qt::Key_Return);
            if (dialog->isVisible())
                dialog->reject();
        });
        clickButton("BtnCopyRange");
    }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_dialogs = std::make_unique<TCueDialogs>(*m_ui);
        m_window = std::make_unique<TfmCueList2>(*m_state, *m_dialogs);
    }
    void cleanup()
    {
        QVERIFY2(m_ui->allAnswered(), "a scripted answer was not asked for");
        m_window.reset();
        m_dialogs.reset();
        m_state.reset();
        m_ui.reset();
    }

    // ---- The grid

    void rowsShowTheCuesFields()
    {
        open({10, 125});
        show().cue(2).timeDown = 35;
        show().cue(2).link = 10;
        show().cue(2).macro = 7;
        show().cue(2).type = kCueAutostartPreset;
        m_window->hide();
        reopen();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Cue List"));
        const QAbstractItemModel& model = grid()->gridModel();
        QStringList headings;
        for (int c = 0; c < kCueListColumnCount; ++c)
            headings << model.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headings, (QStringList{"Cue", "Name", "Type", "Time Up", "Time Down", "Delay Up", "Delay Down", "Link",
                                        "Macro"}));
        QStringList row2;
        for (int c = 0; c < kCueListColumnCount; ++c)
            row2 << CellText(grid(), 1, c);
        QCOMPARE(row2, (QStringList{"12.5", "Cue 2", "Autostart & Preset", "0", "3.5", "0", "0", "1", "7"}));
        QCOMPARE(cell(1, Col::Link), QString());
        QCOMPARE(cell(1, Col::Macro), QString());
        QVERIFY(!(model.flags(model.index(0, C(Col::Cue))) & Qt::ItemIsEditable));
        QVERIFY(child<QPushButton>("btnDelete")->isEnabled());
        QVERIFY(child<QPushButton>("BtnCopyRange")->isEnabled());
        QAbstractItemModelTester tester(&grid()->gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void anEmptyListHasNothingToDeleteOrCopy()
    {
        open({});
        QVERIFY(!child<QPushButton>("btnDelete")->isEnabled());
        QVERIFY(!child<QPushButton>("BtnCopyRange")->isEnabled());
        QVERIFY(!child<QAction>("mnuDelete")->isEnabled());
        QVERIFY(!child<QAction>("mnuCopyRange")->isEnabled());
        QVERIFY(child<QPushButton>("btnInsert")->isEnabled());
    }

    void timesThatCannotBeTyped_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("held");
        QTest::newRow("Time Down 1000") << C(Col::TimeDown) << "1000"
                                        << "100";
        QTest::newRow("Time Down 99.95") << C(Col::TimeDown) << "99.95"
                                         << "99.9";
        QTest::newRow("Delay Up 999.9") << C(Col::DelayUp) << "999.9"
                                        << "999.9";
        QTest::newRow("Link 12.34") << C(Col::Link) << "12.34"
                                    << "12.3";
        QTest::newRow("Macro 2501") << C(Col::Macro) << "2501"
                                    << "250";
        QTest::newRow("Name of 17") << C(Col::Name) << "Seventeen letters"
                                    << "Seventeen letter";
    }
    void timesThatCannotBeTyped()
    {
        QFETCH(int, column);
        QFETCH(QString, keys);
        QFETCH(QString, held);
        open({10, 20});
        QCOMPARE(TypeIntoCell(grid(), 1, column, keys), held);
        QCOMPARE(CellText(grid(), 1, column), held);
        QVERIFY(m_window->sheet().pending());
    }

    // ---- Types

    void choosingTheSameTypeChangesNothing()
    {
        open({10, 20});
        ChooseFromList(grid(), 1, C(Col::Type), kCueTrack);
        QVERIFY(!m_window->sheet().pending());
        ChooseFromList(grid(), 1, C(Col::Type), kCueMultipart);
        QCOMPARE(cell(2, Col::Type), QStringLiteral("Multipart"));
        QCOMPARE(m_window->sheet().working().cue(2).type, std::uint8_t(kCueMultipart));
        QVERIFY(m_window->sheet().pending());
    }

    // ---- Insert

    void insertPutsTheCueInItsPlace()
    {
        open({10, 20, 30});
        insertThroughDialog(QStringLiteral("2.5"), kCueTrack);
        QCOMPARE(numbers(), (QStringList{"1", "2", "2.5", "3"}));
        QCOMPARE(cell(3, Col::Type), QStringLiteral("Track"));
        QCOMPARE(grid()->currentIndex().row(), 2);
        QVERIFY(m_ui->messages().empty());
        QCOMPARE(show().count, std::uint16_t(3)); // the show waits for the save
    }

    void insertingADuplicateIsRefused()
    {
        open({3, 10});
        insertThroughDialog(QStringLiteral("0.3"), kCuePreset);
        QCOMPARE(m_ui->messages(), Strings{"The cue you entered, 0.3, matches one already in the show."});
        QCOMPARE(m_ui->shown().back().kind, std::string("error"));
        QCOMPARE(grid()->rows(), 2);
    }

    void aFullListRefusesInsert()
    {
        std::vector<std::uint16_t> all;
        for (int k = 1; k <= kMaxCues; ++k)
            all.push_back(static_cast<std::uint16_t>(k));
        open(all);
        clickButton("btnInsert"); // no dialog opens
        QCOMPARE(m_ui->messages(), Strings{"You cannot insert any more cues."});
        QCOMPARE(grid()->rows(), kMaxCues);
    }

    // ---- Delete

    void deleteAsksForTheCurrentRow()
    {
        open({10, 125, 130});
        ClickCell(grid(), 1, C(Col::Name));
        m_ui->answerYes();
        clickButton("btnDelete");
        QCOMPARE(m_ui->messages(), Strings{"Are you sure you want to delete cue 12.5?"});
        QCOMPARE(numbers(), (QStringList{"1", "13"}));
        QVERIFY(m_window->sheet().pending());
    }

    // ---- Copy Range

    void copyRangeOf1_2And4To10Replaces11()
    {
        open({10, 20, 30, 40, 110, 120});
        const TCueList before = m_window->sheet().working();
        selectRows({1, 2, 4});
        copyThroughDialog(QStringLiteral("10"));
        QCOMPARE(numbers(), (QStringList{"1", "2", "3", "4", "10", "11", "12", "13"}));
        QCOMPARE(cell(5, Col::Name), QStringLiteral("Cue 1"));
        QCOMPARE(cell(6, Col::Name), QStringLiteral("Cue 2")); // the old 11 is replaced
        QCOMPARE(cell(7, Col::Name), QStringLiteral("Cue 6"));
        QCOMPARE(cell(8, Col::Name), QStringLiteral("Cue 4"));
        const TCueList& after = m_window->sheet().working();
        for (const auto& [row, original] : {std::pair{5, 1}, std::pair{6, 2}, std::pair{8, 4}}) {
            QVERIFY(after.cue(row).levels == before.cue(original).levels);
            QVERIFY(after.cue(row).hardMask == before.cue(original).hardMask);
        }
        QVERIFY(grid()->selectedRows().empty());
        QVERIFY(m_ui->messages().empty());
    }

    void copyRangeWithoutASelectionWarns()
    {
        open({10, 20});
        clickButton("BtnCopyRange"); // no dialog opens
        QCOMPARE(m_ui->messages(), Strings{"Please select 1 or more cues to copy."});
        QCOMPARE(m_ui->shown().back().kind, std::string("warning"));
    }

    void copiesPast999_9AreDroppedWithAWarning()
    {
        open({10, 20, 50});
        selectRows({2, 3});
        copyThroughDialog(QStringLiteral("999.9"));
        QCOMPARE(numbers(), (QStringList{"1", "2", "5", "999.9"}));
        QCOMPARE(m_ui->messages(), Strings{"1 cue was not copied: its new number would fall outside 0.1 to 999.9."});
    }

    // ---- Cue Only Mode and closing

    void cueOnlyModeIsKeptBetweenOpenings()
    {
        open({10, 20});
        QVERIFY(!child<QCheckBox>("cbCueOnly")->isChecked());
        QTest::mouseClick(child<QCheckBox>("cbCueOnly"), Qt::LeftButton);
        QVERIFY(m_window->sheet().working().cueOnlyMode);
        clickButton("btnClose");
        QVERIFY(!m_window->isVisible());
        reopen();
        QVERIFY(child<QCheckBox>("cbCueOnly")->isChecked());
        QVERIFY(m_window->sheet().working().cueOnlyMode);
    }

    void closingAfterOnlyMovingBetweenRowsAsksNothing()
    {
        open({10, 20, 30});
        ClickCell(grid(), 2, C(Col::Name));
        QCOMPARE(m_window->sheet().currentRow(), 3);
        QTest::keyClick(grid(), Qt::Key_Up);
        QCOMPARE(m_window->sheet().currentRow(), 2);
        clickButton("btnClose");
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_ui->messages().empty());
    }

    void savingOnCloseStoresTheGridIntoTheShow()
    {
        open({10, 20});
        TypeIntoCell(grid(), 1, C(Col::Name), QStringLiteral("Sunrise"));
        TypeIntoCell(grid(), 1, C(Col::TimeUp), QStringLiteral("12.5"));
        TypeIntoCell(grid(), 0, C(Col::TimeDown), QString());
        m_ui->answerYes();
        clickButton("btnClose");
        QVERIFY(m_window->isVisible()); // an empty time fails the check
        QCOMPARE(m_ui->messages().back(), std::string("Please check your time entries for Cue No. 1.\n"
                                                      "All times need to range from 0.0 to 999.9 seconds."));
        TypeIntoCell(grid(), 0, C(Col::TimeDown), QStringLiteral("4"));
        m_ui->answerYes();
        child<QAction>("mnuClose")->trigger();
        QVERIFY(!m_window->isVisible());
        QVERIFY(show().cue(2).name == "Sunrise");
        QCOMPARE(show().cue(2).timeUp, std::uint16_t(125));
        QCOMPARE(show().cue(1).timeDown, std::uint16_t(40));
        QCOMPARE(m_state->globals.showChanged, std::uint8_t(1));
    }

    void answeringNoLeavesTheShowAsItWas()
    {
        open({10, 20});
        TypeIntoCell(grid(), 1, C(Col::Name), QStringLiteral("Sunrise"));
        m_ui->answerNo();
        m_window->close();
        QVERIFY(!m_window->isVisible());
        QVERIFY(show().cue(2).name == "Cue 2");
        QCOMPARE(m_state->globals.showChanged, std::uint8_t(0));
    }
};

std::unique_ptr<QObject> MakeCueList2Test()
{
    return std::make_unique<TestCueList2>();
}

} // namespace lumora::test

#include "CueList2Test.moc"
