#pragma once
#include "core/Result.h"
#include "email/EmailSettings.h"

#include <optional>
#include <string_view>

namespace mpsec {

// A port typed in a box: digits only (blanks around allowed), 1 to 65535.
std::optional<int> PortNumber(std::string_view text);

// Whether the settings may be kept: a server name without blanks, a port from 1 to 65535,
// "None" only for a server on this computer, every address given with the shape of one
// (empty ones are allowed: not set yet). The first problem found, in the user's words.
Status CheckEmailSettings(const EmailSettings& settings);

} // namespace mpsec
