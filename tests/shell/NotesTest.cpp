// The Notes window, opened from the main window and answered through its real controls.

#include "shell/Notes.h"
#include "shell/ShellFixture.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace lumora;
using namespace lumora::test;
using Reply = IMessagePresenter::Reply;

namespace {

QPlainTextEdit* Memo(QWidget* notes)
{
    return notes->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
}

// Opens the notes through a control of the main window, lets act work on the window
// while it is up, and returns once it has closed.
void WithNotes(TShellHarness& h, const char* control, std::function<void(TfmNotes*)> act)
{
    OnNextModal([act = std::move(act)](QWidget* w) {
        auto* notes = qobject_cast<TfmNotes*>(w);
        QVERIFY(notes);
        act(notes);
    });
    if (QByteArray(control).startsWith("btn"))
        h.click(control);
    else
        h.trigger(control);
}

void ClickClose(TfmNotes* notes)
{
    QTest::mouseClick(notes->findChild<QPushButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
}

} // namespace

class TestNotes final : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        QCOMPARE(PendingModalHandlers(), 0);
        CancelModalHandlers();
    }

    void openingAndClosingWithoutTypingAsksNothing_data();
    void openingAndClosingWithoutTypingAsksNothing();
    void typingThenYesKeepsTheText();
    void typingThenNoDiscardsIt();
    void typingThenCancelStaysOpen();
    void escapeAndTheCloseBoxAskToo();
    void textBoxHoldsAtMost1024Bytes();
    void lineBreaksAreStoredAsCrLf();
    void windowIsTheDescribedOne();
};

void TestNotes::openingAndClosingWithoutTypingAsksNothing_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("changed");
    QTest::newRow("menu, show unchanged") << "mnuShowNotes" << 0;
    QTest::newRow("toolbar, show changed") << "tbShowNotes" << 1;
    QTest::newRow("button") << "btnShowNotes" << 0;
}

void TestNotes::openingAndClosingWithoutTypingAsksNothing()
{
    QFETCH(QString, control);
    QFETCH(int, changed);
    TShellHarness h;
    h.globals().notes = "Call: 7.30";
    h.globals().showChanged = static_cast<std::uint8_t>(changed);
    QString shown;
    WithNotes(h, qPrintable(control), [&](TfmNotes* notes) {
        shown = Memo(notes)->toPlainText();
        ClickClose(notes);
    });
    QCOMPARE(shown, QStringLiteral("Call: 7.30"));
    QVERIFY(h.messages.boxes.empty());
    QCOMPARE(h.globals().showChanged, changed);
    QVERIFY(!h.main->notesWindow().isVisible());
}

void TestNotes::typingThenYesKeepsTheText()
{
    TShellHarness h;
    h.globals().notes = "old";
    h.messages.answerYes();
    WithNotes(h, "mnuShowNotes", [&](TfmNotes* notes) {
        QTest::keyClicks(Memo(notes), " and new");
        QVERIFY(notes->changed());
        ClickClose(notes);
    });
    QCOMPARE(h.messages.texts(), QStringList{QStringLiteral("Do you want to keep the changes you have made?")});
    QCOMPARE(h.messages.boxes[0].icon, IUserInterface::Icon::Confirmation);
    QCOMPARE(h.messages.boxes[0].buttons, IMessagePresenter::Buttons::YesNoCancel);
    QCOMPARE(h.globals().notes, std::string("old and new"));
    QCOMPARE(h.globals().showChanged, 1);
}

void TestNotes::typingThenNoDiscardsIt()
{
    TShellHarness h;
    h.globals().notes = "old";
    h.messages.answerNo();
    WithNotes(h, "mnuShowNotes", [&](TfmNotes* notes) {
        QTest::keyClicks(Memo(notes), "xyz");
        ClickClose(notes);
    });
    QCOMPARE(h.globals().notes, std::string("old"));
    QCOMPARE(h.globals().showChanged, 0);

    QString reopened;
    WithNotes(h, "mnuShowNotes", [&](TfmNotes* notes) {
        reopened = Memo(notes)->toPlainText();
        QVERIFY(!notes->changed());
        ClickClose(notes);
    });
    QCOMPARE(reopened, QStringLiteral("old"));
    QCOMPARE(h.messages.boxes.size(), std::size_t{1});
}

void TestNotes::typingThenCancelStaysOpen()
{
    TShellHarness h;
    h.messages.answerCancel();
    h.messages.answerYes();
    bool stillOpen = false;
    QString text;
    WithNotes(h, "btnShowNotes", [&](TfmNotes* notes) {
        QTest::keyClicks(Memo(notes), "typed");
        ClickClose(notes); // Cancel
        stillOpen = notes->isVisible();
        text = Memo(notes)->toPlainText();
        ClickClose(notes); // Yes
    });
    QVERIFY(stillOpen);
    QCOMPARE(text, QStringLiteral("typed"));
    QCOMPARE(h.messages.boxes.size(), std::size_t{2});
    QCOMPARE(h.globals().notes, std::string("typed"));
}

void TestNotes::escapeAndTheCloseBoxAskToo()
{
    TShellHarness h;
    h.messages.answerCancel();
    h.messages.answerNo();
    bool openAfterEscape = false;
    WithNotes(h, "mnuShowNotes", [&](TfmNotes* notes) {
        QTest::keyClicks(Memo(notes), "abc");
        QTest::keyClick(notes, Qt::Key_Escape);
        openAfterEscape = notes->isVisible();
        notes->close(); // the title bar's close box
    });
    QVERIFY(openAfterEscape);
    QCOMPARE(h.messages.boxes.size(), std::size_t{2});
    QVERIFY(h.globals().notes.empty());
}

void TestNotes::textBoxHoldsAtMost1024Bytes()
{
    TShellHarness h;
    h.messages.answerYes();
    qsizetype length = 0;
    WithNotes(h, "mnuShowNotes", [&](TfmNotes* notes) {
        QPlainTextEdit* memo = Memo(notes);
        memo->insertPlainText(QString(1000, u'a'));
        memo->insertPlainText(QStringLiteral("\n")); // two bytes
        memo->insertPlainText(QString(100, u'b'));   // only 22 of them fit
        length = NotesLength(memo->toPlainText());
        QTest::keyClicks(memo, "c"); // full: typing does nothing
        ClickClose(notes);
    });
    QCOMPARE(length, qsizetype(1024));
    QCOMPARE(h.globals().notes.size(), std::size_t{1024});
    QCOMPARE(h.globals().notes.substr(1000, 4), std::string("\r\nbb"));
    QCOMPARE(h.globals().notes.back(), 'b');
}

void TestNotes::lineBreaksAreStoredAsCrLf()
{
    QCOMPARE(NotesToText("one\r\ntwo"), QStringLiteral("one\ntwo"));
    QCOMPARE(TextToNotes(QStringLiteral("one\ntwo")), std::string("one\r\ntwo"));
    QCOMPARE(NotesLength(QStringLiteral("one\ntwo")), qsizetype(8));
    // every byte of an old notes block comes back unchanged
    std::string all;
    for (int c = 1; c < 256; ++c)
        if (c != '\r' && c != '\n')
            all.push_back(static_cast<char>(c));
    QCOMPARE(TextToNotes(NotesToText(all)), all);
}

void TestNotes::windowIsTheDescribedOne()
{
    TShellHarness h;
    TfmNotes& notes = h.main->notesWindow();
    QCOMPARE(notes.windowTitle(), QStringLiteral("Notes"));
    QCOMPARE(notes.size(), QSize(405, 285));
    QVERIFY(Memo(&notes));
    QCOMPARE(notes.findChild<QPushButton*>(QStringLiteral("btnClose"))->text(), QStringLiteral("Close"));
}

int RunNotesTests(int argc, char** argv)
{
    TestNotes test;
    return QTest::qExec(&test, argc, argv);
}

#include "NotesTest.moc"
