#include "mpfiles/ManualEntry.h"
#include "mpfiles/ClubMembers.h"
#include "support/Players.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(ManualEntry, RowsAndTheLinesTheyGive) {
    struct Case {
        std::string number, points;
        std::string line; // empty: no line
    } cases[] = {
        {"12345", "150", "0012345000150"},
        {"1234567", "999999", "1234567999999"},
        {"12345", "00", "0012345000000"},
        {"12345", "0", ""},
        {"12345", "", ""},
        {"12345", " 5", ""},
        {"12345", "000", "0012345000000"},
        {"", "", ""}, // an empty row
        {"", "0", ""},
        {"", "125", "0000000000125"},
    };
    std::vector<ManualRow> rows;
    std::string text;
    for (const auto& c : cases) {
        rows.push_back({c.number, c.points});
        EXPECT_EQ(PointsGiveALine(c.points), !c.line.empty()) << c.points;
        if (!c.line.empty()) {
            EXPECT_EQ(ManualEntryLine(c.number, c.points), c.line);
            text += c.line + "\r\n";
        }
    }
    EXPECT_EQ(ManualEntryText(rows), text);
    // Only the last row gives a line without a number: no file gets it.
    EXPECT_EQ(CheckManualRows(rows).Message(), "Row 10 has points but no QMR number");
    rows.pop_back();
    EXPECT_TRUE(CheckManualRows(rows));
    EXPECT_EQ(ManualEntryProposal("6785", MPColour::Green), "CLUB6785.MP3");
    EXPECT_EQ(ManualEntryProposal("6785", MPColour::Gold), "CLUB6785.MP1");
    EXPECT_EQ(VisitorName("ANNE", "KARVEL"), "ANNE KARVEL");
}

// Visitors saved onto a file typed by hand whose last line has no line end: that line is
// ended first, so both awards stay whole.
TEST(ManualEntry, SavingOntoAnUnendedLastLineKeepsBothAwards) {
    test::TempFolder dir;
    dir.Write("nocrlf.grn", "0761548000150");
    ASSERT_TRUE(SaveManualEntry(dir / "nocrlf.grn", {{"2629392", "44"}}, true).Ok());
    EXPECT_EQ(dir.Read("nocrlf.grn"), "0761548000150\r\n2629392000044\r\n");
}

// Who a club's list holds: active home members from the register (the "-" removed, an
// inactive "i" never matching), or every line of the alternate file naming the club.
TEST(ClubMembers, RegisterAndAlternateLists) {
    PlayerRegister national;
    national.Assign(test::RegisterText({
        test::TestPlayer("12345", "KARVEL", "ANNE", "6-785"),
        test::TestPlayer("222", "RESTING", "ALAN", "6i785"),
        test::TestPlayer("1234567", "ZORBEN", "", "6-785"),
        test::TestPlayer("333", "OTHER", "OLLY", "6-786"),
    }));
    EXPECT_EQ(HomeClubMembers(national, "6785"),
              (std::vector<ListedMember>{{"KARVEL ANNE", "12345"}, {"ZORBEN ", "1234567"}}));
    EXPECT_TRUE(HomeClubMembers(national, "9999").empty());
    EXPECT_TRUE(HomeClubMembers(national, "").empty());
    PlayerRegister headerOnly;
    headerOnly.Assign("HEADER\r\n");
    EXPECT_TRUE(HomeClubMembers(headerOnly, "6785").empty());

    AlternateMembers alternates;
    alternates.Assign("  12345 KARVEL            ANNE       6785 1111\r\n"
                      "    444 BORNE             BOB        1111 2222 6785\r\n"
                      "  12345 KARVEL            ANNE       1111 6785\r\n"
                      "    555 SHORT\r\n");
    EXPECT_EQ(AlternateClubMembers(alternates, "6785"),
              (std::vector<ListedMember>{
                  {"KARVEL ANNE", "12345"}, {"BORNE BOB", "444"}, {"KARVEL ANNE", "12345"}}));
    AlternateMembers empty;
    EXPECT_TRUE(AlternateClubMembers(empty, "6785").empty());
    EXPECT_EQ(MemberCountText(25, true), " 25 Club Members.");
    EXPECT_EQ(MemberCountText(0, false), " 0 Home Club Members.");
}
