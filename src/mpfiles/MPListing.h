#pragma once
#include "core/LineList.h"
#include "register/PlayerRegister.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mpsec {

// 0 none, 1 gold (.gld), 2 red (.red), 3 green (.grn), 4 gold and red (.gar), 5 red and
// green (.rag), by the file name's extension in any letter case.
int FindMPType(const std::filesystem::path& file);

// A masterpoint file listed against the register, as the viewer shows it.
struct MPListing {
    int Type = 0;
    std::vector<std::string> Entries;
    std::vector<std::string> Errors;
    std::uint64_t Gold = 0, Red = 0, Green = 0; // hundredths
    // Set when a points field is not a whole number: the listing stopped at that line, and
    // the entries and errors of the lines before it stay.
    std::optional<Failure> StoppedBy;

    // "Gold Master Points 2" and the like: the first and second colour labels (empty
    // when the type has none).
    std::string FirstLabel() const;
    std::string SecondLabel() const;
    // The total lines the report ends with.
    std::vector<std::string> TotalLines() const;
    // The total of a colour: 0 gold, 1 red, 2 green.
    std::uint64_t Total(int colour) const;
    // The report: every entry, then the total lines.
    std::vector<std::string> Report() const;
};

// The messages one listed line gives, in order, for its number as written in the file and
// the matched register line's home club (trimmed columns 128-133).
std::vector<std::string> CheckPlayer(std::string_view numberAsWritten, std::string_view homeClub,
                                     std::size_t lineNumber);

// Lists the lines of a masterpoint file of the given type. A line starting with Ctrl-Z
// ends the file.
MPListing ListMPFile(const LineList& file, int type, const PlayerRegister& national);

// The report's name: the file's name with its extension replaced by ".TXT". Nothing when
// that would be the listed file itself (in any letter case).
std::optional<std::filesystem::path> ReportPath(const std::filesystem::path& file);

// Whether a file's lines are a report of this viewer, which a new report may replace:
// every line a listing entry ("   1. ...") or a total line ("  Total Gold: 2"). An empty
// file holds nothing to lose and counts as one.
bool IsMPReport(const LineList& lines);

} // namespace mpsec

namespace mpsec {

// Writes the listing's report beside `file`. An earlier report under another letter case
// is replaced under its own name; any other file of the report's name (the player register
// National.TXT beside National.gld, say) is kept and the report is not written. Returns the
// problem when the report is not written (the listing itself stands), nothing on success.
Status WriteMPReport(const std::filesystem::path& file, const MPListing& listing);

} // namespace mpsec
