#include "register/PlayerRegister.h"
#include "core/Columns.h"
#include "core/TextHelpers.h"
#include "support/Players.h"

#include <gtest/gtest.h>
#include <random>

using namespace mpsec;

namespace {

PlayerRecord Player(const std::string& number, const std::string& surname, const std::string& given,
                    const std::string& club = "3-104") {
    return test::TestPlayer(number, surname, given, club);
}

using test::RegisterText;

const GivenNameCorrection kCorrection{"KOLK", "MARIE", "MARIE-THERES"};

} // namespace

TEST(PlayerRegister, ParsesEveryFieldFromItsColumns) {
    const std::string line = MakePlayerLine(Player("12345", "KARVEL", "ALANA", "3-104"));
    ASSERT_EQ(line.size(), 132u);
    EXPECT_EQ(line.substr(0, 7), "  12345");
    EXPECT_EQ(line[69], ' '); // column 70 is shared by two fields
    PlayerRecord p = ParsePlayerLine(line, kCorrection);
    PlayerRecord expected = Player("12345", "KARVEL", "ALANA", "3104");
    EXPECT_EQ(p, expected);
}

TEST(PlayerRegister, HomeClubAndGivenNameCorrection) {
    struct Case {
        std::string surname, given, club;
        std::string parsedGiven, parsedClub;
        bool inactive;
    } cases[] = {
        {"KARVEL", "ALANA", "3-104", "ALANA", "3104", false},
        {"KARVEL", "ALANA", "3i104", "ALANA", "3i104", true},
        {"KARVEL", "ALANA", "9-997", "ALANA", "9997", false},
        {"KOLK", "MARIE", "2-101", "MARIE-THERES", "2101", false},
        {"KOLK", "MARIA", "2-101", "MARIA", "2101", false},
        {"KOLKE", "MARIE", "2-101", "MARIE", "2101", false},
        {"KARVEL", "ALANA", "", "ALANA", "", false},
        {"KARVEL", "ALANA", "i", "ALANA", "i", false},
    };
    for (const auto& c : cases) {
        PlayerRecord p =
            ParsePlayerLine(MakePlayerLine(Player("1", c.surname, c.given, c.club)), kCorrection);
        EXPECT_EQ(p.GivenName, c.parsedGiven) << c.surname << " " << c.given;
        EXPECT_EQ(p.HomeClub, c.parsedClub) << c.club;
        EXPECT_EQ(IsInactive(p), c.inactive) << c.club;
    }
}

TEST(PlayerRegister, ShortLinesGiveTheCharactersTheyHave) {
    const std::string full = MakePlayerLine(Player("12345", "KARVEL", "ALANA"));
    PlayerRecord p = ParsePlayerLine(full.substr(0, 30), kCorrection);
    EXPECT_EQ(p.QMRNo, "12345");
    EXPECT_EQ(p.Surname, "KARVEL");
    EXPECT_EQ(p.GivenName, "ALA");
    EXPECT_EQ(p.Rank, "");
    EXPECT_EQ(p.HomeClub, "");
    EXPECT_EQ(ParsePlayerLine("", kCorrection), PlayerRecord{});
    EXPECT_EQ(ParsePlayerLine("\x01\x02", kCorrection).QMRNo, "");
    // Bytes above 127 are text, not blanks.
    EXPECT_EQ(
        ParsePlayerLine(MakePlayerLine(Player("7", "B\xC9RARD", "\xC9MILE")), kCorrection).Surname,
        "B\xC9RARD");
}

TEST(PlayerRegister, FindsPlayersByNumber) {
    PlayerRegister reg(kCorrection);
    reg.Assign(RegisterText({Player("12345", "ALPHA", "A"), Player("0", "BETA", "B"),
                             Player("1234567", "GAMMA", "C"), Player("12345", "DELTA", "D"),
                             Player("99", "EPSILON", "E")}));
    struct Case {
        const char* number;
        std::size_t line;
    } cases[] = {
        {"012345", 1}, {"12345", 1}, {"0012345", 1}, // the first of two entries wins
        {"0", 2},      {"000", 2},   {"1234567", 3}, {"12345678", 3}, // cut to 7
        {"99", 5},     {"099", 5},   {"", 0},        {"54321", 0},    {" 12345", 1}, {"1", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reg.FindPlayerByNumber(c.number), c.line) << "'" << c.number << "'";
    // Looked up all at once (the list twice, longer than the look-ahead), each number finds
    // what it finds alone.
    std::vector<std::string_view> numbers;
    for (int round = 0; round < 2; ++round)
        for (const auto& c : cases)
            numbers.push_back(c.number);
    const std::vector<std::size_t> found = reg.FindPlayersByNumber(numbers);
    ASSERT_EQ(found.size(), numbers.size());
    for (std::size_t i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(found[i], cases[i % std::size(cases)].line) << "'" << numbers[i] << "'";
    EXPECT_EQ(reg.NumberIndexCount(), 5u);
    EXPECT_EQ(reg.NumberIndex(0), "  12345");
}

TEST(PlayerRegister, EmptyAndHeaderOnlyRegistersFindNothing) {
    for (const char* text : {"", "HEADER\r\n", "HEADER"}) {
        PlayerRegister reg;
        reg.Assign(text);
        EXPECT_EQ(reg.NumberIndexCount(), 0u);
        EXPECT_EQ(reg.FindPlayerByNumber("1"), 0u);
        EXPECT_EQ(reg.FindPlayerBySurname("A", ""), 0u);
        EXPECT_EQ(reg.FindPlayerBySurname("A", "B"), 0u);
    }
}

TEST(PlayerRegister, FindsPlayersBySurname) {
    PlayerRegister reg(kCorrection);
    reg.Assign(RegisterText({Player("1", "ADAMS", "PETER"), Player("2", "SMITH", "ANNE"),
                             Player("3", "SMITH", "J"), Player("4", "SMITH", "JOHN"),
                             Player("5", "SMITH", "MARY"), Player("6", "SMITHERS", "ALAN"),
                             Player("7", "TURNER", "BEN")}));
    struct Case {
        const char* surname;
        const char* given;
        std::size_t line;
    } cases[] = {
        {"SMI", "", 2},
        {"SMITH", "", 2},
        {"SMITHE", "", 6},
        {"SN", "", 7},
        {"A", "", 1},
        {"ZED", "", 0},
        {"SMITH", "J", 4}, // bare J sorts first
        {"SMITH", "JO", 4},
        {"SMITH", "K", 5},
        {"SMITH", "N", 0},
        {"SMI", "A", 0},
        {"SMITHERS", "A", 6},
        {"TURNER", "BE", 7},
        {"TURNER", "BEN", 0}, // a whole short name sorts before its padded self
        {"TURNER", "BENJAMIN", 0},
        {"ABCDEFGHIJKLMNOPQRSTUV", "", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reg.FindPlayerBySurname(c.surname, c.given), c.line)
            << c.surname << "/" << c.given;
}

// The look-ups must give what a plain scan of the lines gives, whatever the file's order.
TEST(PlayerRegister, SurnameSearchMatchesAPlainScanOnUnsortedRegisters) {
    std::mt19937 rng(7);
    const char* names[] = {"AB", "ABB", "B", "BA", "C", "CA", "CAB", "D"};
    const char* givens[] = {"A", "AL", "B", "BO", "C", "Z"};
    for (int round = 0; round < 40; ++round) {
        std::vector<PlayerRecord> players;
        int n = 1 + static_cast<int>(rng() % 30);
        for (int i = 0; i < n; ++i)
            players.push_back(Player(std::to_string(i), names[rng() % 8], givens[rng() % 6]));
        PlayerRegister reg(kCorrection);
        reg.Assign(RegisterText(players));
        for (const char* s : {"A", "AB", "ABA", "B", "BA", "C", "CAB", "CB", "D", "E"}) {
            for (const char* g : {"", "A", "B", "C", "D"}) {
                std::size_t expected = 0;
                const std::string key = PadRight(s, 18, ' ');
                const std::string given = PadRight(g, 10, ' ');
                for (std::size_t line = 1; line < reg.Count() && !expected; ++line) {
                    std::string_view l = reg.NationalList()[line];
                    if (*g == 0
                            ? Cols(l, 9, 18) >= key
                            : Cols(l, 9, 18) == key && Cols(l, 28, 8) >= std::string_view(given))
                        expected = line;
                }
                EXPECT_EQ(reg.FindPlayerBySurname(s, g), expected)
                    << "round " << round << " " << s << "/" << g;
            }
        }
    }
}

TEST(PlayerRegister, LoadsFileWithLfOrCrLf) {
    test::TempFolder dir;
    std::string text = RegisterText({Player("12345", "ALPHA", "A"), Player("2", "BETA", "B")});
    dir.Write("crlf.txt", text);
    std::string lf;
    for (char c : text)
        if (c != '\r')
            lf += c;
    dir.Write("lf.txt", lf);
    for (const char* name : {"crlf.txt", "lf.txt"}) {
        PlayerRegister reg;
        EXPECT_TRUE(reg.Load(dir / name).Ok());
        EXPECT_EQ(reg.Count(), 3u);
        EXPECT_EQ(reg.GetPlayer(2).Surname, "BETA");
        EXPECT_EQ(reg.GetPlayer(2).HomeClub, "3104");
    }
    PlayerRegister reg;
    EXPECT_FALSE(reg.Load(dir / "absent").Ok());
    EXPECT_EQ(reg.GetPlayer(1), PlayerRecord{});
}
