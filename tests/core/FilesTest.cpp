#include "core/Files.h"
#include "core/TemporaryFiles.h"
#include "core/TextHelpers.h"

#include "support/Immutable.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cctype>
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

// Makes the folder one nobody can create a file in: read-only, and immutable for the
// superuser, whom permissions do not stop. Nothing when this system cannot.
std::optional<Undo> MakeUnwritable(const fs::path& folder) {
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const bool immutable = CanCreateIn(folder) && test::SetImmutable(folder, true);
    Undo undo = [folder, immutable] {
        if (immutable)
            test::SetImmutable(folder, false);
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
struct FailedWriteCase {
    const char* what;
    const char* name; // the file written
    std::function<std::optional<Undo>(const test::TempFolder&)> prepare;
    std::vector<std::string> reasons; // what the system may say
};

class FailedWrite : public testing::TestWithParam<FailedWriteCase> {};

TEST_P(FailedWrite, KeepsTheOldFileAndLeavesNoTemporaryFile) {
    const FailedWriteCase& c = GetParam();
    const std::vector<std::string> lines(50,
                                         "   1.   12345 KARVEL             ANNE      3-104  1.25");
    test::TempFolder dir;
    dir.Write("a.TXT", "old\r\n");
    const std::optional<Undo> undo = c.prepare(dir);
    if (!undo)
        GTEST_SKIP() << c.what << ": this system cannot make it happen";
    const std::vector<std::string> before = dir.Names();
    const Status written = WriteLinesAtomically(dir / c.name, lines);
    (*undo)();
    ASSERT_FALSE(written) << c.what;
    EXPECT_NE(std::find(c.reasons.begin(), c.reasons.end(), written.Message()), c.reasons.end())
        << c.what << ": " << written.Message();
    EXPECT_EQ(dir.Read("a.TXT"), "old\r\n") << c.what;
    EXPECT_EQ(dir.Names(), before) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Files, FailedWrite,
    testing::Values(FailedWriteCase{"a folder that cannot be written",
                                    "a.TXT",
                                    [](const test::TempFolder& dir) {
                                        return MakeUnwritable(dir.Path());
                                    },
                                    {"Permission denied", "Operation not permitted"}},
                    FailedWriteCase{"the disk refuses the rest of the file",
                                    "a.TXT",
                                    [](const test::TempFolder&) { return LimitFileSize(); },
                                    {"File too large"}},
                    FailedWriteCase{"the name is a folder's",
                                    "b.TXT",
                                    [](const test::TempFolder& dir) {
                                        dir.Write("b.TXT/kept", "x");
                                        return std::optional<Undo>(Undo([] {}));
                                    },
                                    {"Is a directory"}},
                    FailedWriteCase{"the old file is read-only",
                                    "a.TXT",
                                    [](const test::TempFolder& dir) {
                                        fs::permissions(dir / "a.TXT",
                                                        fs::perms::owner_write |
                                                            fs::perms::group_write |
                                                            fs::perms::others_write,
                                                        fs::perm_options::remove);
                                        return std::optional<Undo>(Undo([path = dir / "a.TXT"] {
                                            fs::permissions(path, fs::perms::owner_write,
                                                            fs::perm_options::add);
                                        }));
                                    },
                                    {"Permission denied"}}),
    [](const testing::TestParamInfo<FailedWriteCase>& info) {
        // The case's words as a test name: "the old file is read-only" is TheOldFileIsReadonly.
        std::string name;
        bool upper = true;
        for (const char* c = info.param.what; *c; ++c) {
            if (std::isalnum(static_cast<unsigned char>(*c)))
                name +=
                    upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*c))) : *c;
            upper = *c == ' ';
        }
        return name;
    });

// Content another library wrote to the temporary file by name is renamed only while the
// temporary file is still the one the writer made: one put in its place meanwhile never
// replaces the target.
TEST(Files, ATemporaryFileReplacedBeforeTheRenameIsRefused) {
    test::TempFolder dir;
    dir.Write("a.pdf", "the old statement");
    FileReplacement replacement(dir / "a.pdf");
    ASSERT_TRUE(replacement.Open().Ok());
    ASSERT_TRUE(replacement.Write("%PDF-1.4 new").Ok());
    const std::string temporary = PathText(replacement.TemporaryPath().filename());
    std::error_code removed;
    if (!fs::remove(replacement.TemporaryPath(), removed))
        GTEST_SKIP() << "this system keeps a file open for writing from being removed, so "
                        "nothing can be put in its place";
    dir.Write(temporary, "planted");
    const Status committed = replacement.Commit();
    EXPECT_FALSE(committed.Ok());
#if !defined(_WIN32)
    // (Windows refuses earlier: the writer's file, removed while open, cannot be renamed.)
    EXPECT_EQ(committed.Message(),
              "the temporary file " + temporary + " was replaced while it was written");
#endif
    EXPECT_EQ(dir.Read("a.pdf"), "the old statement");
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

// A last line left without its line end (a file typed by hand) is ended before the block,
// so the block never joins it and no points are lost.
TEST(Files, AnAppendEndsAnUnendedLastLineFirst) {
    struct Case {
        const char* what;
        std::string before, after;
    } cases[] = {
        {"a new file", "", "2629392000044\r\n"},
        {"an empty file", "-", "2629392000044\r\n"},
        {"a last line without its line end", "0761548000150", "0761548000150\r\n2629392000044\r\n"},
        {"a last line cut after its CR", "0761548000150\r", "0761548000150\r\n2629392000044\r\n"},
        {"a last line ended", "0761548000150\r\n", "0761548000150\r\n2629392000044\r\n"},
        {"a last line ended with LF alone", "0761548000150\n", "0761548000150\n2629392000044\r\n"},
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        if (c.before == "-")
            dir.Write("nocrlf.grn", "");
        else if (!c.before.empty())
            dir.Write("nocrlf.grn", c.before);
        ASSERT_TRUE(AppendToFile(dir / "nocrlf.grn", "2629392000044\r\n").Ok()) << c.what;
        EXPECT_EQ(dir.Read("nocrlf.grn"), c.after) << c.what;
    }
}

// A failed append leaves the folder as it was: an old file without its added line end, and
// no file at all where there was none.
TEST(Files, AFailedAppendChangesNothing) {
    struct Case {
        const char* what;
        std::optional<std::string> before; // none: no file
        FileWriteCalls calls;
    } cases[] = {
        {"a new file, the disk full",
         std::nullopt,
         {[](os::File, const void*, std::size_t) -> long {
              errno = ENOSPC;
              return -1;
          },
          os::Sync, os::Rename}},
        {"a new file, the sync failing",
         std::nullopt,
         {os::Write,
          [](os::File) {
              errno = ENOSPC;
              return -1;
          },
          os::Rename}},
        {"an unended last line, the disk full",
         "0761548000150",
         {[](os::File, const void*, std::size_t) -> long {
              errno = ENOSPC;
              return -1;
          },
          os::Sync, os::Rename}},
        {"an empty file, the disk full",
         "",
         {[](os::File, const void*, std::size_t) -> long {
              errno = ENOSPC;
              return -1;
          },
          os::Sync, os::Rename}},
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        if (c.before)
            dir.Write("PLAYER.TXT", *c.before);
        const FileWriteCalls saved = WriterCalls();
        WriterCalls() = c.calls;
        const Status appended = AppendToFile(dir / "PLAYER.TXT", "6-785,12345\r\n");
        WriterCalls() = saved;
        EXPECT_EQ(appended.Message(), "No space left on device") << c.what;
        if (c.before) {
            EXPECT_EQ(dir.Read("PLAYER.TXT"), *c.before) << c.what;
        }
        EXPECT_EQ(dir.Names(),
                  c.before ? std::vector<std::string>{"PLAYER.TXT"} : std::vector<std::string>{})
            << c.what;
    }
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
