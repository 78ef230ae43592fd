#pragma once
#include "core/Result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// A file of requests sent to the federation, which its command starts afresh.
struct SubmissionFile {
    const char* FileName;
    const char* OverwriteQuestion;
    // Asked by the form's "Cl&ear File" button.
    const char* ClearQuestion;
};

inline constexpr SubmissionFile kPlayerSubmission{
    "PLAYER.TXT", "PLAYER.TXT has been found. Do you wish to OVERWRITE and lose this information? ",
    "You are about to CLEAR ALL information from PLAYER.TXT. Are You Sure? "};
inline constexpr SubmissionFile kAwardsSubmission{
    "AWARDS.TXT", "AWARD.TXT has been found. Do you wish to OVERWRITE and lose this information? ",
    "You are about to CLEAR ALL infomation from AWARDS.TXT. Are You Sure? "};
inline constexpr SubmissionFile kAdjustmentSubmission{
    "AAAFORM.TXT",
    "AAAFORM.TXT has been found. Do you wish to OVERWRITE and lose this information? ",
    "You are about to CLEAR ALL information from AAAFORM.TXT. Are You Sure? "};

// Said when the old file cannot be removed: the command then stops, so new requests are
// never appended to the old ones.
std::string CannotDeleteSubmissionMessage(const SubmissionFile& file);

// The forms that check their fields say this when one is empty.
inline constexpr const char* kFieldsLeftBlank = "One or more necessary fields have been left blank";
inline constexpr const char* kAppendedSuccessfully = "Appended Successfully.";

// The keys the forms' boxes accept besides the editing keys: digits; digits and the
// decimal point (club numbers and points); the characters of a name.
bool IsDigitKey(char c);
bool IsNumberKey(char c);
bool IsNameKey(char c);

// A club number as the federation writes it: "-" after the state digit (6785 gives 6-785,
// 6 gives 6-); no club number gives "-".
std::string ClubLine(std::string_view clubNo);

// Lines as the bytes of a block: each ends in CR LF.
std::string BlockText(const std::vector<std::string>& lines);

// What the forms say when a block could not be appended.
std::string AppendFailedMessage(const SubmissionFile& file, const std::string& reason);

} // namespace mpsec
