#pragma once
#include "core/Dates.h"
#include "core/Settings.h"
#include "register/ClubRegister.h"
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
    // The secretary's data folder, where the federation's files are read and the program's
    // files are written: the folder mpsec was started in. Every file is opened by a path
    // built from it, never relative to the process's current folder.
    std::filesystem::path DataFolder;
    // The folder of the program's own files (the pre-1982 points, the merge's default
    // names): the data folder, here.
    std::filesystem::path ProgramFolder;
    PlayerRegister National;
    ClubRegister Clubs;
    PlayerRecord CurrentPlayer;
    DateFormats Formats;
    // The player register's file date (none when it is absent): the statements' end date.
    std::optional<CivilDate> RegisterDate;
    std::function<CivilDate()> Today = [] { return mpsec::Today(); };
    // The club look-up of the club register, for the model functions that take one.
    std::function<std::string(std::string_view code)> ClubLookup() const {
        return [this](std::string_view code) { return Clubs.GetClubDescription(code); };
    }
};

} // namespace mpsec
