#include "statements/Promotion.h"
#include "support/Players.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(Promotion, RankLookup) {
    EXPECT_EQ(RankLookup("Nil"), 0);
    EXPECT_EQ(RankLookup("**Nationa"), 12);
    EXPECT_EQ(RankLookup("Emerald G"), 20);
    EXPECT_EQ(RankLookup("Diamond G"), 20);
    EXPECT_EQ(RankLookup("local"), std::nullopt);
    EXPECT_EQ(RankLookup(""), std::nullopt);
}

namespace {

PlayerRecord Holding(const char* rank, const char* total, const char* gold, const char* red) {
    PlayerRecord p = test::TestPlayer("12345", "KARVEL");
    p.Rank = rank;
    p.OverallTotal = total;
    p.OverallGold = gold;
    p.OverallRed = red;
    return p;
}

Promotion For(const PlayerRecord& p, const Result<Amount>& pre82, bool* asked = nullptr) {
    return PromotionRequirements(p, *RankLookup(p.Rank), [=] {
        if (asked)
            *asked = true;
        return pre82;
    });
}

} // namespace

TEST(Promotion, StillNeedRules) {
    struct Case {
        const char *rank, *total, *gold, *red;
        int pre82;
        const char* next;
        std::array<const char*, 3> must, now, need;
    } cases[] = {
        {"Nil",
         "0.00",
         "0.00",
         "0.00",
         0,
         "Graduate Master.",
         {"2.00", "0.00", "0.00"},
         {"0.00", "0", "0.00"},
         {"2.00", "n/a", "n/a"}},
        {"Regional",
         "60.00",
         "5.00",
         "5.00",
         0,
         "*Regional Master.",
         {"100.00", "0.00", "0.00"},
         {"60.00", "10", "5.00"},
         {"40.00", "n/a", "n/a"}},
        {"*Regional",
         "120.00",
         "10.00",
         "10.00",
         0,
         "State Master.",
         {"50.00", "25.00", "0.00"},
         {"120.00", "20", "10.00"},
         {"0.00", "5.00", "n/a"}},
        {"*National",
         "250.00",
         "0.00",
         "160.00",
         10,
         "**National Master.",
         {"300.00", "150.00", "0.00"},
         {"250.00", "160", "0.00 *"},
         {"50.00", "0.00", "-2.00"}},
        {"Silver Lf",
         "600.00",
         "30.00",
         "300.00",
         50,
         "Gold Life Master.",
         {"750.00", "450.00", "75.00"},
         {"600.00", "330", "30.00 *"},
         {"150.00", "120.00", "35.00"}},
        {"Gold Life",
         "900.00",
         "100.00",
         "500.00",
         100,
         "Grand Master.",
         {"1000.00", "700.00", "200.00"},
         {"900.00", "600", "100.00 *"},
         {"100.00", "100.00", "60.00"}},
        {"Diamond G",
         "16000.00",
         "6000.00",
         "8000.00",
         0,
         "Diamond Grand Master.",
         {"15000.00", "13000.00", "5000.00"},
         {"16000.00", "14000", "6000.00"},
         {"0.00", "0.00", "0.00"}},
        {"Grand",
         "1234.56",
         "300.00",
         "500.00",
         0,
         "Silver Grand Master.",
         {"2500.00", "1900.00", "600.00"},
         {"1234.56", "800", "300.00"},
         {"1265.40", "1100.00", "300.00"}},
    };
    for (const auto& c : cases) {
        Promotion p = For(Holding(c.rank, c.total, c.gold, c.red), Amount::Whole(c.pre82));
        EXPECT_EQ(p.CurrentRankText, std::string(c.rank) + " Master");
        EXPECT_EQ(p.NextRankText, c.next) << c.rank;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(p.MustHave[i], c.must[static_cast<std::size_t>(i)])
                << c.rank << " must " << i;
            EXPECT_EQ(p.NowHave[i], c.now[static_cast<std::size_t>(i)]) << c.rank << " now " << i;
            EXPECT_EQ(p.StillNeed[i], c.need[static_cast<std::size_t>(i)])
                << c.rank << " need " << i;
        }
    }
}

TEST(Promotion, NotesOnScreenAndInPrint) {
    Promotion silver = For(Holding("Silver Lf", "600.00", "30.00", "300.00"), Amount::Whole(50));
    EXPECT_EQ(silver.ScreenNote[0], "* 20% of 50.00  (10.00)  red points earned prior to 1982");
    EXPECT_EQ(silver.ScreenNote[1], "count as additional gold points");
    EXPECT_TRUE(silver.PrintedNoteApplies());
    EXPECT_EQ(silver.PrintedNote(1), "count as additional gold points.");
    EXPECT_EQ(silver.PrintedGoldNeed(), "35.00");

    Promotion gold = For(Holding("Gold Life", "900.00", "100.00", "500.00"), Amount::Whole(100));
    EXPECT_EQ(gold.PrintedNote(0), "* 40% of 100.00  (40.00)  red points earned prior to 1982");

    // Printed whenever gold is still needed, also without pre-1982 points.
    Promotion none = For(Holding("Silver Lf", "600.00", "30.00", "300.00"), Amount::Whole(0));
    EXPECT_EQ(none.ScreenNote[0], "");
    EXPECT_TRUE(none.PrintedNoteApplies());
    EXPECT_EQ(none.PrintedNote(0), "* 20% of 0.00  (0.00)  red points earned prior to 1982");
    EXPECT_EQ(none.PrintedGoldHave(Holding("Silver Lf", "600.00", "30.00", "300.00")), "30.00 *");

    // No gold need (shortfall exactly 0): no printed note even with pre-1982 points.
    Promotion exact = For(Holding("*National", "250.00", "0.00", "160.00"), Amount::Whole(10));
    EXPECT_FALSE(exact.PrintedNoteApplies());
    EXPECT_EQ(exact.PrintedGoldNeed(), "-2.00");

    // Gold already met: the pre-1982 points are never read.
    bool asked = false;
    Promotion met =
        For(Holding("Silver Lf", "600.00", "80.00", "300.00"), Amount::Whole(50), &asked);
    EXPECT_FALSE(asked);
    EXPECT_EQ(met.StillNeed[2], "0.00");

    Promotion state = For(Holding("State", "60.00", "20.00", "20.00"), Amount::Whole(0));
    EXPECT_FALSE(state.PrintedNoteApplies());
    EXPECT_EQ(state.PrintedGoldNeed(), "n/a");
}

// A value that is not a number stops the block there: what was worked out before it stays.
TEST(Promotion, StopsAtAValueThatIsNotANumber) {
    const Failure badPre82{"' bad  ' is not a valid floating point value"};
    struct Case {
        PlayerRecord player;
        Result<Amount> pre82;
        const char* stoppedBy; // none when the block is whole
        const char* nowHaveTotal;
        const char* stillNeedGold;
    } cases[] = {
        {Holding("Club", "abc", "0.00", "0.00"), Amount{},
         "'abc' is not a valid floating point value", "", ""},
        {Holding("Silver Lf", "600.00", "10.00", "300.00"), badPre82,
         "' bad  ' is not a valid floating point value", "600.00", ""},
        // Gold already met: the points are never read, so they cannot stop the block.
        {Holding("Silver Lf", "600.00", "80.00", "300.00"), badPre82, nullptr, "600.00", "0.00"},
    };
    for (const auto& c : cases) {
        const Promotion p = For(c.player, c.pre82);
        ASSERT_EQ(p.StoppedBy.has_value(), c.stoppedBy != nullptr) << c.player.OverallGold;
        EXPECT_EQ(p.StoppedBy.value_or(Failure{}).Message, c.stoppedBy ? c.stoppedBy : "");
        EXPECT_EQ(p.NowHave[0], c.nowHaveTotal) << c.player.OverallGold;
        EXPECT_EQ(p.StillNeed[2], c.stillNeedGold) << c.player.OverallGold;
    }
}
