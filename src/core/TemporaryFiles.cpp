#include "core/TemporaryFiles.h"

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

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

bool ProcessRuns(long pid) {
    if (pid == static_cast<long>(::getpid()))
        return true;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
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
        const long pid = TemporaryFileProcess(path.filename().string());
        struct stat entry {};
        if (pid <= 0 || ::lstat(path.c_str(), &entry) != 0 || !S_ISREG(entry.st_mode) ||
            ProcessRuns(pid))
            continue;
        if (::unlink(path.c_str()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace mpsec
