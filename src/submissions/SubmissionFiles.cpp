#include "submissions/SubmissionFiles.h"

#include "core/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mpsec {

std::string CannotDeleteSubmissionMessage(const SubmissionFile& file) {
    return std::string("Cannot delete ") + file.FileName +
           ". Nothing has been changed; close any program using it and try again.";
}

bool IsDigitKey(char c) {
    return c >= '0' && c <= '9';
}

bool IsNumberKey(char c) {
    return IsDigitKey(c) || c == '.';
}

bool IsNameKey(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ' || c == '\'' || c == '-';
}

std::string ClubLine(std::string_view clubNo) {
    if (clubNo.empty())
        return "-";
    return std::string(clubNo.substr(0, 1)) + "-" + std::string(clubNo.substr(1));
}

std::string BlockText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

Status AppendBlock(const std::filesystem::path& path, std::string_view block) {
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return Failure{errno == ELOOP ? std::string("it is a link, not a file")
                                      : std::strerror(errno)};
    struct stat before {};
    if (::fstat(fd, &before) != 0 || !S_ISREG(before.st_mode)) {
        const int error = errno;
        ::close(fd);
        return Failure{error != 0 ? std::strerror(error) : "it is not a plain file"};
    }
    // One write for the block; whatever part of it a failure leaves is cut off again.
    std::string_view rest = block;
    Status done;
    while (!rest.empty()) {
        errno = 0;
        const long written = WriterCalls().Write(fd, rest.data(), rest.size());
        if (written <= 0) {
            done = Failure{std::strerror(written < 0 && errno != 0 ? errno : ENOSPC)};
            break;
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    if (done) {
        errno = 0;
        if (WriterCalls().Sync(fd) != 0)
            done = Failure{std::strerror(errno != 0 ? errno : EIO)};
    }
    if (!done && ::ftruncate(fd, before.st_size) != 0)
        done = Failure{done.Message() + "; the end of the file may hold part of the request"};
    if (::close(fd) != 0 && done)
        done = Failure{std::strerror(errno)};
    return done;
}

std::string AppendFailedMessage(const SubmissionFile& file, const std::string& reason) {
    return std::string("Cannot add to ") + file.FileName + ": " + reason +
           ". Nothing was written; the form keeps what you typed.";
}

} // namespace mpsec
