#include "register/DataFolder.h"

#include "core/Files.h"

#include <cctype>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

template <class Register>
Status LoadRegister(const fs::path& folder, Register& reg, const std::string& shownName,
                    const char* missing) {
    const fs::path path = FindFileNoCase(folder, Register::FileName);
    reg.Clear();
    std::error_code ec;
    if (!fs::exists(path, ec))
        return Failure{missing};
    if (fs::is_directory(path, ec))
        return Failure{"Cannot read " + shownName + ": it is a folder, not a file."};
    if (!fs::is_regular_file(path, ec))
        return Failure{"Cannot read " + shownName + ": it is not a plain file."};
    if (Status loaded = reg.Load(path); !loaded) {
        std::string reason = loaded.Message();
        if (!reason.empty())
            reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
        return Failure{"Cannot read " + shownName + ": " + reason + "."};
    }
    return {};
}

} // namespace

std::vector<std::string> MissingRegisterMessages(const fs::path& folder) {
    std::vector<std::string> messages;
    if (!FileExistsNoCase(folder, PlayerRegister::FileName))
        messages.push_back(kMissingNationalMessage);
    if (!FileExistsNoCase(folder, ClubRegister::FileName))
        messages.push_back(kMissingClubsMessage);
    return messages;
}

Status LoadPlayerRegister(const fs::path& folder, PlayerRegister& national) {
    return LoadRegister(folder, national, "NATIONAL.TXT", kMissingNationalMessage);
}

Status LoadClubRegister(const fs::path& folder, ClubRegister& clubs) {
    return LoadRegister(folder, clubs, "NATIONAL.CLB", kMissingClubsMessage);
}

} // namespace mpsec
