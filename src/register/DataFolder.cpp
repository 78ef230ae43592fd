#include "register/DataFolder.h"
#include "core/SystemCalls.h"
#include "core/TextHelpers.h"

#include "core/Files.h"

#include <cctype>
#include <cerrno>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

template <class Register>
Status LoadRegister(const fs::path& folder, Register& reg, const std::string& shownName,
                    const char* missing) {
    const fs::path path = FindFileNoCase(folder, Register::FileName);
    reg.Clear();
    std::error_code ec;
    if (!fs::exists(path, ec))
        return Failure{missing};
    if (fs::is_directory(path, ec))
        return Failure{"Cannot read " + shownName + ": it is a folder, not a file."};
    if (!fs::is_regular_file(path, ec))
        return Failure{"Cannot read " + shownName + ": it is not a plain file."};
    if (Status loaded = reg.Load(path); !loaded) {
        std::string reason = loaded.Message();
        if (!reason.empty())
            reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
        return Failure{"Cannot read " + shownName + ": " + reason + "."};
    }
    return {};
}

} // namespace

std::vector<std::string> MissingRegisterMessages(const fs::path& folder) {
    std::vector<std::string> messages;
    if (!FileExistsNoCase(folder, PlayerRegister::FileName))
        messages.push_back(kMissingNationalMessage);
    if (!FileExistsNoCase(folder, ClubRegister::FileName))
        messages.push_back(kMissingClubsMessage);
    return messages;
}

Status LoadPlayerRegister(const fs::path& folder, PlayerRegister& national) {
    if (Status loaded = LoadRegister(folder, national, "NATIONAL.TXT", kMissingNationalMessage);
        !loaded)
        return loaded;
    // Without a player every number would read as unknown: refused as a missing one is.
    const LineList& lines = national.NationalList();
    for (std::size_t i = 1; i < lines.Count(); ++i)
        if (lines[i].find_first_not_of(" \t") != std::string_view::npos)
            return {};
    national.Clear();
    return Failure{kNoPlayersMessage};
}

Status LoadClubRegister(const fs::path& folder, ClubRegister& clubs) {
    return LoadRegister(folder, clubs, "NATIONAL.CLB", kMissingClubsMessage);
}

bool HoldsRegisters(const fs::path& folder) {
    std::error_code ec;
    return !folder.empty() && fs::is_directory(folder, ec) &&
           MissingRegisterMessages(folder).empty();
}

DataFolderChoice ChooseDataFolder(const std::optional<fs::path>& argument, const fs::path& start,
                                  const std::string& remembered,
                                  const std::function<bool(const fs::path&)>& holds) {
    if (argument)
        return {DataFolderSource::Argument, *argument};
    if (holds(start))
        return {DataFolderSource::StartFolder, start};
    if (!remembered.empty() && holds(PathFromText(remembered)))
        return {DataFolderSource::Remembered, PathFromText(remembered)};
    return {DataFolderSource::Ask, {}};
}

Result<fs::path> PrepareSampleCopy(const fs::path& installed, const fs::path& copy) {
    std::error_code ec;
    if (fs::exists(copy, ec)) {
        if (fs::is_directory(copy, ec))
            return copy;
        return Failure{PathText(copy) + " exists and is not a folder."};
    }
    if (!fs::is_directory(installed, ec))
        return Failure{"The sample data is not installed (" + PathText(installed) + ")."};
    // Copied beside the target first, so an interrupted copy never looks complete.
    fs::path partial = copy;
    partial += ".partial";
    // Installed files are read-only; the copy is the user's to write in.
    if (os::RemoveFolder(partial) != 0 || os::CopyFolder(installed, partial) != 0 ||
        os::RenameNoReplace(partial, copy) != 0) {
        const int error = errno;
        os::RemoveFolder(partial);
        return Failure{"Cannot copy the sample data to " + PathText(copy) + ": " +
                       os::ErrorText(error) + "."};
    }
    return copy;
}

} // namespace mpsec
