#include "cli/CurrentFolder.h"

#include "core/TextHelpers.h"
#include "register/DataFolder.h"

namespace mpsec {

bool CurrentFolder::Load(const std::filesystem::path& folder, std::ostream& err,
                         const char* command, bool withClubs) {
    Folder = WholePath(folder);
    if (Status loaded = LoadPlayerRegister(Folder, National); !loaded) {
        err << "mpsec " << command << ": " << loaded.Message()
            << " (start mpsec in the folder of the register)\n";
        return false;
    }
    if (!withClubs)
        return true;
    if (Status loaded = LoadClubRegister(Folder, Clubs); !loaded) {
        err << "mpsec " << command << ": " << loaded.Message() << "\n";
        return false;
    }
    return true;
}

std::filesystem::path CurrentFolder::Named(const std::string& text) const {
    return Folder / PathFromText(text);
}

std::function<std::string(std::string_view)> CurrentFolder::ClubDescription() const {
    return [this](std::string_view code) { return Clubs.GetClubDescription(code); };
}

std::optional<std::string> CommandLineNumber(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const std::size_t first = text.find_first_not_of('0');
    const std::string digits = first == std::string::npos ? "0" : text.substr(first);
    if (digits.size() > static_cast<std::size_t>(kTypedNumberLength))
        return std::nullopt;
    return digits;
}

} // namespace mpsec
