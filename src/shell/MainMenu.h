#pragma once

// The main window: menus, toolbar and large buttons that open the editing screens, the
// file, diskette, reset, print and help commands, the title and the status panel.

#include "shell/Platform.h"
#include "shell/RecentShows.h"
#include "shell/QtUserInterface.h"
#include "shell/WindowRegistry.h"
#include "show/DirectDisk.h"
#include "show/EditorState.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QPushButton;
class QToolBar;

namespace lumora {

class TCueDialogs;
class TfmAbout;
class TfmDskOpt;
class TfmNotes;
struct TRecoverySnapshot;

// ---- Texts the main window shows (the core's own messages live with the core)

inline constexpr const char* kTitlePrefix = "Lumora Offline Editor - ";
inline constexpr const char* kTitleUntitled = "Untitled";
inline constexpr const char* kMsgLoadingEditor = "Loading Editor - Please Wait . . .";
inline constexpr const char* kMsgLoadingTrack = "Loading Track Screen - Please Wait ...";
inline constexpr const char* kMsgSaveNewShow = "Do you want to save this new show?";
inline constexpr const char* kMsgStartNew = "Are you sure you want to start a new project?";
inline constexpr const char* kMsgOpenNew = "Are you sure you want to open a new project?";
inline constexpr const char* kMsgUnsavedLost = "Any unsaved data will be lost.";
inline constexpr const char* kMsgImportDiskInto =
    "Are you sure you want to import data from a Show Disk into the existing project?";
inline constexpr const char* kImportDialogTitle = "Choose File to Import From";
inline constexpr const char* kImportOptionsCaption = "Choose Item(s) to Import";
inline constexpr int kTitleNameField = 60; // characters of the file name the title shows
inline constexpr const char* kOpenBackupTitle = "Open Backup";
inline constexpr const char* kMsgBackupFailed =
    "The show was not saved: the file it would replace could not be kept as a backup first.";

// "The project <name> has changed! Do you want to save the changes?"
std::string ProjectChangedQuestion(const std::string& fileName);
// The characters after the last path separator.
std::string ExtractFileName(const std::string& path);
// "Lumora Offline Editor - " + the file's name, or "Untitled"; a name longer than the
// field is cut and ends in "...".
QString MainWindowTitle(const std::string& fileName);

enum class TReset { Cues, Subs, Patches, Profiles, Effects, Macros, All };

class TfmMain final : public QMainWindow {
    Q_OBJECT

public:
    // The main window's creation: the show (reset to an empty show), the globals, the
    // shows folder. services must outlive the window.
    TfmMain(const TShellServices& services, TWindowRegistry windows, QWidget* parent = nullptr);
    ~TfmMain() override;

    // ---- Program start
    // How many windows createWindows makes, and making them, once each, hidden.
    int windowsToCreate() const;
    void createWindows(const std::function<void(int created)>& progress = {});
    void startupFinished(); // hides the status panel

    // ---- Shared with the windows
    TEditorState& state() { return *m_state; }
    TQtUserInterface& ui() { return *m_ui; }
    TDirDisk& disk() { return *m_disk; }
    const TShellServices& services() const { return m_services; }
    QString showsFolder() const { return m_showsFolder; }

    // ---- Title and status panel
    // The current file name becomes name, the title follows it, the show counts as saved.
    void ChangeFileName(const std::string& name);
    QLabel* statusPanel() const { return m_statusPanel; }

    // ---- The windows it opens (made on first use if start-up has not made them)
    TfmNotes& notesWindow();
    TfmAbout& aboutBox();
    TfmDskOpt& showOptions();
    QDialog* screen(TScreen which);
    QDialog* report(TReport which);

    // ---- Commands (also reached through the menus, toolbar and buttons)
    void fileNew();
    void fileOpen();
    // Open without the dialog (a show named on the command line): the same checks,
    // messages and title; an error reaches the user through the general error handler.
    void openShowFile(const QString& path);
    void fileImport();
    void fileSave();
    void fileSaveAs();
    // File > Open Backup...: the Open dialog in the backups folder, then as Open.
    void fileOpenBackup();
    // A show recovered after a crash: untitled and changed; Save As offers its old name.
    void openRecoveredShow(const TRecoverySnapshot& snapshot);
    void readShowDisk();
    void writeShowDisk();
    void reset(TReset what);
    // Opens a screen; family screens then follow the navigation codes they close with
    // unless followNavigation is false (the View menu's QV Action and QV Position).
    void viewScreen(TScreen which, bool followNavigation = true);
    void viewNotes();
    void printReport(TReport which);
    void printerSetup();
    void helpContents();
    void helpAbout();
    // Tools > Check Show... and File > Compare With... (MainTools.cpp)
    void checkShow();
    void compareWith();
    // File menu: a show from the recent list, as File > Open opens it; a file that is gone
    // is reported and taken off the list.
    void openRecentShow(const QString& path);
    // File > Diskette Drive...: chooses drive A and keeps the choice.
    void chooseDisketteDrive();
    // Drive A from now on: the device or image file at path.
    void useDriveA(const std::string& path);
    const TRecentShows& recentShows() const { return m_recent; }

signals:
    // Reset Cues and Reset All: the cue editor clears its display.
    void cuesReset();
    // Reset Effects and Reset All: the effect screen goes back to "Effect # 1".
    void effectsReset();
    // The show holds no unsaved changes any more: it was saved, or New or Open replaced it.
    void showSettled();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void loadShow(const std::string& name); // the size check, the load, the title
    void buildMenus();
    void buildToolBar();
    void buildButtons(QWidget* central);
    QAction* addAction(QMenu* menu, const char* objectName, const QString& text, std::function<void()> command,
                       const QKeySequence& shortcut = {});
    QAction* toolAction(const char* objectName, const char* icon, const QString& hint, std::function<void()> command);
    QPushButton* bigButton(QWidget* parent, const char* objectName, const QString& text, int column, int row,
                           std::function<void()> command);
    void command(const std::function<void()>& work);
    void enableScreen(QObject* control, TScreen which);
    int openScreenOnce(TScreen which);
    bool queryClose();
    void saveInto(const std::string& name);
    void keepBackup(const std::string& name); // of the file a save would replace
    void buildDesktopItems(); // recent shows, the drive choice and its status bar field
    void rememberShow(const std::string& name);
    void updateRecentMenu();
    void storeRecentShows(); // the menu follows, and the settings keep the list

    TShellServices m_services;
    TWindowRegistry m_registry;
    std::unique_ptr<TQtUserInterface> m_ui;
    std::unique_ptr<TEditorState> m_state;
    std::unique_ptr<TDirDisk> m_disk;
    std::unique_ptr<TCueDialogs> m_dialogs;
    std::unique_ptr<TShellContext> m_context;
    QString m_showsFolder; // empty when it could not be made: the dialogs start where they like
    QString m_saveAsStart; // a recovered show's old file, where Save As starts

    QToolBar* m_toolBar = nullptr;
    QLabel* m_statusPanel = nullptr;
    TfmNotes* m_notes = nullptr;
    TfmAbout* m_about = nullptr;
    TfmDskOpt* m_showOptions = nullptr;
    std::array<QDialog*, kScreenCount> m_screens{};
    std::array<QDialog*, kReportCount> m_reports{};
    TRecentShows m_recent;
    std::vector<QAction*> m_recentActions;
    QAction* m_recentSeparator = nullptr;
    QLabel* m_driveALabel = nullptr;
};

} // namespace lumora
