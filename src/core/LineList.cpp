#include "core/LineList.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace mpsec {

void LineList::Clear() {
    text_.clear();
    text_.shrink_to_fit();
    starts_.clear();
    starts_.shrink_to_fit();
}

OpenedFile::~OpenedFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

OpenedFile::OpenedFile(OpenedFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

OpenedFile& OpenedFile::operator=(OpenedFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

Status OpenedFile::Open(const std::filesystem::path& path) {
    *this = OpenedFile();
    std::error_code ec;
    auto st = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(st))
        return Failure{std::strerror(ENOENT)};
    if (!std::filesystem::is_regular_file(st))
        return Failure{std::strerror(EISDIR)};
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return Failure{std::strerror(errno)};
    return {};
}

Status OpenedFile::ReadInto(const std::function<char*(std::size_t)>& room, std::size_t& got) const {
    got = 0;
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)
        return Failure{std::strerror(fd_ < 0 ? EBADF : errno)};
    const std::size_t size = static_cast<std::size_t>(st.st_size);
    char* at = room(size);
    if (!at)
        return Failure{std::strerror(ENOMEM)};
    // From the start, however much was read before; a file that shrank meanwhile gives
    // what it still holds.
    while (got < size) {
        const ssize_t n = ::pread(fd_, at + got, size - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Failure{std::strerror(errno)};
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return {};
}

Status ReadFileInto(const std::filesystem::path& path,
                    const std::function<char*(std::size_t)>& room, std::size_t& got) {
    got = 0;
    OpenedFile file;
    if (Status opened = file.Open(path); !opened)
        return opened;
    return file.ReadInto(room, got);
}

Status ReadFileBytes(const std::filesystem::path& path, std::string& out) {
    out.clear();
    std::size_t got = 0;
    Status read = ReadFileInto(
        path,
        [&out](std::size_t size) {
            // Room for the line end a line list adds after an unended last line, so adding
            // it never copies a national-size text.
            out.reserve(size + 1);
            out.resize(size);
            return out.data();
        },
        got);
    out.resize(got);
    return read;
}

Status ReadLines(const std::filesystem::path& path, LineList& out) {
    std::string bytes;
    Status read = ReadFileBytes(path, bytes);
    if (read)
        out.Assign(std::move(bytes));
    else
        out.Clear();
    return read;
}

} // namespace mpsec
