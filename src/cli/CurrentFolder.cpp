#include "cli/CurrentFolder.h"

#include "app/Startup.h"
#include "core/Files.h"

namespace mpsec {

bool CurrentFolder::Load(std::ostream& err, const char* command) {
    if (National.Load(FindFileNoCase(".", PlayerRegister::FileName)) != ReadStatus::Ok) {
        err << "mpsec " << command << ": " << kMissingNationalMessage
            << " (start mpsec in the folder of the register)\n";
        return false;
    }
    Clubs.Load(FindFileNoCase(".", ClubRegister::FileName)); // without it, clubs have no names
    return true;
}

std::function<std::string(std::string_view)> CurrentFolder::ClubDescription() const {
    return [this](std::string_view code) { return Clubs.GetClubDescription(code); };
}

} // namespace mpsec
