#include "cli/DataFolderOption.h"

#include "core/TextHelpers.h"

#include <filesystem>

namespace mpsec {

Result<std::optional<std::string>> TakeDataOption(std::vector<std::string>& args) {
    std::optional<std::string> folder;
    for (std::size_t i = 1; i < args.size();) {
        std::optional<std::string> value;
        std::size_t taken = 1;
        if (args[i] == "--data") {
            if (i + 1 >= args.size())
                return Failure{"--data needs a folder"};
            value = args[i + 1];
            taken = 2;
        } else if (args[i].rfind("--data=", 0) == 0) {
            value = args[i].substr(7);
        } else {
            ++i;
            continue;
        }
        if (folder)
            return Failure{"--data is given twice"};
        folder = value;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i + taken));
    }
    return folder;
}

Status CheckDataFolder(const std::string& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(PathFromText(folder), ec))
        return Failure{"mpsec: " + folder + " is not a folder."};
    return {};
}

} // namespace mpsec
