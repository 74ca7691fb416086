#pragma once

// The editor's seams to the desktop: message boxes, the common dialogs, the shows
// folder and help. The program runs on the Qt implementations (PlatformQt.h); tests put
// scripted fakes in their place, so every question can be answered and every text read.

#include "show/UserInterface.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>

class QSettings;
class QWidget;

namespace lumora {

class IRawDiskBackend;

inline constexpr const char* kProgramTitle = "Lumora Offline Editor";
inline constexpr const char* kButtonLater = "Later";

// ---- Message boxes

class IMessagePresenter {
public:
    // YesNoLater: Yes, No and a "Later" button that (as Cancel does) replies Cancel.
    enum class Buttons { Ok, YesNo, YesNoCancel, YesNoLater };
    enum class Reply { Ok, Yes, No, Cancel };

    virtual ~IMessagePresenter() = default;
    // A modal box titled "Lumora Offline Editor" with the icon and the buttons named;
    // closing it without a button counts as the last button (OK, No or Cancel).
    virtual Reply present(IUserInterface::Icon icon, const QString& text, Buttons buttons) = 0;
};

// ---- Common dialogs

class IShellDialogs {
public:
    virtual ~IShellDialogs() = default;
    // The Open dialog over show files, starting in `folder`; an empty title keeps the
    // system's default. Nothing when the user cancels.
    virtual std::optional<QString> openShowFile(QWidget* parent, const QString& title, const QString& folder) = 0;
    // The Save dialog over show files: ".lmr" is added to a name typed without an
    // extension, and an existing file is replaced only after the user agrees. `folder`
    // may also be a file's path: the dialog then starts in its folder with its name.
    virtual std::optional<QString> saveShowFile(QWidget* parent, const QString& folder) = 0;
    // The Open dialog over show files and 1.44 MB diskette images (File > Compare With...).
    virtual std::optional<QString> openShowOrImage(QWidget* parent, const QString& title, const QString& folder)
    {
        return openShowFile(parent, title, folder);
    }
    // The system's printer set-up; the reports print with what the user chose here.
    virtual void printerSetup(QWidget* parent) = 0;
    // The Open and Save dialogs over files of one kind (filter "QV Type Files (*.qvt)",
    // extension "qvt"), titled title, starting in folder; Save asks nothing about an
    // existing file (the caller does). Nothing when the user cancels; a program without
    // such dialogs has none to offer.
    virtual std::optional<QString> openFile(QWidget* /*parent*/, const QString& /*title*/, const QString& /*folder*/,
                                            const QString& /*filter*/, const QString& /*extension*/)
    {
        return std::nullopt;
    }
    virtual std::optional<QString> saveFile(QWidget* /*parent*/, const QString& /*title*/, const QString& /*folder*/,
                                            const QString& /*filter*/, const QString& /*extension*/)
    {
        return std::nullopt;
    }
};

// ---- Where shows are kept

class IShowsFolder {
public:
    virtual ~IShowsFolder() = default;
    // The "My Shows" folder (it may not exist yet: the main window creates it).
    virtual QString location() const = 0;
};

// ---- Help

class IHelp {
public:
    virtual ~IHelp() = default;
    // Shows the help page of a topic number (100 is the main window's).
    virtual void showTopic(int topic) = 0;
};

// ---- All of them, as the main window receives them (not owned, except the disk)

struct TShellServices {
    IMessagePresenter* messages = nullptr;
    IShellDialogs* dialogs = nullptr;
    IShowsFolder* showsFolder = nullptr;
    IHelp* help = nullptr;
    std::shared_ptr<IRawDiskBackend> disk; // drive A
    std::string driveAPath;                // what disk reads and writes, as the status bar names it
    QSettings* settings = nullptr;         // recent shows and the drive choice; none: nothing is kept
    std::string sysfsRoot = "/sys";        // where the kernel lists the removable drives
};

} // namespace lumora
