#pragma once
#include <string>

namespace mpsec {

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
