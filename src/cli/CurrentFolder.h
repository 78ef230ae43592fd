#pragma once
#include "register/ClubRegister.h"
#include "register/PlayerRegister.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace mpsec {

// The registers of the folder a command runs in, as the program loads them at start-up.
struct CurrentFolder {
    // The folder the command runs in, whole (see WholePath): every file of the command is
    // named from it, none through the process's current folder.
    std::filesystem::path Folder;
    PlayerRegister National;
    ClubRegister Clubs;

    // Loads the player register of `folder` and, `withClubs`, the club register; says on
    // `err` why not when one cannot be read (a missing club register as the main window
    // says it).
    bool Load(const std::filesystem::path& folder, std::ostream& err, const char* command,
              bool withClubs = true);
    // A file named on the command line: taken in Folder unless it is absolute.
    std::filesystem::path Named(const std::string& text) const;
    std::function<std::string(std::string_view)> ClubDescription() const;
};

// A player number typed on the command line, without its leading zeros: the register holds
// numbers of up to seven digits, so a longer one (after its leading zeros) is refused rather
// than cut. None when `text` is not such a number.
std::optional<std::string> CommandLineNumber(const std::string& text);

} // namespace mpsec
