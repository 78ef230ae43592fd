#include "enquiries/PlayerLookup.h"
#include "support/Players.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(PlayerView, QuarterTotal) {
    struct Case {
        const char *gold, *red, *green, *total;
    } cases[] = {
        {"1.5", "2.25", "0", "3.75"},
        {"120.5", "3.456", "0", "124.00"},
        {"", "", "", "0.00"},
        {"abc", "1", "2", "3.00"},
        {"0.125", "0", "0", "0.13"},
        {"999.96", "0", "0", "1000.00"},
        {"1234.5", "0", "0", "1235.00"},
        {"0.005", "0", "0", "0.01"},
    };
    for (const auto& c : cases) {
        PlayerRecord p;
        p.GoldQ = c.gold;
        p.RedQ = c.red;
        p.GreenQ = c.green;
        EXPECT_EQ(QuarterTotalText(p), c.total) << c.gold << " " << c.red << " " << c.green;
    }
}

TEST(PlayerView, Moves) {
    using M = PlayerMove;
    struct Case {
        M move;
        std::size_t from, players;
        std::optional<std::size_t> to;
    } cases[] = {
        {M::Next, 0, 5, std::nullopt},
        {M::Previous, 0, 5, std::nullopt},
        {M::First, 0, 5, 1},
        {M::Last, 0, 5, 5},
        {M::Next, 5, 5, std::nullopt},
        {M::Last, 5, 5, std::nullopt},
        {M::First, 1, 5, std::nullopt},
        {M::Previous, 1, 5, std::nullopt},
        {M::Next, 2, 5, 3},
        {M::Previous, 3, 5, 2},
        {M::First, 0, 0, std::nullopt},
        {M::Last, 0, 0, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MovePosition(c.move, c.from, c.players), c.to)
            << static_cast<int>(c.move) << " from " << c.from;
}

TEST(PlayerView, SelectionStopsAtTheLastLineAndHoldsAtMost101) {
    std::vector<PlayerRecord> players;
    for (int i = 0; i < 150; ++i)
        players.push_back(test::TestPlayer(std::to_string(1000 + i), "SMITH",
                                           "A" + std::to_string(i), i == 1 ? "3i104" : "3-104"));
    PlayerRegister reg;
    reg.Assign(test::RegisterText(players));
    EXPECT_EQ(SurnameSelection(reg, 1).size(), 101u);
    EXPECT_EQ(SurnameSelection(reg, 140).size(), 11u);
    EXPECT_EQ(SurnameSelection(reg, 0).size(), 0u);
    EXPECT_EQ(SurnameSelection(reg, 1)[0], "SMITH A0  *Regional  3104");
    EXPECT_EQ(SurnameSelection(reg, 2)[0], "SMITH A1  *Regional  3i104");
}

TEST(PlayerView, TextForTheHeadlessCommand) {
    PlayerRecord p = test::TestPlayer("12345", "KARVEL", "ANNE", "3104");
    auto lines = PlayerViewText(p, [](std::string_view code) {
        return code == "3104" ? std::string("3104 ") + std::string(70, 'X') : std::string();
    });
    EXPECT_EQ(lines[1], "Name: ANNE KARVEL");
    EXPECT_EQ(lines[2], "Home Club: 3104 " + std::string(57, 'X')); // first 62 characters
    EXPECT_EQ(lines[3], "Rank *Regional");
    EXPECT_NE(lines[6].find("6.00"), std::string::npos); // 1 + 2 + 3
    EXPECT_EQ(ClubLineText(p, {}), "");
}
