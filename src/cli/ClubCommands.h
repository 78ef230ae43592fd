#pragma once
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// mpsec clubs KEYWORD: the secretaries' entries of the clubs whose line holds the key word.
int RunClubsCommand(const std::filesystem::path& folder, const std::vector<std::string>& args,
                    std::ostream& out, std::ostream& err);

// mpsec membership [--state STATE] [--sort] [--save] [--csv]: the active home-club members
// of every club, as the membership screen counts, sorts and saves them.
int RunMembershipCommand(const std::filesystem::path& folder, const std::vector<std::string>& args,
                         std::ostream& out, std::ostream& err);

// mpsec extract TYPE [...]: the extraction screen's run.
int RunExtractCommand(const std::filesystem::path& folder, const std::vector<std::string>& args,
                      std::ostream& out, std::ostream& err);

} // namespace mpsec
