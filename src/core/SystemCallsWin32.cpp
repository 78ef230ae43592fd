#include "core/SystemCalls.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace mpsec::os {

namespace {

// A path as Windows takes it: wide, absolute, backslashed, with the \\?\ prefix when it
// is longer than the 260 characters the plain calls accept.
std::wstring WidePath(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    if (ec)
        full = path;
    std::wstring wide = full.make_preferred().wstring();
    if (wide.size() >= MAX_PATH - 12 && wide.rfind(L"\\\\?\\", 0) != 0) {
        if (wide.rfind(L"\\\\", 0) == 0)
            wide = L"\\\\?\\UNC\\" + wide.substr(2);
        else
            wide = L"\\\\?\\" + wide;
    }
    return wide;
}

HANDLE AsHandle(File file) {
    return reinterpret_cast<HANDLE>(file);
}

File AsFile(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<File>(handle);
}

int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_CANNOT_MAKE:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return kInUse;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    case ERROR_INVALID_HANDLE:
        return EBADF;
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_PARAMETER:
        return EINVAL;
    default:
        return EIO;
    }
}

// Sets errno from the last Windows error; returns `failed`.
template <class T> T Failed(T failed) {
    errno = ErrnoOf(GetLastError());
    return failed;
}

// Whether a program holds the file at `path` open: the reason a rename over it was refused,
// which Windows reports as a denied access (as it does for a read-only file).
bool HeldOpen(const std::wstring& path) {
    // Opened for reading, sharing nothing: refused while anyone else has it open.
    HANDLE probe = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

} // namespace

int ErrnoFromErrorCode(const std::error_code& ec) {
    if (ec.category() == std::system_category())
        return ErrnoOf(static_cast<DWORD>(ec.value()));
    return ec.value() != 0 ? ec.value() : EIO;
}

std::optional<std::string> EnvironmentValue(const char* name) {
    const std::wstring wide(name, name + std::strlen(name)); // the names are ASCII
    const wchar_t* value = _wgetenv(wide.c_str());
    if (value == nullptr)
        return std::nullopt;
    const int size = WideCharToMultiByte(CP_UTF8, 0, value, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? static_cast<std::size_t>(size) : 1u, '\0');
    WideCharToMultiByte(CP_UTF8, 0, value, -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

std::string ErrorText(int error) {
    if (const char* own = OwnErrorText(error))
        return own;
    // The same words as on Linux, for the failures a secretary may meet.
    switch (error) {
    case ENOENT:
        return "No such file or directory";
    case EACCES:
        return "Permission denied";
    case EEXIST:
        return "File exists";
    case ENOSPC:
        return "No space left on device";
    case EIO:
        return "Input/output error";
    case EISDIR:
        return "Is a directory";
    case ENOTDIR:
        return "Not a directory";
    case EXDEV:
        return "Invalid cross-device link";
    case ENOMEM:
        return "Cannot allocate memory";
    case EBADF:
        return "Bad file descriptor";
    case ENAMETOOLONG:
        return "File name too long";
    case EINVAL:
        return "Invalid argument";
    case EPERM:
        return "Operation not permitted";
    case EROFS:
        return "Read-only file system";
    case ENOTEMPTY:
        return "Directory not empty";
    case EMFILE:
        return "Too many open files";
    case EFBIG:
        return "File too large";
    case EBUSY:
        return "Device or resource busy";
    default:
        return std::strerror(error);
    }
}

File CreateNew(const std::filesystem::path& path) {
    // Another library may write the new file by name while it is open here (a PDF).
    HANDLE handle =
        CreateFileW(WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    return handle == INVALID_HANDLE_VALUE ? Failed(kNoFile) : AsFile(handle);
}

File OpenForReading(const std::filesystem::path& path) {
    HANDLE handle = CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle == INVALID_HANDLE_VALUE ? Failed(kNoFile) : AsFile(handle);
}

File OpenForAppending(const std::filesystem::path& path, bool& created) {
    created = false;
    const std::wstring wide = WidePath(path);
    const DWORD before = GetFileAttributesW(wide.c_str());
    if (before != INVALID_FILE_ATTRIBUTES && (before & FILE_ATTRIBUTE_REPARSE_POINT)) {
        errno = kIsLink;
        return kNoFile;
    }
    if (before != INVALID_FILE_ATTRIBUTES && (before & FILE_ATTRIBUTE_DIRECTORY)) {
        errno = EISDIR;
        return kNoFile;
    }
    if (before != INVALID_FILE_ATTRIBUTES && (before & FILE_ATTRIBUTE_READONLY)) {
        errno = EACCES;
        return kNoFile;
    }
    HANDLE handle =
        CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return Failed(kNoFile);
    created = GetLastError() != ERROR_ALREADY_EXISTS;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        CloseHandle(handle);
        errno = kNotPlainFile;
        return kNoFile;
    }
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(handle, end, nullptr, FILE_END)) {
        errno = ErrnoOf(GetLastError());
        CloseHandle(handle);
        return kNoFile;
    }
    return AsFile(handle);
}

long Write(File file, const void* data, std::size_t size) {
    DWORD written = 0;
    const DWORD chunk = size > (DWORD{1} << 30) ? (DWORD{1} << 30) : static_cast<DWORD>(size);
    if (!WriteFile(AsHandle(file), data, chunk, &written, nullptr))
        return Failed(-1L);
    return static_cast<long>(written);
}

long ReadAt(File file, void* data, std::size_t size, std::uint64_t offset) {
    // A read at an offset moves a synchronous handle's position: put it back afterwards.
    LARGE_INTEGER was{};
    if (!SetFilePointerEx(AsHandle(file), LARGE_INTEGER{}, &was, FILE_CURRENT))
        return Failed(-1L);
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    const DWORD chunk = size > (DWORD{1} << 30) ? (DWORD{1} << 30) : static_cast<DWORD>(size);
    const bool read = ReadFile(AsHandle(file), data, chunk, &got, &at);
    const DWORD error = GetLastError();
    SetFilePointerEx(AsHandle(file), was, nullptr, FILE_BEGIN);
    if (!read) {
        if (error == ERROR_HANDLE_EOF)
            return 0L;
        errno = ErrnoOf(error);
        return -1L;
    }
    return static_cast<long>(got);
}

int Sync(File file) {
    return FlushFileBuffers(AsHandle(file)) ? 0 : Failed(-1);
}

int Close(File file) {
    return CloseHandle(AsHandle(file)) ? 0 : Failed(-1);
}

int Truncate(File file, std::uint64_t size) {
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(AsHandle(file), to, nullptr, FILE_BEGIN) || !SetEndOfFile(AsHandle(file)))
        return Failed(-1);
    return 0;
}

std::optional<std::uint64_t> FileSize(File file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(AsHandle(file), &size))
        return Failed(std::optional<std::uint64_t>());
    return static_cast<std::uint64_t>(size.QuadPart);
}

bool IsFileAt(File file, const std::filesystem::path& path) {
    HANDLE named =
        CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (named == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION opened{}, there{};
    const bool same = GetFileInformationByHandle(AsHandle(file), &opened) &&
                      GetFileInformationByHandle(named, &there) &&
                      opened.dwVolumeSerialNumber == there.dwVolumeSerialNumber &&
                      opened.nFileIndexHigh == there.nFileIndexHigh &&
                      opened.nFileIndexLow == there.nFileIndexLow;
    CloseHandle(named);
    return same;
}

int Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    const std::wstring target = WidePath(to);
    // A read-only file stays, as the user meant (whoever runs the program).
    const DWORD there = GetFileAttributesW(target.c_str());
    if (there != INVALID_FILE_ATTRIBUTES && (there & FILE_ATTRIBUTE_READONLY)) {
        errno = EACCES;
        return -1;
    }
    if (MoveFileExW(WidePath(from).c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    const DWORD error = GetLastError();
    errno = error == ERROR_ACCESS_DENIED && HeldOpen(target) ? kInUse : ErrnoOf(error);
    return -1;
}

int RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
    return MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_WRITE_THROUGH)
               ? 0
               : Failed(-1);
}

int Remove(const std::filesystem::path& path) {
    return DeleteFileW(WidePath(path).c_str()) ? 0 : Failed(-1);
}

Entry EntryAt(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Entry::None;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return Entry::Other;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Entry::Folder : Entry::PlainFile;
}

bool SameName(const std::filesystem::path& a, const std::filesystem::path& b) {
    const std::wstring& x = a.native();
    const std::wstring& y = b.native();
    return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(),
                                static_cast<int>(y.size()), TRUE) == CSTR_EQUAL;
}

long ProcessId() {
    return static_cast<long>(GetCurrentProcessId());
}

bool ProcessRuns(long pid) {
    if (pid == ProcessId())
        return true;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return GetLastError() != ERROR_INVALID_PARAMETER; // no such process
    const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return runs;
}

void* ReserveMemory(std::size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void ReleaseMemory(void* at, std::size_t) {
    VirtualFree(at, 0, MEM_RELEASE);
}

void TuneHeapForLargePages() {
    // Large pages need a privilege an ordinary user does not hold; the heap stays as it is.
}

std::tm LocalTime(std::time_t t) {
    std::tm tm{};
    localtime_s(&tm, &t);
    return tm;
}

namespace {

void (*gOnInterrupt)() = nullptr;

BOOL WINAPI NoteInterrupt(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    if (gOnInterrupt)
        gOnInterrupt();
    return TRUE;
}

} // namespace

void WatchInterrupt(void (*onInterrupt)()) {
    gOnInterrupt = onInterrupt;
    SetConsoleCtrlHandler(NoteInterrupt, TRUE);
}

void StopWatchingInterrupt() {
    SetConsoleCtrlHandler(NoteInterrupt, FALSE);
    gOnInterrupt = nullptr;
}

namespace {

bool HasHandle(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

} // namespace

void PrepareConsole(bool forWindow) {
    if (forWindow) {
        // mpsec.exe is a window program and has no console; mpsec.com, started from
        // Explorer, gets one made for it alone: of no use beside the main window.
        DWORD processes[2];
        if (GetConsoleProcessList(processes, 2) == 1)
            FreeConsole();
        return;
    }
    // mpsec.exe started from a console with a command: it was given no standard streams, so
    // it writes to the console it was started from (mpsec.com, a console program, has them).
    const bool outMissing = !HasHandle(STD_OUTPUT_HANDLE);
    const bool errMissing = !HasHandle(STD_ERROR_HANDLE);
    if ((outMissing || errMissing) && !GetConsoleWindow() && AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (outMissing && !std::freopen("CONOUT$", "w", stdout))
            return;
        if (errMissing && !std::freopen("CONOUT$", "w", stderr))
            return;
    }
    if (GetConsoleWindow()) {
        // The console is the user's: its own code page is given back when the program ends.
        static const UINT userCodePage = GetConsoleOutputCP();
        SetConsoleOutputCP(CP_UTF8);
        std::atexit([] {
            std::fflush(stdout);
            std::fflush(stderr);
            SetConsoleOutputCP(userCodePage);
        });
    }
    // The bytes the commands write, as on Linux: a line ends in LF, a CSV row in CR LF,
    // with no CR added before each LF.
    for (FILE* stream : {stdout, stderr}) {
        std::fflush(stream);
        if (const int fd = _fileno(stream); fd >= 0)
            _setmode(fd, _O_BINARY);
    }
}

const char* SystemName() {
    return "Windows";
}

bool ReadLineUnechoed(std::string& line) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    const bool console = GetConsoleMode(input, &mode) != 0;
    line.clear();
    bool got = false;
    if (console) {
        SetConsoleMode(input, (mode | ENABLE_LINE_INPUT) & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
        std::wstring wide;
        for (wchar_t c;;) {
            DWORD read = 0;
            if (!ReadConsoleW(input, &c, 1, &read, nullptr) || read == 0)
                break;
            got = true;
            if (c == L'\n')
                break;
            if (c != L'\r')
                wide += c;
        }
        SetConsoleMode(input, mode);
        std::fputs("\n", stderr);
        if (!wide.empty()) {
            const int size =
                WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
            line.assign(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
            WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), line.data(),
                                size, nullptr, nullptr);
        }
        return got;
    }
    for (char c;;) {
        DWORD read = 0;
        if (!ReadFile(input, &c, 1, &read, nullptr) || read == 0)
            break;
        got = true;
        if (c == '\n')
            break;
        line += c;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return got;
}

std::vector<std::string> Arguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(size > 0 ? static_cast<std::size_t>(size) : 1u, '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8.data(), size, nullptr, nullptr);
        utf8.resize(utf8.size() - 1);
        args.push_back(std::move(utf8));
    }
    LocalFree(wide);
    return args;
}

} // namespace mpsec::os
