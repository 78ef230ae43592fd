#pragma once
#include "core/Dates.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// mpsec cancellations --club NUMBER [--yes] PLAYER...
// Writes the club's cancellation file in the current folder with the named players marked
// as no longer members, in register order, as the cancellations window writes it.
int RunCancellationsCommand(const std::filesystem::path& folder,
                            const std::vector<std::string>& args, const CivilDate& today,
                            std::ostream& out, std::ostream& err);

inline constexpr const char* kCancellationsUsage =
    "Usage: mpsec cancellations --club NUMBER [--yes] PLAYER...\n";

} // namespace mpsec
