#pragma once
#include "core/SettingsStore.h"

#include <optional>
#include <string>

namespace mpsec {

// The values kept between runs under the settings key "DIDOD": the program's four, and the
// data folder used last (for a start from the desktop's menu).
struct AppSettings {
    bool ShowHints = true;
    std::string LastClubNo;
    std::string LastMPFolderUsed; // the user's home folder on first run
    bool ShowMPWarning = true;
    std::string DataFolder; // none on first run

    bool operator==(const AppSettings&) const = default;
};

inline constexpr const char* kSettingsKey = "DIDOD";

// A stored boolean is a 32-bit integer, 0 or not; anything else is not a boolean.
std::optional<bool> ParseStoredBool(const std::optional<std::string>& text);

// Reads the values present in the store over `defaults`; a value that is absent or of the
// wrong kind keeps its default.
AppSettings ReadSettings(SettingsStore& store, AppSettings defaults);

// Writes all the values.
void WriteSettings(SettingsStore& store, const AppSettings& settings);

} // namespace mpsec
