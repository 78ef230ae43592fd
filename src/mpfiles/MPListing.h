#pragma once
#include "core/LineBuffer.h"
#include "core/LineList.h"
#include "core/MPColour.h"
#include "core/Result.h"
#include "register/PlayerRegister.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mpsec {

// The type of a masterpoint file, which its extension tells: the colour of its points, or
// the two colours of its two points fields. The numbers are the types' own.
enum class MPType { None = 0, Gold = 1, Red = 2, Green = 3, GoldRed = 4, RedGreen = 5 };

// The type of a file by its name's extension in any letter case: ".gld", ".red", ".grn",
// ".gar", ".rag"; any other is None.
MPType FindMPType(const std::filesystem::path& file);

// The colours of a type's first and second points fields (none where it has none).
struct MPTypeColours {
    std::optional<MPColour> First, Second;
};
MPTypeColours ColoursOf(MPType type);

// " Masterpoint information for MP File " and the file's name: the listing's title.
std::string MPListingTitle(const std::string& fileName);

// A masterpoint file listed against the register, as the viewer shows it.
struct MPListing {
    MPType Type = MPType::None;
    LineBuffer Entries;
    std::vector<std::string> Errors;
    std::uint64_t Gold = 0, Red = 0, Green = 0; // hundredths
    // Set when a points field is not a whole number: the listing stopped at that line, and
    // the entries and errors of the lines before it stay.
    std::optional<Failure> StoppedBy;

    // "Gold Master Points 2" and the like: the first and second colour labels (empty
    // when the type has none).
    std::string FirstLabel() const;
    std::string SecondLabel() const;
    // "File Errors" or "No File Errors".
    std::string ErrorAreaText() const;
    // The total lines the report ends with.
    std::vector<std::string> TotalLines() const;
    std::uint64_t Total(MPColour colour) const;
    // The report: every entry, then the total lines.
    std::vector<std::string> Report() const;
    // The report as the file holds it: its lines, each ended by CR LF.
    std::string ReportText() const;
};

// The messages one listed line gives, in order, for its number as written in the file and
// the matched register line's home club (trimmed columns 128-133).
std::vector<std::string> CheckPlayer(std::string_view numberAsWritten, std::string_view homeClub,
                                     std::size_t lineNumber);

// Lists the lines of a masterpoint file of the given type. A line starting with Ctrl-Z
// ends the file.
MPListing ListMPFile(const LineList& file, MPType type, const PlayerRegister& national);

// The report's name: the file's name with its extension replaced by ".TXT". Nothing when
// that would be the listed file itself (in any letter case).
std::optional<std::filesystem::path> ReportPath(const std::filesystem::path& file);

// Whether a file's lines are a report of this viewer, which a new report may replace:
// every line a listing entry ("   1. ...") or a total line ("  Total Gold: 2"). An empty
// file holds nothing to lose and counts as one.
bool IsMPReport(const LineList& lines);

} // namespace mpsec

namespace mpsec {

// The largest masterpoint file the program reads: half as large again as a file of
// 1,000,000 two-colour lines, thirty times a national-size file of 100,000. Listing or
// editing a line takes many times its bytes, so a larger file is refused rather than read.
inline constexpr std::uint64_t kMPFileSizeLimit = std::uint64_t{32} << 20;

// A file size as said in a message: "30 bytes" below a megabyte, else whole megabytes
// (1,048,576 bytes each) rounded up, "," between thousands: "2,048 MB".
std::string FileSizeText(std::uint64_t bytes);

// The reason a file of `size` bytes is refused when it is larger than `limit`.
std::string TooLargeReason(std::uint64_t size, std::uint64_t limit);

// Reads a masterpoint file whole into `out` (emptied on failure). A file larger than
// `limit` bytes is refused before any of it is read, the reason saying its size and the
// limit; any other failure says why in the system's words ("No such file or directory").
Status ReadMPFile(const std::filesystem::path& path, LineList& out,
                  std::uint64_t limit = kMPFileSizeLimit);

// "Cannot read the masterpoint file a.gld: " and the reason, without a final full stop.
std::string CannotReadMPFile(const std::filesystem::path& file, const Status& read);

// Writes the listing's report beside `file`. An earlier report under another letter case
// is replaced under its own name; any other file of the report's name (the player register
// National.TXT beside National.gld, say) is kept and the report is not written. Returns the
// problem when the report is not written (the listing itself stands), the report written on
// success.
Result<std::filesystem::path> WriteMPReport(const std::filesystem::path& file,
                                            const MPListing& listing);

} // namespace mpsec
