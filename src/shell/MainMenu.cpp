#include "shell/MainMenu.h"

#include "cues/CueDialogs.h"
#include "print/ReportFiles.h"
#include "shell/DisketteDrive.h"
#include "shell/ErrorHandler.h"
#include "shell/HelpWindow.h"
#include "shell/Notes.h"
#include "shell/RecoveryGuard.h"
#include "shell/ScopeExit.h"
#include "shell/ShowCheckWindow.h"
#include "shell/ShowCompareWindow.h"
#include "shell/hlpabout.h"
#include "show/Backups.h"
#include "show/DskOpt.h"
#include "show/LumoraError.h"
#include "show/Recovery.h"
#include "show/ShowDisk.h"
#include "show/ShowFile.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <ctime>

namespace lumora {

namespace {

// The window's client area below the menu bar, and its colour.
constexpr int kClientWidth = 632, kClientHeight = 404;
constexpr int kToolBarHeight = 38;
const QColor kBackground(192, 208, 224);

// The large buttons: three columns on a grid of rows.
constexpr int kButtonWidth = 170, kButtonHeight = 34, kButtonTop = 16, kRowPitch = 42;
constexpr int kColumnX[3] = {30, 231, 432};

std::string Encoded(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

std::optional<TFamily> FamilyOf(TScreen screen)
{
    switch (screen) {
    case TScreen::SubEditor:
    case TScreen::SubList: return TFamily::Subs;
    case TScreen::QvType:
    case TScreen::QvDevice:
    case TScreen::QvAction:
    case TScreen::QvPosition: return TFamily::Quorvel;
    default: return std::nullopt;
    }
}

struct TResetCommand {
    TReset what;
    const char* objectName;
    const char* text;
    const char* hint;
    const char* question;
};

constexpr TResetCommand kResets[] = {
    {TReset::Cues, "mnuResetCues", "&Cues", "Clear Cues", "Are you sure you want to reset all of the Cues?"},
    {TReset::Subs, "mnuResetSubs", "&Subs", "Clear Subs", "Are you sure you want to reset all of the Submasters?"},
    {TReset::Patches, "mnuResetPatches", "&Patches", "Clear Patches",
     "Are you sure you want to reset all of the Patches?"},
    {TReset::Profiles, "mnuResetProfiles", "P&rofiles", "Default Profiles",
     "Are you sure you want to reset all of the Profiles?"},
    {TReset::Effects, "mnuResetEffects", "&Effects", "Clear Effects",
     "Are you sure you want to reset all of the Effects?"},
    {TReset::Macros, "mnuResetMacros", "&Macros", "Clear Macros", "Are you sure you want to reset all of the Macros?"},
    {TReset::All, "mnuResetAll", "&All", "Clear All", "Are you sure you want to reset the entire show?"},
};

} // namespace

// ---- Title helpers

std::string ExtractFileName(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ProjectChangedQuestion(const std::string& fileName)
{
    return "The project " + ExtractFileName(fileName) + " has changed! Do you want to save the changes?";
}

QString MainWindowTitle(const std::string& fileName)
{
    QString name = QString::fromLatin1(kTitleUntitled);
    if (!fileName.empty()) {
        name = QFile::decodeName(QByteArray::fromStdString(ExtractFileName(fileName)));
        if (name.size() > kTitleNameField)
            name = name.left(kTitleNameField - 3) + QStringLiteral("...");
    }
    return QString::fromLatin1(kTitlePrefix) + name;
}

// ---- Creation

TfmMain::TfmMain(const TShellServices& services, TWindowRegistry windows, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_services(services), m_registry(std::move(windows))
{
    setObjectName(QStringLiteral("fmMain"));
    m_ui = std::make_unique<TQtUserInterface>(*m_services.messages);
    m_state = std::make_unique<TEditorState>(*m_ui); // the show, reset to an empty show
    if (!m_services.disk) {
        m_services.driveAPath = DriveAForRun(std::nullopt, m_services.settings);
        m_services.disk = MakePosixDiskBackend(m_services.driveAPath, m_services.sysfsRoot);
    }
    m_disk = std::make_unique<TDirDisk>(m_services.disk);
    m_disk->NeedWriteWarn = false; // the commands ask (Show Options) before anything is written
    m_dialogs = std::make_unique<TCueDialogs>(*m_ui, this);
    m_context = std::make_unique<TShellContext>(TShellContext{*m_state, m_services, *this, *m_dialogs});

    buildMenus();
    buildToolBar();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnlMain"));
    QPalette palette = central->palette();
    palette.setColor(QPalette::Window, kBackground);
    central->setPalette(palette);
    central->setAutoFillBackground(true);
    setCentralWidget(central);
    buildButtons(central);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(false);
    buildDesktopItems();

    const int menuHeight = menuBar()->sizeHint().height();
    setFixedSize(kClientWidth, kClientHeight + menuHeight);
    const int centralHeight = kClientHeight - kToolBarHeight - statusBar()->sizeHint().height();

    m_statusPanel = new QLabel(QString::fromLatin1(kMsgLoadingEditor), central);
    m_statusPanel->setObjectName(QStringLiteral("StatusPanel"));
    m_statusPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_statusPanel->setLineWidth(2);
    m_statusPanel->setAlignment(Qt::AlignCenter);
    QFont italic(QStringLiteral("Arial"));
    italic.setItalic(true);
    italic.setPointSize(10);
    m_statusPanel->setFont(italic);
    QPalette aqua = m_statusPanel->palette();
    aqua.setColor(QPalette::Window, QColor(0, 255, 255));
    aqua.setColor(QPalette::WindowText, Qt::black);
    m_statusPanel->setPalette(aqua);
    m_statusPanel->setAutoFillBackground(true);
    const int buttonsBottom = kButtonTop + 5 * kRowPitch + kButtonHeight;
    const QSize panelSize(320, 32);
    m_statusPanel->setGeometry((kClientWidth - panelSize.width()) / 2,
                               buttonsBottom + std::max(0, (centralHeight - buttonsBottom - panelSize.height()) / 2),
                               panelSize.width(), panelSize.height());
    m_ui->setStatusPanel(m_statusPanel); // visible with the loading text until start-up ends

    auto& g = m_state->globals;
    g.notes.clear();
    g.driveLetter = 'A';
    ChangeFileName({});
    g.importing = 0;
    g.programFolder = Encoded(QCoreApplication::applicationDirPath()) + '/';
    const QString shows = m_services.showsFolder ? m_services.showsFolder->location() : QString();
    if (!shows.isEmpty() && QDir().mkpath(shows))
        m_showsFolder = shows;
    ReportFolder().ensure(); // the reports' private folder; a report says so if it cannot be had
    g.newShow = 1;
    g.loadedFromDiskette = 0;
    g.loadedFromFile = 0;

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
}

TfmMain::~TfmMain()
{
    // The windows use the state and the interface: they go first.
    for (QDialog*& w : m_screens)
        delete std::exchange(w, nullptr);
    for (QDialog*& w : m_reports)
        delete std::exchange(w, nullptr);
    delete m_notes;
    delete m_about;
    delete m_showOptions;
    m_ui->setStatusPanel(nullptr);
}

QAction* TfmMain::addAction(QMenu* menu, const char* objectName, const QString& text, std::function<void()> work,
                            const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(objectName));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, work = std::move(work)] { command(work); });
    return action;
}

void TfmMain::enableScreen(QObject* control, TScreen which)
{
    const bool exists = m_registry.screen(which) != nullptr;
    if (auto* action = qobject_cast<QAction*>(control))
        action->setEnabled(exists);
    else if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setEnabled(exists);
}

void TfmMain::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    addAction(
        file, "mnuNew", tr("&New"), [this] { fileNew(); }, Qt::Key_F2);
    addAction(
        file, "mnuOpen", tr("&Open"), [this] { fileOpen(); }, Qt::Key_F3);
    addAction(file, "mnuOpenBackup", tr("Open &Backup..."), [this] { fileOpenBackup(); });
    addAction(file, "mnuImport", tr("&Import..."), [this] { fileImport(); });
    addAction(
        file, "mnuSave", tr("&Save"), [this] { fileSave(); }, QKeySequence(Qt::CTRL | Qt::Key_S));
    addAction(file, "mnuSaveAs", tr("S&ave As..."), [this] { fileSaveAs(); });
    addAction(file, "mnuCompareWith", tr(kCompareWithMenu), [this] { compareWith(); });
    file->addSeparator();
    addAction(
        file, "mnuReadShowDisk", tr("&Read Show Disk"), [this] { readShowDisk(); }, QKeySequence(Qt::CTRL | Qt::Key_R));
    addAction(
        file, "mnuWriteShowDisk", tr("&Write Show Disk"), [this] { writeShowDisk(); },
        QKeySequence(Qt::CTRL | Qt::Key_W));
    file->addSeparator();
    addAction(file, "mnuExit", tr("E&xit"), [this] { close(); });

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    struct TViewItem {
        const char* objectName;
        const char* text;
        TScreen screen;
        bool follow;
    };
    const auto viewItems = [&](std::initializer_list<TViewItem> items) {
        for (const TViewItem& item : items) {
            QAction* action =
                addAction(view, item.objectName, tr(item.text), [this, item] { viewScreen(item.screen, item.follow); });
            enableScreen(action, item.screen);
        }
    };
    viewItems({{"mnuCueEditor", "&Cue Editor", TScreen::CueEditor, true},
               {"mnuCueList", "C&ue List", TScreen::CueList, true},
               {"mnuTrack", "&Track", TScreen::Track, true}});
    view->addSeparator();
    viewItems({{"mnuSubEditor", "&Submaster Editor", TScreen::SubEditor, true},
               {"mnuSubList", "Su&bmaster List", TScreen::SubList, true}});
    view->addSeparator();
    viewItems({{"mnuPatch", "P&atch", TScreen::Patch, true},
               {"mnuProfile", "&Profile", TScreen::Profile, true},
               {"mnuEffect", "&Effect", TScreen::Effect, true},
               {"mnuMacro", "&Macro", TScreen::Macro, true}});
    view->addSeparator();
    // From this menu QV Action and QV Position open once and close back here.
    viewItems({{"mnuQvType", "QV Type ", TScreen::QvType, true},
               {"mnuQvDevice", "QV Device ", TScreen::QvDevice, true},
               {"mnuQvAction", "QV Action", TScreen::QvAction, false},
               {"mnuQvPosition", "QV Position", TScreen::QvPosition, false}});
    view->addSeparator();
    addAction(view, "mnuShowNotes", tr("S&how Notes"), [this] { viewNotes(); });

    QMenu* resetMenu = menuBar()->addMenu(tr("&Reset"));
    resetMenu->setObjectName(QStringLiteral("mnuReset"));
    for (const TResetCommand& r : kResets) {
        if (r.what == TReset::All)
            resetMenu->addSeparator();
        QAction* action = addAction(resetMenu, r.objectName, tr(r.text), [this, what = r.what] { reset(what); });
        action->setStatusTip(tr(r.hint));
    }

    QMenu* print = menuBar()->addMenu(tr("&Print"));
    print->setObjectName(QStringLiteral("mnuPrint"));
    struct TPrintItem {
        const char* objectName;
        const char* text;
        TReport report;
    };
    const auto printItems = [&](QMenu* menu, std::initializer_list<TPrintItem> items) {
        for (const TPrintItem& item : items) {
            QAction* action =
                addAction(menu, item.objectName, tr(item.text), [this, which = item.report] { printReport(which); });
            action->setEnabled(m_registry.report(item.report) != nullptr);
        }
    };
    QMenu* quorvel = print->addMenu(tr("Quorvel"));
    quorvel->setObjectName(QStringLiteral("mnuPrintQuorvel"));
    printItems(quorvel, {{"mnuPrintQvType", "Type", TReport::QvType},
                         {"mnuPrintQvAction", "Action", TReport::QvAction},
                         {"mnuPrintQvDevice", "Device", TReport::QvDevice},
                         {"mnuPrintQvPosition", "Position", TReport::QvPosition}});
    QMenu* cues = print->addMenu(tr("Cues"));
    cues->setObjectName(QStringLiteral("mnuPrintCues"));
    printItems(cues, {{"mnuPrintCueLevels", "Cue Levels", TReport::CueLevels},
                      {"mnuPrintCueList", "List", TReport::CueList},
                      {"mnuPrintTrack", "Track", TReport::Track}});
    printItems(print, {{"mnuPrintEffects", "Effects", TReport::Effects},
                       {"mnuPrintMacros", "Macros", TReport::Macros},
                       {"mnuPrintPatches", "Patches", TReport::Patches},
                       {"mnuPrintProfiles", "Profiles", TReport::Profiles}});
    QMenu* subs = print->addMenu(tr("SubMaster"));
    subs->setObjectName(QStringLiteral("mnuPrintSubMaster"));
    printItems(subs, {{"mnuPrintSubs", "Subs", TReport::Subs}, {"mnuPrintSubList", "List", TReport::SubList}});
    print->addSeparator();
    addAction(print, "mnuPrinterSetup", tr("Printer Setup..."), [this] { printerSetup(); });

    // The window's own help context: F1 anywhere in it (editing windows have their own).
    auto* f1 = new QAction(this);
    f1->setObjectName(QStringLiteral("actHelpContext"));
    f1->setShortcut(Qt::Key_F1);
    QMainWindow::addAction(f1);
    connect(f1, &QAction::triggered, this, [this] { command([this] { helpContents(); }); });

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    addAction(tools, "mnuCheckShow", tr(kCheckShowMenu), [this] { checkShow(); });

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addAction(help, "mnuContents", tr("&Contents"), [this] { helpContents(); });
    help->addSeparator();
    addAction(help, "mnuAbout", tr("&About"), [this] { helpAbout(); });
}

QAction* TfmMain::toolAction(const char* objectName, const char* icon, const QString& hint, std::function<void()> work)
{
    // "Tooltip|long hint": the long hint goes to the status bar.
    const qsizetype bar = hint.indexOf(u'|');
    QAction* action = m_toolBar->addAction(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(icon))),
                                           bar < 0 ? hint : hint.left(bar));
    action->setObjectName(QString::fromLatin1(objectName));
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setStatusTip(bar < 0 ? QString() : hint.mid(bar + 1));
    connect(action, &QAction::triggered, this, [this, work = std::move(work)] { command(work); });
    return action;
}

void TfmMain::buildToolBar()
{
    m_toolBar = addToolBar(tr("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setFixedHeight(kToolBarHeight);
    m_toolBar->setIconSize(QSize(24, 24));
    // 18 buttons must fit the 632 pixels of the window.
    m_toolBar->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 1px; }"
                                            "QToolButton { padding: 2px; margin: 0px; }"));
    m_toolBar->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    toolAction("tbNew", "new", tr("New|Create a new Show"), [this] { fileNew(); });
    toolAction("tbOpen", "open", tr("Open|Open a saved Show"), [this] { fileOpen(); });
    toolAction("tbSave", "save", tr("Save|Save the current Show"), [this] { fileSave(); });
    m_toolBar->addSeparator();
    struct TToolScreen {
        const char* objectName;
        const char* icon;
        const char* hint;
        TScreen screen;
    };
    const auto screens = [&](std::initializer_list<TToolScreen> items) {
        for (const TToolScreen& item : items)
            enableScreen(
                toolAction(item.objectName, item.icon, tr(item.hint), [this, s = item.screen] { viewScreen(s); }),
                item.screen);
    };
    screens({{"tbCueEditor", "cueeditor", "Cue Editor|Show Cue Editor Screen", TScreen::CueEditor},
             {"tbCueList", "cuelist", "Cue List|Show Cue List Screen", TScreen::CueList},
             {"tbTrack", "track", "Track|Show Track Screen", TScreen::Track}});
    m_toolBar->addSeparator();
    screens({{"tbSubEditor", "subeditor", "Sub Editor|Show Submaster Editor Screen", TScreen::SubEditor},
             {"tbSubList", "sublist", "Sub List|Show Submaster List Screen", TScreen::SubList}});
    m_toolBar->addSeparator();
    screens({{"tbPatch", "patch", "Patch|Show Patch Screen", TScreen::Patch},
             {"tbProfile", "profile", "Profile|Show Profile Screen", TScreen::Profile},
             {"tbEffects", "effects", "Effects|Show Effects Screen", TScreen::Effect},
             {"tbMacros", "macros", "Macros|Show Macro Screen", TScreen::Macro}});
    m_toolBar->addSeparator();
    screens({{"tbQvType", "qvtype", "QV Type", TScreen::QvType},
             {"tbQvDevice", "qvdevice", "QV Device", TScreen::QvDevice},
             {"tbQvAction", "qvaction", "QV Action", TScreen::QvAction},
             {"tbQvPosition", "qvposition", "QV Position", TScreen::QvPosition}});
    m_toolBar->addSeparator();
    toolAction("tbShowNotes", "notes", tr("Show Notes|Edit the Show Notes"), [this] { viewNotes(); });
    toolAction("tbHelp", "help", tr("Help|System Help"), [this] { helpContents(); });
}

QPushButton* TfmMain::bigButton(QWidget* parent, const char* objectName, const QString& text, int column, int row,
                                std::function<void()> work)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    QFont font = button->font();
    font.setBold(true);
    font.setPointSize(10);
    button->setFont(font);
    button->setGeometry(kColumnX[column], kButtonTop + row * kRowPitch, kButtonWidth, kButtonHeight);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, this, [this, work = std::move(work)] { command(work); });
    return button;
}

void TfmMain::buildButtons(QWidget* central)
{
    struct TButton {
        const char* objectName;
        const char* text;
        int column, row;
        TScreen screen;
    };
    static constexpr TButton kButtons[] = {
        {"btnCueEditor", "Cue Editor", 0, 0, TScreen::CueEditor},
        {"btnCueList", "Cue List", 0, 1, TScreen::CueList},
        {"btnTrack", "Track", 0, 2, TScreen::Track},
        {"btnSubEditor", "Submaster Editor", 0, 4, TScreen::SubEditor},
        {"btnSubList", "Submaster List", 0, 5, TScreen::SubList},
        {"btnPatch", "Patch", 1, 0, TScreen::Patch},
        {"btnProfile", "Profile", 1, 1, TScreen::Profile},
        {"btnEffect", "Effect", 1, 2, TScreen::Effect},
        {"btnMacro", "Macro", 1, 3, TScreen::Macro},
        {"btnQvType", "QV Type", 2, 0, TScreen::QvType},
        {"btnQvDevice", "QV Device", 2, 1, TScreen::QvDevice},
        {"btnQvAction", "QV Action", 2, 2, TScreen::QvAction},
        {"btnQvPosition", "QV Position", 2, 3, TScreen::QvPosition},
    };
    for (const TButton& b : kButtons)
        enableScreen(
            bigButton(central, b.objectName, tr(b.text), b.column, b.row, [this, s = b.screen] { viewScreen(s); }),
            b.screen);
    bigButton(central, "btnShowNotes", tr("Show Notes"), 1, 5, [this] { viewNotes(); });
}

// ---- Program start

int TfmMain::windowsToCreate() const
{
    int count = 3; // notes, about, show options
    for (int i = 0; i < kScreenCount; ++i)
        count += m_registry.screen(static_cast<TScreen>(i)) ? 1 : 0;
    for (int i = 0; i < kReportCount; ++i)
        count += m_registry.report(static_cast<TReport>(i)) ? 1 : 0;
    return count;
}

void TfmMain::createWindows(const std::function<void(int created)>& progress)
{
    int created = 0;
    const auto made = [&] {
        ++created;
        if (progress)
            progress(created);
    };
    notesWindow();
    made();
    aboutBox();
    made();
    showOptions();
    made();
    for (int i = 0; i < kScreenCount; ++i)
        if (screen(static_cast<TScreen>(i)))
            made();
    for (int i = 0; i < kReportCount; ++i)
        if (report(static_cast<TReport>(i)))
            made();
}

void TfmMain::startupFinished()
{
    m_ui->hideStatus();
}

TfmNotes& TfmMain::notesWindow()
{
    if (!m_notes)
        m_notes = new TfmNotes(*m_state, this);
    return *m_notes;
}

TfmAbout& TfmMain::aboutBox()
{
    if (!m_about)
        m_about = new TfmAbout(this);
    return *m_about;
}

TfmDskOpt& TfmMain::showOptions()
{
    if (!m_showOptions)
        m_showOptions = new TfmDskOpt(*m_state, this);
    return *m_showOptions;
}

QDialog* TfmMain::screen(TScreen which)
{
    QDialog*& w = m_screens[static_cast<std::size_t>(which)];
    if (!w)
        if (const TWindowFactory* factory = m_registry.screen(which)) {
            w = (*factory)(*m_context, this);
            if (w)
                w->hide();
        }
    return w;
}

QDialog* TfmMain::report(TReport which)
{
    QDialog*& w = m_reports[static_cast<std::size_t>(which)];
    if (!w)
        if (const TWindowFactory* factory = m_registry.report(which)) {
            w = (*factory)(*m_context, this);
            if (w)
                w->hide();
        }
    return w;
}

// ---- Title

void TfmMain::ChangeFileName(const std::string& name)
{
    m_state->globals.fileName = name;
    setWindowTitle(MainWindowTitle(name));
    m_state->globals.showChanged = 0;
    m_saveAsStart.clear();
}

// ---- Commands

void TfmMain::command(const std::function<void()>& work)
{
    RunCommand(*m_ui, work);
}

void TfmMain::fileNew()
{
    auto& g = m_state->globals;
    std::string question = kMsgStartNew;
    if (g.showChanged == 1)
        question += std::string("\n") + kMsgUnsavedLost;
    if (!m_ui->askYesNo(question, IUserInterface::Icon::Warning))
        return;
    m_state->show().ResetShow();
    ChangeFileName({});
    g.notes.clear();
    g.newShow = 1;
    emit showSettled();
}

void TfmMain::fileOpen()
{
    auto& g = m_state->globals;
    if (g.showChanged == 1 &&
        !m_ui->askYesNo(std::string(kMsgOpenNew) + "\n" + kMsgUnsavedLost, IUserInterface::Icon::Warning))
        return;
    g.newShow = 0;
    const auto chosen = m_services.dialogs->openShowFile(this, QString(), m_showsFolder);
    if (!chosen)
        return;
    loadShow(Encoded(*chosen));
}

void TfmMain::openShowFile(const QString& path)
{
    command([this, path] {
        m_state->globals.newShow = 0;
        loadShow(Encoded(path));
    });
}

void TfmMain::loadShow(const std::string& name)
{
    if (!CheckShowFile(*m_state, name))
        return;
    TBusyCursor busy(*m_ui);
    m_state->setAllPresent();
    LoadShowFile(*m_state, name);
    m_state->globals.loadedFromFile = 1;
    ChangeFileName(name);
    emit showSettled();
    rememberShow(name);
}

void TfmMain::fileOpenBackup()
{
    auto& g = m_state->globals;
    if (g.showChanged == 1 &&
        !m_ui->askYesNo(std::string(kMsgOpenNew) + "\n" + kMsgUnsavedLost, IUserInterface::Icon::Warning))
        return;
    const QString folder = BackupsLocation();
    QDir().mkpath(folder);
    const auto chosen = m_services.dialogs->openShowFile(this, QString::fromLatin1(kOpenBackupTitle), folder);
    if (!chosen)
        return;
    g.newShow = 0;
    loadShow(Encoded(*chosen));
}

void TfmMain::openRecoveredShow(const TRecoverySnapshot& snapshot)
{
    TBusyCursor busy(*m_ui);
    LoadRecoverySnapshot(*m_state, snapshot);
    auto& g = m_state->globals;
    g.newShow = 0;
    g.loadedFromFile = 1;
    ChangeFileName({});
    g.showChanged = 1;
    if (!snapshot.fileName.empty()) {
        const QString old = QFile::decodeName(QByteArray::fromStdString(snapshot.fileName));
        const QFileInfo info(old);
        m_saveAsStart =
            info.dir().exists() || m_showsFolder.isEmpty() ? old : QDir(m_showsFolder).filePath(info.fileName());
    }
}

void TfmMain::fileImport()
{
    auto& g = m_state->globals;
    TfmDskOpt& options = showOptions();
    const QString caption = options.windowTitle();
    options.setWindowTitle(QString::fromLatin1(kImportOptionsCaption));
    const TScopeExit restore([&] {
        g.importing = 0;
        options.setWindowTitle(caption);
    });

    const auto chosen = m_services.dialogs->openShowFile(this, QString::fromLatin1(kImportDialogTitle), m_showsFolder);
    if (!chosen)
        return;
    if (options.exec() != QDialog::Accepted)
        return;
    TBusyCursor busy(*m_ui);
    g.importing = 1;
    LoadShowFile(*m_state, Encoded(*chosen)); // no size check: a longer file gives its first bytes
    g.showChanged = 1;
}

void TfmMain::keepBackup(const std::string& name)
{
    const QString root = BackupsLocation();
    std::string why = "no folder for backups";
    if (root.isEmpty() || !BackUpShowFile(name, Encoded(root), std::time(nullptr), &why))
        throw ELumoraError(std::string(kMsgBackupFailed) + "\n" + why);
}

void TfmMain::saveInto(const std::string& name)
{
    try {
        keepBackup(name);
        SaveShowFile(*m_state, name);
        rememberShow(name);
    } catch (...) {
        // Nothing was saved: the show must still count as changed, or closing would
        // drop it without asking.
        m_state->globals.showChanged = 1;
        throw;
    }
    emit showSettled();
}

void TfmMain::fileSave()
{
    auto& g = m_state->globals;
    if (g.fileName.empty()) {
        fileSaveAs();
        return;
    }
    TBusyCursor busy(*m_ui);
    ChangeFileName(g.fileName);
    saveInto(g.fileName);
}

void TfmMain::fileSaveAs()
{
    const auto chosen = m_services.dialogs->saveShowFile(this, m_saveAsStart.isEmpty() ? m_showsFolder : m_saveAsStart);
    if (!chosen)
        return;
    TBusyCursor busy(*m_ui);
    const std::string name = Encoded(*chosen);
    ChangeFileName(name);
    saveInto(name);
}

void TfmMain::readShowDisk()
{
    auto& g = m_state->globals;
    if ((!g.fileName.empty() || g.showChanged == 1) &&
        !m_ui->askYesNo(kMsgImportDiskInto, IUserInterface::Icon::Confirmation))
        return;
    if (showOptions().exec() != QDialog::Accepted)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); // the dialog leaves the screen
    bool read = false;
    {
        const TScopeExit hidePanel([this] { m_ui->hideStatus(); });
        TBusyCursor busy(*m_ui);
        read = ReadShowDisk(*m_state, *m_disk, g.driveLetter);
    }
    if (read)
        g.loadedFromDiskette = 1; // the show changed flag and the title stay as they are
    else
        m_ui->error(kMsgErrorReadingDisk);
}

void TfmMain::writeShowDisk()
{
    auto& g = m_state->globals;
    if (showOptions().exec() != QDialog::Accepted)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // A failed write leaves the panel up behind its box: it names the section the write
    // stopped at.
    const TScopeExit hidePanel([this] { m_ui->hideStatus(); });
    bool written = false;
    {
        TBusyCursor busy(*m_ui);
        written = WriteShowDisk(*m_state, *m_disk, g.driveLetter);
    }
    if (!written)
        m_ui->error(kMsgErrorWritingDisk);
}

void TfmMain::reset(TReset what)
{
    const TResetCommand* r = nullptr;
    for (const TResetCommand& candidate : kResets)
        if (candidate.what == what)
            r = &candidate;
    if (!r || !m_ui->askYesNo(r->question, IUserInterface::Icon::Warning))
        return;

    TShow& show = m_state->show();
    auto& g = m_state->globals;
    switch (what) {
    case TReset::Cues:
        show.ResetCues();
        emit cuesReset();
        break;
    case TReset::Subs: show.ResetAllSubs(); break;
    case TReset::Patches: show.UnityPatches(); break;
    case TReset::Profiles: show.SetDefaultProfiles(); break;
    case TReset::Effects:
        show.ResetAllEffects();
        emit effectsReset();
        break;
    case TReset::Macros: show.ResetAllMacros(); break;
    case TReset::All:
        show.ResetCues();
        show.ResetAllSubs();
        show.ResetAllEffects();
        show.ResetAllMacros();
        show.ResetQuorvel();
        show.UnityPatches();
        show.SetDefaultProfiles();
        g.loadedFromDiskette = 0;
        g.loadedFromFile = 0;
        g.notes.clear();
        emit effectsReset();
        emit cuesReset();
        break;
    }
    g.showChanged = 1; // the title and the file name stay
}

int TfmMain::openScreenOnce(TScreen which)
{
    QDialog* w = screen(which);
    if (!w)
        return QDialog::Rejected;
    if (which != TScreen::Track)
        return w->exec();
    if (m_state->globals.newShow == 0)
        m_ui->showStatus(kMsgLoadingTrack);
    const TScopeExit hidePanel([this] { m_ui->hideStatus(); });
    return w->exec();
}

void TfmMain::viewScreen(TScreen which, bool followNavigation)
{
    const auto family = FamilyOf(which);
    if (!family || !followNavigation) {
        openScreenOnce(which);
        return;
    }
    for (std::optional<TScreen> next = which; next;)
        next = FamilyScreen(*family, openScreenOnce(*next));
}

void TfmMain::viewNotes()
{
    notesWindow().exec();
}

void TfmMain::printReport(TReport which)
{
    if (QDialog* w = report(which))
        w->exec();
}

void TfmMain::printerSetup()
{
    m_services.dialogs->printerSetup(this);
}

void TfmMain::helpContents()
{
    if (m_services.help)
        m_services.help->showTopic(kHelpContents);
}

void TfmMain::helpAbout()
{
    aboutBox().exec();
}

// ---- Closing

bool TfmMain::queryClose()
{
    const auto& g = m_state->globals;
    if (g.showChanged == 0)
        return true;
    const std::string question = g.fileName.empty() ? kMsgSaveNewShow : ProjectChangedQuestion(g.fileName);
    switch (m_ui->askYesNoCancel(question, IUserInterface::Icon::Warning)) {
    case IUserInterface::Answer::Yes:
        // Close only when the show really was saved: a failed save, or a Save As the
        // user cancels, keeps the window open with the show still marked as changed.
        return RunCommand(*m_ui, [this] { fileSave(); }) && m_state->globals.showChanged == 0;
    case IUserInterface::Answer::No: return true;
    case IUserInterface::Answer::Cancel: return false;
    }
    return false;
}

void TfmMain::closeEvent(QCloseEvent* event)
{
    if (queryClose())
        event->accept();
    else
        event->ignore();
}

} // namespace lumora
