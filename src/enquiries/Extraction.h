#pragma once
#include "core/Result.h"
#include "enquiries/AlternateMembers.h"
#include "enquiries/StateChoices.h"
#include "register/ClubRegister.h"
#include "register/PlayerRegister.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// What the extraction writes, in the order of the screen's choices.
enum class OutputType {
    AllPlayers,
    TopPerformers,
    TopThisYear,
    MostImproved,
    HomeClub,
    InactiveClub,
    InactiveFile,
};
inline constexpr int kOutputTypeCount = 7;

// Per output type: the screen's caption, the file-name prefix and the command's name.
struct OutputTypeInfo {
    const char* Caption;
    const char* Prefix;
    const char* CommandName;
};
inline constexpr std::array<OutputTypeInfo, kOutputTypeCount> kOutputTypes{{
    {"All Players", "", "all"},
    {"Top Performers", "TOP", "top"},
    {"Top Performers This Year", "YEAR", "year"},
    {"Most Improved Players", "MIP", "mip"},
    {"Home Club No. and Names", "HOME", "home"},
    {"Inactive Players (Club)", "INAC", "inactive"},
    {"Inactive Players (Text File)", "INACFILE", "inactive-file"},
}};
inline const OutputTypeInfo& Info(OutputType type) {
    return kOutputTypes[static_cast<std::size_t>(type)];
}

// The ranked lists and the inactive lists are shown on screen as well as written.
bool ListShown(OutputType type);

// The fixed minimum this-year total of the most improved players.
inline constexpr double kMostImprovedMinimum = 10;
inline constexpr int kMinimumSpinnerLowest = 2;
inline constexpr int kMinimumSpinnerHighest = 20000;
inline constexpr int kDefaultTopMinimum = 100;
inline constexpr int kDefaultYearMinimum = 50;

// The choices of one run.
struct ExtractChoices {
    OutputType Type = OutputType::AllPlayers;
    StateChoice State = AllStates();
    bool ClubOnly = false;
    std::string ClubNo;
    // Members of the club through the alternate-membership file too (types 0-3 only).
    bool AllMembers = false;
    double TopMinimum = kDefaultTopMinimum;
    double YearMinimum = kDefaultYearMinimum;
};

// "Club Only" applies to types 0-5; the alternate file counts only for types 0-3 with it.
bool ClubOnlyApplies(const ExtractChoices& choices);
bool AlternateFileCounts(const ExtractChoices& choices);

// Whether the player (just parsed from the register) is selected. `alternate` is read only
// when the alternate file counts.
bool PlayerQualifies(const PlayerRecord& player, const ExtractChoices& choices,
                     const AlternateMembers& alternate);

// This year's total against the whole: this year x 100 / (overall + 100) x 100, as a whole
// number right-justified in 8 characters (50 of 150 give "    2000"). A total that is not
// a number counts as 0 here; a run stops at such an overall total before it is used.
std::string Improvement(const PlayerRecord& player);

// The output line of a type for a raw register line; type 6 ends with the inactive
// player's last club from `clubDescription` (the club's full description).
std::string ExtractLine(OutputType type, std::string_view line, const PlayerRecord& player,
                        std::string_view clubDescription = {});

// The file written: the type's prefix, then the club number with "Club Only" (not for
// type 6), else the state's part (nor for type 6), then ".TXT".
std::string OutputFileName(const ExtractChoices& choices);

// The heading of the printed list: "Top Performers - NSW", "Home Club No. and Names - Club 6785".
std::string ExtractTitle(const ExtractChoices& choices);

inline constexpr const char* kClubNumberMissing = "Club Number must be entered.";
inline constexpr const char* kNoClubWithNumber = "No Club has this Number.";
inline constexpr const char* kNoPlayersFound = " No players Found - Check Minimum Points.";
inline constexpr const char* kOutputSavedAs = "Output saved as ";
inline constexpr const char* kDoneOutputSavedAs = "Done - Output saved as ";

// The club checks made before anything is read or written: the two messages above, or
// none.
Status CheckClubChoice(const ExtractChoices& choices, const ClubRegister& clubs);

// One run's result: the file's bytes (each line ended by CR LF), where each line ends,
// the player of each line, and whether the ranked or all-players list found nobody. The
// screen lists the file's lines for the ranked and inactive types.
class Extraction {
  public:
    std::string FileName;
    // The register line of the player of each file line.
    std::vector<std::size_t> Players;
    bool NoPlayersFound = false;
    bool Listed = false;
    // The conversion message of a register total that is not a number (a most improved
    // player's overall total); the lines are then not to be written.
    std::optional<Failure> StoppedBy;

    const std::string& Bytes() const { return bytes_; }
    std::size_t LineCount() const { return ends_.size(); }
    // Line k without its CR LF.
    std::string_view Line(std::size_t k) const;
    std::vector<std::string> FileLines() const;
    // The lines the screen lists: the file's, for the types that list.
    std::vector<std::string> ListLines() const;

    // A whole line; or one built from pieces by Append, finished by End.
    void Add(std::string_view line);
    void Append(std::string_view piece) { bytes_.append(piece); }
    void End();
    void Reserve(std::size_t bytes, std::size_t lines);

  private:
    std::string bytes_;
    std::vector<std::size_t> ends_;
};

// The selection and the lines of a run over the register (types 0-5), or over the player
// numbers in columns 1-7 of `inputLines` (type 6: the inactive players among them, once
// per line, in the input's order). It stops at the first most improved player whose overall
// total is not a number, with the conversion message in StoppedBy.
Extraction ExtractPlayers(const PlayerRegister& national, const ClubRegister& clubs,
                          const ExtractChoices& choices, const AlternateMembers& alternate,
                          const LineList& inputLines = {});

// A whole run as the screen makes it: the club checks, the alternate file read from
// `folder` when it counts (a missing one stops the run before any file is written), the
// type 6 input read from `inputFile`, the selection (a total that is not a number stops it
// before any file is written), and the file written into `folder`
// (replaced only once the new one is complete). The Failure says why in the user's words.
Result<Extraction> RunExtraction(const PlayerRegister& national, const ClubRegister& clubs,
                                 const ExtractChoices& choices, const std::filesystem::path& folder,
                                 const std::filesystem::path& inputFile = {});

} // namespace mpsec
