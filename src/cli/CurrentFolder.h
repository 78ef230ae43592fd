#pragma once
#include "register/ClubRegister.h"
#include "register/PlayerRegister.h"

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace mpsec {

// The registers of the folder a command runs in, as the program loads them at start-up.
struct CurrentFolder {
    // The folder the command runs in: the process's current folder, taken once.
    std::filesystem::path Folder;
    PlayerRegister National;
    ClubRegister Clubs;

    // Loads both; says on `err` why not when the player register cannot be read.
    bool Load(std::ostream& err, const char* command);
    std::function<std::string(std::string_view)> ClubDescription() const;
};

} // namespace mpsec
