#include "core/FileReading.h"

#include <cerrno>
#include <system_error>
#include <utility>

namespace mpsec {

OpenedFile::~OpenedFile() {
    if (fd_ != os::kNoFile)
        os::Close(fd_);
}

OpenedFile::OpenedFile(OpenedFile&& other) noexcept : fd_(std::exchange(other.fd_, os::kNoFile)) {}

OpenedFile& OpenedFile::operator=(OpenedFile&& other) noexcept {
    if (this != &other) {
        if (fd_ != os::kNoFile)
            os::Close(fd_);
        fd_ = std::exchange(other.fd_, os::kNoFile);
    }
    return *this;
}

Status OpenedFile::Open(const std::filesystem::path& path) {
    *this = OpenedFile();
    std::error_code ec;
    auto st = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(st))
        return Failure{os::ErrorText(ENOENT)};
    if (std::filesystem::is_directory(st))
        return Failure{os::ErrorText(EISDIR)};
    // A FIFO or a device is refused, never waited on.
    if (!std::filesystem::is_regular_file(st))
        return Failure{os::ErrorText(os::kNotPlainFile)};
    fd_ = os::OpenForReading(path);
    if (fd_ == os::kNoFile)
        return Failure{os::ErrorText(errno)};
    return {};
}

Status OpenedFile::ReadInto(const std::function<char*(std::size_t)>& room, std::size_t& got) const {
    got = 0;
    const std::optional<std::uint64_t> fileSize =
        fd_ == os::kNoFile ? std::nullopt : os::FileSize(fd_);
    if (!fileSize)
        return Failure{os::ErrorText(fd_ == os::kNoFile ? EBADF : errno)};
    const std::size_t size = static_cast<std::size_t>(*fileSize);
    char* at = room(size);
    if (!at)
        return Failure{os::ErrorText(ENOMEM)};
    // From the start, however much was read before; a file that shrank meanwhile gives
    // what it still holds.
    while (got < size) {
        const long n = os::ReadAt(fd_, at + got, size - got, got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Failure{os::ErrorText(errno)};
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
