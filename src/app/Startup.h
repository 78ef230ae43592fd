#pragma once
#include "core/Dates.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mpsec {

inline constexpr const char* kApplicationTitle = "QMR Divoru Viduro Dovuri Seach Program";
inline constexpr const char* kMainCaption = "QMR Dodiru Vorez Azoviv";
inline constexpr const char* kVersionText = "Version 7.00.01";
inline constexpr const char* kHistoryFileName = "history.txt";
inline constexpr const char* kEventsFileName = "events.txt";
inline constexpr const char* kMissingNationalMessage = "Cannot find NATIONAL.TXT.";
inline constexpr const char* kMissingClubsMessage = "Cannot find NATIONAL.CLB.";

// The status strip's date: one blank, then e.g. "Monday December 07 2026".
std::string DateLabelText(const CivilDate& today);

// "Using NATIONAL.TXT file dated: " and the register's date (a missing file gives the
// zero date, December 30 1899).
std::string NationalLabelText(const std::optional<CivilDate>& fileDate);

// The error texts of the missing registers in `folder`, in the order they are shown.
std::vector<std::string> MissingRegisterMessages(const std::filesystem::path& folder);

// The award statements are offered only when both award files are present.
bool AwardFilesPresent(const std::filesystem::path& folder);

// A file of requests sent to the federation, which its command starts afresh.
struct SubmissionFile {
    const char* FileName;
    const char* OverwriteQuestion;
};

inline constexpr SubmissionFile kPlayerSubmission{
    "PLAYER.TXT",
    "PLAYER.TXT has been found. Do you wish to OVERWRITE and lose this information? "};
inline constexpr SubmissionFile kAwardsSubmission{
    "AWARDS.TXT", "AWARD.TXT has been found. Do you wish to OVERWRITE and lose this information? "};
inline constexpr SubmissionFile kAdjustmentSubmission{
    "AAAFORM.TXT",
    "AAAFORM.TXT has been found. Do you wish to OVERWRITE and lose this information? "};

// Said when the old file cannot be removed: the command then stops, so new requests are
// never appended to the old ones.
std::string CannotDeleteSubmissionMessage(const SubmissionFile& file);

} // namespace mpsec

namespace mpsec {

// What is wrong with a register file that exists but cannot be used: a folder of that
// name, or a file that cannot be read. Nothing when it is missing or readable.
std::optional<std::string> RegisterReadProblem(const std::filesystem::path& path,
                                               const std::string& shownName);

} // namespace mpsec
