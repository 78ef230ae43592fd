#pragma once
#include "core/Result.h"
#include "register/ClubRegister.h"
#include "register/PlayerRegister.h"

#include <filesystem>
#include <string>
#include <vector>

namespace mpsec {

inline constexpr const char* kMissingNationalMessage = "Cannot find NATIONAL.TXT.";
inline constexpr const char* kMissingClubsMessage = "Cannot find NATIONAL.CLB.";

// The error texts of the missing registers in `folder`, in the order they are shown.
std::vector<std::string> MissingRegisterMessages(const std::filesystem::path& folder);

// Load the player register and the club register of the secretary's data folder, as the
// program does at start-up (names in any letter case). A register that is missing, is a
// folder or cannot be read is left empty and said why.
Status LoadPlayerRegister(const std::filesystem::path& folder, PlayerRegister& national);
Status LoadClubRegister(const std::filesystem::path& folder, ClubRegister& clubs);

} // namespace mpsec
