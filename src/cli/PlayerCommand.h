#pragma once
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// mpsec player NUMBER | SURNAME [INITIAL]: what the player view shows, for a number the
// player, for a surname the selection list.
int RunPlayerCommand(const std::filesystem::path& folder, const std::vector<std::string>& args,
                     std::ostream& out, std::ostream& err);

} // namespace mpsec
