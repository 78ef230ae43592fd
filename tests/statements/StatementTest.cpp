#include "statements/Statement.h"
#include "support/Players.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

using namespace mpsec;

namespace {

const LineList kNoEvents("");
const StatementDates kDates{"15/03/2007", "15/03/2008"};

PlayerRecord Player(const char* total = "120.50", const char* gold = "30.00",
                    const char* red = "40.00", const char* green = "50.50") {
    PlayerRecord p = test::TestPlayer("12345", "KARVEL");
    p.OverallTotal = total;
    p.OverallGold = gold;
    p.OverallRed = red;
    p.OverallGreen = green;
    return p;
}

StatementGrid Grid(const std::vector<std::string>& lines, const PlayerRecord& p = Player()) {
    static std::vector<std::string> keep;
    keep = lines;
    std::vector<std::string_view> views(keep.begin(), keep.end());
    return BuildStatementGrid(p, views, kNoEvents, {}, kDates);
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
    // Up to 37 characters as they stand, from 38 title-cased.
    EXPECT_EQ(StatementClubText("3104 ARDEN AND DISTRICTS BRIDGE CLUBS"),
              "3104 ARDEN AND DISTRICTS BRIDGE CLUBS");
    EXPECT_EQ(StatementClubText("3104 ARDENS AND DISTRICTS BRIDGE CLUBS"),
              "3104 Ardens And Districts Bridge Clubs");
}

namespace {

// The texts of a page line by line, top to bottom, each line's texts left to right.
std::vector<std::string> ReadingOrder(const ComposedDocument& doc) {
    std::map<double, std::map<double, std::string>> lines;
    for (const PageText& t : doc.Texts)
        lines[t.Y][t.X] = t.Text;
    std::vector<std::string> read;
    for (const auto& [y, texts] : lines) {
        std::string line;
        for (const auto& [x, text] : texts)
            line += (line.empty() ? "" : " | ") + text;
        read.push_back(line);
    }
    return read;
}

} // namespace

TEST(Statement, ComposedPageReadsInOrder) {
    StatementPrint s;
    s.Player = Player();
    s.Player.Rank = "Silver Lf";
    s.TypedNumber = "012345";
    s.ClubDescription = "3104 ARDEN BRIDGE CLUB";
    s.Requirements =
        PromotionRequirements(s.Player, 15, [] { return Result<Amount>(Amount::Whole(50)); });
    s.Dates = kDates;
    s.Rows = Grid({"2080012345N1        3.00"}).Rows;
    const ComposedDocument doc = ComposeStatementPage(s);
    EXPECT_EQ(doc.Title, "Statement of Awards 12345");
    ASSERT_EQ(doc.Pictures.size(), 1u);
    EXPECT_EQ(doc.Pictures[0].Resource, "MPLOGO");
    EXPECT_EQ(ReadingOrder(doc), (std::vector<std::string>{
                                     "Bridge Player's",
                                     "STATEMENT OF AWARDS",
                                     "From 15/03/2007 to 15/03/2008",
                                     "Your Current Rank is Silver Lf Master",
                                     "Requirements for Promotion to Gold Life Master.",
                                     "3104 ARDEN BRIDGE CLUB",
                                     "Total | Inc Gold/Red | Inc Gold",
                                     "ANNE KARVEL (012345)",
                                     "You must have | 750.00 | 450.00 | 75.00",
                                     "You now have | 120.50 | 70 | 30.00 *",
                                     "You still need | 629.50 | 380.00 | 35.00",
                                     "* 20% of 50.00  (10.00)  red points earned prior to 1982",
                                     "count as additional gold points.",
                                 }));
    double lastText = 0;
    for (const PageText& t : doc.Texts) {
        if (t.Text == "STATEMENT OF AWARDS") {
            EXPECT_TRUE(t.Bold && t.Centred);
            EXPECT_DOUBLE_EQ(t.X, doc.PaperWidth / 2); // centred on the paper
        }
        if (t.Text == "35.00") {
            EXPECT_TRUE(t.Bold); // the gold still needed, with the note
        }
        lastText = std::max(lastText, t.Y + t.PointSize * 25.4 / 72);
    }
    // The grid holds the statement's rows as they are, below every text.
    ASSERT_EQ(doc.Grids.size(), 1u);
    const PageGrid& grid = doc.Grids[0];
    EXPECT_GE(grid.Y, lastText);
    ASSERT_EQ(grid.Rows.size(), s.Rows.size());
    for (std::size_t r = 0; r < s.Rows.size(); ++r)
        EXPECT_EQ(grid.Rows[r], std::vector<std::string>(s.Rows[r].begin(), s.Rows[r].end()));
    EXPECT_EQ(grid.HeadingRows, 1);
    // Bold: the headings, the opening and the closing balances; amounts to the right.
    EXPECT_EQ(grid.BoldRows, (std::vector<bool>{true, true, false, false, false, true, false}));
    EXPECT_EQ(grid.RightAligned,
              (std::vector<bool>{false, false, false, false, true, true, true, true}));

    // A player with no gold need: "n/a", in the ordinary print, and no note.
    s.Player.Rank = "State";
    s.Requirements = PromotionRequirements(s.Player, 8, {});
    const ComposedDocument plain = ComposeStatementPage(s);
    const std::vector<std::string> read = ReadingOrder(plain);
    EXPECT_EQ(read.back(), "You still need | 0.00 | 0.00 | n/a");
    for (const PageText& t : plain.Texts)
        if (t.Text == "n/a") {
            EXPECT_FALSE(t.Bold);
        }

    // The printed club is the whole look-up text, a long one neither title-cased nor cut.
    s.ClubDescription = "3104 ARDENS AND DISTRICTS BRIDGE CLUBS OF THE NORTHERN RIVERS REGION";
    EXPECT_EQ(ReadingOrder(ComposeStatementPage(s))[5],
              "3104 ARDENS AND DISTRICTS BRIDGE CLUBS OF THE NORTHERN RIVERS REGION");
}

// A 100 mm page with 10 mm margins and 10 mm rows: below a grid starting 30 mm down the
// first page holds 6 rows, every further page the heading and 7 more.
TEST(Statement, PaginationPrintsEveryRowOnceAndRepeatsTheHeading) {
    ComposedDocument doc;
    doc.PaperHeight = 100;
    doc.Margin = 10;
    PageGrid grid;
    grid.Y = 30;
    grid.Width = 50;
    grid.ColumnWidths = {0, 20, 30};
    grid.RowHeights = {10};
    grid.HeadingRows = 1;
    grid.Rows.assign(20, std::vector<std::string>(3, "x"));
    const auto pages = PaginateGrid(grid, doc);

    std::vector<std::vector<std::size_t>> printed; // the rows of each page, in order
    for (const GridPage& page : pages) {
        std::vector<std::size_t> rows;
        if (page.RepeatsHeading)
            rows.push_back(0);
        for (std::size_t r = page.FirstRow; r < page.EndRow; ++r)
            rows.push_back(r);
        EXPECT_LE(page.Top + 10.0 * rows.size(), 90 + 1e-9); // nothing below the margin
        printed.push_back(rows);
    }
    EXPECT_EQ(printed, (std::vector<std::vector<std::size_t>>{
                           {0, 1, 2, 3, 4, 5},
                           {0, 6, 7, 8, 9, 10, 11, 12},
                           {0, 13, 14, 15, 16, 17, 18, 19},
                       }));
    EXPECT_DOUBLE_EQ(pages[0].Top, 30);
    EXPECT_DOUBLE_EQ(pages[1].Top, 10);

    // A grid that fits stays on its page.
    grid.Rows.resize(6);
    EXPECT_EQ(PaginateGrid(grid, doc).size(), 1u);
}

// The sums, balances and needs are exact: a value that ends in a half at its fifth
// significant digit rounds up, where a binary double held it a hair below (4386.65 was
// shown 4386.60).
TEST(Statement, HalvesRoundUpAtTheFifthDigit) {
    struct Case {
        const char* what;
        PlayerRecord player;
        std::vector<std::string> awards;
        int column;        // the opening balance's column; 0 for the promotion block
        const char* pre82; // the promotion block's pre-1982 red points
        const char* shown;
    } cases[] = {
        {"opening gold",
         Player("8100.00", "8082.48", "10.00", "7.52"),
         {"2080012345N1       24.32", "2080012345N1        5.13", "2080012345N1        5.68"},
         4,
         nullptr,
         "8047.40"},
        {"opening red",
         Player("2600.00", "40.00", "2506.95", "53.05"),
         {"2080012345N2        3.68", "2080012345N2       22.94", "2080012345N2        3.88",
          "2080012345N2       26.28", "2080012345N2       19.62"},
         5,
         nullptr,
         "2430.60"},
        {"opening total",
         Player("3663.66", "1000.00", "1000.00", "1663.66"),
         {"2080012345N4        1.67   28.84"},
         7,
         nullptr,
         "3633.20"},
        {"still need, gold and red",
         Player("9000.00", "3053.06", "5560.29", "386.65"),
         {},
         0,
         nullptr,
         "4386.70"},
        {"still need, gold after the pre-1982 credit",
         Player("3000.00", "103.15", "2000.00"),
         {},
         0,
         "12.50",
         "1291.90"},
    };
    for (const auto& c : cases) {
        if (c.column != 0) {
            EXPECT_EQ(Grid(c.awards, c.player).Rows[1][static_cast<std::size_t>(c.column)], c.shown)
                << c.what;
            continue;
        }
        PlayerRecord p = c.player;
        p.Rank = c.pre82 ? "Silver Gr" : "Diamond G";
        const Promotion promotion = PromotionRequirements(
            p, *RankLookup(p.Rank), [&] { return *DecimalAmount(c.pre82 ? c.pre82 : "0"); });
        EXPECT_EQ(promotion.StillNeed[c.pre82 ? 2 : 1], c.shown) << c.what;
    }
}
