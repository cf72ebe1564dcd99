// The command line remembers its last 100 entries for Page Up / Page Down.
#include <gtest/gtest.h>

#include <string>

#include "app/command_history.h"

using app::CommandHistory;

TEST(CommandHistory, StartsEmptyAndBothDirectionsDoNothing) {
    CommandHistory h;
    EXPECT_EQ(h.older(), std::nullopt);
    EXPECT_EQ(h.newer(), std::nullopt);
    EXPECT_EQ(h.position, 0);
}

TEST(CommandHistory, AnEmptyEntryIsRememberedLikeAnyOther) {
    CommandHistory h;
    h.add("");
    ASSERT_EQ(h.entries.size(), 1u);
    EXPECT_EQ(h.older(), std::string());
}

TEST(CommandHistory, PageUpFromAFreshLineShowsTheNewestFirstAndStopsAtTheOldest) {
    CommandHistory h;
    h.add("1 fd");
    h.add("2 fd");
    h.add("3 fd");
    EXPECT_EQ(h.older(), "3 fd");
    EXPECT_EQ(h.older(), "2 fd");
    EXPECT_EQ(h.older(), "1 fd");
    EXPECT_EQ(h.older(), std::nullopt) << "Page Up at the oldest entry does nothing";
    EXPECT_EQ(h.position, 0);
}

TEST(CommandHistory, PageDownPastTheNewestGivesAnEmptyLineThenNothing) {
    CommandHistory h;
    h.add("a");
    h.add("b");
    h.older();
    h.older();
    EXPECT_EQ(h.newer(), "b");
    EXPECT_EQ(h.newer(), std::string());
    EXPECT_EQ(h.newer(), std::nullopt);
    EXPECT_EQ(h.position, 2);
}

TEST(CommandHistory, AfterAnEntryTheWalkStartsAgainFromTheNewest) {
    CommandHistory h;
    h.add("a");
    h.add("b");
    h.older();
    h.older();
    h.add("c");
    EXPECT_EQ(h.older(), "c");
}

TEST(CommandHistory, After101EntriesTheLast100AreKept) {
    CommandHistory h;
    for (int i = 1; i <= 101; ++i) h.add(std::to_string(i));
    ASSERT_EQ(h.entries.size(), 100u);
    EXPECT_EQ(h.entries.front(), "2");
    EXPECT_EQ(h.entries.back(), "101");
    EXPECT_EQ(h.position, 100);
    std::optional<std::string> last;
    int steps = 0;
    while (auto e = h.older()) {
        last = e;
        ++steps;
    }
    EXPECT_EQ(steps, 100);
    EXPECT_EQ(last, "2") << "the first entry is gone";
}
