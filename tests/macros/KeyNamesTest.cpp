#include "macros/KeyNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace lumora {
namespace {

using V = TKeyNameVariant;

TMacro MacroOf(std::initializer_list<std::uint8_t> keys)
{
    TMacro m;
    std::copy(keys.begin(), keys.end(), m.Keys.begin());
    return m;
}

// Bytes placed so that the first one is at `position` (1-based).
TMacro MacroAt(int position, std::initializer_list<std::uint8_t> keys)
{
    TMacro m;
    std::copy(keys.begin(), keys.end(), m.Keys.begin() + (position - 1));
    return m;
}

TEST(KeyName, NamesOfBothVariants)
{
    struct Case {
        std::uint8_t code;
        const char* editor;
        const char* report;
    };
    const Case cases[] = {
        {0, "", ""},
        {1, "AB GO", "AB GO"},
        {9, "UNDEFINED", "<undefined>"},
        {53, "RUN", "RUN"},
        {135, "RUN", "RUN"},
        {54, "STEP", "STEP"},
        {133, "STEP", "STEP"},
        {98, "DEC", "DEC"},
        {138, "TYPE SETUP", "TYPE SETUP"},
        {139, "UNDEFINED", "<undefined>"},
        {251, "UNDEFINED", "<undefined>"},
        {252, "UNDEFINED", "<undefined>"},
        {254, "UNDEFINED", "<undefined>"},
        {255, "EMPTYEND", "EMPTYEND"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyName(c.code, V::Editor), c.editor) << int(c.code);
        EXPECT_EQ(KeyName(c.code, V::Report), c.report) << int(c.code);
    }
}

TEST(ConsoleKeys, TableAgreesWithKeyNames)
{
    std::set<int> codes;
    for (const TConsoleKey& key : kConsoleKeys) {
        EXPECT_TRUE(codes.insert(key.code).second) << int(key.code);
        EXPECT_EQ(KeyName(key.code, V::Editor), key.name);
        EXPECT_LE(key.name.size(), 18u); // the editor keeps key names in 18 characters
        EXPECT_FALSE(key.caption.empty()) << int(key.code);
        EXPECT_NE(std::find(kConsoleKeyGroups.begin(), kConsoleKeyGroups.end(), key.group), kConsoleKeyGroups.end());
        EXPECT_EQ(FindConsoleKey(key.code), &key);
    }
    // Every other code names no key and has no button.
    int undefined = 0;
    for (int code = 1; code < 255; ++code)
        if (!codes.count(code)) {
            EXPECT_EQ(FindConsoleKey(static_cast<std::uint8_t>(code)), nullptr);
            undefined += KeyName(static_cast<std::uint8_t>(code), V::Editor) == "UNDEFINED";
        }
    EXPECT_EQ(undefined, 254 - 62);
    EXPECT_EQ(FindConsoleKey(0), nullptr);
    EXPECT_EQ(FindConsoleKey(255), nullptr);
}

TEST(ConsoleKeys, SampleRows)
{
    struct Row {
        std::uint8_t code;
        std::string_view caption, hint, group;
    };
    const Row rows[] = {
        {3, "F/T", "AB Fade/Take", " A B Fader "},
        {8, "Load", "", " X Y Fader "},
        {22, "Sub", "Submaster", " Action Keys "},
        {37, "Mac#", "Macro #", " Function Keys "},
        {101, "<=", "", " Keypad "},
        {104, "Stage", "", " Screen Keys "},
        {131, "Shift Right", "", " Quorvel Keys "},
        {138, "Typ.Setup", "", " Quorvel Keys "},
    };
    for (const Row& r : rows) {
        const TConsoleKey* key = FindConsoleKey(r.code);
        ASSERT_NE(key, nullptr) << int(r.code);
        EXPECT_EQ(key->caption, r.caption);
        EXPECT_EQ(key->hint, r.hint);
        EXPECT_EQ(key->group, r.group);
    }
    // Buttons per group box.
    const std::pair<std::string_view, int> perGroup[] = {
        {" A B Fader ", 4}, {" X Y Fader ", 4},   {" Action Keys ", 10}, {" Function Keys ", 15},
        {" Keypad ", 14},   {" Screen Keys ", 7}, {" Quorvel Keys ", 8},
    };
    for (const auto& row : perGroup) {
        const std::string_view group = row.first;
        EXPECT_EQ(std::count_if(kConsoleKeys.begin(), kConsoleKeys.end(), [&](auto& k) { return k.group == group; }),
                  row.second)
            << group;
    }
}

TEST(ReadKeystrokes, EditorReading)
{
    struct Case {
        const char* what;
        TMacro macro;
        std::vector<TKeystroke> strokes;
    };
    const Case cases[] = {
        {"empty", TMacro{}, {}},
        {"load sub handle", MacroOf({254, 3, 7}), {{1, 3, "Load Sub Handle 3 With 7"}}},
        {"run position 0", MacroOf({252, 0}), {{1, 2, "Run Position 0"}}},
        {"run action", MacroOf({253, 100}), {{1, 2, "Run Action 100"}}},
        {"undefined key", MacroOf({9}), {{1, 1, "UNDEFINED"}}},
        {"zeros between keys", MacroOf({0, 19, 0, 0, 70}), {{2, 1, "RECORD"}, {5, 1, "ENTER"}}},
        {"end mark gives nothing", MacroOf({255, 1, 255}), {{2, 1, "AB GO"}}},
        {"parameters may be any byte",
         MacroOf({254, 255, 252, 1}),
         {{1, 3, "Load Sub Handle 255 With 252"}, {4, 1, "AB GO"}}},
        {"run position at 20", MacroAt(20, {252}), {}},
        {"run action at 20", MacroAt(20, {253}), {}},
        {"run position at 19", MacroAt(19, {252, 5}), {{19, 2, "Run Position 5"}}},
        {"load sub handle at 18", MacroAt(18, {254, 1, 2}), {{18, 3, "Load Sub Handle 1 With 2"}}},
        // Too near the end: no keystroke, and the byte after it is read on its own.
        {"load sub handle at 19", MacroAt(19, {254, 1}), {{20, 1, "AB GO"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadKeystrokes(c.macro, V::Editor), c.strokes) << c.what;
}

TEST(ReadKeystrokes, ReportVariantNamesUnknownCodesItsOwnWay)
{
    const std::vector<TKeystroke> expected = {{1, 1, "<undefined>"}, {2, 2, "Run Action 9"}};
    EXPECT_EQ(ReadKeystrokes(MacroOf({9, 253, 9}), V::Report), expected);
}

TEST(ReadKeystrokes, FullMacroOfKeys)
{
    TMacro m;
    for (int i = 0; i < 20; ++i)
        m.Keys[i] = kConsoleKeys[i].code;
    const auto strokes = ReadKeystrokes(m, V::Editor);
    ASSERT_EQ(strokes.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(strokes[i], (TKeystroke{i + 1, 1, std::string(kConsoleKeys[i].name)}));
}

TEST(KeystrokeText, SpecialsAndKeys)
{
    EXPECT_EQ(KeystrokeText(252, 12, 99, V::Editor), "Run Position 12");
    EXPECT_EQ(KeystrokeText(253, 0, 0, V::Editor), "Run Action 0");
    EXPECT_EQ(KeystrokeText(254, 24, 50, V::Report), "Load Sub Handle 24 With 50");
    EXPECT_EQ(KeystrokeText(70, 1, 2, V::Editor), "ENTER");
    EXPECT_EQ(KeystrokeLength(252), 2);
    EXPECT_EQ(KeystrokeLength(253), 2);
    EXPECT_EQ(KeystrokeLength(254), 3);
    EXPECT_EQ(KeystrokeLength(255), 1);
    EXPECT_EQ(KeystrokeLength(1), 1);
}

} // namespace
} // namespace lumora
