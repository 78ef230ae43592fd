#include "submissions/SubmissionFiles.h"

#include "core/Files.h"

namespace mpsec {

std::string CannotDeleteSubmissionMessage(const SubmissionFile& file) {
    return std::string("Cannot delete ") + file.FileName +
           ". Nothing has been changed; close any program using it and try again.";
}

bool IsDigitKey(char c) {
    return c >= '0' && c <= '9';
}

bool IsNumberKey(char c) {
    return IsDigitKey(c) || c == '.';
}

bool IsNameKey(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ' || c == '\'' || c == '-';
}

std::string ClubLine(std::string_view clubNo) {
    if (clubNo.empty())
        return "-";
    return std::string(clubNo.substr(0, 1)) + "-" + std::string(clubNo.substr(1));
}

std::string BlockText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::string AppendFailedMessage(const SubmissionFile& file, const std::string& reason) {
    return std::string("Cannot add to ") + file.FileName + ": " + reason +
           ". Nothing was written; the form keeps what you typed.";
}

} // namespace mpsec
