#include "core/SystemCalls.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace mpsec::os {

int ErrnoFromErrorCode(const std::error_code& ec) {
    return ec.value() != 0 ? ec.value() : EIO;
}

std::optional<std::string> EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

std::string ErrorText(int error) {
    if (const char* own = OwnErrorText(error))
        return own;
    return std::strerror(error);
}

File CreateNew(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

File OpenForReading(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

File OpenForAppending(const std::filesystem::path& path, bool& created) {
    // Opened without waiting: a FIFO or a device of that name is refused below, never
    // waited on. Created apart from opened, so a failed append can take back a file it made.
    constexpr int kFlags = O_RDWR | O_APPEND | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 3; ++attempt) {
        fd = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0644);
        created = fd >= 0;
        if (fd < 0 && errno == EEXIST)
            fd = ::open(path.c_str(), kFlags);
        if (fd >= 0 || errno != ENOENT)
            break; // ENOENT: removed between the two opens, so tried again
    }
    if (fd < 0) {
        if (errno == ELOOP)
            errno = kIsLink;
        else if (errno == ENXIO)
            errno = kNotPlainFile;
        return kNoFile;
    }
    struct stat opened {};
    errno = 0;
    const bool stated = ::fstat(fd, &opened) == 0;
    int error = !stated                        ? errno
                : !S_ISREG(opened.st_mode)     ? kNotPlainFile
                : (opened.st_mode & 0222) == 0 ? EACCES // read-only, as the user meant
                                               : 0;
    if (error != 0) {
        ::close(fd);
        if (created) // made read-only by the mask of a user who wants no file written
            ::unlink(path.c_str());
        errno = error;
        return kNoFile;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

long Write(File file, const void* data, std::size_t size) {
    return ::write(static_cast<int>(file), data, size);
}

long ReadAt(File file, void* data, std::size_t size, std::uint64_t offset) {
    return ::pread(static_cast<int>(file), data, size, static_cast<off_t>(offset));
}

int Sync(File file) {
    return ::fsync(static_cast<int>(file));
}

int Close(File file) {
    return ::close(static_cast<int>(file));
}

int Truncate(File file, std::uint64_t size) {
    return ::ftruncate(static_cast<int>(file), static_cast<off_t>(size));
}

std::optional<std::uint64_t> FileSize(File file) {
    struct stat st {};
    if (::fstat(static_cast<int>(file), &st) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

bool IsFileAt(File file, const std::filesystem::path& path) {
    struct stat opened {
    }, named{};
    return ::fstat(static_cast<int>(file), &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

int Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    // A read-only file stays, as the user meant (whoever runs the program).
    struct stat there {};
    if (::lstat(to.c_str(), &there) == 0 && S_ISREG(there.st_mode) && (there.st_mode & 0222) == 0) {
        errno = EACCES;
        return -1;
    }
    return ::rename(from.c_str(), to.c_str());
}

int RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    // Some file systems cannot refuse to replace: then only what was checked just now.
    if (errno != EINVAL)
        return -1;
    struct stat there {};
    if (::lstat(to.c_str(), &there) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.c_str(), to.c_str());
}

int Remove(const std::filesystem::path& path) {
    return ::unlink(path.c_str());
}

Entry EntryAt(const std::filesystem::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return Entry::None;
    return S_ISREG(st.st_mode)   ? Entry::PlainFile
           : S_ISDIR(st.st_mode) ? Entry::Folder
                                 : Entry::Other;
}

bool SameName(const std::filesystem::path& a, const std::filesystem::path& b) {
    return a.native() == b.native();
}

long ProcessId() {
    return static_cast<long>(::getpid());
}

bool ProcessRuns(long pid) {
    if (pid == ProcessId())
        return true;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

void* ReserveMemory(std::size_t bytes) {
    void* at = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (at == MAP_FAILED)
        return nullptr;
#if defined(MADV_HUGEPAGE)
    ::madvise(at, bytes, MADV_HUGEPAGE);
#endif
    return at;
}

void ReleaseMemory(void* at, std::size_t bytes) {
    ::munmap(at, bytes);
}

void TuneHeapForLargePages() {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t kLargePage = std::size_t{2} << 20;
    // The heap's room, asked for at once: address space only, a page costs memory when it
    // is first written. Later growth of the heap would not share the advice.
    constexpr std::size_t kRoom = std::size_t{128} << 20;
    mallopt(M_TOP_PAD, static_cast<int>(kRoom));
    // Blocks of a national-size file (tens of megabytes) on the heap too, where the C library
    // would give each its own mapping in small pages. Freed memory is kept for the next, up
    // to the room: what the heap holds beyond it is given back.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kRoom / 2));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(kRoom));
    // A block larger than what the heap has left makes it grow now, by the room asked for.
    void* first = std::malloc(kLargePage);
    const auto start = reinterpret_cast<std::uintptr_t>(first);
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t from = (start + kLargePage - 1) / kLargePage * kLargePage;
    const std::uintptr_t to = end / kLargePage * kLargePage;
    if (first && end != static_cast<std::uintptr_t>(-1) && to > from)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
    std::free(first);
#endif
}

std::tm LocalTime(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

namespace {

void (*gOnInterrupt)() = nullptr;
void (*gPreviousHandler)(int) = SIG_DFL;

extern "C" void NoteInterrupt(int) {
    if (gOnInterrupt)
        gOnInterrupt();
}

} // namespace

void WatchInterrupt(void (*onInterrupt)()) {
    gOnInterrupt = onInterrupt;
    gPreviousHandler = std::signal(SIGINT, NoteInterrupt);
}

void StopWatchingInterrupt() {
    std::signal(SIGINT, gPreviousHandler == SIG_ERR ? SIG_DFL : gPreviousHandler);
    gOnInterrupt = nullptr;
}

void PrepareConsole(bool) {}

const char* SystemName() {
    return "Linux";
}

bool ReadLineUnechoed(std::string& line) {
    termios old{};
    const bool terminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &old) == 0;
    if (terminal) {
        termios quiet = old;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    line.clear();
    bool got = false;
    for (char c; read(STDIN_FILENO, &c, 1) == 1;) {
        got = true;
        if (c == '\n')
            break;
        line += c;
    }
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &old);
        if (write(STDERR_FILENO, "\n", 1) < 0) {
            // the line end after the unshown password is only for the eye
        }
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return got;
}

std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

} // namespace mpsec::os
