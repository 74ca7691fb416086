// Program start: splash steps, every window made once and hidden, the status panel.

#include "shell/Notes.h"
#include "shell/ShellFixture.h"
#include "shell/splash3.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace lumora;
using namespace lumora::test;

class TestStartup final : public QObject {
    Q_OBJECT

private slots:
    void everyWindowIsMadeOnceAndHidden();
    void statusPanelSaysLoadingWhileWindowsAreMade();
};

void TestStartup::everyWindowIsMadeOnceAndHidden()
{
    int made = 0;
    TWindowRegistry windows;
    for (TScreen s : {TScreen::CueEditor, TScreen::QvPosition})
        windows.addScreen(s, [&made](TShellContext&, QWidget* parent) -> QDialog* {
            ++made;
            return new QDialog(parent);
        });
    windows.addReport(TReport::Macros, [&made](TShellContext&, QWidget* parent) -> QDialog* {
        ++made;
        return new QDialog(parent);
    });
    TShellHarness h(std::move(windows));
    QCOMPARE(made, 3);
    QCOMPARE(h.trace.windowsCreated, 6); // and the notes, the about box, the show options
    QCOMPARE(h.trace.splashSteps, 14);
    QCOMPARE(h.trace.splashBarAtEnd, 141);
    QVERIFY(!h.main->screen(TScreen::CueEditor)->isVisible());
    QVERIFY(!h.main->report(TReport::Macros)->isVisible());
    QVERIFY(!h.main->notesWindow().isVisible());
    QVERIFY(h.main->screen(TScreen::Track) == nullptr);
    QCOMPARE(made, 3); // asking again makes nothing new
    QVERIFY(h.action("mnuPrintMacros")->isEnabled());
    QVERIFY(!h.action("mnuPrintPatches")->isEnabled());

    // the splash is gone, the main window is up, the panel hidden
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<TfmSplash3*>(w));
    QVERIFY(h.main->isVisible());
    QVERIFY(!h.main->statusPanel()->isVisible());
}

void TestStartup::statusPanelSaysLoadingWhileWindowsAreMade()
{
    bool visible = false;
    QString text;
    TWindowRegistry windows;
    windows.addScreen(TScreen::Patch, [&](TShellContext& context, QWidget* parent) -> QDialog* {
        visible = context.main.statusPanel()->isVisible() && context.main.isVisible();
        text = context.main.statusPanel()->text();
        return new QDialog(parent);
    });
    TShellHarness h(std::move(windows));
    QVERIFY(visible);
    QCOMPARE(text, QStringLiteral("Loading Editor - Please Wait . . ."));
}

int RunStartupTests(int argc, char** argv)
{
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "StartupTest.moc"
