#include "core/TemporaryFiles.h"
#include "core/TextHelpers.h"

#include "core/SystemCalls.h"

namespace fs = std::filesystem;

namespace mpsec {

namespace {

constexpr std::string_view kSuffix = ".mpsec-tmp";

// The process number of a name of TemporaryFileName's pattern; 0 for any other name.
long TemporaryFileProcess(std::string_view name) {
    if (name.size() <= kSuffix.size() + 1 || name.front() != '.' || !name.ends_with(kSuffix))
        return 0;
    name.remove_suffix(kSuffix.size());
    const std::size_t dash = name.rfind('-');
    const std::size_t dot = name.rfind('.', dash);
    if (dash == std::string_view::npos || dot == std::string_view::npos || dot == 0)
        return 0;
    const std::string_view pid = name.substr(dot + 1, dash - dot - 1);
    const std::string_view attempt = name.substr(dash + 1);
    auto digits = [](std::string_view text) {
        return !text.empty() && text.size() <= 10 &&
               text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digits(pid) || !digits(attempt))
        return 0;
    return std::stol(std::string(pid));
}

} // namespace

std::string TemporaryFileName(std::string_view target, long pid, unsigned attempt) {
    return "." + std::string(target) + "." + std::to_string(pid) + "-" + std::to_string(attempt) +
           std::string(kSuffix);
}

int RemoveLeftTemporaryFiles(const fs::path& folder) {
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path path = it->path();
        const long pid = TemporaryFileProcess(PathText(path.filename()));
        if (pid <= 0 || os::EntryAt(path) != os::Entry::PlainFile || os::ProcessRuns(pid))
            continue;
        if (os::Remove(path) == 0)
            ++removed;
    }
    return removed;
}

} // namespace mpsec
