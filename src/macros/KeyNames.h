#pragma once

// The console keyboard: every key a macro can press, with its name as macros list it,
// and the caption, hint and group box of its button in the macro editor.

#include "macros/Macro.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumora {

// ---- Names of codes that are not keys

inline constexpr std::string_view kUndefinedKeyEditor = "UNDEFINED";
inline constexpr std::string_view kUndefinedKeyReport = "<undefined>";
// 255 has a name but no button: the editor never shows it and drops it when it stores a macro.
inline constexpr std::string_view kEmptyEndKeyName = "EMPTYEND";

// ---- Group boxes of the on-screen keyboard, in the editor's order (spaces are part of the caption)

inline constexpr std::string_view kGroupABFader = " A B Fader ";
inline constexpr std::string_view kGroupXYFader = " X Y Fader ";
inline constexpr std::string_view kGroupActionKeys = " Action Keys ";
inline constexpr std::string_view kGroupFunctionKeys = " Function Keys ";
inline constexpr std::string_view kGroupKeypad = " Keypad ";
inline constexpr std::string_view kGroupScreenKeys = " Screen Keys ";
inline constexpr std::string_view kGroupQuorvelKeys = " Quorvel Keys ";

inline constexpr std::array<std::string_view, 7> kConsoleKeyGroups = {
    kGroupABFader, kGroupXYFader,    kGroupActionKeys,  kGroupFunctionKeys,
    kGroupKeypad,  kGroupScreenKeys, kGroupQuorvelKeys,
};

// ---- The keys

struct TConsoleKey {
    std::uint8_t code;
    std::string_view name;    // the console's own name, shown in the key list and the report
    std::string_view caption; // button caption
    std::string_view hint;    // button hint; empty where the caption says it all
    std::string_view group;   // one of kConsoleKeyGroups
};

// In code order. RUN and STEP appear twice: 53 and 54 on the main keyboard, 135 and 133
// among the Quorvel keys; they are different keys with the same name.
inline constexpr std::array<TConsoleKey, 62> kConsoleKeys = {{
    {1, "AB GO", "Go", "", kGroupABFader},
    {2, "AB STOP/REV", "Stop/Rev", "", kGroupABFader},
    {3, "AB FADE TAKE", "F/T", "AB Fade/Take", kGroupABFader},
    {4, "AB LOAD", "Load", "", kGroupABFader},
    {5, "XY GO", "Go", "", kGroupXYFader},
    {6, "XY STOP/REV", "Stop/Rev", "", kGroupXYFader},
    {7, "XY FADE TAKE", "F/T", "XY Fade/Take", kGroupXYFader},
    {8, "XY LOAD", "Load", "", kGroupXYFader},
    {19, "RECORD", "Rec", "Record", kGroupActionKeys},
    {20, "CUE", "Cue", "", kGroupActionKeys},
    {21, "UPDATE", "Updt", "Update", kGroupActionKeys},
    {22, "SUB", "Sub", "Submaster", kGroupActionKeys},
    {23, "DELETE", "Del", "Delete", kGroupActionKeys},
    {24, "EFFECT", "Eff", "Effect", kGroupActionKeys},
    {33, "LAST", "Last", "", kGroupActionKeys},
    {34, "PAGE UP", "PgUp", "Page Up", kGroupActionKeys},
    {35, "NEXT", "Next", "", kGroupActionKeys},
    {36, "PAGE DOWN", "PgDn", "Page Down", kGroupActionKeys},
    {37, "MACRO", "Mac#", "Macro #", kGroupFunctionKeys},
    {38, "CREATE MACRO", "CrMa", "Create Macro", kGroupFunctionKeys},
    {39, "CHECK", "Chk", "Check", kGroupFunctionKeys},
    {40, "TIME", "Time", "", kGroupFunctionKeys},
    {49, "F1", "F1", "", kGroupFunctionKeys},
    {50, "F2", "F2", "", kGroupFunctionKeys},
    {51, "THRU", "Thru", "", kGroupFunctionKeys},
    {52, "EXCEPT", "Excp", "Except", kGroupFunctionKeys},
    {53, "RUN", "Run", "", kGroupFunctionKeys},
    {54, "STEP", "Step", "", kGroupFunctionKeys},
    {55, "CLEAR", "Clr", "Clear", kGroupFunctionKeys},
    {56, "CUE ONLY", "CuOn", "Cue Only", kGroupFunctionKeys},
    {65, "AT", "At", "", kGroupFunctionKeys},
    {66, "AND", "And", "", kGroupFunctionKeys},
    {67, "F3", "F3", "", kGroupFunctionKeys},
    {68, "7", "7", "", kGroupKeypad},
    {69, "1", "1", "", kGroupKeypad},
    {70, "ENTER", "Enter", "", kGroupKeypad},
    {71, "2", "2", "", kGroupKeypad},
    {72, "8", "8", "", kGroupKeypad},
    {81, "3", "3", "", kGroupKeypad},
    {82, "9", "9", "", kGroupKeypad},
    {83, "CUE SCREEN", "Cue", "", kGroupScreenKeys},
    {84, "TRACK SCREEN", "Track", "", kGroupScreenKeys},
    {85, "SUB SCREEN", "Sub", "", kGroupScreenKeys},
    {86, "PATCH SCREEN", "Patch", "", kGroupScreenKeys},
    {87, "EFFECT SCREEN", "Effect", "", kGroupScreenKeys},
    {88, "SETUP SCREEN", "Setup", "", kGroupScreenKeys},
    {97, "4", "4", "", kGroupKeypad},
    {98, "DEC", ".", "", kGroupKeypad},
    {99, "0", "0", "", kGroupKeypad},
    {100, "5", "5", "", kGroupKeypad},
    {101, "BACKSPACE", "<=", "", kGroupKeypad},
    {102, "FL", "FL", "", kGroupKeypad},
    {103, "6", "6", "", kGroupKeypad},
    {104, "STAGE SCREEN", "Stage", "", kGroupScreenKeys},
    {131, "SHIFT RIGHT", "Shift Right", "", kGroupQuorvelKeys},
    {132, "ACT. SETUP", "Act.Setup", "", kGroupQuorvelKeys},
    {133, "STEP", "Step", "", kGroupQuorvelKeys},
    {134, "POS. SETUP", "Pos.Setup", "", kGroupQuorvelKeys},
    {135, "RUN", "Run", "", kGroupQuorvelKeys},
    {136, "DEV. SETUP", "Dev.Setup", "", kGroupQuorvelKeys},
    {137, "HOME", "Home", "", kGroupQuorvelKeys},
    {138, "TYPE SETUP", "Typ.Setup", "", kGroupQuorvelKeys},
}};

// The key with this code, or nullptr for a code without a button (0, unlisted, 252..255).
const TConsoleKey* FindConsoleKey(std::uint8_t code);

// ---- Keystroke texts

// The text of one keystroke from its code and the numbers that follow it: a key's name
// (KeyName), or "Run Position p", "Run Action a", "Load Sub Handle s With e".
std::string KeystrokeText(std::uint8_t code, std::uint8_t first, std::uint8_t second, TKeyNameVariant variant);

// Bytes a keystroke with this code takes in a macro: 3 for Load Sub Handle, 2 for Run
// Position and Run Action, 1 for anything else.
int KeystrokeLength(std::uint8_t code);

} // namespace lumora
