#include "submissions/SubmissionFiles.h"

#include "core/Files.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <iostream>
#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <utility>

using namespace mpsec;
namespace fs = std::filesystem;

TEST(SubmissionFiles, ClubLineAndKeys) {
    EXPECT_EQ(ClubLine("6785"), "6-785");
    EXPECT_EQ(ClubLine("6"), "6-");
    EXPECT_EQ(ClubLine(""), "-");
    const std::string digits = "0123456789", name = "AZaz '-";
    for (char c : std::string("0123456789.AZaz '-/+,\t"))
        EXPECT_EQ(IsNumberKey(c), digits.find(c) != std::string::npos || c == '.') << c;
    for (char c : std::string("0123456789.AZaz '-/+,\t"))
        EXPECT_EQ(IsNameKey(c), name.find(c) != std::string::npos) << c;
    EXPECT_FALSE(IsDigitKey('.'));
}

TEST(SubmissionFiles, BlocksAreAppendedWhole) {
    test::TempFolder dir;
    ASSERT_TRUE(AppendToFile(dir / "PLAYER.TXT", BlockText({"6-785", "APPEND", ""})));
    ASSERT_TRUE(AppendToFile(dir / "PLAYER.TXT", BlockText({"-", "DELETE", ""})));
    EXPECT_EQ(dir.Read("PLAYER.TXT"), "6-785\r\nAPPEND\r\n\r\n-\r\nDELETE\r\n\r\n");
}

// A failed append says why and leaves the file as it was: never half a block.
TEST(SubmissionFiles, AFailedAppendLeavesTheFileAsItWas) {
    const FileWriteCalls system = WriterCalls();
    static const auto realWrite = system.Write;
    static int calls = 0;
    [[maybe_unused]] static int reader = -1;
    const std::string old = "6-785,P,X,03,B,a.gld,1,\r\n";
    struct Case {
        const char* what;
        std::function<void(const test::TempFolder&)> prepare;
        const char* reason;
        const char* keptIn; // the file that must still hold what it held
    } cases[] = {
        {"the disk fills after part of the block",
         [](const test::TempFolder&) {
             calls = 0;
             WriterCalls().Write = [](os::File fd, const void* data, std::size_t size) -> long {
                 if (calls++ > 0) {
                     errno = ENOSPC;
                     return -1;
                 }
                 return realWrite(fd, data, size / 2);
             };
         },
         "No space left on device", "AWARDS.TXT"},
        {"the name is a folder's",
         [&](const test::TempFolder& dir) {
             fs::rename(dir / "AWARDS.TXT", dir / "old.TXT");
             fs::create_directory(dir / "AWARDS.TXT");
         },
         "Is a directory", "old.TXT"},
        {"the name is a link",
         [](const test::TempFolder& dir) {
             fs::rename(dir / "AWARDS.TXT", dir / "old.TXT");
             std::error_code ignored; // checked below
             fs::create_symlink(dir / "old.TXT", dir / "AWARDS.TXT", ignored);
         },
         "it is a link, not a file", "old.TXT"},
#if !defined(_WIN32) // Windows has no FIFO in its folders
        // A FIFO is refused at once, with or without a reader, rather than waited on.
        {"the name is a FIFO",
         [](const test::TempFolder& dir) {
             fs::rename(dir / "AWARDS.TXT", dir / "old.TXT");
             ::mkfifo((dir / "AWARDS.TXT").c_str(), 0644);
         },
         "it is not a plain file", "old.TXT"},
        {"the name is a FIFO someone reads",
         [](const test::TempFolder& dir) {
             fs::rename(dir / "AWARDS.TXT", dir / "old.TXT");
             ::mkfifo((dir / "AWARDS.TXT").c_str(), 0644);
             reader = ::open((dir / "AWARDS.TXT").c_str(), O_RDONLY | O_NONBLOCK);
         },
         "it is not a plain file", "old.TXT"},
#endif
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        dir.Write("AWARDS.TXT", old);
        c.prepare(dir);
        if (std::string(c.reason) == "it is a link, not a file" &&
            !fs::is_symlink(fs::symlink_status(dir / "AWARDS.TXT"))) {
            std::cout << "[ SKIPPED  ] " << c.what << ": this system cannot make a link\n";
            continue;
        }
        const Status appended =
            AppendToFile(dir / "AWARDS.TXT", BlockText({"6-1,Q,Y,04,C,b.gld,2,"}));
        WriterCalls() = system;
#if !defined(_WIN32)
        if (reader >= 0)
            ::close(std::exchange(reader, -1));
#endif
        ASSERT_FALSE(appended) << c.what;
        EXPECT_EQ(appended.Message(), c.reason) << c.what;
        EXPECT_EQ(dir.Read(c.keptIn), old) << c.what;
    }
}
