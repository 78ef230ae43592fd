#include "app/Startup.h"

#include "core/Files.h"
#include "register/ClubRegister.h"
#include "register/PlayerRegister.h"

#include <cstdio>

namespace mpsec {

std::string DateLabelText(const CivilDate& today) {
    return " " + FormatDate("dddd mmmm dd yyyy", today);
}

std::string NationalLabelText(const std::optional<CivilDate>& fileDate) {
    return "Using NATIONAL.TXT file dated: " +
           FormatDate("mmmm dd yyyy", fileDate.value_or(CivilDate{}));
}

std::vector<std::string> MissingRegisterMessages(const std::filesystem::path& folder) {
    std::vector<std::string> messages;
    if (!FileExistsNoCase(folder, PlayerRegister::FileName))
        messages.push_back(kMissingNationalMessage);
    if (!FileExistsNoCase(folder, ClubRegister::FileName))
        messages.push_back(kMissingClubsMessage);
    return messages;
}

bool AwardFilesPresent(const std::filesystem::path& folder) {
    return FileExistsNoCase(folder, kHistoryFileName) && FileExistsNoCase(folder, kEventsFileName);
}

std::string CannotDeleteSubmissionMessage(const SubmissionFile& file) {
    return std::string("Cannot delete ") + file.FileName +
           ". Nothing has been changed; close any program using it and try again.";
}

} // namespace mpsec

namespace mpsec {

std::optional<std::string> RegisterReadProblem(const std::filesystem::path& path,
                                               const std::string& shownName) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return std::nullopt;
    if (!std::filesystem::is_regular_file(path, ec))
        return "Cannot read " + shownName + ": it is a folder, not a file.";
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return "Cannot read " + shownName + ": permission denied.";
    std::fclose(f);
    return std::nullopt;
}

} // namespace mpsec
