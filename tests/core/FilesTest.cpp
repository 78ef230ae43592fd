#include "core/Files.h"
#include "core/TemporaryFiles.h"

#include "support/TempFolder.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <optional>
#if defined(_WIN32)
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace mpsec;
namespace fs = std::filesystem;

namespace {

using Undo = std::function<void()>;

#if defined(_WIN32)
// Windows has neither a folder nobody may write in for its owner nor a limit on file sizes.
std::optional<Undo> MakeUnwritable(const fs::path&) {
    return std::nullopt;
}
std::optional<Undo> LimitFileSize() {
    return std::nullopt;
}

// The number of a process that has ended.
long EndedProcess() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"cmd.exe /c exit 0";
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
        return 0;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(process.dwProcessId);
}
#else
long EndedProcess() {
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    return gone;
}

bool CanCreateIn(const fs::path& folder) {
    const fs::path probe = folder / "probe";
    const int fd = ::open(probe.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

bool SetImmutable(const fs::path& folder, bool on) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

// Makes the folder one nobody can create a file in: read-only, and immutable for the
// superuser, whom permissions do not stop. Nothing when this system cannot.
std::optional<Undo> MakeUnwritable(const fs::path& folder) {
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const bool immutable = CanCreateIn(folder) && SetImmutable(folder, true);
    Undo undo = [folder, immutable] {
        if (immutable)
            SetImmutable(folder, false);
        fs::permissions(folder, fs::perms::owner_all);
    };
    if (CanCreateIn(folder)) {
        undo();
        return std::nullopt;
    }
    return undo;
}

// Limits the size of files written to a few bytes, so a write stops part-way ("File too
// large"), for the superuser too.
std::optional<Undo> LimitFileSize() {
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 8;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    return Undo([old, handler] {
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
    });
}
#endif

} // namespace

TEST(Files, WritesTheLinesOverTheOldFile) {
    test::TempFolder dir;
    dir.Write("a.TXT", "an old report that was longer\r\n");
    ASSERT_TRUE(WriteLinesAtomically(dir / "a.TXT", {"one", "", "two"}));
    EXPECT_EQ(dir.Read("a.TXT"), "one\r\n\r\ntwo\r\n");
    ASSERT_TRUE(WriteLinesAtomically(dir / "b.TXT", {}));
    EXPECT_EQ(dir.Read("b.TXT"), "");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.TXT", "b.TXT"}));
}

// A write that fails says why, keeps the old file as it was and leaves no temporary file.
TEST(Files, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
    struct Case {
        const char* what;
        const char* name; // the file written
        std::function<std::optional<Undo>(const test::TempFolder&)> prepare;
        std::vector<std::string> reasons; // what the system may say
    } cases[] = {
        {"a folder that cannot be written",
         "a.TXT",
         [](const test::TempFolder& dir) { return MakeUnwritable(dir.Path()); },
         {"Permission denied", "Operation not permitted"}},
        {"the disk refuses the rest of the file",
         "a.TXT",
         [](const test::TempFolder&) { return LimitFileSize(); },
         {"File too large"}},
        {"the name is a folder's",
         "b.TXT",
         [](const test::TempFolder& dir) {
             dir.Write("b.TXT/kept", "x");
             return std::optional<Undo>(Undo([] {}));
         },
         {"Is a directory"}},
    };
    const std::vector<std::string> lines(50,
                                         "   1.   12345 KARVEL             ANNE      3-104  1.25");
    for (const auto& c : cases) {
        test::TempFolder dir;
        dir.Write("a.TXT", "old\r\n");
        const std::optional<Undo> undo = c.prepare(dir);
        if (!undo) {
            std::cout << "[ SKIPPED  ] " << c.what << ": not possible on this system\n";
            continue;
        }
        const std::vector<std::string> before = dir.Names();
        const Status written = WriteLinesAtomically(dir / c.name, lines);
        (*undo)();
        ASSERT_FALSE(written) << c.what;
        EXPECT_NE(std::find(c.reasons.begin(), c.reasons.end(), written.Message()), c.reasons.end())
            << c.what << ": " << written.Message();
        EXPECT_EQ(dir.Read("a.TXT"), "old\r\n") << c.what;
        EXPECT_EQ(dir.Names(), before) << c.what;
    }
}

// The writer's system calls failing one at a time: the old file stays byte for byte, the
// failure is said, and nothing is left behind.
TEST(Files, EachFailingStepKeepsTheOldFile) {
    struct Case {
        const char* what;
        FileWriteCalls calls;
        const char* reason;
    } cases[] = {
        {"the disk fills part-way",
         {[](os::File fd, const void* data, std::size_t size) -> long {
              static bool first = true;
              if (first) { // half the bytes go, then the disk is full
                  first = false;
                  return os::Write(fd, data, size / 2);
              }
              errno = ENOSPC;
              return -1;
          },
          os::Sync, os::Rename},
         "No space left on device"},
        {"the sync fails",
         {WriterCalls().Write,
          [](os::File) {
              errno = EIO;
              return -1;
          },
          os::Rename},
         "Input/output error"},
        {"the rename fails",
         {WriterCalls().Write, os::Sync,
          [](const fs::path&, const fs::path&) {
              errno = EXDEV;
              return -1;
          }},
         "Invalid cross-device link"},
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        dir.Write("a.TXT", "old\r\n");
        const FileWriteCalls saved = WriterCalls();
        WriterCalls() = c.calls;
        const Status written = WriteLinesAtomically(dir / "a.TXT", {"new line one", "two"});
        WriterCalls() = saved;
        EXPECT_EQ(written.Message(), c.reason) << c.what;
        EXPECT_EQ(dir.Read("a.TXT"), "old\r\n") << c.what;
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.TXT"}) << c.what;
    }
}

// A symlink planted at the target is replaced, never followed: the file it points at stays.
TEST(Files, ASymlinkAtTheTargetRedirectsNothing) {
    test::TempFolder dir;
    dir.Write("precious.txt", "the register\r\n");
    std::error_code linked;
    fs::create_symlink(dir / "precious.txt", dir / "a.TXT", linked);
    if (linked)
        GTEST_SKIP() << "this system cannot make a link: " << linked.message();
    ASSERT_TRUE(WriteLinesAtomically(dir / "a.TXT", {"report"}).Ok());
    EXPECT_EQ(dir.Read("precious.txt"), "the register\r\n");
    EXPECT_FALSE(fs::is_symlink(dir / "a.TXT"));
    EXPECT_EQ(dir.Read("a.TXT"), "report\r\n");
}

// Appending adds the whole block or nothing: a disk that fills part-way leaves the file
// as it was, and says so.
TEST(Files, AnAppendAddsAllOrNothing) {
    test::TempFolder dir;
    ASSERT_TRUE(AppendToFile(dir / "v.grn", "one\r\n").Ok());
    ASSERT_TRUE(AppendToFile(dir / "v.grn", "two\r\n").Ok());
    EXPECT_EQ(dir.Read("v.grn"), "one\r\ntwo\r\n");
    const FileWriteCalls saved = WriterCalls();
    WriterCalls().Write = [](os::File fd, const void* data, std::size_t size) -> long {
        static bool first = true;
        if (first) {
            first = false;
            return os::Write(fd, data, size / 2);
        }
        errno = ENOSPC;
        return -1;
    };
    const Status appended = AppendToFile(dir / "v.grn", "three three\r\n");
    WriterCalls() = saved;
    EXPECT_EQ(appended.Message(), "No space left on device");
    EXPECT_EQ(dir.Read("v.grn"), "one\r\ntwo\r\n");
}

// Only the program's own temporary files of a run that no longer runs are removed: never
// another name, a link of that name or what it points to, a folder, a running run's file.
TEST(Files, LeftTemporaryFilesOfAKilledRunAreRemoved) {
    test::TempFolder dir;
    const long gone = EndedProcess();
    ASSERT_GT(gone, 0);
    const std::string dead = std::to_string(gone), alive = std::to_string(os::ProcessId());
    dir.Write("kept.pdf", "%PDF");
    const std::vector<std::string> kept = {
        ".a.pdf." + alive + "-1.mpsec-tmp", // this run's own
        ".a.pdf." + dead + "-1.mpsec-tmp.bak",
        "a.pdf." + dead + "-1.mpsec-tmp",
        ".a.pdf." + dead + "-x.mpsec-tmp",
        ".a.pdf." + dead + ".mpsec-tmp",
        ".a.pdf." + dead + "-3.mpsec-tmp", // a link: kept, and what it points to
        ".b.pdf." + dead + "-4.mpsec-tmp", // a folder
        "kept.pdf"};
    for (std::size_t i = 0; i + 3 < kept.size(); ++i)
        dir.Write(kept[i], "part");
    std::error_code linked;
    fs::create_symlink(dir / "kept.pdf", dir / kept[5], linked);
    if (linked) // a system without links (wine): a plain file of that name stands in for it
        std::cout << "[ SKIPPED  ] the link case: " << linked.message() << "\n";
    fs::create_directory(dir / kept[6]);
    std::vector<std::string> sorted = kept;
    if (linked)
        sorted.erase(std::find(sorted.begin(), sorted.end(), kept[5]));
    dir.Write(".a.pdf." + dead + "-2.mpsec-tmp", "half a PDF");
    dir.Write(".11 O'DARVEN.pdf." + dead + "-17.mpsec-tmp", "half a PDF");

    EXPECT_EQ(RemoveLeftTemporaryFiles(dir.Path()), 2);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(dir.Names(), sorted);
    EXPECT_EQ(dir.Read("kept.pdf"), "%PDF");
}
