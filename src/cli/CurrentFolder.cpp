#include "cli/CurrentFolder.h"

#include "register/DataFolder.h"

namespace mpsec {

bool CurrentFolder::Load(std::ostream& err, const char* command) {
    std::error_code ec;
    Folder = std::filesystem::current_path(ec);
    if (Status loaded = LoadPlayerRegister(Folder, National); !loaded) {
        err << "mpsec " << command << ": " << loaded.Message()
            << " (start mpsec in the folder of the register)\n";
        return false;
    }
    (void)LoadClubRegister(Folder, Clubs); // without it, clubs have no names
    return true;
}

std::function<std::string(std::string_view)> CurrentFolder::ClubDescription() const {
    return [this](std::string_view code) { return Clubs.GetClubDescription(code); };
}

} // namespace mpsec
