// The folder calls of the seam: the standard library does them alike on both systems; only
// its error codes differ, and they become the errno values ErrorText() words.
#include "core/SystemCalls.h"

#include <cerrno>
#include <system_error>

namespace mpsec::os {

namespace {

int Done(const std::error_code& ec) {
    if (!ec)
        return 0;
    errno = ErrnoFromErrorCode(ec);
    return -1;
}

} // namespace

int CreateFolders(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return Done(ec);
}

int CopyFolder(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code ec;
    std::filesystem::copy(from, to, std::filesystem::copy_options::recursive, ec);
    if (ec)
        return Done(ec);
    for (std::filesystem::recursive_directory_iterator it(to, ec), end; !ec && it != end;
         it.increment(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
    return Done(ec);
}

int RemoveFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return Done(ec);
}

int CurrentFolder(std::filesystem::path& folder) {
    std::error_code ec;
    folder = std::filesystem::current_path(ec);
    return Done(ec);
}

} // namespace mpsec::os
