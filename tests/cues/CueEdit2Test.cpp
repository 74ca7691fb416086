// The cue editor through its widgets: the level grid, the edit boxes, the list, the
// arrows, the menu commands and their questions.

#include "CueWindowsSupport.h"

#include "cues/CueDialogs.h"
#include "cues/CueEdit2.h"
#include "cues/InputLev2.h"
#include "cues/InsertQ.h"
#include "show/ValueHelpers.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace lumora::test {

namespace {

using Answer = IUserInterface::Answer;
using Strings = std::vector<std::string>;

const QColor kRed(Qt::red);
const QColor kBlack(Qt::black);

} // namespace

class TestCueEdit2 final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TCueDialogs> m_dialogs;
    std::unique_ptr<TfmCueEdit2> m_editor;
    int m_beeps = 0;
    int m_unexpectedBefore = 0;

    // The recording interface reports a question nobody scripted an answer for as a
    // GoogleTest failure outside any test.
    static int UnexpectedQuestions()
    {
        return ::testing::UnitTest::GetInstance()->ad_hoc_test_result().total_part_count();
    }

    TCueList& show() { return m_state->show().cueList; }
    TGrid* grid() const { return m_editor->findChild<TGrid*>(QStringLiteral("tsGrid1")); }
    template <class T> T* child(const char* name) const
    {
        T* widget = m_editor->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no %s", name);
        return widget;
    }
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(name); }
    QString label() const { return child<QLabel>("CueLabel")->text(); }
    void click(const char* button) const { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    void trigger(const char* action) const { child<QAction>(action)->trigger(); }
    void key(int k, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), modifiers);
    }
    int percent(int cue, int channel) { return LevelToPercent(show().cue(cue).levels[channel - 1]); }

    // The editor opened on the cues given, with every question so far answered.
    void open(const std::vector<TCueSpec>& cues)
    {
        SetCues(show(), cues);
        m_editor->show();
        QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
        QCoreApplication::processEvents();
    }
    // Cues 1 (Preset, channel 3 at 40%), 2 and 3 (Track, tracking channel 3).
    void openTracking() { open({{10, kCuePreset, {{3, 40}}}, {20, kCueTrack, {}}, {30, kCueTrack, {}}}); }

    void insertThroughDialog(const QString& number, int type)
    {
        WhenModal<TfmInsertQ>([number, type](TfmInsertQ* dialog) {
            dialog->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(type);
            TypeInto(dialog->findChild<QLineEdit*>(QStringLiteral("edtCueNo")), number);
            QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("edtCueNo")), Qt::Key_Return);
            if (dialog->isVisible())
                dialog->reject();
        });
    }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_dialogs = std::make_unique<TCueDialogs>(*m_ui);
        m_editor = std::make_unique<TfmCueEdit2>(*m_state, *m_dialogs);
        m_beeps = 0;
        m_unexpectedBefore = UnexpectedQuestions();
        m_editor->setBeep([this] { ++m_beeps; });
    }
    void cleanup()
    {
        QVERIFY2(m_ui->allAnswered(), "a scripted answer was not asked for");
        QVERIFY2(UnexpectedQuestions() == m_unexpectedBefore, "an unexpected question");
        m_editor.reset();
        m_dialogs.reset();
        m_state.reset();
        m_ui.reset();
    }

    // ---- Levels

    void trackedLevelShownRedAndRetrackedAfterTyping()
    {
        openTracking();
        QCOMPARE(m_editor->windowTitle(), QStringLiteral("Cue Editor"));
        QCOMPARE(label(), QStringLiteral("Cue # 1"));
        QVERIFY(!child<QPushButton>("LeftButton")->isEnabled());
        click("RightButton");
        QCOMPARE(label(), QStringLiteral("Cue # 2"));
        QCOMPARE(LevelShown(grid(), 3), QStringLiteral("40"));
        QCOMPARE(LevelColour(grid(), 3), kRed);

        TypeLevel(grid(), 3, QStringLiteral("60"));
        QCOMPARE(LevelShown(grid(), 3), QStringLiteral("60"));
        QCOMPARE(LevelColour(grid(), 3), kBlack);
        QCOMPARE(percent(3, 3), 40); // the show waits for the keep

        m_ui->answer(Answer::Yes);
        click("RightButton");
        QCOMPARE(m_ui->messages(), Strings{"Do want to keep your changes?"});
        QCOMPARE(label(), QStringLiteral("Cue # 3"));
        QCOMPARE(LevelShown(grid(), 3), QStringLiteral("60"));
        QCOMPARE(LevelColour(grid(), 3), kRed);
        QCOMPARE(percent(2, 3), 60);
        QCOMPARE(percent(3, 3), 60);
        QVERIFY(!TCueList::IsHard(show().cue(3), 3));
        QCOMPARE(m_state->globals.showChanged, std::uint8_t(1));
        QVERIFY(!child<QPushButton>("RightButton")->isEnabled());
    }

    void cueOnlyModeKeepsTheNextCue()
    {
        openTracking();
        QTest::mouseClick(child<QCheckBox>("CueCheckBox"), Qt::LeftButton);
        click("RightButton");
        TypeLevel(grid(), 3, QStringLiteral("80"));
        m_ui->answer(Answer::Yes);
        click("RightButton");
        QCOMPARE(LevelShown(grid(), 3), QStringLiteral("40"));
        QCOMPARE(LevelColour(grid(), 3), kBlack); // held as a hard level now
    }

    void emptyingAHardCellTracksAgain()
    {
        open({{10, kCuePreset, {{3, 40}}}, {20, kCueTrack, {{3, 70}}}});
        click("RightButton");
        QCOMPARE(LevelColour(grid(), 3), kBlack);
        TypeLevel(grid(), 3, QString());
        QCOMPARE(LevelShown(grid(), 3), QStringLiteral("40"));
        QCOMPARE(LevelColour(grid(), 3), kRed);
    }

    void hardZeroShownTrackedZeroEmpty()
    {
        open({{10, kCuePreset, {{1, 0}}}, {20, kCueTrack, {{2, 0}}}});
        QCOMPARE(LevelShown(grid(), 1), QStringLiteral("0"));
        QCOMPARE(LevelShown(grid(), 2), QString());
        click("RightButton");
        QCOMPARE(LevelShown(grid(), 1), QString());
        QCOMPARE(LevelColour(grid(), 1), kRed);
        QCOMPARE(LevelShown(grid(), 2), QStringLiteral("0"));
        QCOMPARE(LevelColour(grid(), 2), kBlack);
    }

    void typingTurnsTheCellRedWhenEmpty()
    {
        openTracking();
        const QModelIndex cell = LevelCell(grid(), 5);
        grid()->setCurrentIndex(cell);
        QTest::keyClicks(grid(), QStringLiteral("5"));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QCOMPARE(editor->palette().color(QPalette::Text), kBlack);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(editor->palette().color(QPalette::Text), kRed);
        QTest::keyClicks(editor, QStringLiteral("101"));
        QCOMPARE(editor->text(), QStringLiteral("10")); // the level mask
        QVERIFY(m_editor->session().pending());
        QTest::keyClick(editor, Qt::Key_Escape);
    }

    // ---- Edit boxes

    void boxChecksOnLeaving_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: accepted
        const QString time = QString::fromLatin1(kMsgTimeRange);
        QTest::newRow("time 12.34") << "TimeUpEdit"
                                    << "12.34" << time;
        QTest::newRow("time 999.9") << "TimeDownEdit"
                                    << "999.9"
                                    << "";
        QTest::newRow("time 1000") << "DelayUpEdit"
                                   << "1000" << time;
        QTest::newRow("time empty") << "DelayDownEdit"
                                    << "" << time;
        QTest::newRow("link 0") << "LinkEdit"
                                << "0"
                                << "";
        QTest::newRow("link empty") << "LinkEdit"
                                    << ""
                                    << "";
        QTest::newRow("link 12.34") << "LinkEdit"
                                    << "12.34" << QString::fromLatin1(kMsgLinkRange);
        QTest::newRow("macro 2501") << "MacroEdit"
                                    << "2501" << QString::fromLatin1(kMsgMacroRange);
        QTest::newRow("macro 0") << "MacroEdit"
                                 << "0"
                                 << "";
    }
    void boxChecksOnLeaving()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        openTracking();
        QLineEdit* field = edit(box.toLatin1().constData());
        TypeInto(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
        QCoreApplication::processEvents();
        if (message.isEmpty()) {
            QVERIFY(m_ui->messages().empty());
            QVERIFY(QApplication::focusWidget() != field);
        } else {
            QCOMPARE(m_ui->messages(), Strings{message.toStdString()});
            QTRY_COMPARE(QApplication::focusWidget(), field); // the box keeps the focus
        }
    }

    void keptBoxesShowInTheirTextForms()
    {
        openTracking();
        TypeInto(edit("NameEdit"), QStringLiteral("Blue wash"));
        TypeInto(edit("TimeUpEdit"), QStringLiteral("2.50"));
        TypeInto(edit("LinkEdit"), QStringLiteral("0"));
        TypeInto(edit("MacroEdit"), QStringLiteral("0"));
        grid()->setFocus();
        m_ui->answer(Answer::Yes);
        click("RightButton");
        click("LeftButton"); // nothing pending: no question
        QCOMPARE(m_ui->messages(), Strings{"Do want to keep your changes?"});
        QCOMPARE(show().cue(1).name, "Blue wash");
        QCOMPARE(show().cue(1).timeUp, 25);
        QCOMPARE(edit("TimeUpEdit")->text(), QStringLiteral("2.5"));
        QCOMPARE(edit("LinkEdit")->text(), QString());
        QCOMPARE(edit("MacroEdit")->text(), QString());
    }

    void aFailedCheckOnYesStays()
    {
        openTracking();
        TypeInto(edit("MacroEdit"), QStringLiteral("2501"));
        grid()->setFocus(Qt::OtherFocusReason); // no focus-out check for a window's own moves
        m_ui->clear();
        m_ui->answer(Answer::Yes);
        click("RightButton");
        QCOMPARE(m_ui->messages().back(), std::string(kMsgMacroRange));
        QCOMPARE(label(), QStringLiteral("Cue # 1"));
        QCOMPARE(show().cue(1).macro, 0);
    }

    void invalidTypeNameIsRefused()
    {
        openTracking();
        click("RightButton");
        auto* type = child<QComboBox>("TypeCombo");
        QCOMPARE(type->currentText(), QStringLiteral("Track"));
        type->lineEdit()->setFocus();
        type->lineEdit()->selectAll();
        QTest::keyClicks(type->lineEdit(), QStringLiteral("Bogus"));
        QTest::keyClick(type->lineEdit(), Qt::Key_Return);
        QCOMPARE(m_ui->messages(), Strings{"Invalid cue type."});
        QCOMPARE(type->currentText(), QStringLiteral("Track"));
        QCOMPARE(LevelColour(grid(), 3), kRed);

        type->setCurrentIndex(-1);
        emit type->activated(kCuePreset); // chosen from the list
        QCOMPARE(type->currentText(), QStringLiteral("Preset"));
        QCOMPARE(LevelColour(grid(), 3), kBlack); // a Preset cue's levels are all its own
        QVERIFY(m_editor->session().pending());
    }

    // ---- Selection, copy and paste, Set Channel Levels

    void shiftClickRightClickAndSetChannelLevels()
    {
        openTracking();
        click("RightButton");
        RightClickGrid(grid(), 5);
        QCOMPARE(m_beeps, 1); // no selection
        ClickChannel(grid(), 5);
        QCOMPARE(ChannelBackground(grid(), 5), kSelectedChannelColour);
        ClickChannel(grid(), 3, Qt::ShiftModifier);
        QCOMPARE(m_beeps, 2); // below the start
        ClickChannel(grid(), 7, Qt::ControlModifier);
        QCOMPARE(m_beeps, 3);
        ClickChannel(grid(), 20, Qt::ShiftModifier);
        for (int c : {5, 12, 20})
            QCOMPARE(ChannelBackground(grid(), c), kSelectedChannelColour);
        QCOMPARE(ChannelBackground(grid(), 21), kChannelRowColour);
        QCOMPARE(ChannelBackground(grid(), 4), kChannelRowColour);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(LevelCell(grid(), 30)).center());
        QCOMPARE(ChannelBackground(grid(), 5), kSelectedChannelColour); // level cells do not select

        WhenModal<TfmInputLevel2>([](TfmInputLevel2* dialog) {
            TypeInto(dialog->findChild<QLineEdit*>(QStringLiteral("Edit1")), QStringLiteral("75"));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnApply")), Qt::LeftButton);
        });
        RightClickGrid(grid(), 60);
        for (int c = 5; c <= 20; ++c) {
            QCOMPARE(LevelShown(grid(), c), QStringLiteral("75"));
            QCOMPARE(LevelColour(grid(), c), kBlack);
        }
        QCOMPARE(LevelShown(grid(), 21), QString());
        QCOMPARE(ChannelBackground(grid(), 5), kChannelRowColour); // the selection is cleared

        ClickChannel(grid(), 3);
        WhenModal<TfmInputLevel2>([](TfmInputLevel2* dialog) {
            QTest::mouseClick(dialog->findChild<QRadioButton*>(QStringLiteral("rbNull")), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnApply")), Qt::LeftButton);
        });
        RightClickGrid(grid(), 3);
        QCOMPARE(LevelShown(grid(), 3), QStringLiteral("40")); // withdrawn: tracks cue 1 again
        QCOMPARE(LevelColour(grid(), 3), kRed);

        ClickChannel(grid(), 9);
        ClickChannel(grid(), 9);
        QCOMPARE(ChannelBackground(grid(), 9), kChannelRowColour); // the start again clears
        QCOMPARE(m_beeps, 3);
    }

    void copyOneToTenPasteAt505()
    {
        std::vector<std::pair<int, int>> levels;
        for (int c = 1; c <= 10; ++c)
            levels.emplace_back(c, c * 10);
        open({{10, kCuePreset, levels}});
        QVERIFY(!child<QAction>("mnuPaste")->isEnabled());
        grid()->setFocus();
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(m_beeps, 1); // nothing selected
        ClickChannel(grid(), 1);
        ClickChannel(grid(), 10, Qt::ShiftModifier);
        key(Qt::Key_C, Qt::ControlModifier);
        QVERIFY(child<QAction>("mnuPaste")->isEnabled());
        ClickChannel(grid(), 505);
        key(Qt::Key_V, Qt::ControlModifier);
        for (int c = 505; c <= 512; ++c)
            QCOMPARE(LevelShown(grid(), c), QString::number((c - 504) * 10));
        QCOMPARE(LevelShown(grid(), 504), QString());
        for (int c = 1; c <= 10; ++c)
            QCOMPARE(LevelShown(grid(), c), QString::number(c * 10));
        QCOMPARE(m_beeps, 1);
        QVERIFY(m_editor->session().pending());
    }

    // ---- Leaving a cue

    void noLeavesEveryCueAsBefore()
    {
        openTracking();
        const TCueList before = show();
        click("RightButton");
        TypeLevel(grid(), 3, QStringLiteral("90"));
        TypeLevel(grid(), 100, QStringLiteral("15"));
        emit child<QComboBox>("TypeCombo")->activated(kCueAutostartPreset);
        TypeInto(edit("NameEdit"), QStringLiteral("changed"));
        grid()->setFocus();
        m_ui->answer(Answer::No);
        click("LeftButton");
        QCOMPARE(m_ui->messages(), Strings{"Do want to keep your changes?"});
        QVERIFY(show() == before);
        QVERIFY(m_editor->session().working().cue(2) == before.cue(2));
        QVERIFY(m_editor->session().working().cue(3) == before.cue(3));
        QCOMPARE(m_state->globals.showChanged, std::uint8_t(0));
        click("RightButton");
        QCOMPARE(LevelShown(grid(), 3), QStringLiteral("40"));
        QCOMPARE(LevelColour(grid(), 3), kRed);
        QCOMPARE(edit("NameEdit")->text(), QString());
    }

    void pickingFromTheList()
    {
        openTracking();
        auto* list = child<QListWidget>("ListBox1");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QStringLiteral("1"));
        QCOMPARE(list->currentRow(), 0);
        auto pick = [list](int row) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        };
        pick(2);
        QCOMPARE(label(), QStringLiteral("Cue # 3"));
        TypeLevel(grid(), 8, QStringLiteral("33"));
        m_ui->answer(Answer::Cancel);
        pick(0);
        QCOMPARE(m_ui->messages(), Strings{"Do you want to keep the changes you have made?"});
        QCOMPARE(label(), QStringLiteral("Cue # 3"));
        QCOMPARE(list->currentRow(), 2); // the list shows the cue on display again
        m_ui->answer(Answer::Yes);
        pick(0);
        QCOMPARE(label(), QStringLiteral("Cue # 1"));
        QCOMPARE(percent(3, 8), 33);
    }

    // ---- Insert and delete

    void insertInTheMiddleShowsTheNewCue()
    {
        openTracking();
        insertThroughDialog(QStringLiteral("2.5"), kCueTrack);
        trigger("mnuInsert");
        QCOMPARE(label(), QStringLiteral("Cue # 2.5"));
        QCOMPARE(child<QListWidget>("ListBox1")->currentItem()->text(), QStringLiteral("2.5"));
        QCOMPARE(LevelShown(grid(), 3), QStringLiteral("40"));
        QCOMPARE(show().count, 4);
        TypeLevel(grid(), 9, QStringLiteral("15"));
        QCOMPARE(m_editor->session().working().cue(3).levels[8], PercentToLevel(15));
    }

    void duplicateAndFullListAreRefused()
    {
        openTracking();
        insertThroughDialog(QStringLiteral("2"), kCuePreset);
        trigger("mnuInsert");
        QCOMPARE(m_ui->messages(), Strings{"The cue you entered, 2, matches one already in the show."});
        QCOMPARE(show().count, 3);

        m_editor->hide();
        show().Clear();
        for (int k = 1; k <= kMaxCues; ++k)
            show().cue(k).number = static_cast<std::uint16_t>(k);
        show().count = kMaxCues;
        m_editor->show();
        QCoreApplication::processEvents();
        m_ui->clear();
        trigger("mnuInsert"); // no dialog opens
        QCOMPARE(m_ui->messages(), Strings{"Sorry.\n\nYou cannot insert any more Cues."});
    }

    void deletingTheLastCueLeavesNoCues()
    {
        open({{10, kCuePreset, {{1, 50}}}});
        m_ui->answerYes();
        trigger("mnuDelete");
        QCOMPARE(m_ui->messages(), Strings{"Are you sure you want to delete cue 1?"});
        QCOMPARE(label(), QStringLiteral("No Cues"));
        QVERIFY(!grid()->isEnabled());
        QVERIFY(!edit("NameEdit")->isEnabled());
        QVERIFY(!child<QComboBox>("TypeCombo")->isEnabled());
        QVERIFY(!child<QAction>("mnuDelete")->isEnabled());
        QCOMPARE(child<QListWidget>("ListBox1")->count(), 0);
        QCOMPARE(LevelShown(grid(), 1), QString());
        QCOMPARE(show().count, 0);
        QCOMPARE(m_state->globals.showChanged, std::uint8_t(1));
        click("btnClose");
        QVERIFY(!m_editor->isVisible());
        QCOMPARE(m_ui->messages().size(), std::size_t(1)); // closing asks nothing
    }

    void noCuesQuestion()
    {
        m_ui->answerNo();
        open({});
        QCOMPARE(m_ui->messages(), Strings{"There are no cues.\n\nDo you want to insert one?"});
        QCOMPARE(label(), QStringLiteral("No Cues"));
        QVERIFY(!grid()->isEnabled());

        // Yes, then Cancel in the dialog: asked again on the way back.
        m_editor->hide();
        m_ui->clear();
        m_ui->answerYes();
        WhenModal<TfmInsertQ>([](TfmInsertQ* dialog) { dialog->reject(); });
        m_ui->answerNo();
        m_editor->show();
        QCoreApplication::processEvents();
        QCOMPARE(m_ui->messages().size(), std::size_t(2));

        // Yes, then a number.
        m_editor->hide();
        m_ui->clear();
        m_ui->answerYes();
        insertThroughDialog(QStringLiteral("5"), kCueTrack);
        m_editor->show();
        QCoreApplication::processEvents();
        QCOMPARE(label(), QStringLiteral("Cue # 5"));
        QVERIFY(grid()->isEnabled());
        QCOMPARE(show().count, 1);
        QCOMPARE(show().cue(1).type, std::uint8_t(kCueTrack));
    }

    void closingAsksAboutPendingChanges()
    {
        openTracking();
        TypeLevel(grid(), 1, QStringLiteral("10"));
        m_ui->answer(Answer::Cancel);
        click("btnClose");
        QVERIFY(m_editor->isVisible());
        m_ui->answer(Answer::Yes);
        QTest::keyClick(m_editor.get(), Qt::Key_Escape);
        QVERIFY(!m_editor->isVisible());
        QCOMPARE(m_ui->messages(), (Strings{"Do you want to keep your changes?", "Do you want to keep your changes?"}));
        QCOMPARE(percent(1, 1), 10);

        // Reopened: the first cue, Cue Only Mode cleared.
        child<QCheckBox>("CueCheckBox")->setChecked(true);
        m_editor->show();
        QCoreApplication::processEvents();
        QVERIFY(!child<QCheckBox>("CueCheckBox")->isChecked());
        QVERIFY(!m_editor->session().cueOnlyMode());
    }

    void helpOpensTopicTen()
    {
        int topic = 0;
        m_editor->setHelp([&topic](int t) { topic = t; });
        openTracking();
        QTest::keyClick(grid(), Qt::Key_F1);
        QCOMPARE(topic, 10);
    }

    void clearCueEditDisplayEmptiesBoxesAndLevels()
    {
        openTracking();
        m_editor->hide();
        m_editor->clearCueEditDisplay();
        QCOMPARE(LevelShown(grid(), 3), QString());
        QCOMPARE(ChannelCell(grid(), 3).data().toString(), QStringLiteral("3")); // the channel numbers stay
        QCOMPARE(edit("TimeUpEdit")->text(), QString());
        QCOMPARE(child<QComboBox>("TypeCombo")->currentText(), QString());
        m_editor->show();
        QCoreApplication::processEvents();
        QCOMPARE(LevelShown(grid(), 3), QStringLiteral("40"));
    }
};

std::unique_ptr<QObject> MakeCueEdit2Test()
{
    return std::make_unique<TestCueEdit2>();
}

} // namespace lumora::test

#include "CueEdit2Test.moc"
