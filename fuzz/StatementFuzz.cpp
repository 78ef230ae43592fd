// Statements built from award files and registers of any bytes, and composed for printing:
// composing never fails, whatever the statement (a stopped one has no rows), the printed
// grid is the statement's, every row is on exactly one page, and a whole statement has a
// row for every history line of its player.
#include "FuzzSupport.h"

#include "core/Columns.h"
#include "register/ClubRegister.h"
#include "statements/StatementSession.h"

#include <cstdio>

using namespace mpsec;
using mpsec::fuzz::Check;

namespace {

fuzz::ScratchFolder& Folder() {
    static fuzz::ScratchFolder folder;
    return folder;
}

void CheckComposed(const StatementSession::Statement& s, const std::string& typed) {
    const ComposedDocument doc = StatementSession::Compose(s, typed);
    Check(doc.Grids.size() == 1, "a statement prints one grid", typed);
    const PageGrid& grid = doc.Grids[0];
    Check(grid.Rows.size() == s.Rows.size(), "the printed grid has the statement's rows", typed);
    for (std::size_t r = 0; r < grid.Rows.size(); ++r)
        Check(std::equal(grid.Rows[r].begin(), grid.Rows[r].end(), s.Rows[r].begin(),
                         s.Rows[r].end()),
              "a printed row is the statement's", typed + " row " + std::to_string(r));
    std::size_t next = 0;
    for (const GridPage& page : PaginateGrid(grid, doc)) {
        Check(page.FirstRow == next && page.EndRow > page.FirstRow,
              "pages hold the rows in order, each once", typed);
        next = page.EndRow;
    }
    Check(next == grid.Rows.size(), "every row is printed", typed);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::SplitInput input = fuzz::Split(fuzz::AsText(data, size));
    const fuzz::ScratchFolder& folder = Folder();
    folder.Empty();
    for (const char* name : {kHistoryFileName, kEventsFileName, kPre82FileName})
        if (const std::string* bytes = input.Find(name))
            folder.Write(name, *bytes);
    StatementSession session;
    if (!session.Load(folder.Path(), folder.Path()))
        return 0;

    PlayerRegister national;
    national.Assign(input.Get(PlayerRegister::FileName));
    ClubRegister clubs;
    clubs.Assign(input.Get(ClubRegister::FileName));
    const auto describe = [&clubs](std::string_view code) {
        return clubs.GetClubDescription(code);
    };
    // The register's date from the first line before the files ("2026-03-31"), if any.
    std::optional<CivilDate> registerDate;
    CivilDate date;
    if (std::sscanf(input.Preamble.c_str(), "%d-%d-%d", &date.Year, &date.Month, &date.Day) == 3)
        registerDate = date;
    const StatementDates dates = StatementPeriod(registerDate, DateFormats{});

    int rankIndex = 0;
    for (std::size_t line : fuzz::Spread(1, national.Count(), 12)) {
        const PlayerRecord player = national.GetPlayer(line);
        const std::string& typed = player.QMRNo;
        const StatementSession::Statement s =
            session.Build(player, typed, rankIndex, describe, dates);
        CheckComposed(s, typed);
        if (s.StoppedBy)
            continue;

        // Heading, opening balances, the awards with a quarter total and a blank row after
        // each quarter, closing balances and an empty last row.
        const std::vector<std::string_view> lines = session.PlayerLines(typed);
        std::size_t quarters = 0;
        for (std::size_t k = 0; k < lines.size(); ++k)
            quarters += k == 0 || Cols(lines[k], 1, 3) != Cols(lines[k - 1], 1, 3);
        const std::size_t expected = 4 + lines.size() + 2 * std::max<std::size_t>(quarters, 1);
        Check(s.Rows.size() == expected, "a whole statement has a row for every history line",
              typed + ": " + std::to_string(s.Rows.size()) + " rows for " +
                  std::to_string(lines.size()) + " lines");
        Check(s.Rows.back() == StatementRow{}, "a whole statement ends with an empty row", typed);
    }
    return 0;
}
