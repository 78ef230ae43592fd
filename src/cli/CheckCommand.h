#pragma once
#include "mpfiles/MPListing.h"

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// mpsec check FILE...: lists each masterpoint file against the register of the current
// folder like the viewer, writes its report, and returns 1 when any file has an error, 2
// when one cannot be read or listed (a file larger than `sizeLimit` bytes among them).
int RunCheckCommand(const std::filesystem::path& folder, const std::vector<std::string>& files,
                    std::ostream& out, std::ostream& err,
                    std::uint64_t sizeLimit = kMPFileSizeLimit);

} // namespace mpsec
