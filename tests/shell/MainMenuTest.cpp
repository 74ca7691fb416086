// The main window: its look, its menus, toolbar and buttons, the close query, New, the
// Reset commands, the view commands with their navigation loops, print and help.

#include "shell/ErrorHandler.h"
#include "shell/ShellFixture.h"
#include "shell/hlpabout.h"
#include "show/LumoraError.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <QDir>
#include <QFileInfo>

using namespace lumora;
using namespace lumora::test;
using Reply = IMessagePresenter::Reply;
using Icon = IUserInterface::Icon;

namespace {

// A show as the program starts it.
TShow Fresh()
{
    TShow show;
    show.ResetShow();
    return show;
}

const TScreen kAllScreens[] = {TScreen::CueEditor, TScreen::CueList, TScreen::Track,    TScreen::SubEditor,
                               TScreen::SubList,   TScreen::Patch,   TScreen::Profile,  TScreen::Effect,
                               TScreen::Macro,     TScreen::QvType,  TScreen::QvDevice, TScreen::QvAction,
                               TScreen::QvPosition};

TWindowRegistry AllFakeScreens(TScreenLog& log)
{
    TWindowRegistry windows;
    for (TScreen s : kAllScreens)
        windows.addScreen(
            s, [&log, s](TShellContext& c, QWidget* p) -> QDialog* { return new TFakeScreen(s, log, c.main, p); });
    return windows;
}

// Saves the show under name through Save As, so the title and file name are set.
void SaveAs(TShellHarness& h, const QString& name)
{
    h.dialogs.saveAnswers.push_back(h.path(name));
    h.trigger("mnuSaveAs");
}

} // namespace

class TestMainMenu final : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void startsAsAnEmptyUntitledShow();
    void windowHasTheDescribedLayout();
    void toolbarButtonsCarryIconsTipsAndHints_data();
    void toolbarButtonsCarryIconsTipsAndHints();
    void menusCarryTheirTextsAndShortcuts();
    void commandsOfMissingScreensAndReportsStayDisabled();

    void closeQueryFollowsTheAnswer_data();
    void closeQueryFollowsTheAnswer();
    void closingUnchangedShowAsksNothing();
    void closingUntitledShowAndCancellingSaveAsStaysOpen();
    void closingWhenTheSaveFailsStaysOpen();
    void exitRunsTheCloseQuery();

    void newWithoutChangesAsksOnlyTheQuestion();
    void newWithChangesWarnsAndResets();

    void resetAsksAndResetsOneKind_data();
    void resetAsksAndResetsOneKind();
    void resetAllKeepsTheTitleAndTheCloseQueryAsks();

    void eachViewCommandOpensItsScreen_data();
    void eachViewCommandOpensItsScreen();
    void submasterScreensHandOverToEachOther();
    void quorvelScreensFollowCodesExceptFromTheViewMenu();
    void navigationToAMissingScreenEndsTheChain();
    void trackShowsItsLoadingTextOnlyAfterAnOpen();

    void helpOpensTheContentsTopic();
    void aboutShowsTheVersion();
    void errorOfACommandIsShownAfterItsCleanUp();
    void errorHandlerNamesUnexpectedErrors();

    void titleShowsTheFileNamePart_data();
    void titleShowsTheFileNamePart();
};

void TestMainMenu::cleanup()
{
    QCOMPARE(PendingModalHandlers(), 0);
    CancelModalHandlers();
}

// ---- Look

void TestMainMenu::startsAsAnEmptyUntitledShow()
{
    TShellHarness h;
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - Untitled"));
    QCOMPARE(h.globals().showChanged, 0);
    QCOMPARE(h.globals().newShow, 1);
    QCOMPARE(h.globals().loadedFromFile, 0);
    QCOMPARE(h.globals().loadedFromDiskette, 0);
    QCOMPARE(h.globals().importing, 0);
    QCOMPARE(h.globals().driveLetter, 'A');
    QVERIFY(h.globals().notes.empty());
    QVERIFY(!h.globals().programFolder.empty() && h.globals().programFolder.back() == '/');
    QVERIFY(!h.main->statusPanel()->isVisible());
    QVERIFY(h.main->isVisible());
    // the shows folder is made when missing, and the dialogs start there
    QVERIFY(QFileInfo(h.showsFolder->location()).isDir());
    QCOMPARE(h.main->showsFolder(), h.showsFolder->location());
    QVERIFY(h.messages.boxes.empty());
}

void TestMainMenu::windowHasTheDescribedLayout()
{
    TShellHarness h;
    // client area below the menu bar
    QCOMPARE(h.main->width(), 632);
    QCOMPARE(h.main->height() - h.main->menuBar()->height(), 404);
    QCOMPARE(h.main->minimumSize(), h.main->maximumSize()); // no resize
    QVERIFY(!(h.main->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(h.main->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(h.main->centralWidget()->palette().color(QPalette::Window), QColor(192, 208, 224));
    QVERIFY(h.main->centralWidget()->autoFillBackground());

    auto* toolBar = h.main->findChild<QToolBar*>(QStringLiteral("ToolBar"));
    QVERIFY(toolBar);
    QCOMPARE(toolBar->height(), 38);
    // every button fits: none is pushed into the overflow menu
    for (QAction* a : toolBar->actions())
        if (!a->isSeparator())
            QVERIFY2(toolBar->widgetForAction(a) && toolBar->widgetForAction(a)->isVisible(),
                     qPrintable(a->objectName()));

    // the large buttons stand in three columns
    QMap<int, QStringList> columns;
    for (QPushButton* b : h.main->centralWidget()->findChildren<QPushButton*>())
        columns[b->x()] << b->text();
    QCOMPARE(columns.size(), 3);
    QCOMPARE(columns.first(), (QStringList{"Cue Editor", "Cue List", "Track", "Submaster Editor", "Submaster List"}));
    QCOMPARE(columns.values().at(1), (QStringList{"Patch", "Profile", "Effect", "Macro", "Show Notes"}));
    QCOMPARE(columns.last(), (QStringList{"QV Type", "QV Device", "QV Action", "QV Position"}));

    QLabel* panel = h.main->statusPanel();
    QCOMPARE(panel->objectName(), QStringLiteral("StatusPanel"));
    QVERIFY(panel->font().italic());
    QCOMPARE(panel->palette().color(QPalette::Window), QColor(0, 255, 255));
}

void TestMainMenu::toolbarButtonsCarryIconsTipsAndHints_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("hint");
    const char* rows[][3] = {
        {"tbNew", "New", "Create a new Show"},
        {"tbOpen", "Open", "Open a saved Show"},
        {"tbSave", "Save", "Save the current Show"},
        {"tbCueEditor", "Cue Editor", "Show Cue Editor Screen"},
        {"tbCueList", "Cue List", "Show Cue List Screen"},
        {"tbTrack", "Track", "Show Track Screen"},
        {"tbSubEditor", "Sub Editor", "Show Submaster Editor Screen"},
        {"tbSubList", "Sub List", "Show Submaster List Screen"},
        {"tbPatch", "Patch", "Show Patch Screen"},
        {"tbProfile", "Profile", "Show Profile Screen"},
        {"tbEffects", "Effects", "Show Effects Screen"},
        {"tbMacros", "Macros", "Show Macro Screen"},
        {"tbQvType", "QV Type", ""},
        {"tbQvDevice", "QV Device", ""},
        {"tbQvAction", "QV Action", ""},
        {"tbQvPosition", "QV Position", ""},
        {"tbShowNotes", "Show Notes", "Edit the Show Notes"},
        {"tbHelp", "Help", "System Help"},
    };
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1]) << QString::fromLatin1(r[2]);
}

void TestMainMenu::toolbarButtonsCarryIconsTipsAndHints()
{
    QFETCH(QString, name);
    QFETCH(QString, tip);
    QFETCH(QString, hint);
    TShellHarness h;
    auto* toolBar = h.main->findChild<QToolBar*>(QStringLiteral("ToolBar"));
    QStringList order;
    for (QAction* a : toolBar->actions())
        if (!a->isSeparator())
            order << a->objectName();
    QCOMPARE(order.size(), 18);
    QAction* a = h.action(qPrintable(name));
    QVERIFY(a);
    QVERIFY(order.contains(name));
    QCOMPARE(a->toolTip(), tip);
    QCOMPARE(a->statusTip(), hint);
    QVERIFY(!a->icon().isNull());
    QVERIFY(!a->icon().pixmap(24, 24).isNull());
    // the long hint reaches the status bar when the pointer enters the button
    QWidget* button = toolBar->widgetForAction(a);
    QCOMPARE(button->toolTip(), tip);
    if (!hint.isEmpty()) {
        button->setEnabled(true);
        QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), button->mapToGlobal(QPointF(4, 4)));
        QApplication::sendEvent(button, &enter);
        QCOMPARE(h.main->statusBar()->currentMessage(), hint);
    }
}

void TestMainMenu::menusCarryTheirTextsAndShortcuts()
{
    TShellHarness h;
    const struct {
        const char* name;
        const char* text;
        QKeySequence shortcut;
    } items[] = {
        {"mnuNew", "&New", QKeySequence(Qt::Key_F2)},
        {"mnuOpen", "&Open", QKeySequence(Qt::Key_F3)},
        {"mnuImport", "&Import...", {}},
        {"mnuSave", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuSaveAs", "S&ave As...", {}},
        {"mnuReadShowDisk", "&Read Show Disk", QKeySequence(Qt::CTRL | Qt::Key_R)},
        {"mnuWriteShowDisk", "&Write Show Disk", QKeySequence(Qt::CTRL | Qt::Key_W)},
        {"mnuExit", "E&xit", {}},
        {"mnuQvType", "QV Type ", {}},
        {"mnuQvDevice", "QV Device ", {}},
        {"mnuShowNotes", "S&how Notes", {}},
        {"mnuResetAll", "&All", {}},
        {"mnuPrinterSetup", "Printer Setup...", {}},
        {"mnuContents", "&Contents", {}},
        {"mnuAbout", "&About", {}},
    };
    for (const auto& item : items) {
        QAction* a = h.action(item.name);
        QVERIFY(a);
        QCOMPARE(a->text(), QString::fromLatin1(item.text));
        QCOMPARE(a->shortcut(), item.shortcut);
    }
    QStringList menus;
    for (QAction* a : h.main->menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, (QStringList{"&File", "&View", "&Reset", "&Print", "&Tools", "&Help"}));
    QCOMPARE(h.action("mnuResetProfiles")->statusTip(), QStringLiteral("Default Profiles"));
}

void TestMainMenu::commandsOfMissingScreensAndReportsStayDisabled()
{
    TScreenLog log;
    TShellHarness h(FakeScreens(log, {TScreen::Patch}));
    for (const char* name : {"mnuCueEditor", "tbCueEditor", "mnuTrack", "tbSubList", "mnuQvPosition", "tbQvAction"})
        QVERIFY2(!h.action(name)->isEnabled(), name);
    for (const char* name : {"btnCueEditor", "btnSubEditor", "btnQvPosition"})
        QVERIFY2(!h.button(name)->isEnabled(), name);
    QVERIFY(h.action("mnuPatch")->isEnabled());
    QVERIFY(h.action("tbPatch")->isEnabled());
    QVERIFY(h.button("btnPatch")->isEnabled());
    QVERIFY(h.action("mnuShowNotes")->isEnabled());
    QVERIFY(h.button("btnShowNotes")->isEnabled());

    // no report exists yet: every print entry but Printer Setup is disabled
    auto* print = h.main->findChild<QMenu*>(QStringLiteral("mnuPrint"));
    int entries = 0;
    for (QAction* a : print->findChildren<QAction*>()) {
        if (a->isSeparator() || a->menu() || !a->objectName().startsWith(QStringLiteral("mnuPrint")))
            continue;
        ++entries;
        QVERIFY2(a->isEnabled() == (a->objectName() == QStringLiteral("mnuPrinterSetup")), qPrintable(a->objectName()));
    }
    QCOMPARE(entries, 14);
    h.trigger("mnuPrinterSetup");
    QCOMPARE(h.dialogs.printerSetups, 1);
}

// ---- Close query

void TestMainMenu::closeQueryFollowsTheAnswer_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Cancel stays open") << int(Reply::Cancel) << false << false;
    QTest::newRow("No closes without writing") << int(Reply::No) << true << false;
    QTest::newRow("Yes saves, then closes") << int(Reply::Yes) << true << true;
}

void TestMainMenu::closeQueryFollowsTheAnswer()
{
    QFETCH(int, reply);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    TShellHarness h;
    SaveAs(h, QStringLiteral("gala.lmr"));
    QFile::remove(h.path(QStringLiteral("gala.lmr")));
    h.globals().showChanged = 1;

    h.messages.answer(static_cast<Reply>(reply));
    QCOMPARE(h.main->close(), closes);
    QCOMPARE(h.messages.texts(),
             QStringList{QStringLiteral("The project gala.lmr has changed! Do you want to save the changes?")});
    QCOMPARE(h.messages.boxes.back().icon, Icon::Warning);
    QCOMPARE(h.messages.boxes.back().buttons, IMessagePresenter::Buttons::YesNoCancel);
    QCOMPARE(QFileInfo::exists(h.path(QStringLiteral("gala.lmr"))), saved);
    QCOMPARE(h.dialogs.saveCalls, 1); // Save of a named show asks for no name
    if (!closes)
        QCOMPARE(h.globals().showChanged, 1);
}

void TestMainMenu::closingUnchangedShowAsksNothing()
{
    TShellHarness h;
    QVERIFY(h.main->close());
    QVERIFY(h.messages.boxes.empty());
}

void TestMainMenu::closingUntitledShowAndCancellingSaveAsStaysOpen()
{
    TShellHarness h;
    h.globals().showChanged = 1;
    h.messages.answerYes();
    h.dialogs.saveAnswers.push_back(std::nullopt);
    QVERIFY(!h.main->close()); // nothing was saved: the show must not be dropped
    QCOMPARE(h.messages.texts(), QStringList{QStringLiteral("Do you want to save this new show?")});
    QCOMPARE(h.dialogs.saveCalls, 1);
    QVERIFY(QDir(h.showsFolder->location()).isEmpty());
    QCOMPARE(h.globals().showChanged, 1);
    h.messages.answerNo();
    QVERIFY(h.main->close());
}

void TestMainMenu::closingWhenTheSaveFailsStaysOpen()
{
    TShellHarness h;
    h.globals().showChanged = 1;
    h.messages.answerYes();
    h.dialogs.saveAnswers.push_back(h.path(QStringLiteral("missing-folder/show.lmr")));
    QVERIFY(!h.main->close());
    QCOMPARE(h.messages.texts(), (QStringList{QStringLiteral("Do you want to save this new show?"),
                                              QStringLiteral("Error Writing to LMR File.")}));
    QCOMPARE(h.globals().showChanged, 1);
    // and the next try asks again
    h.messages.answerNo();
    QVERIFY(h.main->close());
}

void TestMainMenu::exitRunsTheCloseQuery()
{
    TShellHarness h;
    h.globals().showChanged = 1;
    h.messages.answerCancel();
    h.trigger("mnuExit");
    QVERIFY(h.main->isVisible());
    h.messages.answerNo();
    h.trigger("mnuExit");
    QVERIFY(!h.main->isVisible());
}

// ---- New

void TestMainMenu::newWithoutChangesAsksOnlyTheQuestion()
{
    TShellHarness h;
    h.globals().notes = "keep";
    h.globals().newShow = 0;
    h.state().show().ClearPatches();
    const TShow before = h.state().show();
    h.messages.answerNo();
    h.trigger("mnuNew");
    QCOMPARE(h.messages.texts(), QStringList{QStringLiteral("Are you sure you want to start a new project?")});
    QCOMPARE(h.messages.boxes.back().icon, Icon::Warning);
    QCOMPARE(h.messages.boxes.back().buttons, IMessagePresenter::Buttons::YesNo);
    QVERIFY(h.state().show() == before);
    QCOMPARE(h.globals().notes, std::string("keep"));
    QCOMPARE(h.globals().newShow, 0);
}

void TestMainMenu::newWithChangesWarnsAndResets()
{
    TShellHarness h;
    SaveAs(h, QStringLiteral("old.lmr"));
    h.globals().showChanged = 1;
    h.globals().notes = "old notes";
    h.globals().newShow = 0;
    h.globals().loadedFromFile = 1;
    h.globals().presence = {1, 0, 1, 0, 1, 0, 1};
    h.state().show().ClearPatches();
    const auto image = h.state().image().file();
    const std::vector<std::uint8_t> imageBefore(image.begin(), image.end());

    h.messages.answerYes();
    h.trigger("tbNew");
    QCOMPARE(h.messages.texts(), QStringList{QStringLiteral("Are you sure you want to start a new project?\n"
                                                            "Any unsaved data will be lost.")});
    QVERIFY(h.state().show() == Fresh());
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - Untitled"));
    QVERIFY(h.globals().fileName.empty());
    QVERIFY(h.globals().notes.empty());
    QCOMPARE(h.globals().newShow, 1);
    QCOMPARE(h.globals().showChanged, 0);
    // what New does not touch
    QCOMPARE(h.globals().loadedFromFile, 1);
    QCOMPARE(h.globals().presence, (TPresenceFlags{1, 0, 1, 0, 1, 0, 1}));
    const auto after = h.state().image().file();
    QVERIFY(std::equal(after.begin(), after.end(), imageBefore.begin(), imageBefore.end()));
}

// ---- Reset

void TestMainMenu::resetAsksAndResetsOneKind_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("cuesSignal");
    QTest::addColumn<bool>("effectsSignal");
    QTest::newRow("Cues") << "mnuResetCues"
                          << "Are you sure you want to reset all of the Cues?" << true << false;
    QTest::newRow("Subs") << "mnuResetSubs"
                          << "Are you sure you want to reset all of the Submasters?" << false << false;
    QTest::newRow("Patches") << "mnuResetPatches"
                             << "Are you sure you want to reset all of the Patches?" << false << false;
    QTest::newRow("Profiles") << "mnuResetProfiles"
                              << "Are you sure you want to reset all of the Profiles?" << false << false;
    QTest::newRow("Effects") << "mnuResetEffects"
                             << "Are you sure you want to reset all of the Effects?" << false << true;
    QTest::newRow("Macros") << "mnuResetMacros"
                            << "Are you sure you want to reset all of the Macros?" << false << false;
    QTest::newRow("All") << "mnuResetAll"
                         << "Are you sure you want to reset the entire show?" << true << true;
}

void TestMainMenu::resetAsksAndResetsOneKind()
{
    QFETCH(QString, item);
    QFETCH(QString, question);
    QFETCH(bool, cuesSignal);
    QFETCH(bool, effectsSignal);
    TShellHarness h;
    SaveAs(h, QStringLiteral("tour.lmr"));
    h.state().show().ClearPatches(); // something for Reset Patches to undo
    const TShow changed = h.state().show();
    QSignalSpy cues(h.main.get(), &TfmMain::cuesReset);
    QSignalSpy effects(h.main.get(), &TfmMain::effectsReset);

    h.messages.answerNo();
    h.trigger(qPrintable(item));
    QCOMPARE(h.messages.texts(), QStringList{question});
    QCOMPARE(h.messages.boxes.back().icon, Icon::Warning);
    QVERIFY(h.state().show() == changed);
    QCOMPARE(h.globals().showChanged, 0);
    QCOMPARE(cues.count() + effects.count(), 0);

    h.messages.answerYes();
    h.trigger(qPrintable(item));
    QCOMPARE(h.globals().showChanged, 1);
    QCOMPARE(cues.count(), cuesSignal ? 1 : 0);
    QCOMPARE(effects.count(), effectsSignal ? 1 : 0);
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - tour.lmr"));
    QCOMPARE(QString::fromStdString(h.globals().fileName), h.path(QStringLiteral("tour.lmr")));
    const bool patchesBack = item == QStringLiteral("mnuResetPatches") || item == QStringLiteral("mnuResetAll");
    QCOMPARE(h.state().show().patches == Fresh().patches, patchesBack);
}

void TestMainMenu::resetAllKeepsTheTitleAndTheCloseQueryAsks()
{
    TShellHarness h;
    SaveAs(h, QStringLiteral("opera.lmr"));
    h.globals().loadedFromFile = 1;
    h.globals().loadedFromDiskette = 1;
    h.globals().notes = "act one";

    h.messages.answerYes();
    h.trigger("mnuResetAll");
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - opera.lmr"));
    QCOMPARE(h.globals().loadedFromFile, 0);
    QCOMPARE(h.globals().loadedFromDiskette, 0);
    QVERIFY(h.globals().notes.empty());

    h.messages.clear();
    h.messages.answerCancel();
    QVERIFY(!h.main->close());
    QCOMPARE(h.messages.texts(),
             QStringList{QStringLiteral("The project opera.lmr has changed! Do you want to save the changes?")});
}

// ---- View commands

void TestMainMenu::eachViewCommandOpensItsScreen_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("screen");
    const struct {
        const char* control;
        TScreen screen;
    } rows[] = {
        {"mnuCueEditor", TScreen::CueEditor},
        {"tbCueEditor", TScreen::CueEditor},
        {"btnCueEditor", TScreen::CueEditor},
        {"mnuCueList", TScreen::CueList},
        {"tbCueList", TScreen::CueList},
        {"btnCueList", TScreen::CueList},
        {"mnuTrack", TScreen::Track},
        {"tbTrack", TScreen::Track},
        {"btnTrack", TScreen::Track},
        {"mnuSubEditor", TScreen::SubEditor},
        {"tbSubEditor", TScreen::SubEditor},
        {"btnSubEditor", TScreen::SubEditor},
        {"mnuSubList", TScreen::SubList},
        {"tbSubList", TScreen::SubList},
        {"btnSubList", TScreen::SubList},
        {"mnuPatch", TScreen::Patch},
        {"tbPatch", TScreen::Patch},
        {"btnPatch", TScreen::Patch},
        {"mnuProfile", TScreen::Profile},
        {"tbProfile", TScreen::Profile},
        {"btnProfile", TScreen::Profile},
        {"mnuEffect", TScreen::Effect},
        {"tbEffects", TScreen::Effect},
        {"btnEffect", TScreen::Effect},
        {"mnuMacro", TScreen::Macro},
        {"tbMacros", TScreen::Macro},
        {"btnMacro", TScreen::Macro},
        {"mnuQvType", TScreen::QvType},
        {"tbQvType", TScreen::QvType},
        {"btnQvType", TScreen::QvType},
        {"mnuQvDevice", TScreen::QvDevice},
        {"tbQvDevice", TScreen::QvDevice},
        {"btnQvDevice", TScreen::QvDevice},
        {"mnuQvAction", TScreen::QvAction},
        {"tbQvAction", TScreen::QvAction},
        {"btnQvAction", TScreen::QvAction},
        {"mnuQvPosition", TScreen::QvPosition},
        {"tbQvPosition", TScreen::QvPosition},
        {"btnQvPosition", TScreen::QvPosition},
    };
    for (const auto& r : rows)
        QTest::newRow(r.control) << QString::fromLatin1(r.control) << static_cast<int>(r.screen);
}

void TestMainMenu::eachViewCommandOpensItsScreen()
{
    QFETCH(QString, control);
    QFETCH(int, screen);
    TScreenLog log;
    TShellHarness h(AllFakeScreens(log));
    if (control.startsWith(QStringLiteral("btn")))
        h.click(qPrintable(control));
    else
        h.trigger(qPrintable(control));
    QCOMPARE(log.screens(), std::vector<TScreen>{static_cast<TScreen>(screen)});
    QVERIFY(!h.main->screen(static_cast<TScreen>(screen))->isVisible());
}

void TestMainMenu::submasterScreensHandOverToEachOther()
{
    TScreenLog log;
    TShellHarness h(AllFakeScreens(log));
    // editor -> list -> editor -> closed
    log.results[TScreen::SubEditor] = {kNavSubList, 1};
    log.results[TScreen::SubList] = {kNavSubEditor};
    h.click("btnSubEditor");
    QCOMPARE(log.screens(), (std::vector<TScreen>{TScreen::SubEditor, TScreen::SubList, TScreen::SubEditor}));

    // a code of another family ends the chain
    log.visits.clear();
    log.results[TScreen::SubList] = {kNavQvPosition};
    h.trigger("mnuSubList");
    QCOMPARE(log.screens(), std::vector<TScreen>{TScreen::SubList});
}

void TestMainMenu::quorvelScreensFollowCodesExceptFromTheViewMenu()
{
    TScreenLog log;
    TShellHarness h(AllFakeScreens(log));
    log.results[TScreen::QvAction] = {kNavQvPosition};
    h.trigger("tbQvAction");
    QCOMPARE(log.screens(), (std::vector<TScreen>{TScreen::QvAction, TScreen::QvPosition}));

    log.visits.clear();
    log.results[TScreen::QvAction] = {kNavQvPosition};
    h.trigger("mnuQvAction");
    QCOMPARE(log.screens(), std::vector<TScreen>{TScreen::QvAction});

    log.visits.clear();
    log.results[TScreen::QvType] = {kNavQvDevice};
    log.results[TScreen::QvDevice] = {kNavQvAction};
    log.results[TScreen::QvAction] = {kNavQvType};
    log.results[TScreen::QvPosition] = {};
    h.trigger("mnuQvType");
    QCOMPARE(log.screens(),
             (std::vector<TScreen>{TScreen::QvType, TScreen::QvDevice, TScreen::QvAction, TScreen::QvType}));
}

void TestMainMenu::navigationToAMissingScreenEndsTheChain()
{
    TScreenLog log;
    TShellHarness h(FakeScreens(log, {TScreen::QvType}));
    log.results[TScreen::QvType] = {kNavQvDevice};
    h.click("btnQvType");
    QCOMPARE(log.screens(), std::vector<TScreen>{TScreen::QvType});
}

void TestMainMenu::trackShowsItsLoadingTextOnlyAfterAnOpen()
{
    TScreenLog log;
    TShellHarness h(AllFakeScreens(log));
    h.trigger("mnuTrack");
    QCOMPARE(log.visits.size(), std::size_t{1});
    QVERIFY(!log.visits[0].statusPanelVisible);
    QVERIFY(!h.main->statusPanel()->isVisible());

    const QString file = h.path(QStringLiteral("any.lmr"));
    WriteFile(file, ShowFileBytes());
    h.dialogs.openAnswers.push_back(file);
    h.trigger("mnuOpen");
    QCOMPARE(h.globals().newShow, 0);
    h.click("btnTrack");
    QCOMPARE(log.visits.size(), std::size_t{2});
    QVERIFY(log.visits[1].statusPanelVisible);
    QCOMPARE(log.visits[1].statusText, QStringLiteral("Loading Track Screen - Please Wait ..."));
    QVERIFY(!h.main->statusPanel()->isVisible());
}

// ---- Help, About, errors

void TestMainMenu::helpOpensTheContentsTopic()
{
    TShellHarness h;
    h.trigger("mnuContents");
    h.trigger("tbHelp");
    QTest::keyClick(h.main.get(), Qt::Key_F1);
    QCOMPARE(h.help.topics, (QList<int>{100, 100, 100}));
}

void TestMainMenu::aboutShowsTheVersion()
{
    TShellHarness h;
    QString version;
    bool frameless = false;
    OnNextModal([&](QWidget* w) {
        auto* about = qobject_cast<TfmAbout*>(w);
        QVERIFY(about);
        version = about->lblVersion()->text();
        frameless = about->windowFlags() & Qt::FramelessWindowHint;
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    });
    h.trigger("mnuAbout");
    QCOMPARE(version, QStringLiteral("V 0.1"));
    QVERIFY(frameless);
    QVERIFY(!h.main->aboutBox().isVisible());
}

void TestMainMenu::errorOfACommandIsShownAfterItsCleanUp()
{
    TShellHarness h;
    // A name the size check cannot read passes it; the load then fails.
    h.dialogs.openAnswers.push_back(h.path(QStringLiteral("vanished.lmr")));
    h.trigger("mnuOpen");
    QCOMPARE(h.messages.texts(), QStringList{QStringLiteral("Error Reading File.")});
    QCOMPARE(h.messages.boxes[0].icon, Icon::Error);
    QVERIFY(!h.messages.boxes[0].busyCursor);
    QVERIFY(!h.main->ui().busy());
    QCOMPARE(h.main->windowTitle(), QStringLiteral("Lumora Offline Editor - Untitled"));
    QVERIFY(h.globals().fileName.empty());
    QCOMPARE(h.globals().loadedFromFile, 0);
    // and the program goes on
    QVERIFY(h.main->isVisible());
    h.messages.answerNo();
    h.trigger("mnuNew");
    QCOMPARE(h.messages.boxes.size(), std::size_t{2});
}

void TestMainMenu::errorHandlerNamesUnexpectedErrors()
{
    TShellHarness h;
    QVERIFY(!RunCommand(h.main->ui(), [] { throw ELumoraError("Invalid cue type."); }));
    QVERIFY(!RunCommand(h.main->ui(), [] { throw std::bad_alloc(); }));
    QVERIFY(!RunCommand(h.main->ui(), [] { throw 42; }));
    QVERIFY(RunCommand(h.main->ui(), [] {}));
    QCOMPARE(h.messages.texts().size(), 3);
    QCOMPARE(h.messages.texts()[0], QStringLiteral("Invalid cue type."));
    QVERIFY(h.messages.texts()[1].startsWith(QStringLiteral("An unexpected error occurred.")));
    QCOMPARE(h.messages.texts()[2], QStringLiteral("An unexpected error occurred."));
}

// ---- Title rule

void TestMainMenu::titleShowsTheFileNamePart_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("untitled") << ""
                              << "Lumora Offline Editor - Untitled";
    QTest::newRow("folder") << "/home/designer/My Shows/Hamlet.lmr"
                            << "Lumora Offline Editor - Hamlet.lmr";
    QTest::newRow("bare name") << "Hamlet.lmr"
                               << "Lumora Offline Editor - Hamlet.lmr";
    const QString sixty = QString(56, u'x') + QStringLiteral(".lmr");
    QTest::newRow("60 characters fit") << "/shows/" + sixty << "Lumora Offline Editor - " + sixty;
    QTest::newRow("61 are cut") << "/shows/y" + sixty << "Lumora Offline Editor - y" + sixty.left(56) + "...";
}

void TestMainMenu::titleShowsTheFileNamePart()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(MainWindowTitle(path.toStdString()), title);
    TShellHarness h;
    h.globals().showChanged = 1;
    h.main->ChangeFileName(path.toStdString());
    QCOMPARE(h.main->windowTitle(), title);
    QCOMPARE(h.globals().showChanged, 0);
}

int RunMainMenuTests(int argc, char** argv)
{
    TestMainMenu test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainMenuTest.moc"
