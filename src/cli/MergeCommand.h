#pragma once
#include "core/Dates.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// mpsec merge --type gld|red|grn|gar|rag [--output FILE] [--yes] FILE FILE...
// Merges masterpoint files in the current folder as the merge window does; the default
// output name is built from `lastClubNo` and `today`.
int RunMergeCommand(const std::filesystem::path& folder, const std::vector<std::string>& args,
                    const std::string& lastClubNo, const CivilDate& today, std::ostream& out,
                    std::ostream& err);

inline constexpr const char* kMergeUsage =
    "Usage: mpsec merge --type gld|red|grn|gar|rag [--output FILE] [--yes] FILE FILE...\n";

} // namespace mpsec
