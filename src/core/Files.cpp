#include "core/Files.h"
#include "core/TextHelpers.h"

#include "core/AsciiText.h"
#include "core/TemporaryFiles.h"

#include <atomic>
#include <cerrno>
#include <system_error>

namespace fs = std::filesystem;

namespace mpsec {

fs::path FindFileNoCase(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    fs::path exact = folder / PathFromText(name);
    if (fs::exists(exact, ec))
        return exact;
    const std::string wanted = UpperAscii(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (UpperAscii(PathText(it->path().filename())) == wanted)
            return folder / it->path().filename();
    }
    return exact;
}

fs::path FindFileAsSpelled(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    const fs::path wantedPath = PathFromText(name);
    const std::string wanted = UpperAscii(name);
    fs::path found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path entry = it->path().filename();
        if (entry == wantedPath)
            return folder / entry;
        if (found.empty() && UpperAscii(PathText(entry)) == wanted)
            found = folder / entry;
    }
    return found.empty() ? folder / wantedPath : found;
}

bool FileExistsNoCase(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    return fs::exists(FindFileNoCase(folder, name), ec);
}

FileWriteCalls& WriterCalls() {
    static FileWriteCalls calls{os::Write, os::Sync, os::Rename};
    return calls;
}

FileReplacement::FileReplacement(fs::path target) : target_(std::move(target)) {}

FileReplacement::FileReplacement(fs::path target, std::string temporaryName)
    : target_(std::move(target)), fixedName_(std::move(temporaryName)) {
    if (target_.filename() == PathFromText(fixedName_))
        fixedName_.clear();
}

FileReplacement::~FileReplacement() {
    if (fd_ != os::kNoFile)
        os::Close(fd_);
    if (!committed_ && !temporary_.empty())
        os::Remove(temporary_);
}

Status FileReplacement::Open() {
    std::error_code ec;
    if (fs::is_directory(target_, ec))
        return Failure{os::ErrorText(EISDIR)};
    const std::string name = PathText(target_.filename());
    const fs::path folder = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
    if (!fixedName_.empty()) {
        const fs::path candidate = folder / PathFromText(fixedName_);
        const os::Entry earlier = os::EntryAt(candidate);
        if (earlier == os::Entry::Folder)
            return Failure{os::ErrorText(EISDIR)};
        if (earlier != os::Entry::None && os::Remove(candidate) != 0)
            return Failure{os::ErrorText(errno)};
        fd_ = os::CreateNew(candidate);
        if (fd_ == os::kNoFile)
            return Failure{os::ErrorText(errno)};
        temporary_ = candidate;
        return {};
    }
    // A unique name each time; O_EXCL refuses anything already there, a symlink included.
    static std::atomic<unsigned> counter = 0; // files are written from several threads
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            folder / PathFromText(TemporaryFileName(name, os::ProcessId(), ++counter));
        fd_ = os::CreateNew(candidate);
        if (fd_ != os::kNoFile) {
            temporary_ = candidate;
            return {};
        }
        if (errno != EEXIST)
            return Failure{os::ErrorText(errno)};
    }
    return Failure{os::ErrorText(EEXIST)};
}

Status FileReplacement::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        errno = 0;
        const long written = WriterCalls().Write(fd_, bytes.data(), bytes.size());
        if (written <= 0)
            return Failure{os::ErrorText(written < 0 && errno != 0 ? errno : ENOSPC)};
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

Status FileReplacement::Commit() {
    if (!os::IsFileAt(fd_, temporary_))
        return Failure{"the temporary file " + PathText(temporary_.filename()) +
                       " was replaced while it was written"};
    errno = 0;
    if (WriterCalls().Sync(fd_) != 0)
        return Failure{os::ErrorText(errno != 0 ? errno : EIO)};
    const os::File fd = fd_;
    fd_ = os::kNoFile;
    if (os::Close(fd) != 0)
        return Failure{os::ErrorText(errno)};
    errno = 0;
    if (WriterCalls().Rename(temporary_, target_) != 0)
        return Failure{os::ErrorText(errno != 0 ? errno : EIO)};
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
    // A FIFO or a device of that name is refused, never waited on.
    bool created = false;
    const os::File fd = os::OpenForAppending(path, created);
    if (fd == os::kNoFile)
        return Failure{os::ErrorText(errno)};
    Status done;
    const std::optional<std::uint64_t> before = os::FileSize(fd);
    if (!before)
        done = Failure{os::ErrorText(errno)};
    // A last line without its line end (a file made by hand) is ended first, in the same
    // write, so the block never joins it.
    std::string ended;
    std::string_view rest = bytes;
    if (done && *before > 0 && !bytes.empty()) {
        char last = 0;
        errno = 0;
        if (os::ReadAt(fd, &last, 1, *before - 1) != 1)
            done = Failure{os::ErrorText(errno != 0 ? errno : EIO)};
        else if (last != '\n') {
            ended = last == '\r' ? "\n" : "\r\n";
            ended += bytes;
            rest = ended;
        }
    }
    // One write for the block; whatever part of it a failure leaves is cut off again.
    while (done && !rest.empty()) {
        errno = 0;
        const long written = WriterCalls().Write(fd, rest.data(), rest.size());
        if (written <= 0)
            done = Failure{os::ErrorText(written < 0 && errno != 0 ? errno : ENOSPC)};
        else
            rest.remove_prefix(static_cast<std::size_t>(written));
    }
    if (done) {
        errno = 0;
        if (WriterCalls().Sync(fd) != 0)
            done = Failure{os::ErrorText(errno != 0 ? errno : EIO)};
    }
    if (!done && created) {
        // The folder is left as it was: the file this append made goes again.
        const bool ours = os::IsFileAt(fd, path);
        os::Close(fd);
        if (ours)
            os::Remove(path);
        return done;
    }
    if (!done && before && os::Truncate(fd, *before) != 0)
        done = Failure{done.Message() + "; the end of the file may hold part of the block"};
    if (os::Close(fd) != 0 && done)
        done = Failure{os::ErrorText(errno)};
    return done;
}

} // namespace mpsec
