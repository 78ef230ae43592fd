#include "enquiries/ClubMembership.h"
#include "core/TextHelpers.h"
#include "mpfiles/ClubMembers.h"
#include "support/Players.h"

#include <gtest/gtest.h>

using namespace mpsec;

namespace {

const char* kClubs =
    "1101,ALPHA BRIDGE CLUB,1 BRIDGE ST,,,,,Mr,,J,Smith,12 A St,Town,ACT,2600,,,x\r\n"
    "2101,BRAVO CLUB,,,,,,Ms,,K,Jones,1 B Rd,City,NSW,2000,,,x\r\n"
    "3104,CHARLIE CLUB,,,,,,Mr,,L,Brown,,,,,,,x\r\n"
    "X12,NOT A CLUB NUMBER,\r\n"
    "9999,UNATTACHED,\r\n"
    "8102,DELTA CLUB,\r\n"
    "8101,ECHO LASTCLUB,,,,,,Mrs,,M,Green,PO Box 1,Darwin,NT,0800,,,x";

struct Registers {
    PlayerRegister national;
    ClubRegister clubs;
    Registers() {
        clubs.Assign(kClubs);
        std::vector<PlayerRecord> players;
        const char* homes[] = {"3-104", "3-104", "3i104", "9-999", "9-999", "2-101",
                               "X-12",  "0-999", "1-101", "1-101", "1-101"};
        int n = 1000;
        for (const char* home : homes)
            players.push_back(test::TestPlayer(std::to_string(++n), "SMITH", "ANNE", home));
        national.Assign(test::RegisterText(players));
    }
};

std::string Counted(const std::string& description, const std::string& count) {
    return PadRight(description, 60, ' ') + PadLeft(count, 6, ' ');
}

} // namespace

TEST(ClubMembership, KeyWordSearch) {
    Registers r;
    struct Case {
        std::string keyWord;
        std::vector<std::string> firstLines; // the first line of each entry found
    } cases[] = {
        {"LASTCLUB", {"8-101,  ECHO LASTCLUB,   Mrs. M Green"}},
        {"BRIDGE", {"1-101,  ALPHA BRIDGE CLUB,   Mr. J Smith"}}, // twice in one line: once
        {"CLUB",
         {"1-101,  ALPHA BRIDGE CLUB,   Mr. J Smith", "2-101,  BRAVO CLUB,   Ms. K Jones",
          "3-104,  CHARLIE CLUB,   Mr. L Brown", "X-12,  NOT A CLUB NUMBER,   .  ",
          "8-102,  DELTA CLUB,   .  ", "8-101,  ECHO LASTCLUB,   Mrs. M Green"}},
        {"bravo", {}}, // the search is case-sensitive; the screen types capitals
        {"", {}},
    };
    for (const auto& c : cases) {
        const auto list = KeyWordSearch(r.clubs, c.keyWord);
        ASSERT_EQ(list.size(), 3 * c.firstLines.size()) << c.keyWord;
        for (std::size_t i = 0; i < c.firstLines.size(); ++i) {
            EXPECT_EQ(list[3 * i], c.firstLines[i]) << c.keyWord;
            EXPECT_EQ(list[3 * i + 2], "") << c.keyWord;
        }
    }
    EXPECT_EQ(KeyWordSearch(r.clubs, "LASTCLUB")[1], "PO Box 1,Darwin,NT,0800,,");
}

TEST(ClubMembership, CountsActiveHomeClubMembers) {
    Registers r;
    struct Case {
        int state; // index in the club screen's order
        std::vector<std::string> lines;
        std::uint64_t total;
    } cases[] = {
        {0,
         {Counted("1101 ALPHA BRIDGE CLUB", "3"), Counted("2101 BRAVO CLUB", "1"),
          Counted("3104 CHARLIE CLUB", "2"), Counted("9999 UNATTACHED", "2"),
          Counted("8102 DELTA CLUB", "0"), Counted("8101 ECHO LASTCLUB", "0")},
         6}, // 3i104 is inactive; 9999 is shown but not totalled
        {3, {Counted("3104 CHARLIE CLUB", "2")}, 2},
        {8, {Counted("8102 DELTA CLUB", "0"), Counted("8101 ECHO LASTCLUB", "0")}, 0},
        {5, {}, 0},
    };
    for (const auto& c : cases) {
        const MembershipCount count =
            CountHomeClubMembers(r.national, r.clubs, kStateChoices[c.state]);
        EXPECT_EQ(count.Lines, c.lines) << kStateChoices[c.state].ClubCaption;
        EXPECT_EQ(count.Total, c.total) << kStateChoices[c.state].ClubCaption;
    }
    EXPECT_EQ(TotalActiveMembershipText(70000), "Total Active Membership: 70000");
}

// The count and the club's member list read the home-club field alike: with and without
// its dash it names the club; another character in its place, or an "i", names none.
TEST(ClubMembership, TheCountAndTheMemberListReadTheHomeClubAlike) {
    ClubRegister clubs;
    clubs.Assign(kClubs);
    std::vector<PlayerRecord> players;
    for (const char* home : {"1-101", "1101", "1x101", "1i101", "11-01", "1101"})
        players.push_back(test::TestPlayer(std::to_string(players.size() + 1), home, "A", home));
    PlayerRegister national;
    national.Assign(test::RegisterText(players));
    EXPECT_EQ(CountHomeClubMembers(national, clubs, kStateChoices[1]).Lines[0],
              Counted("1101 ALPHA BRIDGE CLUB", "3"));
    std::vector<std::string> listed;
    for (const ListedMember& member : HomeClubMembers(national, "1101"))
        listed.push_back(member.Name);
    EXPECT_EQ(listed, (std::vector<std::string>{"1-101 A", "1101 A", "1101 A"}));
}

TEST(ClubMembership, TotalBeyondSixteenBits) {
    std::vector<PlayerRecord> players(70000, test::TestPlayer("1", "SMITH", "ANNE", "3-104"));
    PlayerRegister national;
    national.Assign(test::RegisterText(players));
    ClubRegister clubs;
    clubs.Assign("3104,CHARLIE CLUB,\r\n");
    const MembershipCount count = CountHomeClubMembers(national, clubs, AllStates());
    EXPECT_EQ(count.Total, 70000u);
    EXPECT_EQ(count.Lines, std::vector<std::string>{Counted("3104 CHARLIE CLUB", "70000")});
}

TEST(ClubMembership, SortIsLargestFirstWithoutNinesAndStable) {
    Registers r;
    const auto counted = CountHomeClubMembers(r.national, r.clubs, AllStates()).Lines;
    const auto sorted = SortMembershipLines(counted);
    const std::vector<std::string> expected = {
        PadRight("1101 ALPHA BRIDGE CLUB", 60, ' ') + "      3",
        PadRight("3104 CHARLIE CLUB", 60, ' ') + "      2",
        PadRight("2101 BRAVO CLUB", 60, ' ') + "      1",
        PadRight("8102 DELTA CLUB", 60, ' ') + "      0", // equal counts: descending description
        PadRight("8101 ECHO LASTCLUB", 60, ' ') + "      0",
    };
    EXPECT_EQ(sorted, expected);
    EXPECT_EQ(SortMembershipLines(sorted), expected);
    for (const auto& line : sorted)
        EXPECT_EQ(line.size(), 67u);
}
