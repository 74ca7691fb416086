// The About box, the splash, the help window and the desktop side of the user interface.

#include "shell/HelpWindow.h"
#include "shell/PlatformQt.h"
#include "shell/QtUserInterface.h"
#include "shell/ShellFixture.h"
#include "shell/hlpabout.h"
#include "shell/splash3.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

using namespace lumora;
using namespace lumora::test;
using Icon = IUserInterface::Icon;
using Buttons = IMessagePresenter::Buttons;
using Reply = IMessagePresenter::Reply;

class TestSmallWindows final : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        QCOMPARE(PendingModalHandlers(), 0);
        CancelModalHandlers();
    }

    void aboutBoxIsTheDescribedOne();
    void splashStepsItsBar();
    void everyHelpTopicHasItsPage_data();
    void everyHelpTopicHasItsPage();
    void unknownHelpTopicSaysSo();
    void helpOverAModalWindowIsNotBlocked();
    void userInterfaceAsksWithTheRightIconAndButtons();
    void busyCursorNestsAndGivesWayToBoxes();
    void messageBoxesCarryTheProgramTitle_data();
    void messageBoxesCarryTheProgramTitle();
    void saveDialogAddsTheExtension();
};

void TestSmallWindows::aboutBoxIsTheDescribedOne()
{
    TfmAbout about;
    QCOMPARE(about.size(), QSize(298, 196));
    QVERIFY(about.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(about.lblVersion()->text(), QStringLiteral("V 0.1"));
    auto* name = about.findChild<QLabel*>(QStringLiteral("ProductName"));
    QCOMPARE(name->text(), QStringLiteral("Lumora Offline Editor"));
    QVERIFY(name->font().bold() && name->font().italic());
    QCOMPARE(name->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("TradeMark"))->text(), QStringLiteral("TM"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Copyright"))->text(), QStringLiteral("All Rights Reserved"));
    about.show();
    QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void TestSmallWindows::splashStepsItsBar()
{
    TfmSplash3 splash;
    QCOMPARE(splash.size(), QSize(298, 151));
    QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QProgressBar* bar = splash.bar();
    QCOMPARE(bar->objectName(), QStringLiteral("Bar"));
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 150);
    QCOMPARE(bar->value(), 1);
    splash.step();
    QCOMPARE(bar->value(), 11);
    for (int i = 0; i < 20; ++i)
        splash.step();
    QCOMPARE(bar->value(), 150);
    QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("Title"))->text(), QStringLiteral("Lumora   Offline Editor"));
    QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("Loading"))->text(), QStringLiteral("Loading ..."));
}

void TestSmallWindows::everyHelpTopicHasItsPage_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("title");
    const std::pair<int, const char*> topics[] = {
        {100, "Lumora Offline Editor"},
        {10, "Cue Editor"},
        {110, "Cue List"},
        {140, "Track"},
        {150, "Submaster Editor"},
        {160, "Submaster List"},
        {170, "Patch"},
        {180, "Profile"},
        {190, "Effects"},
        {200, "Macro Editor"},
        {210, "QV Type"},
        {220, "QV Device"},
        {230, "QV Action"},
        {240, "QV Position"},
    };
    for (const auto& [topic, title] : topics)
        QTest::newRow(title) << topic << QString::fromLatin1(title);
}

void TestSmallWindows::everyHelpTopicHasItsPage()
{
    QFETCH(int, topic);
    QFETCH(QString, title);
    QVERIFY(!HelpPagePath(topic).isEmpty());
    THelpPages help;
    help.showTopic(topic);
    QVERIFY(help.window()->isVisible());
    QCOMPARE(help.window()->topic(), topic);
    QCOMPARE(help.window()->browser()->documentTitle(), title);
    QVERIFY(help.window()->browser()->toPlainText().size() > title.size() + 20);
}

void TestSmallWindows::unknownHelpTopicSaysSo()
{
    THelpPages help;
    help.showTopic(999);
    QVERIFY(help.window()->browser()->toPlainText().contains(QStringLiteral("There is no help page")));
    // from there Contents leads home
    QTest::mouseClick(help.window()->findChild<QPushButton*>(QStringLiteral("btnContents")), Qt::LeftButton);
    QCOMPARE(help.window()->browser()->documentTitle(), QStringLiteral("Lumora Offline Editor"));
}

void TestSmallWindows::helpOverAModalWindowIsNotBlocked()
{
    THelpPages help;
    help.showTopic(100);
    QCOMPARE(help.window()->windowModality(), Qt::NonModal);
    QDialog screen;
    Qt::WindowModality modality = Qt::NonModal;
    OnNextModal([&](QWidget*) {
        help.showTopic(150);
        modality = help.window()->windowModality();
        help.window()->close();
        screen.accept();
    });
    screen.exec();
    QCOMPARE(modality, Qt::ApplicationModal);
}

void TestSmallWindows::userInterfaceAsksWithTheRightIconAndButtons()
{
    TScriptedPresenter presenter;
    TQtUserInterface ui(presenter);
    ui.error("e");
    ui.warning("w");
    ui.information("i");
    presenter.answerYes();
    QVERIFY(ui.askYesNo("yn", Icon::Confirmation));
    presenter.answerNo();
    QVERIFY(!ui.askYesNo("yn2", Icon::Warning));
    presenter.answerCancel();
    QCOMPARE(ui.askYesNoCancel("ync", Icon::Warning), IUserInterface::Answer::Cancel);
    presenter.answerNo();
    QCOMPARE(ui.askYesNoCancel("ync2", Icon::Confirmation), IUserInterface::Answer::No);

    const std::vector<std::pair<Icon, Buttons>> expected = {
        {Icon::Error, Buttons::Ok},
        {Icon::Warning, Buttons::Ok},
        {Icon::Information, Buttons::Ok},
        {Icon::Confirmation, Buttons::YesNo},
        {Icon::Warning, Buttons::YesNo},
        {Icon::Warning, Buttons::YesNoCancel},
        {Icon::Confirmation, Buttons::YesNoCancel},
    };
    QCOMPARE(presenter.boxes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QCOMPARE(presenter.boxes[i].icon, expected[i].first);
        QCOMPARE(presenter.boxes[i].buttons, expected[i].second);
    }
    QCOMPARE(presenter.texts(), (QStringList{"e", "w", "i", "yn", "yn2", "ync", "ync2"}));
}

void TestSmallWindows::busyCursorNestsAndGivesWayToBoxes()
{
    TScriptedPresenter presenter;
    TQtUserInterface ui(presenter);
    QVERIFY(!QApplication::overrideCursor());
    {
        TBusyCursor outer(ui);
        TBusyCursor inner(ui);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        Qt::CursorShape duringBox = Qt::WaitCursor;
        struct TPeek final : IMessagePresenter {
            Qt::CursorShape* seen;
            Reply present(Icon, const QString&, Buttons) override
            {
                *seen = QApplication::overrideCursor()->shape();
                return Reply::Ok;
            }
        } peek;
        peek.seen = &duringBox;
        TQtUserInterface peeking(peek);
        peeking.setBusy(true);
        peeking.error("x");
        peeking.setBusy(false);
        QCOMPARE(duringBox, Qt::ArrowCursor);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QVERIFY(!QApplication::overrideCursor());
}

void TestSmallWindows::messageBoxesCarryTheProgramTitle_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("click");
    QTest::addColumn<int>("reply");
    QTest::addColumn<int>("boxIcon");
    QTest::newRow("error OK") << int(Icon::Error) << int(Buttons::Ok) << int(QMessageBox::Ok) << int(Reply::Ok)
                              << int(QMessageBox::Critical);
    QTest::newRow("warning yes") << int(Icon::Warning) << int(Buttons::YesNo) << int(QMessageBox::Yes)
                                 << int(Reply::Yes) << int(QMessageBox::Warning);
    QTest::newRow("confirmation no") << int(Icon::Confirmation) << int(Buttons::YesNo) << int(QMessageBox::No)
                                     << int(Reply::No) << int(QMessageBox::Question);
    QTest::newRow("cancel") << int(Icon::Warning) << int(Buttons::YesNoCancel) << int(QMessageBox::Cancel)
                            << int(Reply::Cancel) << int(QMessageBox::Warning);
    QTest::newRow("information") << int(Icon::Information) << int(Buttons::Ok) << int(QMessageBox::Ok) << int(Reply::Ok)
                                 << int(QMessageBox::Information);
}

void TestSmallWindows::messageBoxesCarryTheProgramTitle()
{
    QFETCH(int, icon);
    QFETCH(int, buttons);
    QFETCH(int, click);
    QFETCH(int, reply);
    QFETCH(int, boxIcon);
    TMessageBoxPresenter presenter;
    QString title, text;
    int shownIcon = -1;
    OnNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        shownIcon = box->icon();
        QTest::mouseClick(box->button(static_cast<QMessageBox::StandardButton>(click)), Qt::LeftButton);
    });
    const Reply got =
        presenter.present(static_cast<Icon>(icon), QStringLiteral("Line one\nLine two"), static_cast<Buttons>(buttons));
    QCOMPARE(int(got), reply);
    QCOMPARE(title, QStringLiteral("Lumora Offline Editor"));
    QCOMPARE(text, QStringLiteral("Line one\nLine two"));
    QCOMPARE(shownIcon, boxIcon);
}

void TestSmallWindows::saveDialogAddsTheExtension()
{
    QTemporaryDir dir;
    TQtShellDialogs dialogs;
    QString filter;
    OnNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        QVERIFY(dialog);
        filter = dialog->nameFilters().join(u';');
        dialog->selectFile(QStringLiteral("premiere"));
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides its override
    });
    const auto chosen = dialogs.saveShowFile(nullptr, dir.path());
    QVERIFY(chosen);
    QCOMPARE(*chosen, QDir(dir.path()).filePath(QStringLiteral("premiere.lmr")));
    QCOMPARE(filter, QStringLiteral("Lumora Offline Editor files (*.lmr)"));
}

int RunSmallWindowsTests(int argc, char** argv)
{
    TestSmallWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "SmallWindowsTest.moc"
