#pragma once
#include "core/Dates.h"
#include "core/Result.h"
#include "mpfiles/MPListing.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// Merging joins masterpoint files of one type into one: their lines one after another, in
// the order the files are given. Points are not added up and nothing is sorted.

// The five types a merge offers, in order, with their choice captions.
struct MergeChoice {
    MPType Type;
    const char* Caption;
};
inline constexpr MergeChoice kMergeChoices[5] = {
    {MPType::Gold, "Gold (.gld)"},
    {MPType::Red, "Red (.red)"},
    {MPType::Green, "Green (.grn)"},
    {MPType::GoldRed, "Gold and Red (.gar)"},
    {MPType::RedGreen, "Red and Green (.rag)"},
};

// The extension of a type (".gld" ...); empty for None.
std::string MPTypeExtension(MPType type);

// "QMR Master Point Files|*" and the type's extension: the filter once a type is chosen.
std::string MPTypeFilter(MPType type);

// The quarter digit of a month: '1' for January to March ... '4' for October to December.
char QuarterDigit(int month);

// The merged file's default name: `LastClubNo`, the quarter digit and the two-digit year
// of `today`, and the type's extension, in the program's folder (1234226.gld on 15 May
// 2026 for club 1234; 226.gld without a club number).
std::filesystem::path DefaultMergeName(const std::filesystem::path& programFolder,
                                       std::string_view lastClubNo, const CivilDate& today,
                                       MPType type);

// What a merge writes for one line of an input: nothing for an empty line, otherwise the
// line without its first Ctrl-Z.
std::optional<std::string_view> MergedLine(std::string_view line, std::string& scratch);

// The question asked before an existing output is replaced.
std::string MergeOverwriteQuestion(std::string_view outputName);

inline constexpr const char* kMergeTemporaryName = "Merge.$$$";
inline constexpr const char* kMergeOneFileMessage = "More than one file must be selected.";
inline constexpr const char* kMergeDoneMessage = " Files have been successfully merged.";

// Whether every input can be opened for reading; otherwise the first that cannot, with the
// reason, in MergeMPFiles's words. A file larger than `limit` bytes is one that cannot.
Status CheckMergeInputs(const std::vector<std::filesystem::path>& inputs,
                        std::uint64_t limit = kMPFileSizeLimit);

// Merges `inputs` into `output`: every input's lines (a Ctrl-Z at the start of a line ends
// that file), empty lines dropped and the first Ctrl-Z of a line removed, each line ending
// in CR LF. They are written to "Merge.$$$" beside the output, which then replaces the
// output in one rename, so an input may be the output itself. An input that cannot be read,
// or an output that cannot be written, stops the merge: the output stays as it was and the
// temporary file is removed. An input larger than `limit` bytes is refused unread, as
// ReadMPFile does. Asks nothing: the caller asks before replacing the output.
Status MergeMPFiles(const std::vector<std::filesystem::path>& inputs,
                    const std::filesystem::path& output, std::uint64_t limit = kMPFileSizeLimit);

} // namespace mpsec
