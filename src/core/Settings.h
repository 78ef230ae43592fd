#pragma once
#include "core/SettingsStore.h"

#include <optional>
#include <string>
#include <vector>

namespace mpsec {

// The values kept between runs under the settings key "DIDOD": the program's four, the
// data folder used last (for a start from the desktop's menu) and the data folders used
// recently (for the Setup menu).
struct AppSettings {
    bool ShowHints = true;
    std::string LastClubNo;
    std::string LastMPFolderUsed; // the user's home folder on first run
    bool ShowMPWarning = true;
    std::string DataFolder; // none on first run
    // Most recent first, at most kRecentDataFolderCount, stored as RecentDataFolder1 to 5.
    std::vector<std::string> RecentDataFolders;

    bool operator==(const AppSettings&) const = default;
};

inline constexpr const char* kSettingsKey = "DIDOD";
inline constexpr std::size_t kRecentDataFolderCount = 5;

// The recent folders with `folder` put first: once only (an earlier entry naming the same
// folder goes), and the oldest beyond the count dropped.
std::vector<std::string> WithRecentFolder(std::vector<std::string> recent,
                                          const std::string& folder);

// A stored boolean is a 32-bit integer, 0 or not; anything else is not a boolean.
std::optional<bool> ParseStoredBool(const std::optional<std::string>& text);

// Reads the values present in the store over `defaults`; a value that is absent or of the
// wrong kind keeps its default.
AppSettings ReadSettings(SettingsStore& store, AppSettings defaults);

// Writes all the values and saves them; why not, when they cannot be kept.
Status WriteSettings(SettingsStore& store, const AppSettings& settings);

} // namespace mpsec
