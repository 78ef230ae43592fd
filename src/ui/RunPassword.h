#pragma once
#include "email/EmailSettings.h"
#include "platform/Platform.h"

#include <optional>
#include <string>

namespace mpsec {

// The outgoing server's password for a run that sends: the one kept in the credential store,
// else asked for (and kept there when the store answers). When no store answers, the
// password is asked for and serves this run only, and the box says why. None: cancelled.
std::optional<std::string> RunPassword(Platform& platform, const EmailSettings& settings);

} // namespace mpsec
