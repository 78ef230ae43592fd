#include "statements/Statement.h"
#include "support/Players.h"

#include <gtest/gtest.h>

using namespace mpsec;

namespace {

const LineList kNoEvents("");
const StatementDates kDates{"15/03/2007", "15/03/2008"};

rPlayer Player(const char* total = "120.50", const char* gold = "30.00", const char* red = "40.00",
               const char* green = "50.50") {
    rPlayer p = test::TestPlayer("12345", "KARVEL");
    p.OverallTotal = total;
    p.OverallGold = gold;
    p.OverallRed = red;
    p.OverallGreen = green;
    return p;
}

StatementGrid Grid(const std::vector<std::string>& lines, const rPlayer& p = Player()) {
    static std::vector<std::string> keep;
    keep = lines;
    std::vector<std::string_view> views(keep.begin(), keep.end());
    return GetAwardDetails(p, views, kNoEvents, {}, kDates);
}

StatementRow R(std::initializer_list<const char*> cells) {
    StatementRow row;
    std::size_t i = 0;
    for (const char* c : cells)
        row[i++] = c;
    return row;
}

} // namespace

TEST(Statement, NoHistoryGivesAnEmptyQuarter) {
    StatementGrid g = Grid({});
    ASSERT_EQ(g.Rows.size(), 6u);
    EXPECT_EQ(g.Rows[0], R({"", "Q/YY", "Code", "Description", "Gold", "Red", "Green", "Total"}));
    EXPECT_EQ(g.Rows[1],
              R({"", " ", " ", "Totals as at 15/03/2007", "30.00", "40.00", "50.50", "120.50"}));
    EXPECT_EQ(g.Rows[2],
              R({"", " ", " ", "Quarter Total------------------------", " ", " ", " ", "0.00"}));
    EXPECT_EQ(g.Rows[3], R({"", " ", " ", " ", " ", " ", " ", " "}));
    EXPECT_EQ(g.Rows[4],
              R({"", "", "", "Totals as at 15/03/2008", "30.00", "40.00", "50.50", "120.50"}));
    EXPECT_EQ(g.Rows[5], StatementRow{});
}

TEST(Statement, RunsFollowTheFileOrder) {
    StatementGrid g = Grid({"3070012345N1        1.00", "3070012345N1        2.00",
                            "4070012345N2        3.00", "1080012345N3        4.00"});
    std::vector<std::string> periods, totals;
    for (const StatementRow& row : g.Rows)
        if (row[3] == kQuarterTotalLabel) {
            periods.push_back(row[1]);
            totals.push_back(row[7]);
        }
    EXPECT_EQ(periods, (std::vector<std::string>{"3/07", "4/07", "1/08"}));
    EXPECT_EQ(totals, (std::vector<std::string>{"3.00", "3.00", "4.00"}));
    EXPECT_EQ(g.Rows.size(), 2u + 4u + 3u * 2u + 2u);

    StatementGrid order =
        Grid({"1080012345N1        1.00", "4070012345N1        1.00", "1080012345N1        1.00"});
    int runs = 0;
    for (const StatementRow& row : order.Rows)
        runs += row[3] == kQuarterTotalLabel;
    EXPECT_EQ(runs, 3);
}

TEST(Statement, AwardCellsAndBalances) {
    StatementGrid g = Grid({"2080012345N4        3.00    1.50", "2080012345N4        0.00    2.00",
                            "2080012345N5       10.25    0.00", "2080012345N3        3.50"});
    EXPECT_EQ(g.Rows[2], R({"", "2/08", "", "Manual Adjustment", "3.00", "1.50", " ", " "}));
    EXPECT_EQ(g.Rows[3][4], " "); // 0 gold of a gold-and-red award is blank
    EXPECT_EQ(g.Rows[4][5], "10.25");
    EXPECT_EQ(g.Rows[4][6], " ");
    EXPECT_EQ(g.Rows[6][7], "20.25");
    // Opening balance: register values less the year's sums; 120.50 - 20.25 = 100.25.
    EXPECT_EQ(g.Rows[1],
              R({"", " ", " ", "Totals as at 15/03/2007", "27.00", "26.25", "47.00", "100.25"}));
    EXPECT_EQ(g.Rows[g.Rows.size() - 2][7], "120.50");
}

TEST(Statement, ConversionErrorKeepsTheRowsBuilt) {
    StatementGrid g = Grid({"2080012345N1        3.00", "2080012345N1        x.00"});
    ASSERT_TRUE(g.StoppedBy);
    EXPECT_EQ(g.StoppedBy->Message, "'    x.00' is not a valid floating point value");
    EXPECT_EQ(g.Rows.size(), 3u);
    EXPECT_EQ(g.Rows[2][4], "3.00");
}

TEST(Statement, Dates) {
    DateFormats formats;
    EXPECT_EQ(StatementPeriod(CivilDate{2008, 3, 15}, formats).Start, "15/03/2007");
    EXPECT_EQ(StatementPeriod(CivilDate{2008, 3, 15}, formats).End, "15/03/2008");
    EXPECT_EQ(StatementPeriod(CivilDate{2024, 2, 29}, formats).Start, "28/02/2023");
    EXPECT_EQ(StatementPeriod(std::nullopt, formats).End, "30/12/1899");
    formats.DateSeparator = '-';
    EXPECT_EQ(StatementPeriod(CivilDate{2008, 3, 15}, formats).Start, "15-03-2007");
}

TEST(Statement, ClubText) {
    EXPECT_EQ(StatementClubText("3104 ARDEN BRIDGE CLUB"), "3104 ARDEN BRIDGE CLUB");
    EXPECT_EQ(StatementClubText("3104 THE VERY LONG NAMED ARDEN BRIDGE CLUB"),
              "3104 The Very Long Named Arden Bridge Club");
    EXPECT_EQ(StatementClubText(std::string(70, 'A')).size(), 62u);
}

TEST(Statement, ComposedPage) {
    StatementPrint s;
    s.Player = Player();
    s.Player.Rank = "Silver Lf";
    s.Player.OverallGold = "30.00";
    s.TypedNumber = "012345";
    s.ClubDescription = "3104 ARDEN BRIDGE CLUB";
    s.Requirements = PromotionRequirements(s.Player, 15, [] { return Result<double>(50.0); });
    s.Dates = kDates;
    s.Rows = Grid({}).Rows;
    ComposedDocument doc = ComposeStatementPage(s);
    ASSERT_EQ(doc.Pictures.size(), 1u);
    EXPECT_EQ(doc.Pictures[0].Resource, "MPLOGO");
    EXPECT_DOUBLE_EQ(doc.Pictures[0].Right, 40);
    auto find = [&](const std::string& text) -> const PageText* {
        for (const PageText& t : doc.Texts)
            if (t.Text == text)
                return &t;
        return nullptr;
    };
    const PageText* title = find("STATEMENT OF AWARDS");
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->Centred);
    EXPECT_DOUBLE_EQ(title->X, 105);
    EXPECT_DOUBLE_EQ(title->Y, 10);
    EXPECT_EQ(title->PointSize, 16);
    EXPECT_TRUE(title->Bold);
    ASSERT_NE(find("From 15/03/2007 to 15/03/2008"), nullptr);
    const PageText* name = find("ANNE KARVEL (012345)");
    ASSERT_NE(name, nullptr);
    EXPECT_DOUBLE_EQ(name->Y, 38);
    ASSERT_NE(find("Your Current Rank is Silver Lf Master"), nullptr);
    ASSERT_NE(find("Requirements for Promotion to Gold Life Master."), nullptr);
    const PageText* goldHave = find("30.00 *");
    ASSERT_NE(goldHave, nullptr);
    EXPECT_DOUBLE_EQ(goldHave->X, 174);
    const PageText* note = find("* 20% of 50.00  (10.00)  red points earned prior to 1982");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->PointSize, 8);
    EXPECT_DOUBLE_EQ(note->Y, 52);
    const PageText* need = find("35.00");
    ASSERT_NE(need, nullptr);
    EXPECT_TRUE(need->Bold);
    ASSERT_EQ(doc.Grids.size(), 1u);
    const PageGrid& grid = doc.Grids[0];
    EXPECT_DOUBLE_EQ(grid.X, 12);
    EXPECT_DOUBLE_EQ(grid.Y, 63);
    EXPECT_DOUBLE_EQ(grid.Width, 190);
    EXPECT_TRUE(grid.BoldRows[grid.Rows.size() - 2]);
    EXPECT_FALSE(grid.BoldRows[2]);
    EXPECT_TRUE(grid.RightAligned[7]);
    EXPECT_FALSE(grid.RightAligned[3]);

    // A player with no gold need: "n/a" in 9 points and no note.
    s.Player.Rank = "State";
    s.Requirements = PromotionRequirements(s.Player, 8, {});
    ComposedDocument plain = ComposeStatementPage(s);
    const PageText* na = nullptr;
    for (const PageText& t : plain.Texts)
        if (t.X == 174 && t.Y == 48)
            na = &t;
    ASSERT_NE(na, nullptr);
    EXPECT_EQ(na->Text, "n/a");
    EXPECT_EQ(na->PointSize, 9);
    for (const PageText& t : plain.Texts)
        EXPECT_NE(t.Y, 52);
}

TEST(Statement, PaginationRepeatsTheHeading) {
    ComposedDocument doc;
    PageGrid grid;
    grid.Y = 63;
    grid.Width = 190;
    grid.ColumnWidths = {0, 35, 40, 310, 60, 60, 60, 60};
    grid.RowHeights = {18, 18, 17};
    grid.Rows.assign(150, std::vector<std::string>(8, "x"));
    const auto pages = PaginateGrid(grid, doc);
    ASSERT_GE(pages.size(), 3u);
    EXPECT_FALSE(pages[0].RepeatsHeading);
    EXPECT_EQ(pages[0].FirstRow, 0u);
    for (std::size_t i = 1; i < pages.size(); ++i) {
        EXPECT_TRUE(pages[i].RepeatsHeading);
        EXPECT_EQ(pages[i].FirstRow, pages[i - 1].EndRow);
        EXPECT_DOUBLE_EQ(pages[i].Top, doc.Margin);
    }
    EXPECT_EQ(pages.back().EndRow, 150u);
    // Each page's rows end above the bottom margin.
    const double rowMm = 17 * 190.0 / 625;
    EXPECT_LE(63 + 2 * (18 * 190.0 / 625) + (pages[0].EndRow - 2) * rowMm, 297 - 12.7 + 1e-9);
}
