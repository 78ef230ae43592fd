#include "mpfiles/OldExtensions.h"
#include "core/TextHelpers.h"

#include "core/AsciiText.h"
#include "core/SystemCalls.h"

#include <cerrno>
#include <cstdio>
#include <set>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

std::string ExtensionOf(const std::string& name) {
    auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

// Renames without ever replacing an entry that appeared under the new name meanwhile; a
// refusal is added to `refused`, a line each.
void RenameNoReplace(const fs::path& from, const fs::path& to, std::string& refused) {
    if (os::RenameNoReplace(from, to) == 0)
        return;
    const int error = errno;
    if (!refused.empty())
        refused += "\n";
    refused += "Cannot rename " + PathText(from.filename()) + " to " + PathText(to.filename()) +
               ": " + os::ErrorText(error) + ".";
}

Status Refused(const std::string& refused) {
    if (refused.empty())
        return {};
    return Failure{refused};
}

void Say(const Status& renamed, const std::function<void(const std::string&)>& sayFailure) {
    if (!renamed && sayFailure)
        sayFailure(renamed.Message());
}

} // namespace

std::string MPFileFilter() {
    std::string filter = "QMR Master Point Files|*";
    for (std::size_t i = 0; i < kMPExtensions.size(); ++i) {
        if (i > 0)
            filter += ";*";
        filter += kMPExtensions[i].NewExtension;
    }
    return filter;
}

Status ConvertOldMPFileExtensions(const fs::path& folder, int index) {
    if (index < 0 || index >= static_cast<int>(kMPExtensions.size()))
        return {};
    const std::string oldExt = kMPExtensions[index].OldExtension;
    std::vector<fs::path> found;
    // Every name of the folder in capitals: a new name taken in any letter case (E.RED
    // beside E.MP2) counts as taken, as the program matches names everywhere else.
    std::set<std::string> taken;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = PathText(it->path().filename());
        if (UpperAscii(ExtensionOf(name)) == oldExt)
            found.push_back(it->path());
        taken.insert(UpperAscii(name));
    }
    std::string refused;
    for (const fs::path& old : found) {
        const std::string name = PathText(old.filename());
        const std::string newName =
            name.substr(0, name.rfind('.')) + kMPExtensions[index].NewExtension;
        const fs::path renamed = old.parent_path() / PathFromText(newName);
        std::error_code existsEc;
        if (taken.count(UpperAscii(newName)) || fs::exists(fs::symlink_status(renamed, existsEc)))
            continue;
        RenameNoReplace(old, renamed, refused);
        taken.insert(UpperAscii(newName));
    }
    return Refused(refused);
}

Status CheckAndConvertMPFiles(const fs::path& folder) {
    std::string refused;
    for (int i = 0; i < static_cast<int>(kMPExtensions.size()); ++i)
        if (Status renamed = ConvertOldMPFileExtensions(folder, i); !renamed)
            refused += (refused.empty() ? "" : "\n") + renamed.Message();
    return Refused(refused);
}

bool FolderHasOldMPFiles(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string ext = UpperAscii(ExtensionOf(PathText(it->path().filename())));
        if (ext.size() == 4 && ext.compare(0, 3, ".MP") == 0)
            return true;
    }
    return false;
}

bool ViewerFolderCheck(const fs::path& folder, bool showWarning,
                       const std::function<bool()>& askWarning,
                       const std::function<void(const std::function<void()>&)>& busy,
                       const std::function<void(const std::string&)>& sayFailure) {
    if (FolderHasOldMPFiles(folder) && showWarning && !askWarning())
        return false;
    Status renamed;
    busy([&folder, &renamed] { renamed = CheckAndConvertMPFiles(folder); });
    Say(renamed, sayFailure);
    return true;
}

bool MergeFolderCheck(const fs::path& folder, const std::function<bool()>& askRename,
                      const std::function<void(const std::string&)>& sayFailure) {
    if (FolderHasOldMPFiles(folder) && !askRename())
        return false;
    Say(CheckAndConvertMPFiles(folder), sayFailure);
    return true;
}

} // namespace mpsec
