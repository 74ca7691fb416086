// The rules of the File menu's recent shows.

#include "shell/RecentShows.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentShows, NewestFirstEachPathOnceAtMostEight)
{
    TRecentShows recent;
    for (int i = 1; i <= 10; ++i)
        recent.add("/shows/" + std::to_string(i) + ".lmr");
    EXPECT_EQ(recent.paths(), (Paths{"/shows/10.lmr", "/shows/9.lmr", "/shows/8.lmr", "/shows/7.lmr", "/shows/6.lmr",
                                     "/shows/5.lmr", "/shows/4.lmr", "/shows/3.lmr"}));

    recent.add("/shows/5.lmr"); // again: to the top, not twice
    EXPECT_EQ(recent.paths().front(), "/shows/5.lmr");
    EXPECT_EQ(recent.paths().size(), 8u);
    EXPECT_EQ(std::count(recent.paths().begin(), recent.paths().end(), "/shows/5.lmr"), 1);
    EXPECT_EQ(recent.paths().back(), "/shows/3.lmr"); // nothing fell off

    recent.add("/shows/10.lmr");
    recent.add("");
    EXPECT_EQ(recent.paths()[0], "/shows/10.lmr");
    EXPECT_EQ(recent.paths()[1], "/shows/5.lmr");
    EXPECT_EQ(recent.paths().size(), 8u);
}

TEST(RecentShows, RemoveDropsOnlyThatShow)
{
    TRecentShows recent(Paths{"/a.lmr", "/b.lmr", "/c.lmr"});
    EXPECT_TRUE(recent.remove("/b.lmr"));
    EXPECT_FALSE(recent.remove("/b.lmr"));
    EXPECT_FALSE(recent.remove("/B.lmr"));
    EXPECT_EQ(recent.paths(), (Paths{"/a.lmr", "/c.lmr"}));
}

TEST(RecentShows, AStoredListIsCleanedOnTheWayIn)
{
    // Written by hand or by another version: empties, repeats and too many entries.
    const TRecentShows recent(Paths{"", "/1.lmr", "/2.lmr", "/1.lmr", "/3.lmr", "/4.lmr", "", "/5.lmr", "/6.lmr",
                                    "/7.lmr", "/8.lmr", "/9.lmr"});
    EXPECT_EQ(recent.paths(), (Paths{"/1.lmr", "/2.lmr", "/3.lmr", "/4.lmr", "/5.lmr", "/6.lmr", "/7.lmr", "/8.lmr"}));
}

TEST(RecentShows, MenuTextNumbersTheNameAndKeepsItsAmpersands)
{
    const struct {
        std::size_t index;
        std::string path;
        std::string text;
    } cases[] = {
        {0, "/home/anna/My Shows/Opening Night.lmr", "&1 Opening Night.lmr"},
        {7, "/shows/Romeo & Juliet.lmr", "&8 Romeo && Juliet.lmr"},
        {2, "plain.lmr", "&3 plain.lmr"},
        {1, "/shows/Ünïcode.lmr", "&2 Ünïcode.lmr"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TRecentShows::MenuText(c.index, c.path), c.text) << c.path;
}

} // namespace
} // namespace lumora
