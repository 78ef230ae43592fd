#pragma once
#include "core/Result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// The federation's files are named without regard to letter case ("National.TXT" may
// arrive as NATIONAL.TXT). Returns the path of the entry in `folder` named `name`, exactly
// if present, otherwise the first entry whose name differs only in letter case, otherwise
// `folder / name` (which then does not exist). `folder` is a folder named explicitly; an
// empty one names none.
std::filesystem::path FindFileNoCase(const std::filesystem::path& folder, std::string_view name);

// Whether a name exists in `folder` in any letter case.
bool FileExistsNoCase(const std::filesystem::path& folder, std::string_view name);

// Replaces `path` with `lines`, each ending in CR LF, through a temporary file in the same
// folder renamed over the old one, so a failure never leaves half a file: it leaves any old
// file as it was, removes the temporary file and says why in the system's words
// ("Permission denied", "No space left on device").
Status WriteLinesAtomically(const std::filesystem::path& path,
                            const std::vector<std::string>& lines);

} // namespace mpsec
