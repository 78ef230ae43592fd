#pragma once
#include "core/Result.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// Takes `--data DIR` (or `--data=DIR`) out of the arguments, wherever it stands after the
// program's name. The folder, none, or a failure that says what is wrong (no folder after
// it, given twice).
Result<std::optional<std::string>> TakeDataOption(std::vector<std::string>& args);

// Fails with the message to show when `folder` is not a folder to work in.
Status CheckDataFolder(const std::string& folder);

} // namespace mpsec
