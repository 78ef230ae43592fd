#include "statements/Statement.h"

#include "core/NumberFormats.h"
#include "core/TextHelpers.h"

#include <algorithm>
#include <chrono>

namespace mpsec {

namespace {

const std::string kBlank = " ";

StatementRow BlankRow() {
    StatementRow row;
    for (std::size_t c = 1; c < 8; ++c)
        row[c] = kBlank;
    return row;
}

std::string Fixed2Or(Amount value, bool blankWhenZero) {
    return blankWhenZero && value == Amount{} ? kBlank : Fixed2(value);
}

// The row of an award: its quarter, code and description, and its points in the columns of
// their colours.
StatementRow AwardRow(const AwardLine& a) {
    StatementRow row = BlankRow();
    row[1] = a.Period;
    row[2] = a.Code;
    row[3] = a.Description;
    switch (a.Kind) {
    case PointKind::Gold:
        row[4] = Fixed2(a.Gold);
        break;
    case PointKind::Red:
        row[5] = Fixed2(a.Red);
        break;
    case PointKind::Green:
        row[6] = Fixed2(a.Green);
        break;
    case PointKind::GoldRed:
        row[4] = Fixed2Or(a.Gold, true);
        row[5] = Fixed2Or(a.Red, true);
        break;
    case PointKind::RedGreen:
        row[5] = Fixed2Or(a.Red, true);
        row[6] = Fixed2Or(a.Green, true);
        break;
    case PointKind::None:
        break;
    }
    return row;
}

// The closing balances (the player's totals) after the awards, and the opening ones (the
// second row) as they were before the year's `gold`, `red` and `green`. When a total is not
// a number, the grid's StoppedBy says so and the opening balances stay blank.
void AddBalances(StatementGrid& grid, const PlayerRecord& player, const StatementDates& dates,
                 Amount gold, Amount red, Amount green) {
    auto& rows = grid.Rows;
    StatementRow closing;
    closing[3] = "Totals as at " + dates.End;
    closing[4] = player.OverallGold;
    closing[5] = player.OverallRed;
    closing[6] = player.OverallGreen;
    closing[7] = player.OverallTotal;
    rows.push_back(closing);
    rows.push_back(StatementRow{});

    const auto g = DecimalAmount(player.OverallGold), r = DecimalAmount(player.OverallRed),
               gr = DecimalAmount(player.OverallGreen), t = DecimalAmount(player.OverallTotal);
    for (const auto& [value, text] :
         {std::pair{g, &player.OverallGold}, std::pair{r, &player.OverallRed},
          std::pair{gr, &player.OverallGreen}, std::pair{t, &player.OverallTotal}})
        if (!value) {
            grid.StoppedBy =
                Failure{"'" + Latin1ToUtf8(*text) + "' is not a valid floating point value"};
            return;
        }
    rows[1][3] = "Totals as at " + dates.Start;
    rows[1][4] = Fixed2(*g - gold);
    rows[1][5] = Fixed2(*r - red);
    rows[1][6] = Fixed2(*gr - green);
    rows[1][7] = Fixed2(*t - (gold + red + green));
}

constexpr const char* kStatementFont = "Times New Roman";

// A text of the statement page, in its font.
void AddText(ComposedDocument& doc, double size, bool bold, double x, double y, std::string value,
             bool centred = false, double width = 0) {
    doc.Texts.push_back({kStatementFont, size, bold, x, y, centred, std::move(value), width});
}

// The page's heading: its title, the period, and the player's club and name.
void AddStatementHeading(ComposedDocument& doc, const StatementPrint& s) {
    const double c = doc.PaperWidth / 2;
    // The club and the name end before the promotion block, which starts at 100 mm.
    const double leftBlock = 90;
    AddText(doc, 12, false, c, 5, "Bridge Player's", true);
    AddText(doc, 16, true, c, 10, "STATEMENT OF AWARDS", true);
    AddText(doc, 10, false, c, 18, "From " + s.Dates.Start + " to " + s.Dates.End, true);
    AddText(doc, 10, false, 8, 34, s.ClubDescription, false, leftBlock);
    AddText(doc, 10, false, 8, 38,
            s.Player.GivenName + " " + s.Player.Surname + " (" + s.TypedNumber + ")", false,
            leftBlock);
}

// The promotion block: the player's rank and what the next one requires.
void AddPromotionBlock(ComposedDocument& doc, const StatementPrint& s) {
    const Promotion& p = s.Requirements;
    AddText(doc, 10, true, 100, 26, "Your Current Rank is " + s.Player.Rank + " Master");
    AddText(doc, 9, false, 100, 30, "Requirements for Promotion to " + p.NextRankText);
    AddText(doc, 9, true, 130, 36, "Total");
    AddText(doc, 9, true, 150, 36, "Inc Gold/Red");
    AddText(doc, 9, true, 174, 36, "Inc Gold");
    AddText(doc, 9, false, 100, 40, "You must have");
    AddText(doc, 9, false, 130, 40, p.MustHave[0]);
    AddText(doc, 9, false, 150, 40, p.MustHave[1]);
    AddText(doc, 9, false, 174, 40, p.MustHave[2]);
    AddText(doc, 9, false, 100, 44, "You now have");
    AddText(doc, 9, false, 130, 44, s.Player.OverallTotal);
    AddText(doc, 9, false, 150, 44, p.NowHave[1]);
    AddText(doc, 9, false, 174, 44, p.PrintedGoldHave(s.Player));
    AddText(doc, 9, false, 100, 48, "You still need");
    AddText(doc, 9, false, 130, 48, p.StillNeed[0]);
    AddText(doc, 9, false, 150, 48, p.StillNeed[1]);
    if (p.PrintedNoteApplies()) {
        AddText(doc, 8, true, 100, 52, p.PrintedNote(0));
        AddText(doc, 8, true, 100, 55, p.PrintedNote(1));
        AddText(doc, 8, true, 174, 48, p.PrintedGoldNeed());
    } else {
        AddText(doc, 9, false, 174, 48, p.PrintedGoldNeed());
    }
}

// The statement's rows as the page's grid.
PageGrid StatementPageGrid(const StatementPrint& s) {
    PageGrid grid;
    grid.X = 12;
    grid.Y = 63;
    grid.Width = 190;
    grid.ColumnWidths.assign(kStatementColumnWidths.begin(), kStatementColumnWidths.end());
    grid.RowHeights = {18, 18, 17}; // the two fixed rows, then every other row
    for (const StatementRow& row : s.Rows)
        grid.Rows.emplace_back(row.begin(), row.end());
    grid.RightAligned = {false, false, false, false, true, true, true, true};
    grid.BoldRows.assign(grid.Rows.size(), false);
    if (grid.Rows.size() >= 2)
        grid.BoldRows[grid.Rows.size() - 2] = true; // the closing balances
    // The heading row and the opening row are fixed rows; a statement stopped before its
    // grid was built has neither.
    for (std::size_t r = 0; r < std::min<std::size_t>(2, grid.Rows.size()); ++r)
        grid.BoldRows[r] = true;
    grid.HeadingRows = 1;
    grid.Font = kStatementFont;
    grid.CharHeight = 12;
    return grid;
}

} // namespace

StatementDates StatementPeriod(const std::optional<CivilDate>& registerDate,
                               const DateFormats& formats) {
    const CivilDate end = registerDate.value_or(CivilDate{});
    CivilDate start{end.Year - 1, end.Month, end.Day};
    if (start.Month == 2 && start.Day == 29) {
        using namespace std::chrono;
        if (!year{start.Year}.is_leap())
            start.Day = 28;
    }
    return {FormatDate(formats.ShortDateFormat, start, formats.DateSeparator),
            FormatDate(formats.ShortDateFormat, end, formats.DateSeparator)};
}

StatementGrid
BuildStatementGrid(const PlayerRecord& player, const std::vector<std::string_view>& historyLines,
                   const LineList& events,
                   const std::function<std::string(std::string_view)>& clubDescription,
                   const StatementDates& dates) {
    StatementGrid grid;
    auto& rows = grid.Rows;
    rows.push_back({"", "Q/YY", "Code", "Description", "Gold", "Red", "Green", "Total"});
    rows.push_back(BlankRow()); // the opening balances, filled at the end

    // Exact sums: a balance that ends in a half rounds as written.
    Amount quarter, gold, red, green;
    std::optional<std::string> lastPeriod;
    auto addQuarterTotal = [&] {
        StatementRow row = BlankRow();
        row[1] = lastPeriod ? *lastPeriod : kBlank;
        row[3] = kQuarterTotalLabel;
        row[7] = Fixed2(quarter);
        rows.push_back(row);
        quarter = {};
        rows.push_back(BlankRow());
    };

    for (std::string_view line : historyLines) {
        const Result<AwardLine> parsed = ParseHistoryLine(line, events, clubDescription);
        if (!parsed) {
            grid.StoppedBy = Failure{parsed.Message()};
            return grid;
        }
        const AwardLine& a = *parsed;
        if (lastPeriod && *lastPeriod != a.Period)
            addQuarterTotal();
        StatementRow row = AwardRow(a);
        quarter += a.Gold + a.Red + a.Green;
        gold += a.Gold;
        red += a.Red;
        green += a.Green;
        rows.push_back(row);
        lastPeriod = a.Period;
    }
    addQuarterTotal();
    AddBalances(grid, player, dates, gold, red, green);
    return grid;
}

std::string StatementClubText(const std::string& description) {
    std::string club = description.substr(0, 62);
    return club.size() > 37 ? TitleCase(club) : club;
}

ComposedDocument ComposeStatementPage(const StatementPrint& s, double paperWidth,
                                      double paperHeight) {
    ComposedDocument doc;
    doc.Title = "Statement of Awards " + s.Player.QMRNo;
    doc.PaperWidth = paperWidth;
    doc.PaperHeight = paperHeight;
    doc.Pictures.push_back({"MPLOGO", 8, 5, 40, 18});
    AddStatementHeading(doc, s);
    AddPromotionBlock(doc, s);
    doc.Grids.push_back(StatementPageGrid(s));
    return doc;
}

} // namespace mpsec
