#pragma once
// The program's one seam to the operating system: every call that changes the disk or asks
// the process's surroundings goes through here, with one implementation for POSIX
// (SystemCallsPosix.cpp) and one for Windows (SystemCallsWin32.cpp), and the folder calls
// both share (SystemCallsFolders.cpp). A failing call returns a failure value and leaves the
// reason in errno (on Windows translated to the same numbers), so ErrorText() gives the same
// words on both.
//
// What may stay outside, because both systems answer alike through the standard library:
// asking what is at a name (std::filesystem::exists, is_directory, status, symlink_status),
// listing a folder (directory_iterator), and path arithmetic (absolute, lexically_normal,
// relative, the path's parts). Creating, removing, renaming, copying or changing files and
// folders, the current folder, the environment, and system headers are this seam's alone (a
// source test keeps it so).

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace mpsec::os {

// An open file: a descriptor on POSIX, a HANDLE on Windows.
using File = std::intptr_t;
inline constexpr File kNoFile = -1;

// errno of a file another program holds open without sharing it (Windows only).
inline constexpr int kInUse = 0x10001;
// errno of a link (or junction) at a name the program writes.
inline constexpr int kIsLink = 0x10002;
// errno of something at a name that is not a plain file (a FIFO, a device).
inline constexpr int kNotPlainFile = 0x10003;

// The errno value of a standard library error (on Windows its system errors translated).
int ErrnoFromErrorCode(const std::error_code& ec);

// The words for an errno value: the system's (std::strerror) or the program's own for the
// three above.
std::string ErrorText(int error);

// The program's own words for the three above, the same on every system; null for others.
constexpr const char* OwnErrorText(int error) {
    switch (error) {
    case kInUse:
        return "it is open in another program";
    case kIsLink:
        return "it is a link, not a file";
    case kNotPlainFile:
        return "it is not a plain file";
    default:
        return nullptr;
    }
}

// Creates a new file for writing: refused when anything exists at the name, a link
// included, so nothing planted there is followed; not inherited by child processes.
File CreateNew(const std::filesystem::path& path);
// Opens a file for reading (others may read, write and replace it meanwhile).
File OpenForReading(const std::filesystem::path& path);
// Opens a plain file for appending (and reading), creating it when absent, without waiting
// on whatever is there: a link is refused (kIsLink), so is a FIFO or a device
// (kNotPlainFile), and a read-only file (EACCES, whoever runs the program). `created` tells
// whether this call made the file.
File OpenForAppending(const std::filesystem::path& path, bool& created);
long Write(File file, const void* data, std::size_t size);
// From `offset`, leaving the file's position alone; 0 at its end.
long ReadAt(File file, void* data, std::size_t size, std::uint64_t offset);
// 0 on success, like the calls it stands for.
int Sync(File file);
int Close(File file);
int Truncate(File file, std::uint64_t size);
std::optional<std::uint64_t> FileSize(File file);
// Whether `path` names the very file `file` is (not one put in its place since).
bool IsFileAt(File file, const std::filesystem::path& path);

// Renames over whatever is at `to` in one step (0 on success). A read-only file at `to`
// stays (EACCES), whoever runs the program.
int Rename(const std::filesystem::path& from, const std::filesystem::path& to);
// Renames only when nothing is at `to` (0 on success).
int RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);
// Removes a file (a link itself, never what it points to); 0 on success.
int Remove(const std::filesystem::path& path);

// Creates a folder and those above it that are missing; 0 when done or already there.
int CreateFolders(const std::filesystem::path& folder);
// Copies a folder with all it holds to `to`, which must not exist; the copies are the
// user's to write in (read-only files become writable). 0 on success.
int CopyFolder(const std::filesystem::path& from, const std::filesystem::path& to);
// Removes a folder with all it holds; 0 when done or when nothing is there.
int RemoveFolder(const std::filesystem::path& folder);
// The folder the process runs in (0 on success).
int CurrentFolder(std::filesystem::path& folder);

// An environment variable's value in UTF-8; none when it is not set.
std::optional<std::string> EnvironmentValue(const char* name);

// What is at a name, links not followed.
enum class Entry { None, PlainFile, Folder, Other };
Entry EntryAt(const std::filesystem::path& path);

// Whether two names are the same name as the file system takes them: letter case aside on
// Windows (its own rule for every letter, É and é included), byte for byte on POSIX.
bool SameName(const std::filesystem::path& a, const std::filesystem::path& b);

long ProcessId();
// Whether a process of that number still runs (or may: one not ours to ask about counts).
bool ProcessRuns(long pid);

// Memory for national-size arrays, straight from the system (large pages where it allows),
// zeroed, only the pages written costing memory; nullptr when refused.
void* ReserveMemory(std::size_t bytes);
void ReleaseMemory(void* at, std::size_t bytes);
// Backs the main heap with large pages where the C library allows (see LargePageHeap.h).
void TuneHeapForLargePages();

// The local calendar time of `t`.
std::tm LocalTime(std::time_t t);

// Ctrl-C (SIGINT; the console's Ctrl-C and Ctrl-Break on Windows) calls `onInterrupt` and
// no longer ends the program, until StopWatchingInterrupt(). `onInterrupt` must be safe in a
// signal handler (set an atomic flag).
void WatchInterrupt(void (*onInterrupt)());
void StopWatchingInterrupt();

// On Windows: the main window (`forWindow`) lets go of a console made for it alone; a
// command writes to the console it was started from in UTF-8, as the text is, and its
// standard output and error carry the bytes written, as on POSIX (no CR added before an LF).
// Nothing on POSIX.
void PrepareConsole(bool forWindow);

// The system the program runs on: "Linux" or "Windows".
const char* SystemName();

// Reads a line from standard input, without showing what is typed when it is a terminal
// (a password); the line end is dropped. False when the input ends first.
bool ReadLineUnechoed(std::string& line);

// The program's arguments as UTF-8 (Windows hands main() the ANSI code page's).
std::vector<std::string> Arguments(int argc, char** argv);

} // namespace mpsec::os
