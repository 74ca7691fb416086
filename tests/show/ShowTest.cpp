#include "show/EditorState.h"

#include "support/RandomShow.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

void ExpectStartShow(TShow& show)
{
    EXPECT_EQ(show.cueList.count, 0);
    EXPECT_EQ(show.cueList.current, 0);
    EXPECT_FALSE(show.cueList.cueOnlyMode);
    for (auto& page : show.subs)
        for (auto& sub : page)
            EXPECT_TRUE(sub == TSub{});
    for (int page = 1; page <= 2; ++page)
        for (int d = 1; d <= kDimmers; ++d) {
            const auto& e = show.patch(page).dimmer(d);
            EXPECT_EQ(e.Channel, d <= 512 ? d : 0);
            EXPECT_EQ(e.Level, 100);
            EXPECT_EQ(e.Profile, 0);
            EXPECT_FALSE(e.Park || e.Nondim);
        }
    EXPECT_EQ(show.profile(1).name, "Linear");
    EXPECT_EQ(show.profile(6).name, "Ballast");
    EXPECT_EQ(show.profile(7).name, "");
    for (int n = 1; n <= kEffects; ++n) {
        EXPECT_EQ(show.effect(n).Name, "Linear");
        EXPECT_EQ(show.effect(n).StepCount, 0);
    }
    for (auto& macro : show.macros)
        EXPECT_TRUE(macro == TMacro{});
    EXPECT_TRUE(show.quorvel == TQuorvel{});
}

TEST(Show, StartState)
{
    test::TRecordingUi ui;
    TEditorState state(ui);
    ExpectStartShow(state.show());
    EXPECT_EQ(state.globals.showChanged, 0);
    EXPECT_EQ(state.globals.fileName, "");
    EXPECT_EQ(state.globals.notes, "");
    EXPECT_EQ(state.globals.driveLetter, 'A');
    EXPECT_EQ(state.globals.newShow, 1);
    EXPECT_EQ(state.globals.loadedFromFile, 0);
    EXPECT_EQ(state.globals.loadedFromDiskette, 0);
    EXPECT_EQ(state.globals.presence, TPresenceFlags{});
    EXPECT_EQ(state.globals.importing, 0);
}

TEST(Show, ResetShowRestoresEveryKindButNotTheGlobals)
{
    test::TRecordingUi ui;
    TEditorState state(ui);
    test::FillRandomShow(state.show(), 9);
    state.globals.fileName = "/shows/a.lmr";
    state.globals.notes = "n";
    state.globals.showChanged = 1;
    state.show().ResetShow();
    ExpectStartShow(state.show());
    EXPECT_EQ(state.globals.fileName, "/shows/a.lmr");
    EXPECT_EQ(state.globals.notes, "n");
    EXPECT_EQ(state.globals.showChanged, 1);
}

} // namespace
} // namespace lumora
