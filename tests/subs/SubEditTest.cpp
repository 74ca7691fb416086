// The submaster editor through its widgets: the level grid, the boxes, the page and sub
// entries, the arrows, the menu commands and their questions.

#include "SubWindowsSupport.h"

#include "cues/CueDialogs.h"
#include "cues/InputLev2.h"
#include "shell/WindowRegistry.h"
#include "show/ValueHelpers.h"
#include "subs/SubEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

namespace lumora::test {

namespace {

using Answer = IUserInterface::Answer;
using Strings = std::vector<std::string>;

} // namespace

class TestSubEdit final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TCueDialogs> m_dialogs;
    std::unique_ptr<TfmSubEdit> m_editor;
    int m_beeps = 0;
    int m_unexpectedBefore = 0;

    TSub& sub(int page, int number) { return m_state->show().sub(page, number); }
    TGrid* grid() const { return Child<TGrid>(m_editor.get(), "tsGrid1"); }
    QLineEdit* edit(const char* name) const { return Child<QLineEdit>(m_editor.get(), name); }
    QComboBox* typeCombo() const { return Child<QComboBox>(m_editor.get(), "TypeCombo"); }
    QString label() const { return Child<QLabel>(m_editor.get(), "SubLabel")->text(); }
    bool enabled(const char* button) const { return Child<QPushButton>(m_editor.get(), button)->isEnabled(); }
    void click(const char* button) const { Click(m_editor.get(), button); }
    void trigger(const char* action) const { Child<QAction>(m_editor.get(), action)->trigger(); }

    QModelIndex levelCell(int channel) const
    {
        return grid()->gridModel().index(SubGridLevelRow(channel), SubGridColumn(channel));
    }
    QString levelShown(int channel) const { return levelCell(channel).data().toString(); }
    void typeLevel(int channel, const QString& text) const
    {
        TypeIntoCell(grid(), SubGridLevelRow(channel), SubGridColumn(channel), text);
    }
    void clickChannel(int channel, Qt::KeyboardModifiers modifiers = {}) const
    {
        ClickCell(grid(), SubGridLevelRow(channel) - 1, SubGridColumn(channel), modifiers);
    }
    void makeSub(int page, int number) { sub(page, number).SubType = kSubNormal; }

    void open()
    {
        m_editor->show();
        QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
    }
    // Types into a box and moves the focus on with Tab, as a user leaves it.
    void typeAndLeave(QLineEdit* box, const QString& text)
    {
        m_editor->activateWindow();
        TypeInto(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_dialogs = std::make_unique<TCueDialogs>(*m_ui);
        m_editor = std::make_unique<TfmSubEdit>(*m_state, *m_dialogs);
        m_beeps = 0;
        m_editor->setBeep([this] { ++m_beeps; });
        m_unexpectedBefore = UnexpectedQuestions();
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

    // ---- Opening and moving

    void opensOnPageOneAndTheArrowsSkipEmptySubs()
    {
        makeSub(3, 5);
        makeSub(7, 1);
        open();
        QCOMPARE(m_editor->windowTitle(), QStringLiteral("Submaster Editor"));
        QCOMPARE(label(), QStringLiteral("Page 1, Sub 1"));
        QCOMPARE(typeCombo()->currentIndex(), -1);
        QCOMPARE(typeCombo()->placeholderText(), QStringLiteral("None"));
        QVERIFY(!enabled("LeftButton"));
        QVERIFY(enabled("RightButton"));

        click("RightButton");
        QCOMPARE(label(), QStringLiteral("Page 3, Sub 5"));
        QCOMPARE(edit("PageEdit")->text(), QStringLiteral("3"));
        QCOMPARE(edit("SubEdit")->text(), QStringLiteral("5"));
        QCOMPARE(typeCombo()->currentText(), QStringLiteral("Normal"));
        QVERIFY(!enabled("LeftButton"));
        click("RightButton");
        QCOMPARE(label(), QStringLiteral("Page 7, Sub 1"));
        QVERIFY(!enabled("RightButton"));
        QVERIFY(enabled("LeftButton"));
        QVERIFY(m_ui->messages().empty());
    }

    void typedNameMakesAnEmptySubNormal()
    {
        makeSub(2, 1);
        open();
        m_editor->activateWindow();
        TypeInto(edit("NameEdit"), QStringLiteral("Front"));
        QCOMPARE(typeCombo()->currentText(), QStringLiteral("Normal"));
        m_ui->answer(Answer::Yes);
        click("RightButton");
        QCOMPARE(m_ui->messages(), Strings{kMsgSubKeepChanges});
        QCOMPARE(label(), QStringLiteral("Page 2, Sub 1"));
        QCOMPARE(sub(1, 1).SubType, kSubNormal);
        QCOMPARE(sub(1, 1).Name.str(), std::string("Front           "));
        QCOMPARE(m_state->globals.showChanged, std::uint8_t{1});
    }

    // ---- Levels

    void typedLevelsConvertAndUntouchedOnesStayByteForByte()
    {
        makeSub(1, 1);
        TSub& s = sub(1, 1);
        for (int c = 0; c < 512; ++c)
            s.Levels[c] = static_cast<std::uint8_t>((c * 37 + 11) % 256);
        s.Levels[0] = 2;
        s.Levels[1] = 127;
        const auto before = s.Levels;
        open();
        QCOMPARE(levelShown(1), QStringLiteral("1")); // level 2 shows as the table says
        QCOMPARE(levelShown(2), QStringLiteral("50"));
        typeLevel(3, QStringLiteral("50"));
        typeLevel(4, QStringLiteral("100"));
        typeLevel(5, QString());
        QCOMPARE(levelShown(3), QStringLiteral("50"));
        m_ui->answer(Answer::Yes);
        click("btnClose");
        QVERIFY(!m_editor->isVisible());
        QCOMPARE(m_editor->result(), int(QDialog::Accepted));
        auto expected = before;
        expected[2] = 128;
        expected[3] = 255;
        expected[4] = 0;
        QVERIFY(s.Levels == expected);
    }

    void setChannelLevelsThroughTheSharedDialog()
    {
        open();
        clickChannel(10);
        clickChannel(12, Qt::ShiftModifier);
        WhenModal<TfmInputLevel2>([](TfmInputLevel2* dialog) {
            dialog->findChild<QRadioButton*>(QStringLiteral("rbLevel"))->setChecked(true);
            TypeInto(dialog->findChild<QLineEdit*>(QStringLiteral("Edit1")), QStringLiteral("70"));
            QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("Edit1")), Qt::Key_Return);
        });
        ClickCell(grid(), SubGridLevelRow(11), SubGridColumn(11), {}, Qt::RightButton);
        QTRY_COMPARE(levelShown(12), QStringLiteral("70"));
        QCOMPARE(levelShown(10), QStringLiteral("70"));
        QCOMPARE(levelShown(13), QString());
        QCOMPARE(typeCombo()->currentText(), QStringLiteral("Normal"));
        QVERIFY(!m_editor->session().hasSelection());
        ClickCell(grid(), SubGridLevelRow(11), SubGridColumn(11), {}, Qt::RightButton);
        QCOMPARE(m_beeps, 1); // nothing selected
    }

    void pasteBeforeAnyCopyMarksTheSubChanged()
    {
        open();
        trigger("mnuPaste");
        QCOMPARE(m_beeps, 1); // no selection
        clickChannel(5);
        trigger("mnuPaste");
        QCOMPARE(m_beeps, 1);
        QCOMPARE(levelShown(5), QString());
        QCOMPARE(typeCombo()->currentText(), QStringLiteral("Normal"));
        QVERIFY(m_editor->session().modified());
        m_ui->answer(Answer::No);
        click("btnClose");
        QCOMPARE(sub(1, 1).SubType, kSubNone);
    }

    void pasteAt510FillsToTheLastChannelAndTheBufferOutlivesTheWindow()
    {
        open();
        for (int c = 1; c <= 5; ++c)
            typeLevel(c, QString::number(c * 10));
        clickChannel(1);
        clickChannel(5, Qt::ShiftModifier);
        trigger("mnuCopy");
        m_ui->answer(Answer::No);
        click("btnClose");
        QVERIFY(!m_editor->isVisible());

        open();
        QCOMPARE(levelShown(1), QString());
        clickChannel(510);
        trigger("mnuPaste");
        QCOMPARE(levelShown(509), QString());
        QCOMPARE(levelShown(510), QStringLiteral("10"));
        QCOMPARE(levelShown(511), QStringLiteral("20"));
        QCOMPARE(levelShown(512), QStringLiteral("30"));
        QCOMPARE(m_beeps, 0);
    }

    // ---- Boxes

    void timeEntriesAreCheckedOnLeaving_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("two decimals") << QStringLiteral("12.35") << false;
        QTest::newRow("too large") << QStringLiteral("1000") << false;
        QTest::newRow("one decimal") << QStringLiteral("12.3") << true;
    }
    void timeEntriesAreCheckedOnLeaving()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        open();
        typeAndLeave(edit("TimeUpEdit"), text);
        QCOMPARE(m_ui->messages(), accepted ? Strings{} : Strings{kMsgSubValidTime});
        if (!accepted) {
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit("TimeUpEdit")));
            TypeInto(edit("TimeUpEdit"), QStringLiteral("0"));
        }
        m_ui->answer(Answer::Yes);
        click("btnClose");
        QVERIFY(!m_editor->isVisible());
        QCOMPARE(sub(1, 1).TimeUp, std::uint16_t(accepted ? 123 : 0));
    }

    void refusedPageOrSubEntryRestoresBothEntries_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("sub");
        QTest::newRow("page 13") << QStringLiteral("13") << QStringLiteral("1");
        QTest::newRow("sub 25") << QStringLiteral("2") << QStringLiteral("25");
        QTest::newRow("a letter") << QStringLiteral("x") << QStringLiteral("3");
    }
    void refusedPageOrSubEntryRestoresBothEntries()
    {
        QFETCH(QString, page);
        QFETCH(QString, sub);
        open();
        TypeInto(edit("PageEdit"), page);
        TypeInto(edit("SubEdit"), sub);
        QTest::keyClick(edit("SubEdit"), Qt::Key_Return);
        QCOMPARE(m_ui->messages(), Strings{kMsgSubInvalidEntry});
        QCOMPARE(edit("PageEdit")->text(), QStringLiteral("1"));
        QCOMPARE(edit("SubEdit")->text(), QStringLiteral("1"));
        QCOMPARE(label(), QStringLiteral("Page 1, Sub 1"));
    }

    void pageAndSubEntryMovesToAnEmptySubToo()
    {
        open();
        TypeInto(edit("PageEdit"), QStringLiteral("4"));
        TypeInto(edit("SubEdit"), QStringLiteral("20"));
        QTest::keyClick(edit("SubEdit"), Qt::Key_Tab);
        QCOMPARE(label(), QStringLiteral("Page 4, Sub 20"));
        QVERIFY(m_ui->messages().empty());
    }

    // ---- Menu commands

    void deleteSubEmptiesTheSubAndLeavesTheShowChanged()
    {
        makeSub(1, 1);
        sub(1, 1).Levels.fill(200);
        open();
        m_ui->answer(Answer::Yes);
        trigger("mnuDelete");
        QCOMPARE(m_ui->messages(), Strings{kMsgSubClearQuestion});
        QVERIFY(sub(1, 1) == TSub{});
        QCOMPARE(levelShown(1), QString());
        QCOMPARE(typeCombo()->currentIndex(), -1);
        QCOMPARE(m_state->globals.showChanged, std::uint8_t{1}); // so quitting asks to save
        click("btnClose");                                       // nothing pending: no question
        QVERIFY(!m_editor->isVisible());
    }

    void submasterSetupMenuHandsOverToTheList()
    {
        open();
        typeLevel(1, QStringLiteral("40"));
        auto* menu = Child<QMenu>(m_editor.get(), "mnuSetup");
        m_ui->answer(Answer::Cancel);
        menu->popup(m_editor->mapToGlobal(QPoint(20, 20)));
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        QTRY_COMPARE(m_ui->messages(), Strings{kMsgSubKeepChanges});
        QVERIFY(m_editor->isVisible()); // Cancel stays

        m_ui->answer(Answer::No);
        menu->popup(m_editor->mapToGlobal(QPoint(20, 20)));
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        QTRY_VERIFY(!m_editor->isVisible());
        QCOMPARE(m_editor->result(), kNavSubList);
    }

    void printAndHelpReachTheMainWindow()
    {
        int printed = 0;
        int topic = 0;
        m_editor->setPrint([&](int page, int sub) { printed = page * 100 + sub; });
        m_editor->setHelp([&](int t) { topic = t; });
        sub(2, 7).SubType = kSubSolo;
        open();
        click("RightButton");
        trigger("mnuPrint");
        QCOMPARE(printed, 207);
        trigger("mnuHelp");
        QCOMPARE(topic, 150);
    }

    // LUMORA_SCREENSHOT_DIR keeps a picture of the window, to look at.
    void screenshotForALook()
    {
        const QByteArray dir = qgetenv("LUMORA_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("LUMORA_SCREENSHOT_DIR not set");
        makeSub(1, 1);
        sub(1, 1).Name = "Front wash";
        sub(1, 1).TimeUp = 25;
        sub(1, 1).TimeDown = 120;
        for (int c = 0; c < 512; c += 3)
            sub(1, 1).Levels[c] = static_cast<std::uint8_t>((c * 11) % 256);
        makeSub(1, 2);
        open();
        clickChannel(20);
        clickChannel(24, Qt::ShiftModifier);
        QVERIFY(m_editor->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/SubEdit.png")));
    }

    void closeBoxGivesTheCancelResult()
    {
        open();
        m_editor->close();
        QVERIFY(!m_editor->isVisible());
        QCOMPARE(m_editor->result(), int(QDialog::Rejected));
    }
};

std::unique_ptr<QObject> MakeSubEditTest()
{
    return std::make_unique<TestSubEdit>();
}

} // namespace lumora::test

#include "SubEditTest.moc"
