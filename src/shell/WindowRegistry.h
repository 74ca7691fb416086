#pragma once

// The editing screens and report windows the main window opens. Each is registered once
// with a factory; the main window creates every registered window at start-up, hidden,
// and keeps the commands of the screens that do not exist (yet) disabled. Wiring in a new
// screen is one addScreen line in EditorWindows() (Windows.cpp).

#include "shell/Platform.h"
#include "show/EditorState.h"

#include <array>
#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace lumora {

class TCueDialogs;
class TfmMain;

// ---- What can be opened

enum class TScreen : int {
    CueEditor,
    CueList,
    Track,
    SubEditor,
    SubList,
    Patch,
    Profile,
    Effect,
    Macro,
    QvType,
    QvDevice,
    QvAction,
    QvPosition,
};
inline constexpr int kScreenCount = 13;

enum class TReport : int {
    QvType,
    QvAction,
    QvDevice,
    QvPosition,
    CueLevels,
    CueList,
    Track,
    Effects,
    Macros,
    Patches,
    Profiles,
    Subs,
    SubList,
};
inline constexpr int kReportCount = 13;

// ---- Sibling screens: a family screen closes with the code of the screen to open next

enum class TFamily { Subs, Quorvel };

inline constexpr int kNavSubEditor = 3, kNavSubList = 4;
inline constexpr int kNavQvType = 3, kNavQvDevice = 4, kNavQvAction = 5, kNavQvPosition = 6;

// The screen a navigation code opens in a family; nothing for any other code (a screen
// closed normally returns 1 or 0 and ends the chain).
std::optional<TScreen> FamilyScreen(TFamily family, int code);

// ---- What a window gets when it is made

struct TShellContext {
    TEditorState& state;
    const TShellServices& services;
    TfmMain& main;        // signals cuesReset and effectsReset, the status panel, the disk
    TCueDialogs& dialogs; // Insert Cue, Copy Range and Set Channel Levels, one of each for the program
};

// Makes the window, parented to parent; it is shown with exec() and its result is the
// navigation code for family screens. Reports are opened the same way.
using TWindowFactory = std::function<QDialog*(TShellContext& context, QWidget* parent)>;

class TWindowRegistry final {
public:
    void addScreen(TScreen screen, TWindowFactory factory);
    void addReport(TReport report, TWindowFactory factory);

    const TWindowFactory* screen(TScreen screen) const;
    const TWindowFactory* report(TReport report) const;

private:
    std::array<TWindowFactory, kScreenCount> m_screens;
    std::array<TWindowFactory, kReportCount> m_reports;
};

// Every editing screen and report of the program.
TWindowRegistry EditorWindows();

} // namespace lumora
