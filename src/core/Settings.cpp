#include "core/Settings.h"

#include "core/AsciiText.h"
#include "core/TextHelpers.h"

#include <algorithm>
#include <charconv>

namespace mpsec {

std::optional<bool> ParseStoredBool(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    std::string_view s = TrimBlanks(*text);
    long value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty())
        return std::nullopt;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return value != 0;
}

namespace {

bool IsStoredClubNumber(std::string_view text) {
    return text.size() <= 4 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string RecentFolderName(std::size_t place) {
    return "RecentDataFolder" + std::to_string(place);
}

// A folder as the program keeps it (see WholePath), whatever form an earlier version or the
// chooser stored it in (C:/data, C:\data\, /home/x/aug/.).
std::string WholeFolderText(const std::string& stored) {
    return stored.empty() ? stored : PathText(WholePath(PathFromText(stored)));
}

} // namespace

AppSettings ReadSettings(SettingsStore& store, AppSettings settings) {
    if (auto v = ParseStoredBool(store.ReadText("ShowHints")))
        settings.ShowHints = *v;
    // It fills the four-digit club fields: a value they could not hold is left out.
    if (auto v = store.ReadText("LastClubNo"))
        settings.LastClubNo = IsStoredClubNumber(*v) ? *v : std::string();
    if (auto v = store.ReadText("LastMPFolderUsed"))
        settings.LastMPFolderUsed = *v;
    if (auto v = ParseStoredBool(store.ReadText("ShowMPWarning")))
        settings.ShowMPWarning = *v;
    if (auto v = store.ReadText("DataFolder"))
        settings.DataFolder = WholeFolderText(*v);
    std::vector<std::string> recent;
    for (std::size_t i = kRecentDataFolderCount; i >= 1; --i)
        if (auto v = store.ReadText(RecentFolderName(i)); v && !v->empty())
            recent = WithRecentFolder(std::move(recent), WholeFolderText(*v));
    if (!recent.empty())
        settings.RecentDataFolders = std::move(recent);
    return settings;
}

Status WriteSettings(SettingsStore& store, const AppSettings& settings) {
    store.WriteInt("ShowHints", settings.ShowHints ? 1 : 0);
    store.WriteText("LastClubNo", settings.LastClubNo);
    store.WriteText("LastMPFolderUsed", settings.LastMPFolderUsed);
    store.WriteInt("ShowMPWarning", settings.ShowMPWarning ? 1 : 0);
    store.WriteText("DataFolder", settings.DataFolder);
    for (std::size_t i = 0; i < settings.RecentDataFolders.size() && i < kRecentDataFolderCount;
         ++i)
        store.WriteText(RecentFolderName(i + 1), settings.RecentDataFolders[i]);
    return store.Save();
}

std::vector<std::string> WithRecentFolder(std::vector<std::string> recent,
                                          const std::string& folder) {
    // The same folder as the system compares names (C:\Data and c:\data on Windows).
    const std::filesystem::path path = PathFromText(folder);
    std::erase_if(recent, [&](const std::string& r) { return SamePath(PathFromText(r), path); });
    recent.insert(recent.begin(), folder);
    if (recent.size() > kRecentDataFolderCount)
        recent.resize(kRecentDataFolderCount);
    return recent;
}

} // namespace mpsec
