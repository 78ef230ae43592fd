#include "core/Files.h"

#include "core/AsciiText.h"
#include "core/TemporaryFiles.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace mpsec {

fs::path FindFileNoCase(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    fs::path exact = folder / std::string(name);
    if (fs::exists(exact, ec))
        return exact;
    const std::string wanted = UpperAscii(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (UpperAscii(it->path().filename().string()) == wanted)
            return folder / it->path().filename();
    }
    return exact;
}

bool FileExistsNoCase(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    return fs::exists(FindFileNoCase(folder, name), ec);
}

namespace {

long SystemWrite(int fd, const void* data, unsigned long size) {
    return ::write(fd, data, size);
}

} // namespace

FileWriteCalls& WriterCalls() {
    static FileWriteCalls calls{SystemWrite, ::fsync, ::rename};
    return calls;
}

FileReplacement::FileReplacement(fs::path target) : target_(std::move(target)) {}

FileReplacement::FileReplacement(fs::path target, std::string temporaryName)
    : target_(std::move(target)), fixedName_(std::move(temporaryName)) {
    if (target_.filename() == fixedName_)
        fixedName_.clear();
}

FileReplacement::~FileReplacement() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
}

Status FileReplacement::Open() {
    std::error_code ec;
    if (fs::is_directory(target_, ec))
        return Failure{std::strerror(EISDIR)};
    const std::string name = target_.filename().string();
    const fs::path folder = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
    if (!fixedName_.empty()) {
        const fs::path candidate = folder / fixedName_;
        struct stat earlier {};
        if (::lstat(candidate.c_str(), &earlier) == 0) {
            if (S_ISDIR(earlier.st_mode))
                return Failure{std::strerror(EISDIR)};
            if (::unlink(candidate.c_str()) != 0)
                return Failure{std::strerror(errno)};
        }
        fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd_ < 0)
            return Failure{std::strerror(errno)};
        temporary_ = candidate;
        return {};
    }
    // A unique name each time; O_EXCL refuses anything already there, a symlink included.
    static std::atomic<unsigned> counter = 0; // files are written from several threads
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = folder / TemporaryFileName(name, ::getpid(), ++counter);
        fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd_ >= 0) {
            temporary_ = candidate;
            return {};
        }
        if (errno != EEXIST)
            return Failure{std::strerror(errno)};
    }
    return Failure{std::strerror(EEXIST)};
}

Status FileReplacement::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        errno = 0;
        const long written = WriterCalls().Write(fd_, bytes.data(), bytes.size());
        if (written <= 0)
            return Failure{std::strerror(written < 0 && errno != 0 ? errno : ENOSPC)};
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

Status FileReplacement::Commit() {
    struct stat opened {
    }, named{};
    if (::fstat(fd_, &opened) != 0 || ::lstat(temporary_.c_str(), &named) != 0 ||
        opened.st_dev != named.st_dev || opened.st_ino != named.st_ino)
        return Failure{"the temporary file " + temporary_.filename().string() +
                       " was replaced while it was written"};
    errno = 0;
    if (WriterCalls().Sync(fd_) != 0)
        return Failure{std::strerror(errno != 0 ? errno : EIO)};
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return Failure{std::strerror(errno)};
    errno = 0;
    if (WriterCalls().Rename(temporary_.c_str(), target_.c_str()) != 0)
        return Failure{std::strerror(errno != 0 ? errno : EIO)};
    committed_ = true;
    return {};
}

Status WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    FileReplacement replacement(path);
    Status done = replacement.Open();
    if (done)
        done = replacement.Write(bytes);
    if (done)
        done = replacement.Commit();
    return done;
}

Status WriteLinesAtomically(const fs::path& path, const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string block;
    block.reserve(size);
    for (const auto& line : lines) {
        block += line;
        block += "\r\n";
    }
    return WriteFileAtomically(path, block);
}

Status AppendToFile(const fs::path& path, std::string_view bytes) {
    // Opened without waiting: a FIFO or a device of that name is refused below, never
    // waited on (a FIFO without a reader is refused by the open itself).
    const int fd = ::open(
        path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0)
        return Failure{errno == ELOOP   ? std::string("it is a link, not a file")
                       : errno == ENXIO ? std::string("it is not a plain file")
                                        : std::strerror(errno)};
    struct stat before {};
    errno = 0;
    if (::fstat(fd, &before) != 0 || !S_ISREG(before.st_mode)) {
        const int error = errno;
        ::close(fd);
        return Failure{error != 0 ? std::strerror(error) : "it is not a plain file"};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // One write for the block; whatever part of it a failure leaves is cut off again.
    Status done;
    std::string_view rest = bytes;
    while (done && !rest.empty()) {
        errno = 0;
        const long written = WriterCalls().Write(fd, rest.data(), rest.size());
        if (written <= 0)
            done = Failure{std::strerror(written < 0 && errno != 0 ? errno : ENOSPC)};
        else
            rest.remove_prefix(static_cast<std::size_t>(written));
    }
    if (done) {
        errno = 0;
        if (WriterCalls().Sync(fd) != 0)
            done = Failure{std::strerror(errno != 0 ? errno : EIO)};
    }
    if (!done && ::ftruncate(fd, before.st_size) != 0)
        done = Failure{done.Message() + "; the end of the file may hold part of the block"};
    if (::close(fd) != 0 && done)
        done = Failure{std::strerror(errno)};
    return done;
}

} // namespace mpsec
