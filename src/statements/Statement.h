#pragma once
#include "core/Dates.h"
#include "core/Result.h"
#include "print/ComposedPage.h"
#include "register/PlayerRegister.h"
#include "statements/History.h"
#include "statements/Promotion.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mpsec {

// Columns: 0 unused, 1 "Q/YY", 2 "Code", 3 "Description", 4 "Gold", 5 "Red", 6 "Green",
// 7 "Total". A cell written blank holds one blank; a cell never written is empty.
using StatementRow = std::array<std::string, 8>;

inline constexpr const char* kQuarterTotalLabel = "Quarter Total------------------------";
inline constexpr const char* kInactivePlayer = "             Inactive player.            ";

// The start and end dates of the statement: the register's date and the same day a year
// earlier (28 February for a register dated 29 February), in the short date format.
struct StatementDates {
    std::string Start, End;
};
StatementDates StatementPeriod(const std::optional<CivilDate>& registerDate,
                               const DateFormats& formats);

// The statement grid: headings, opening balances, the awards by quarter with their totals,
// the closing balances and an empty last row. A conversion failure stops the building at
// its line; the rows built so far stay.
struct StatementGrid {
    std::vector<StatementRow> Rows;
    std::optional<Failure> StoppedBy;
};
StatementGrid
BuildStatementGrid(const PlayerRecord& player, const std::vector<std::string_view>& historyLines,
                   const LineList& events,
                   const std::function<std::string(std::string_view)>& clubDescription,
                   const StatementDates& dates);

// The club value of the screen: the description cut to 62 characters, title-cased when
// longer than 37.
std::string StatementClubText(const std::string& description);

// The printed statement, one page with the grid continued on further pages.
struct StatementPrint {
    PlayerRecord Player;
    std::string TypedNumber;
    std::string ClubDescription; // the full look-up text
    Promotion Requirements;
    StatementDates Dates;
    std::vector<StatementRow> Rows;
};
ComposedDocument ComposeStatementPage(const StatementPrint& statement, double paperWidth = 210,
                                      double paperHeight = 297);

// Screen widths of the grid's columns, in pixels.
inline constexpr std::array<double, 8> kStatementColumnWidths{0, 35, 40, 310, 60, 60, 60, 60};

} // namespace mpsec
