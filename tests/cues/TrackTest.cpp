// The tracking editor through its widgets: the sheet, typing with tracking, type
// changes, selection and Set Channel Levels, Insert and Delete, closing, and the status
// line. With LUMORA_SCREENSHOT_DIR set, a sheet of 40 cues is also saved there as a PNG.

#include "SheetWindowsSupport.h"

#include "cues/CueDialogs.h"
#include "cues/InputLev2.h"
#include "cues/InsertQ.h"
#include "cues/Track.h"
#include "show/ValueHelpers.h"
#include "support/RecordingUi.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace lumora::test {

namespace {

const QColor kRed(Qt::red);
const QColor kBlack(Qt::black);

// Cues 1 (Preset, channel 5 at 50%), 2 and 3 (Track).
const std::vector<TCueSpec> kFiftyShow = {{10, kCuePreset, {{5, 50}}}, {20, kCueTrack, {}}, {30, kCueTrack, {}}};

} // namespace

class TestTrack final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TCueDialogs> m_dialogs;
    std::unique_ptr<TfmTrack> m_window;
    int m_beeps = 0;

    TCueList& show() { return m_state->show().cueList; }
    TGrid* grid() const { return &m_window->grid(); }
    template <class T> T* child(const char* name) const
    {
        auto* c = m_window->findChild<T*>(QString::fromLatin1(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }

    // active: keys are typed (a window under a bare X server is shown, never activated).
    void open(const std::vector<TCueSpec>& cues, bool active = true)
    {
        SetCues(show(), cues);
        m_window->show();
        if (active)
            QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        else
            QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QCoreApplication::processEvents();
    }

    // The cell of a cue (1..) and channel (1..512).
    QString text(int cue, int channel) const { return CellText(grid(), cue - 1, TrackChannelColumn(channel)); }
    QColor font(int cue, int channel) const { return CellFont(grid(), cue - 1, TrackChannelColumn(channel)); }
    void type(int cue, int channel, const QString& keys)
    {
        TypeIntoCell(grid(), cue - 1, TrackChannelColumn(channel), keys);
    }
    void click(int cue, int channel, Qt::KeyboardModifiers modifiers = {})
    {
        ClickCell(grid(), cue - 1, TrackChannelColumn(channel), modifiers);
    }
    // The column of a channel, as (text, colour) per cue.
    void expectColumn(int channel, const QStringList& texts, const QList<QColor>& colours)
    {
        for (int cue = 1; cue <= texts.size(); ++cue) {
            QCOMPARE(text(cue, channel), texts[cue - 1]);
            QCOMPARE(font(cue, channel), colours[cue - 1]);
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
        QTest::mouseClick(child<QPushButton>("InsertButton"), Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_state->globals.newShow = 0;
        m_dialogs = std::make_unique<TCueDialogs>(*m_ui);
        m_window = std::make_unique<TfmTrack>(*m_state, *m_dialogs);
        m_beeps = 0;
        m_window->setBeep([this] { ++m_beeps; });
    }
    void cleanup()
    {
        QVERIFY2(m_ui->allAnswered(), "a scripted answer was not asked for");
        m_window.reset();
        m_dialogs.reset();
        m_state.reset();
        m_ui.reset();
    }

    // ---- The sheet

    void sheetHasTheCuesAgainstEveryChannel()
    {
        m_ui->showStatus("Loading Track Screen - Please Wait ...");
        open({{10, kCuePreset, {{1, 100}}}, {125, kCueMultipart, {}}});
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Tracking Editor"));
        QCOMPARE(grid()->rows(), 2);
        QCOMPARE(grid()->columns(), 514);
        QCOMPARE(grid()->frozenColumns(), 2);
        const QAbstractItemModel& model = grid()->gridModel();
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Cue"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Type"));
        QCOMPARE(model.headerData(513, Qt::Horizontal).toString(), QStringLiteral("512"));
        QCOMPARE(CellText(grid(), 1, 0), QStringLiteral("12.5"));
        QCOMPARE(CellText(grid(), 0, 0), QStringLiteral("1"));
        QCOMPARE(CellText(grid(), 1, 1), QStringLiteral("Multipart"));
        QCOMPARE(text(1, 1), QStringLiteral("100"));
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
        QCOMPARE(CellBackground(grid(), 1, TrackChannelColumn(300)), QColor(192, 208, 224));
        // The selection starts on channel 2 of the first cue.
        QCOMPARE(CellBackground(grid(), 0, TrackChannelColumn(2)), QColor(80, 112, 160));
        QCOMPARE(grid()->currentIndex(), model.index(0, TrackChannelColumn(2)));
        // The main window's status line is hidden once the sheet is filled.
        QCOMPARE(m_ui->shown().back().kind, std::string("hide"));
        QVERIFY(!m_ui->busy());
        QVERIFY(child<QPushButton>("btnDelete")->isEnabled());
        QAbstractItemModelTester tester(&grid()->gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void theFrozenColumnsStayWhenTheSheetScrollsSideways()
    {
        open(kFiftyShow);
        grid()->horizontalScrollBar()->setValue(grid()->horizontalScrollBar()->maximum());
        QCoreApplication::processEvents();
        QVERIFY(grid()->frozenView()->isVisible());
        QVERIFY(!grid()->frozenView()->isColumnHidden(0));
        QVERIFY(!grid()->frozenView()->isColumnHidden(1));
        QVERIFY(grid()->frozenView()->isColumnHidden(2));
        QCOMPARE(grid()->cellViewport(1), grid()->frozenView()->viewport());
        QVERIFY(grid()->cellRect(2, 1).left() >= 0);
    }

    void anEmptyShowHasNothingToDelete()
    {
        open({});
        QCOMPARE(grid()->rows(), 0);
        QVERIFY(!child<QPushButton>("btnDelete")->isEnabled());
        QVERIFY(!child<QAction>("mnuDelete")->isEnabled());
        QTest::mouseClick(grid()->viewport(), Qt::RightButton, {}, QPoint(50, 50));
        QCOMPARE(m_beeps, 1);
    }

    // ---- Typing

    void typingTracksOnOrStaysInItsCue_data()
    {
        QTest::addColumn<bool>("cueOnly");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<QColor>>("colours");
        QTest::newRow("tracking") << false << QStringList{"50", "80", "80"} << QList<QColor>{kBlack, kBlack, kRed};
        QTest::newRow("cue only") << true << QStringList{"50", "80", "50"} << QList<QColor>{kBlack, kBlack, kBlack};
    }
    void typingTracksOnOrStaysInItsCue()
    {
        QFETCH(bool, cueOnly);
        QFETCH(QStringList, texts);
        QFETCH(QList<QColor>, colours);
        open(kFiftyShow);
        expectColumn(5, {"50", "50", "50"}, {kBlack, kRed, kRed});
        if (cueOnly)
            QTest::mouseClick(child<QCheckBox>("CueCheckBox"), Qt::LeftButton);
        QCOMPARE(m_window->sheet().cueOnlyMode(), cueOnly);
        type(2, 5, "80");
        expectColumn(5, texts, colours);
        QVERIFY(m_window->sheet().pending());
    }

    void emptyingAHardCellTracksAgain()
    {
        open({{10, kCuePreset, {{5, 50}}}, {20, kCueTrack, {{5, 80}}}, {30, kCueTrack, {}}});
        expectColumn(5, {"50", "80", "80"}, {kBlack, kBlack, kRed});
        type(2, 5, "");
        expectColumn(5, {"50", "50", "50"}, {kBlack, kRed, kRed});
    }

    void levelsAreHeldToTheMaskWhileTyping()
    {
        open(kFiftyShow);
        QCOMPARE(TypeIntoCell(grid(), 1, TrackChannelColumn(5), QStringLiteral("150")), QStringLiteral("15"));
        QCOMPARE(text(2, 5), QStringLiteral("15"));
        QCOMPARE(TypeIntoCell(grid(), 1, TrackChannelColumn(6), QStringLiteral("1000")), QStringLiteral("100"));
        QCOMPARE(TypeIntoCell(grid(), 1, TrackChannelColumn(7), QStringLiteral("a5")), QStringLiteral("5"));
    }

    // ---- Types

    void presetAndTrackTypeChanges()
    {
        open({{10, kCuePreset, {{5, 50}, {6, 30}}}, {20, kCueTrack, {}}, {30, kCueTrack, {}}});
        ChooseFromList(grid(), 1, kTrackTypeColumn, kCuePreset);
        QCOMPARE(CellText(grid(), 1, kTrackTypeColumn), QStringLiteral("Preset"));
        for (int channel : {5, 6})
            QCOMPARE(font(2, channel), kBlack);
        QCOMPARE(text(2, 5), QStringLiteral("50"));
        QCOMPARE(text(2, 6), QStringLiteral("30"));
        QCOMPARE(font(2, 7), kBlack);

        ChooseFromList(grid(), 1, kTrackTypeColumn, kCueTrack);
        QCOMPARE(font(2, 5), kBlack); // hard where the row above shows a level
        QCOMPARE(font(2, 7), kRed);
        QCOMPARE(font(3, 5), kRed);

        ChooseFromList(grid(), 2, kTrackTypeColumn, kCueMultipart);
        QCOMPARE(CellText(grid(), 2, kTrackTypeColumn), QStringLiteral("MultiPart"));
        QVERIFY(m_window->sheet().pending());
    }

    // ---- Selection and Set Channel Levels

    void setChannelLevelsOnAShiftClickedRange()
    {
        open(kFiftyShow);
        click(1, 4);
        QCOMPARE(CellBackground(grid(), 0, TrackChannelColumn(2)), QColor(192, 208, 224)); // the old highlight goes
        click(1, 6, Qt::ShiftModifier);
        for (int channel : {4, 5, 6})
            QCOMPARE(CellBackground(grid(), 0, TrackChannelColumn(channel)), QColor(80, 112, 160));
        QCOMPARE(m_beeps, 0);

        // The right button anywhere on the sheet acts on the selection.
        WhenModal<TfmInputLevel2>([](TfmInputLevel2* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"));
            TypeInto(edit, QStringLiteral("100"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        ClickCell(grid(), 2, TrackChannelColumn(40), {}, Qt::RightButton);
        for (int channel : {4, 5, 6})
            expectColumn(channel, {"100", "100", "100"}, {kBlack, kRed, kRed});
        QCOMPARE(text(1, 7), QString());
        QCOMPARE(CellBackground(grid(), 0, TrackChannelColumn(4)), QColor(192, 208, 224)); // the selection is cleared

        // Without a selection the right button only beeps.
        ClickCell(grid(), 0, TrackChannelColumn(4), {}, Qt::RightButton);
        QCOMPARE(m_beeps, 1);
    }

    void nullChannelsAndACancelClearTheSelection()
    {
        open({{10, kCuePreset, {{5, 50}}}, {20, kCueTrack, {{5, 80}}}, {30, kCueTrack, {}}});
        WhenModal<TfmInputLevel2>([](TfmInputLevel2* dialog) {
            QTest::mouseClick(dialog->findChild<QRadioButton*>(QStringLiteral("rbNull")), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnApply")), Qt::LeftButton);
        });
        click(2, 5);
        ClickCell(grid(), 1, TrackChannelColumn(5), {}, Qt::RightButton);
        expectColumn(5, {"50", "50", "50"}, {kBlack, kRed, kRed});

        WhenModal<TfmInputLevel2>([](TfmInputLevel2* dialog) { dialog->reject(); });
        click(3, 5);
        ClickCell(grid(), 2, TrackChannelColumn(5), {}, Qt::RightButton);
        QVERIFY(!m_window->sheet().hasSelection());
    }

    void clicksThatBeep()
    {
        open(kFiftyShow);
        click(1, 10);
        click(1, 9, Qt::ShiftModifier); // lower than the start
        QCOMPARE(m_beeps, 1);
        click(2, 12, Qt::ShiftModifier); // another row: nothing
        QCOMPARE(m_beeps, 1);
        QCOMPARE(m_window->sheet().selectedCue(), 1);
        click(1, 12, Qt::ControlModifier);
        QCOMPARE(m_beeps, 2);
        ClickCell(grid(), 1, kTrackCueColumn); // the cue column selects nothing
        QCOMPARE(m_window->sheet().selectedCue(), 1);
        QCOMPARE(m_beeps, 2);
    }

    // ---- Insert and delete

    void insertingTrackCue25_data()
    {
        QTest::addColumn<bool>("cueOnly");
        QTest::newRow("tracking") << false;
        QTest::newRow("cue only") << true;
    }
    void insertingTrackCue25()
    {
        QFETCH(bool, cueOnly);
        open({{10, kCuePreset, {{5, 50}}}, {20, kCueTrack, {{6, 70}}}, {30, kCueTrack, {{8, 10}}}});
        child<QCheckBox>("CueCheckBox")->setChecked(cueOnly);
        insertThroughDialog(QStringLiteral("2.5"), kCueTrack);
        QCOMPARE(grid()->rows(), 4);
        QCOMPARE(CellText(grid(), 2, kTrackCueColumn), QStringLiteral("2.5"));
        QCOMPARE(CellText(grid(), 2, kTrackTypeColumn), QStringLiteral("Track"));
        if (!cueOnly) {
            expectColumn(5, {"50", "50", "50", "50"}, {kBlack, kRed, kRed, kRed});
            expectColumn(6, {"", "70", "70", "70"}, {kBlack, kBlack, kRed, kRed});
        } else {
            expectColumn(5, {"50", "50", "0", "50"}, {kBlack, kRed, kBlack, kBlack});
            expectColumn(6, {"", "70", "0", "70"}, {kBlack, kBlack, kBlack, kBlack});
            expectColumn(8, {"", "", "", "10"}, {kBlack, kRed, kRed, kBlack});
        }
        QCOMPARE(grid()->currentIndex().row(), 2);
        QVERIFY(m_window->sheet().pending());
    }

    void insertingANumberThatExistsIsRefused()
    {
        open(kFiftyShow);
        insertThroughDialog(QStringLiteral("2"), kCueTrack);
        QCOMPARE(m_ui->messages(), std::vector<std::string>{"The cue you entered duplicates one already in the show."});
        QCOMPARE(m_ui->shown().back().kind, std::string("warning"));
        QCOMPARE(grid()->rows(), 3);
    }

    void deleteAsksAndRefillsTheSheet()
    {
        open(kFiftyShow);
        grid()->setCurrentIndex(grid()->gridModel().index(1, TrackChannelColumn(5)));
        m_ui->answerYes();
        QTest::mouseClick(child<QPushButton>("btnDelete"), Qt::LeftButton);
        QCOMPARE(m_ui->messages(), std::vector<std::string>{"Are you sure you want to delete cue 2?"});
        QCOMPARE(grid()->rows(), 2);
        QCOMPARE(CellText(grid(), 1, kTrackCueColumn), QStringLiteral("3"));
        expectColumn(5, {"50", "50"}, {kBlack, kRed});

        m_ui->answerYes();
        m_ui->answerYes();
        child<QAction>("mnuDelete")->trigger();
        child<QAction>("mnuDelete")->trigger();
        QCOMPARE(grid()->rows(), 0);
        QVERIFY(!child<QPushButton>("btnDelete")->isEnabled());
    }

    // ---- Closing

    void closingWithoutChangesAsksNothing()
    {
        open(kFiftyShow);
        click(2, 5);
        QTest::mouseClick(child<QCheckBox>("CueCheckBox"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>("btnClose"), Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_ui->messages().empty());
    }

    void closingWithYesKeepsTheChangesInTheShow()
    {
        open(kFiftyShow);
        type(2, 5, "80");
        m_ui->answerYes();
        QTest::mouseClick(child<QPushButton>("btnClose"), Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_ui->messages().back(), std::string("Do you want to keep the changes you have made?"));
        QCOMPARE(LevelToPercent(show().cue(3).levels[4]), 80);
        QCOMPARE(m_state->globals.showChanged, std::uint8_t(1));
    }

    void closingAppliesTheCellBeingTyped()
    {
        open(kFiftyShow);
        grid()->setFocus();
        grid()->setCurrentIndex(grid()->gridModel().index(2, TrackChannelColumn(9)));
        QTest::keyClicks(grid(), QStringLiteral("4"));
        QVERIFY(grid()->isEditing());
        m_ui->answer(IUserInterface::Answer::Cancel);
        child<QAction>("mnuClose")->trigger();
        QVERIFY(m_window->isVisible());
        QCOMPARE(text(3, 9), QStringLiteral("4"));
        m_ui->answerNo();
        m_window->close();
        QVERIFY(!m_window->isVisible());
        QCOMPARE(show().cue(3).levels[8], 0); // No leaves the show as it was
    }

    void reopeningStartsAfresh()
    {
        open(kFiftyShow);
        QTest::mouseClick(child<QCheckBox>("CueCheckBox"), Qt::LeftButton);
        type(2, 5, "80");
        m_ui->answerNo();
        m_window->close();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QVERIFY(!child<QCheckBox>("CueCheckBox")->isChecked());
        QVERIFY(!m_window->sheet().cueOnlyMode());
        QCOMPARE(text(2, 5), QStringLiteral("50"));
    }

    // ---- A look at a real sheet

    void screenshotOfForty()
    {
        const QByteArray dir = qgetenv("LUMORA_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("LUMORA_SCREENSHOT_DIR is not set");
        std::vector<TCueSpec> cues;
        for (int k = 1; k <= 40; ++k) {
            TCueSpec cue{static_cast<std::uint16_t>(k * 10 + (k % 4 == 0 ? 5 : 0)),
                         static_cast<std::uint8_t>(
                             k == 1 || k % 13 == 0 ? kCuePreset : (k % 9 == 0 ? kCueAutostartTrack : kCueTrack)),
                         {}};
            for (int channel = 1; channel <= 40; ++channel)
                if (k == 1 || (channel + k) % 7 == 0)
                    cue.hardPercents.push_back({channel, (channel * 13 + k * 7) % 101});
            cues.push_back(cue);
        }
        m_window->resize(1200, 800);
        open(cues, false);
        click(3, 4);
        click(3, 9, Qt::ShiftModifier);
        QCoreApplication::processEvents();
        const QString path = QString::fromLocal8Bit(dir) + QStringLiteral("/tracking-sheet.png");
        QVERIFY(m_window->grab().save(path));
        qInfo("saved %s", qPrintable(path));
        // Scrolled to the last channels and cues: the cue and type columns stay.
        grid()->horizontalScrollBar()->setValue(grid()->horizontalScrollBar()->maximum());
        grid()->verticalScrollBar()->setValue(grid()->verticalScrollBar()->maximum());
        QCoreApplication::processEvents();
        const QString scrolled = QString::fromLocal8Bit(dir) + QStringLiteral("/tracking-sheet-scrolled.png");
        QVERIFY(m_window->grab().save(scrolled));
        qInfo("saved %s", qPrintable(scrolled));
    }
};

std::unique_ptr<QObject> MakeTrackTest()
{
    return std::make_unique<TestTrack>();
}

} // namespace lumora::test

#include "TrackTest.moc"
