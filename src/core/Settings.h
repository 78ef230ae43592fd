#pragma once
#include "core/SettingsStore.h"

#include <optional>
#include <string>

namespace mpsec {

// The four values kept between runs under the settings key "DIDOD".
struct AppSettings {
    bool ShowHints = true;
    std::string LastClubNo;
    std::string LastMPFolderUsed; // the user's home folder on first run
    bool ShowMPWarning = true;

    bool operator==(const AppSettings&) const = default;
};

inline constexpr const char* kSettingsKey = "DIDOD";

// A stored boolean is a 32-bit integer, 0 or not; anything else is not a boolean.
std::optional<bool> ParseStoredBool(const std::optional<std::string>& text);

// Reads the values present in the store over `defaults`; a value that is absent or of the
// wrong kind keeps its default.
AppSettings ReadSettings(SettingsStore& store, AppSettings defaults);

// Writes all four values.
void WriteSettings(SettingsStore& store, const AppSettings& settings);

} // namespace mpsec
