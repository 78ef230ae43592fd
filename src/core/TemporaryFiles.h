#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace mpsec {

// The name of a temporary file the program writes beside `target` before renaming it over
// the target: ".TARGET.PID-N.mpsec-tmp", unique to the process (PID) and the attempt (N).
std::string TemporaryFileName(std::string_view target, long pid, unsigned attempt);

// Removes from `folder` the temporary files a run that was killed left behind: plain files
// named as above whose process no longer runs. Nothing else is touched: other names, a
// symbolic link of that name (nor what it points to), a folder, the files of a run still
// going (this one's included). Returns how many were removed.
int RemoveLeftTemporaryFiles(const std::filesystem::path& folder);

} // namespace mpsec
