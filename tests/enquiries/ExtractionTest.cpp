#include "enquiries/Extraction.h"
#include "support/Players.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace mpsec;
using T = OutputType;

namespace {

const char* kClubs = "6785,KARRAKATTA CLUB,\r\n3104,CHARLIE CLUB,\r\n";

PlayerRecord Player(const std::string& number, const std::string& home,
                    const std::string& total = "150.00", const std::string& thisYear = "50.00") {
    PlayerRecord p = test::TestPlayer(number, "SMITH", "JOHN", home);
    p.OverallTotal = total;
    p.TotalThisYear = thisYear;
    p.Rank = "Regional";
    return p;
}

// The player as the register parse gives him.
PlayerRecord Parsed(const PlayerRecord& p) {
    return ParsePlayerLine(MakePlayerLine(p), GivenNameCorrection{});
}

ExtractChoices Choices(T type, int statePosition = 0, const std::string& club = "",
                       bool allMembers = false) {
    ExtractChoices c;
    c.Type = type;
    c.State = StateAtExtractPosition(statePosition);
    c.ClubOnly = !club.empty();
    c.ClubNo = club;
    c.AllMembers = allMembers;
    return c;
}

} // namespace

TEST(Extraction, PlayerQualifies) {
    AlternateMembers alternate;
    alternate.Assign("  11111 SMITH             JOHN       3104 6785\r\n"
                     "  22222 SMITH             JOHN       6785\r\n");
    struct Case {
        PlayerRecord player;
        ExtractChoices choices;
        bool qualifies;
        const char* why;
    } cases[] = {
        {Player("1", "6-785"), Choices(T::AllPlayers), true, "all"},
        {Player("1", "6i785"), Choices(T::AllPlayers), false, "inactive"},
        {Player("1", "9-997"), Choices(T::AllPlayers), false, "deleted"},
        {Player("1", "9-951"), Choices(T::HomeClub, 0, "9951"), false, "excluded club"},
        {Player("1", "9-999"), Choices(T::AllPlayers), true, "9999 is not excluded"},
        {Player("1", "6-785"), Choices(T::AllPlayers, 4), true, "WA is 6"},
        {Player("1", "6-785"), Choices(T::AllPlayers, 1), false, "NSW is 2"},
        {Player("1", "6-785", "100.00"), Choices(T::TopPerformers), true, "minimum met exactly"},
        {Player("1", "6-785", "99.99"), Choices(T::TopPerformers), false, "below minimum"},
        {Player("1", "6-785", "abc"), Choices(T::TopPerformers), false, "total not a number"},
        {Player("1", "6-785", "150", "49.99"), Choices(T::TopThisYear), false, "year minimum 50"},
        {Player("1", "6-785", "150", "10"), Choices(T::MostImproved), true, "improved minimum 10"},
        {Player("1", "6-785", "150", "9.99"), Choices(T::MostImproved), false, "below 10"},
        {Player("1", "6-785"), Choices(T::AllPlayers, 1, "6785"), true, "club only ignores state"},
        {Player("1", "3-104"), Choices(T::AllPlayers, 0, "6785"), false, "other club"},
        {Player("1", "6-785"), Choices(T::HomeClub, 0, "6785"), true, "home club"},
        {Player("1", "6i785"), Choices(T::HomeClub, 0, "6785"), false, "home club inactive"},
        {Player("1", "6i785"), Choices(T::InactiveClub, 0, "6785"), true, "inactive of club"},
        {Player("1", "6-785"), Choices(T::InactiveClub, 0, "6785"), false, "active not listed"},
        {Player("1", "9i997"), Choices(T::InactiveClub, 0, "9997"), true, "type 5 excludes none"},
        {Player("11111", "3-104"), Choices(T::AllPlayers, 0, "6785", true), true, "further club"},
        {Player("22222", "3-104"), Choices(T::TopPerformers, 0, "6785", true), true, "alt home"},
        {Player("1", "6-785"), Choices(T::AllPlayers, 0, "6785", true), false,
         "not in the alternate file"},
        {Player("11111", "3i104"), Choices(T::AllPlayers, 0, "6785", true), false,
         "inactive, alternate member"},
        {Player("1", "6-785"), Choices(T::HomeClub, 0, "6785", true), true,
         "alternate file does not count for type 4"},
        {Player("11111", "3-104"), Choices(T::HomeClub, 0, "6785", true), false,
         "type 4 reads the register only"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlayerQualifies(Parsed(c.player), c.choices, alternate), c.qualifies) << c.why;
}

TEST(Extraction, Improvement) {
    struct Case {
        const char *thisYear, *total, *text;
    } cases[] = {
        {"50", "150", "    2000"},
        {"0", "0", "       0"},
        {"12.5", "0", "    1250"},
        {"1", "2", "      98"},
        {"x", "150", "       0"},
        {"5", "-100", "       0"},
        // Rounded to the nearest whole number, a half upward: 12.5, 49.95, 49.45.
        {"1", "700", "      13"},
        {"9.99", "1900", "      50"},
        {"9.89", "1900", "      49"},
    };
    for (const auto& c : cases) {
        PlayerRecord p;
        p.TotalThisYear = c.thisYear;
        p.OverallTotal = c.total;
        EXPECT_EQ(Improvement(p), c.text) << c.thisYear << " " << c.total;
    }
}

TEST(Extraction, LineLayouts) {
    const std::string line = "1234567 SMITH              JOHN       150.00    10.00   20.00   "
                             "93.45    50.00     30.00   80.95    1.00  2.00   3.00 Regional 6-785";
    const PlayerRecord player = ParsePlayerLine(line, GivenNameCorrection{});
    struct Case {
        T type;
        std::string expected;
    } cases[] = {
        {T::AllPlayers, line},
        {T::TopPerformers, "1234567 SMITH              JOHN     6-785 Regional  150.00 "},
        {T::TopThisYear, "1234567 SMITH              JOHN     6-785 Regional    50.00 "},
        {T::MostImproved, "1234567 SMITH              JOHN     6-785  Regional     2000"},
        {T::HomeClub, "1234567,SMITH,JOHN    "},
        {T::InactiveClub, "1234567,SMITH,JOHN    "},
        {T::InactiveFile, "1234567,SMITH,JOHN      Last Club: 6785 Karrakatta Club"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractLine(c.type, line, player, "Inactive - Last Club: 6785 Karrakatta Club"),
                  c.expected)
            << Info(c.type).Caption;
    EXPECT_EQ(ExtractLine(T::HomeClub, "  12345 SHORT", player), "12345,SHORT,");
}

TEST(Extraction, FileNamesAndTitles) {
    struct Case {
        ExtractChoices choices;
        const char *name, *title;
    } cases[] = {
        {Choices(T::TopPerformers, 1), "TOPNSW.TXT", "Top Performers - NSW"},
        {Choices(T::AllPlayers), "ALL.TXT", "All Players - All"},
        {Choices(T::AllPlayers, 0, "6785"), "6785.TXT", "All Players - Club 6785"},
        {Choices(T::HomeClub, 0, "6785"), "HOME6785.TXT", "Home Club No. and Names - Club 6785"},
        {Choices(T::TopThisYear, 8), "YEARSA.TXT", "Top Performers This Year - SA"},
        {Choices(T::MostImproved, 6), "MIPACT.TXT", "Most Improved Players - ACT"},
        {Choices(T::InactiveClub, 0, "3104"), "INAC3104.TXT",
         "Inactive Players (Club) - Club 3104"},
        {Choices(T::InactiveFile, 2), "INACFILE.TXT", "Inactive Players (Text File) - VIC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OutputFileName(c.choices), c.name);
        EXPECT_EQ(ExtractTitle(c.choices), c.title);
    }
}

TEST(Extraction, RankedOrderEqualTotalsAndSevenDigitNumbers) {
    PlayerRegister national;
    national.Assign(
        test::RegisterText({Player("12345", "6-785", "200.00"), Player("54321", "6-785", "200.00"),
                            Player("1234567", "6-785", "300.00"), Player("999", "6-785", "1.00"),
                            Player("7", "6-785", "200.00")}));
    ClubRegister clubs;
    clubs.Assign(kClubs);
    const Extraction top =
        ExtractPlayers(national, clubs, Choices(T::TopPerformers), AlternateMembers{});
    ASSERT_EQ(top.LineCount(), 4u);
    // A list holding a seven-digit number keeps the register's first column on every line:
    // every field stays at one column.
    EXPECT_EQ(top.Line(0).substr(0, 14), "   1. 1234567 ");
    EXPECT_EQ(top.Line(1).substr(0, 14), "   2.   54321 "); // equal totals: higher first
    EXPECT_EQ(top.Line(2).substr(0, 14), "   3.   12345 ");
    EXPECT_EQ(top.Line(3).substr(0, 14), "   4.       7 ");
    for (std::size_t k = 0; k < top.LineCount(); ++k) {
        EXPECT_EQ(top.Line(k).size(), top.Line(0).size()) << k;
        EXPECT_EQ(top.Line(k).find("SMITH"), 14u) << k;
    }
    EXPECT_EQ(top.ListLines(), top.FileLines());

    const Extraction all =
        ExtractPlayers(national, clubs, Choices(T::AllPlayers), AlternateMembers{});
    ASSERT_EQ(all.LineCount(), 5u);
    // Descending by home club and line, each register line whole.
    EXPECT_EQ(all.Line(0), MakePlayerLine(Player("1234567", "6-785", "300.00")));
    EXPECT_EQ(all.Line(1), MakePlayerLine(Player("54321", "6-785", "200.00")));
    EXPECT_TRUE(all.ListLines().empty());
    EXPECT_FALSE(all.NoPlayersFound);

    // Numbers of at most six digits: the blank first column is dropped.
    PlayerRegister sixDigits;
    sixDigits.Assign(test::RegisterText(
        {Player("12345", "6-785", "200.00"), Player("654321", "6-785", "100.00")}));
    const Extraction shortTop =
        ExtractPlayers(sixDigits, clubs, Choices(T::TopPerformers), AlternateMembers{});
    EXPECT_EQ(shortTop.Line(0).substr(0, 13), "   1.  12345 ");
    EXPECT_EQ(shortTop.Line(1).substr(0, 13), "   2. 654321 ");
    const Extraction shortAll =
        ExtractPlayers(sixDigits, clubs, Choices(T::AllPlayers), AlternateMembers{});
    EXPECT_EQ(shortAll.Line(0), MakePlayerLine(Player("654321", "6-785", "100.00")).substr(1));
}

TEST(Extraction, RankNumbersBeyondFourDigitsAreWhole) {
    std::vector<PlayerRecord> players;
    for (int i = 0; i < 10001; ++i)
        players.push_back(Player(std::to_string(100000 + i), "6-785"));
    PlayerRegister national;
    national.Assign(test::RegisterText(players));
    const Extraction top =
        ExtractPlayers(national, ClubRegister{}, Choices(T::TopPerformers), AlternateMembers{});
    ASSERT_EQ(top.LineCount(), 10001u);
    EXPECT_EQ(top.Line(10000).substr(0, 13), "10001. 100000");
}

TEST(Extraction, InactivePlayersOfATextFile) {
    PlayerRegister national;
    national.Assign(test::RegisterText(
        {Player("12345", "6i785"), Player("22222", "6-785"), Player("1234567", "3i104")}));
    ClubRegister clubs;
    clubs.Assign(kClubs);
    LineList input("0012345000150\r\n\r\n  22222\r\n12\r\n9999999 unknown\r\n1234567\r\n12345\r\n");
    const Extraction out =
        ExtractPlayers(national, clubs, Choices(T::InactiveFile), AlternateMembers{}, input);
    const std::vector<std::string> expected = {
        "12345,SMITH,JOHN      Last Club: 6785 Karrakatta Club",
        "1234567,SMITH,JOHN      Last Club: 3104 Charlie Club",
        "12345,SMITH,JOHN      Last Club: 6785 Karrakatta Club",
    };
    EXPECT_EQ(out.ListLines(), expected);
    EXPECT_EQ(out.FileLines(), expected);
}

TEST(Extraction, RunStopsBeforeWritingAndReportsFailedWrites) {
    test::TempFolder folder;
    PlayerRegister national;
    national.Assign(test::RegisterText({Player("12345", "6-785")}));
    ClubRegister clubs;
    clubs.Assign(kClubs);
    struct Case {
        ExtractChoices choices;
        std::string message;
    } cases[] = {
        {Choices(T::HomeClub, 0, ""), "Club Number must be entered."},
        {Choices(T::AllPlayers, 0, "1234"), "No Club has this Number."},
        {Choices(T::AllPlayers, 0, "6785", true),
         "Cannot read ALTERNAT.TXT (No such file or directory): it is needed to include all "
         "members."},
    };
    for (auto& c : cases) {
        c.choices.ClubOnly = true;
        const auto run = RunExtraction(national, clubs, c.choices, folder.Path());
        EXPECT_EQ(run.Message(), c.message);
    }
    EXPECT_TRUE(folder.Names().empty());

    // Nobody found: the empty file is still written.
    ExtractChoices top = Choices(T::TopPerformers);
    top.TopMinimum = 20000;
    const auto none = RunExtraction(national, clubs, top, folder.Path());
    ASSERT_TRUE(none.Ok()) << none.Message();
    EXPECT_TRUE(none->NoPlayersFound);
    EXPECT_EQ(folder.Read("TOPALL.TXT"), "");

    // A folder that cannot be written to: reported, the old file kept.
#if !defined(_WIN32) // a folder's permissions do not stop its owner there
    if (::geteuid() != 0) {
        folder.Write("HOME6785.TXT", "old\r\n");
        ::chmod(folder.Path().c_str(), 0555);
        const auto denied =
            RunExtraction(national, clubs, Choices(T::HomeClub, 0, "6785"), folder.Path());
        ::chmod(folder.Path().c_str(), 0755);
        EXPECT_EQ(denied.Message(), "Cannot write HOME6785.TXT: Permission denied.");
        EXPECT_EQ(folder.Read("HOME6785.TXT"), "old\r\n");
    }
#endif
    const auto home =
        RunExtraction(national, clubs, Choices(T::HomeClub, 0, "6785"), folder.Path());
    ASSERT_TRUE(home.Ok());
    EXPECT_EQ(folder.Read("HOME6785.TXT"), "12345,SMITH,JOHN    \r\n");
}

// A most improved player's overall total that is not a number stops the run with the
// conversion message before the file is written; the players below the minimum this year
// are never divided by, and the other lists do not divide.
TEST(Extraction, MostImprovedStopsAtAnOverallTotalThatIsNotANumber) {
    ClubRegister clubs;
    clubs.Assign(kClubs);
    struct Case {
        const char *total, *thisYear;
        T type;
        const char* message;
    } cases[] = {
        {"abc.de", "50.00", T::MostImproved, "'abc.de' is not a valid floating point value"},
        {"1.2.3", "50.00", T::MostImproved, "'1.2.3' is not a valid floating point value"},
        {"abc.de", "5.00", T::MostImproved, ""}, // below the minimum of 10: not listed
        {"abc.de", "50.00", T::TopThisYear, ""},
        {"150.00", "50.00", T::MostImproved, ""},
    };
    for (const auto& c : cases) {
        test::TempFolder folder;
        PlayerRegister national;
        national.Assign(test::RegisterText(
            {Player("11111", "6-785"), Player("22222", "6-785", c.total, c.thisYear)}));
        const auto run = RunExtraction(national, clubs, Choices(c.type), folder.Path());
        EXPECT_EQ(run.Message(), c.message) << c.total << " " << c.thisYear;
        EXPECT_EQ(folder.Names().empty(), *c.message != '\0') << c.total << " " << c.thisYear;
    }
}
