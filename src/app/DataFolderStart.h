#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace mpsec {

class Platform;

inline constexpr const char* kChooseDataFolderTitle = "Choose the folder that holds National.TXT";

// What the program knows about folders when it starts.
struct StartFolders {
    std::optional<std::filesystem::path> Argument; // `mpsec DIR`
    std::filesystem::path Start;                   // the folder it was started in
    std::string Remembered;                        // the data folder used last
    std::filesystem::path InstalledSample;         // the sample data installed with it
    std::filesystem::path Home;                    // the user's home folder
};

// The folder holding the federation's files to start on. When neither the start folder nor
// the remembered one holds the registers, the user is asked once with the folder chooser
// (the sample data's writable copy offered beside the usual places); cancelled, the start
// folder, whose missing registers are then reported as usual.
std::filesystem::path FindDataFolder(const StartFolders& folders, Platform& platform);

} // namespace mpsec
