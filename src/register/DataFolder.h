#pragma once
#include "core/Result.h"
#include "register/ClubRegister.h"
#include "register/PlayerRegister.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mpsec {

inline constexpr const char* kMissingNationalMessage = "Cannot find NATIONAL.TXT.";
inline constexpr const char* kMissingClubsMessage = "Cannot find NATIONAL.CLB.";
inline constexpr const char* kNoPlayersMessage =
    "Cannot use NATIONAL.TXT: it holds no players (it is empty or has only its heading line).";

// The error texts of the missing registers in `folder`, in the order they are shown.
std::vector<std::string> MissingRegisterMessages(const std::filesystem::path& folder);

// Load the player register and the club register of the secretary's data folder, as the
// program does at start-up (names in any letter case). A register that is missing, is a
// folder or cannot be read is left empty and said why, and so is a player register without
// a player line.
Status LoadPlayerRegister(const std::filesystem::path& folder, PlayerRegister& national);
Status LoadClubRegister(const std::filesystem::path& folder, ClubRegister& clubs);

// Whether `folder` is a folder holding both registers (names in any letter case).
bool HoldsRegisters(const std::filesystem::path& folder);

// Where the program finds the federation's files when it starts.
enum class DataFolderSource {
    Argument,    // the folder named on the command line, whatever it holds
    StartFolder, // the folder it was started in, which holds the registers
    Remembered,  // the folder used last, which still holds them
    Ask,         // neither: the user is asked for a folder
};
struct DataFolderChoice {
    DataFolderSource Source;
    std::filesystem::path Folder; // empty for Ask
    bool operator==(const DataFolderChoice&) const = default;
};

// Decides the data folder: a folder named on the command line wins; otherwise the start
// folder when it holds the registers (the terminal use), then the remembered folder when it
// still does, and only then the user is asked. `holds` tells whether a folder holds them.
DataFolderChoice ChooseDataFolder(const std::optional<std::filesystem::path>& argument,
                                  const std::filesystem::path& start, const std::string& remembered,
                                  const std::function<bool(const std::filesystem::path&)>& holds);

// The writable copy of the installed sample data: copies `installed` to `copy` when `copy`
// does not exist yet (never writing in `installed`). The copy's folder, or why there is none.
Result<std::filesystem::path> PrepareSampleCopy(const std::filesystem::path& installed,
                                                const std::filesystem::path& copy);

} // namespace mpsec
