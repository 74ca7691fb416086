// The effect editor and the effect report dialog through their widgets: typing levels,
// the selection and Set Channel Levels, the name, type and time, Clear Effect, choosing
// another effect and closing. With LUMORA_SCREENSHOT_DIR set, the editor is also saved
// there as a PNG.

#include "effects/EffectWindow.h"
#include "effects/rptEffect.h"

#include "cues/CueDialogs.h"
#include "cues/InputLev2.h"
#include "print/Preview.h"
#include "show/ValueHelpers.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"
#include "widgets/Grid.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace lumora::test {

namespace {

// Runs answer on the modal dialog of type T that the next exec() opens.
template <class T> void WhenModal(std::function<void(T*)> answer)
{
    QTimer::singleShot(0, qApp, [answer] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY2(dialog, "the expected dialog did not open");
        if (dialog)
            answer(dialog);
    });
}

void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

} // namespace

class TestEffect final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TRecordingUi> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TCueDialogs> m_dialogs;
    std::unique_ptr<TfmEffect> m_window;
    int m_beeps = 0;
    int m_printed = 0;

    TEffect& effect(int n) { return m_state->show().effect(n); }
    TGrid* grid() const { return &m_window->grid(); }
    template <class T> T* child(const char* name) const
    {
        auto* c = m_window->findChild<T*>(QString::fromLatin1(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }

    // active: keys are typed (a window under a bare X server is shown, never activated).
    void open(bool active = true)
    {
        m_window->show();
        if (active)
            QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        else
            QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    QString cell(int step, int channel) const { return grid()->gridModel().index(step - 1, channel).data().toString(); }
    // Types into the cell of a step and channel and leaves it with Tab.
    void type(int step, int channel, const QString& keys)
    {
        const QModelIndex at = grid()->gridModel().index(step - 1, channel);
        grid()->scrollTo(at);
        grid()->setFocus();
        grid()->setCurrentIndex(at);
        QTest::keyClicks(grid(), keys.left(1));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY2(editor, "no cell editor opened");
        QTest::keyClicks(editor, keys.mid(1));
        QTest::keyClick(editor, Qt::Key_Tab);
    }
    void click(int step, int channel, Qt::KeyboardModifiers modifiers = {}, Qt::MouseButton button = Qt::LeftButton)
    {
        grid()->scrollTo(grid()->gridModel().index(step - 1, channel));
        QTest::mouseClick(grid()->cellViewport(channel), button, modifiers,
                          grid()->cellRect(step - 1, channel).center());
    }
    void chooseEffect(int n)
    {
        auto* list = child<QListWidget>("ListBox1");
        const QRect r = list->visualItemRect(list->item(n - 1));
        list->scrollToItem(list->item(n - 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(n - 1)).center());
        Q_UNUSED(r);
    }
    void closeWindow() { QTest::mouseClick(child<QPushButton>("btnClose"), Qt::LeftButton); }
    QAction* menuItem(const char* name) const { return child<QAction>(name); }

private slots:
    void init()
    {
        m_ui = std::make_unique<TRecordingUi>();
        m_state = std::make_unique<TEditorState>(*m_ui);
        m_dialogs = std::make_unique<TCueDialogs>(*m_ui);
        m_window = std::make_unique<TfmEffect>(*m_state, *m_dialogs);
        m_beeps = 0;
        m_printed = 0;
        m_window->setBeep([this] { ++m_beeps; });
        m_window->setPrint([this](int n) { m_printed = n; });
    }
    void cleanup()
    {
        QVERIFY2(m_ui->allAnswered(), "a scripted answer was not used");
        m_window.reset();
        m_dialogs.reset();
    }

    void opensOnEffectOneWithItsMarks()
    {
        effect(3).StepCount = 1;
        effect(3).Entries[0] = {5, 255, 1};
        open();
        QAbstractItemModelTester tester(&grid()->gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(child<QLabel>("EffectLabel")->text(), QStringLiteral("Effect #1"));
        QCOMPARE(child<QLineEdit>("NameEdit")->text(), QStringLiteral("Linear"));
        QCOMPARE(child<QLineEdit>("TimeEdit")->text(), QStringLiteral("0"));
        QCOMPARE(child<QComboBox>("TypeCombo")->currentText(), QString());
        auto* list = child<QListWidget>("ListBox1");
        QCOMPARE(list->count(), kEffects);
        QCOMPARE(list->item(2)->text(), QStringLiteral("3 <-"));
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(grid()->rows(), 100);
        QCOMPARE(grid()->columns(), 513);
        QCOMPARE(cell(100, 0), QStringLiteral("100"));
        chooseEffect(3);
        QCOMPARE(child<QLabel>("EffectLabel")->text(), QStringLiteral("Effect #3"));
        QCOMPARE(cell(1, 5), QStringLiteral("100"));
        QCOMPARE(child<QComboBox>("TypeCombo")->currentText(), QStringLiteral("Forward"));
        m_window->findChild<QAction*>(QStringLiteral("mnuPrint"))->trigger();
        QCOMPARE(m_printed, 3);
        int topic = 0;
        m_window->setHelp([&topic](int t) { topic = t; });
        m_window->findChild<QAction*>(QStringLiteral("mnuHelp"))->trigger();
        QCOMPARE(topic, 190);
    }

    void stepsThreeAndSevenStoreInOrder()
    {
        open();
        type(7, 2, QStringLiteral("50"));
        type(3, 9, QStringLiteral("100"));
        type(3, 4, QStringLiteral("0")); // a 0 is an entry
        m_ui->answerYes();
        closeWindow();
        QVERIFY(!m_window->isVisible());
        const TEffect& e = effect(1);
        QCOMPARE(int(e.StepCount), 7);
        QVERIFY(e.Entries[0] == (TEffectEntry{4, 0, 3}));
        QVERIFY(e.Entries[1] == (TEffectEntry{9, 255, 3}));
        QVERIFY(e.Entries[2] == (TEffectEntry{2, PercentToLevel(50), 7}));
        QVERIFY(e.Entries[3] == TEffectEntry{});
        QCOMPARE(int(m_state->globals.showChanged), 1);
        open();
        QCOMPARE(cell(3, 4), QStringLiteral("0"));
        QCOMPARE(child<QListWidget>("ListBox1")->item(0)->text(), QStringLiteral("1 <-"));
    }

    void fourHundredNinetySixCellsAndNoMore()
    {
        open();
        click(1, 1);
        QCOMPARE(m_beeps, 0);
        click(1, 496, Qt::ShiftModifier);
        QCOMPARE(grid()->gridModel().index(0, 300).data(Qt::BackgroundRole).value<QColor>(), kEffectSelectedColour);
        WhenModal<TfmInputLevel2>([](TfmInputLevel2* d) {
            d->findChild<QRadioButton*>(QStringLiteral("rbLevel"))->setChecked(true);
            TypeInto(d->findChild<QLineEdit*>(QStringLiteral("Edit1")), QStringLiteral("40"));
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnApply")), Qt::LeftButton);
        });
        click(1, 2, {}, Qt::RightButton);
        QCOMPARE(cell(1, 496), QStringLiteral("40"));
        QCOMPARE(cell(1, 497), QString());
        m_ui->answerYes();
        closeWindow();
        QVERIFY(!m_window->isVisible());
        QCOMPARE(int(effect(1).Entries[495].EntryChannel), 496);

        open();
        const TEffect before = effect(1);
        type(2, 1, QStringLiteral("5"));
        TypeInto(child<QLineEdit>("NameEdit"), QStringLiteral("Bigger"));
        m_ui->answerYes();
        closeWindow();
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_ui->messages().back(), std::string(kMsgEffectTooBig));
        QVERIFY(effect(1) == before);
        m_ui->answerNo();
        closeWindow();
    }

    void plainClickThenRightClickBeeps()
    {
        open();
        click(4, 4);
        click(4, 4, {}, Qt::RightButton);
        QCOMPARE(m_beeps, 1);
        click(2, 9, Qt::ShiftModifier); // before the first corner
        QCOMPARE(m_beeps, 2);
    }

    void anEmptyNameIsAskedAndAnEmptyTypeStoresForward()
    {
        open();
        TypeInto(child<QLineEdit>("NameEdit"), QString());
        type(1, 1, QStringLiteral("10"));
        WhenModal<QInputDialog>([](QInputDialog* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Effect Name"));
            QCOMPARE(d->labelText(), QStringLiteral("Please enter a name for this effect (1-16 char.)"));
            d->setTextValue(QStringLiteral("Typed in the box"));
            d->accept();
        });
        m_ui->answerYes();
        chooseEffect(2);
        QCOMPARE(effect(1).Name.str(), std::string("Typed in the box"));
        QCOMPARE(int(effect(1).EffectType), int(kEffectForward));
        QCOMPARE(child<QLabel>("EffectLabel")->text(), QStringLiteral("Effect #2"));
    }

    void clearThenYesEmptiesTheEffect()
    {
        effect(1).StepCount = 1;
        effect(1).EffectTime = 50;
        effect(1).Entries[0] = {1, 200, 1};
        open();
        m_ui->answerYes(); // Clear?
        menuItem("mnuClearEffect")->trigger();
        QCOMPARE(cell(1, 1), QString());
        QCOMPARE(child<QListWidget>("ListBox1")->item(0)->text(), QStringLiteral("1"));
        QCOMPARE(child<QLineEdit>("TimeEdit")->text(), QString());
        m_ui->answerYes(); // keep?
        chooseEffect(4);
        QVERIFY(effect(1).Name.empty());
        QCOMPARE(int(effect(1).StepCount), 0);
        QCOMPARE(int(effect(1).EffectTime), 0);
        QVERIFY(effect(1).Entries[0] == TEffectEntry{});
        QCOMPARE(child<QListWidget>("ListBox1")->item(0)->text(), QStringLiteral("1"));
    }

    void clearThenTypingStoresTheTypedLevels()
    {
        effect(1).StepCount = 1;
        effect(1).Entries[0] = {1, 200, 1};
        open();
        m_ui->answerYes();
        menuItem("mnuClearEffect")->trigger();
        type(2, 6, QStringLiteral("70"));
        QCOMPARE(cell(2, 6), QStringLiteral("70"));
        m_ui->answerYes();
        WhenModal<QInputDialog>([](QInputDialog* d) { d->reject(); }); // the name was cleared too
        closeWindow();
        QVERIFY(!m_window->isVisible());
        QVERIFY(effect(1).Entries[0] == (TEffectEntry{6, PercentToLevel(70), 2}));
        QVERIFY(effect(1).Entries[1] == TEffectEntry{});
        QCOMPARE(int(effect(1).StepCount), 2);
    }

    void aRetimeAloneAsksOnClose()
    {
        open();
        TypeInto(child<QLineEdit>("TimeEdit"), QStringLiteral("2.5"));
        m_ui->answer(IUserInterface::Answer::Cancel);
        closeWindow();
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_ui->messages(), std::vector<std::string>{kMsgSaveEffectChanges});
        m_ui->answerYes();
        closeWindow();
        QVERIFY(!m_window->isVisible());
        QCOMPARE(int(effect(1).EffectTime), 25);
    }

    void aBadTimeIsShownWhenTheEntryIsLeft()
    {
        open();
        auto* time = child<QLineEdit>("TimeEdit");
        TypeInto(time, QStringLiteral("12.34"));
        child<QLineEdit>("NameEdit")->setFocus(Qt::TabFocusReason);
        QCOMPARE(m_ui->messages(), std::vector<std::string>{kMsgEffectTime});
        QTRY_VERIFY(time->hasFocus());
        m_ui->answerNo();
        closeWindow();
    }

    void typeKeysAreIgnoredAndAChosenTypeIsStored()
    {
        open();
        auto* combo = child<QComboBox>("TypeCombo");
        combo->setFocus();
        QTest::keyClicks(combo, QStringLiteral("R"));
        QCOMPARE(combo->currentIndex(), -1);
        combo->setCurrentIndex(2);
        emit combo->activated(2);
        m_ui->answerYes();
        closeWindow();
        QCOMPARE(int(effect(1).EffectType), int(kEffectReverse));
    }

    void reportDialogModes()
    {
        TTempDir temp;
        TPosixReportFolder folder(temp.path().string());
        TrptEffect report(*m_state, nullptr, &folder);
        WhenModal<TrptEffect>([](TrptEffect* d) {
            QVERIFY(!d->findChild<QRadioButton*>(QStringLiteral("rbCurrent"))->isEnabled());
            QVERIFY(d->findChild<QRadioButton*>(QStringLiteral("rbAll"))->isChecked());
            d->reject();
        });
        report.exec();
        WhenModal<TrptEffect>([](TrptEffect* d) {
            QVERIFY(d->findChild<QRadioButton*>(QStringLiteral("rbCurrent"))->isChecked());
            d->reject();
        });
        report.openForCurrent(7);

        // Print writes the data file of the chosen effect and previews it.
        effect(7).StepCount = 1;
        effect(7).Entries[0] = {3, 255, 1};
        effect(8).StepCount = 1;
        effect(8).Entries[0] = {4, 255, 1};
        int previews = 0;
        SetReportPreviewHook([&previews](const TReportDocument& doc, const QString& title) {
            ++previews;
            QCOMPARE(title, QStringLiteral("Effects"));
            QCOMPARE(doc.pages.size(), 1);
        });
        WhenModal<TrptEffect>([](TrptEffect* d) {
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnPrint")), Qt::LeftButton);
            d->reject();
        });
        report.openForCurrent(7);
        SetReportPreviewHook(nullptr);
        QCOMPARE(previews, 1);
        QCOMPARE(ReadReportFile(temp.file("rptEffect.tmp")).value_or(""),
                 std::string("7,Linear,Forward,0,1,3,100\r\n"));
    }

    void screenshot()
    {
        const QByteArray dir = qgetenv("LUMORA_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("LUMORA_SCREENSHOT_DIR not set");
        effect(1).StepCount = 3;
        for (int i = 0; i < 30; ++i)
            effect(1).Entries[i] = {static_cast<std::uint16_t>(1 + i % 10), static_cast<std::uint8_t>(i * 8),
                                    static_cast<std::uint8_t>(1 + i / 10)};
        effect(1).EffectTime = 15;
        m_window->resize(1100, 700);
        open(false);
        click(2, 3);
        click(3, 6, Qt::ShiftModifier);
        QVERIFY(m_window->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/effect.png")));
        m_window->hide();
    }
};

} // namespace lumora::test

QTEST_MAIN(lumora::test::TestEffect)
#include "EffectWindowTest.moc"
