#pragma once
#include "app/Settings.h"
#include "core/Dates.h"
#include "register/PlayerRegister.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mpsec {

// The values that live for the whole run, handed to every window that needs them.
struct AppState {
    AppSettings Settings;
    // The folder mpsec was started in: the secretary's data folder.
    std::filesystem::path ProgramFolder;
    PlayerRegister National;
    rPlayer CurrentPlayer;
    DateFormats Formats;
    // The player register's file date (none when it is absent): the statements' end date.
    std::optional<CivilDate> RegisterDate;
    std::function<CivilDate()> Today = [] { return mpsec::Today(); };
    // The club look-up of the club dialog, which owns the club register.
    std::function<std::string(std::string_view code)> GetClubDescription;
};

} // namespace mpsec
