#pragma once
#include "core/Settings.h"
#include "core/SettingsStore.h"
#include "email/Credentials.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// mpsec send player-details|awards|adjustments|cancellations CLUB [--yes] [--dry-run DIR]
int RunSendCommand(const std::filesystem::path& folder, const std::vector<std::string>& args,
                   const AppSettings& appSettings, SettingsStore* store, std::ostream& out,
                   std::ostream& err, CredentialStore* credentials);

} // namespace mpsec
