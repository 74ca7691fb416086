// The Lumora Offline Editor.

#include "shell/DisketteDrive.h"
#include "shell/HelpWindow.h"
#include "shell/Notes.h"
#include "shell/PlatformQt.h"
#include "shell/RecoveryGuard.h"
#include "shell/Startup.h"
#include "shell/hlpabout.h"
#include "shell/splash3.h"
#include "show/DirectDisk.h"
#include "show/DskOpt.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTimer>

#include <LumoraVersion.h>

#include <cstdio>
#include <string_view>

namespace {

// Pictures of the windows, for checking the look without a person at the screen.
void SaveScreenshots(lumora::TfmMain& main, lumora::THelpPages& help, const QString& folder)
{
    QDir().mkpath(folder);
    const QDir dir(folder);
    main.grab().save(dir.filePath(QStringLiteral("main.png")));
    const auto grabHidden = [&](QWidget& w, const char* name) {
        w.show();
        QCoreApplication::processEvents();
        w.grab().save(dir.filePath(QString::fromLatin1(name)));
        w.hide();
    };
    grabHidden(main.aboutBox(), "about.png");
    grabHidden(main.notesWindow(), "notes.png");
    grabHidden(main.showOptions(), "showoptions.png");
    help.showTopic(lumora::kHelpContents);
    QCoreApplication::processEvents();
    help.window()->grab().save(dir.filePath(QStringLiteral("help.png")));
    help.window()->hide();
    lumora::TfmSplash3 splash;
    splash.show();
    splash.step();
    QCoreApplication::processEvents();
    splash.grab().save(dir.filePath(QStringLiteral("splash.png")));
}

} // namespace

int main(int argc, char** argv)
{
    // The version needs no display: answered before Qt looks for one.
    for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i)
        if (std::string_view(argv[i]) == "--version" || std::string_view(argv[i]) == "-v") {
            std::printf("lumora-editor %s\n", lumora::kProgramVersion);
            return 0;
        }

    lumora::TEditorApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(lumora::kProgramVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("lumora-editor")); // its menu entry, for the desktop

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Lumora Offline Editor"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption driveA(QStringLiteral("drive-a"),
                                    QStringLiteral("Block device or 1.44 MB diskette image used as drive A."),
                                    QStringLiteral("PATH"));
    const QCommandLineOption screenshots(QStringLiteral("screenshots"),
                                         QStringLiteral("Save pictures of the windows into FOLDER, then quit."),
                                         QStringLiteral("FOLDER"));
    const QCommandLineOption quitWhenShown(QStringLiteral("quit-when-shown"),
                                           QStringLiteral("Quit as soon as the main window is up (start-up timing)."));
    // For the crash-recovery tests: a change not yet saved, made as the Notes window keeps one.
    QCommandLineOption appendNotes(QStringLiteral("append-notes"),
                                   QStringLiteral("Add TEXT to the show's notes as an unsaved change."),
                                   QStringLiteral("TEXT"));
    appendNotes.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(appendNotes);
    parser.addOption(driveA);
    parser.addOption(screenshots);
    parser.addOption(quitWhenShown);
    parser.addPositionalArgument(QStringLiteral("show"), QStringLiteral("A show file (.lmr) to open."),
                                 QStringLiteral("[SHOW.lmr]"));
    parser.process(app);

    std::optional<std::string> drivePath;
    if (parser.isSet(driveA))
        drivePath = QFile::encodeName(parser.value(driveA)).toStdString();

    lumora::TMessageBoxPresenter presenter;
    lumora::TQtShellDialogs dialogs;
    lumora::TDocumentsShowsFolder showsFolder;
    lumora::THelpPages help;
    lumora::TShellServices services;
    services.messages = &presenter;
    services.dialogs = &dialogs;
    services.showsFolder = &showsFolder;
    services.help = &help;
    // Recent shows and the drive choice, in the user's settings folder. The names are given
    // here only: the program's data folders stay where they are.
    QSettings settings(QStringLiteral("Lumora"), QString::fromLatin1(lumora::kProgramTitle));
    services.settings = &settings;
    services.driveAPath = lumora::DriveAForRun(drivePath, &settings);
    services.disk = lumora::MakePosixDiskBackend(services.driveAPath);

    auto main = lumora::StartEditor(services, lumora::EditorWindows());
    presenter.setParent(main.get());

    if (parser.isSet(quitWhenShown))
        return 0;
    lumora::TRecoveryGuard recovery(*main, lumora::RecoveryLocation(), lumora::SnapshotIntervalFromEnvironment());
    if (const QStringList shows = parser.positionalArguments(); !shows.isEmpty())
        QTimer::singleShot(0, main.get(), [&main, show = shows.front()] { main->openShowFile(show); });
    if (parser.isSet(appendNotes))
        QTimer::singleShot(0, main.get(), [&main, text = parser.value(appendNotes)] {
            auto& g = main->state().globals;
            g.notes = lumora::TextToNotes(lumora::NotesToText(g.notes) + text);
            g.showChanged = 1;
        });
    // After a show named on the command line has opened: a recovered show then replaces
    // a saved one, never unsaved changes.
    if (!parser.isSet(screenshots))
        QTimer::singleShot(0, main.get(), [&recovery] { recovery.offerLeftSnapshots(); });
    if (parser.isSet(screenshots)) {
        QTimer::singleShot(200, main.get(), [&] {
            SaveScreenshots(*main, help, parser.value(screenshots));
            main->close();
        });
    }
    const int result = app.exec();
    return result;
}
