// The seam to the operating system says and does the same on every system.
#include "core/SystemCalls.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>
#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

using namespace mpsec;

// The words a secretary reads for each failure the program can meet, the same on Windows as
// on Linux.
TEST(SystemCalls, ErrorWordsAreTheSameOnEverySystem) {
    struct Case {
        int Error;
        const char* Words;
    } cases[] = {
        {ENOENT, "No such file or directory"},
        {EACCES, "Permission denied"},
        {EEXIST, "File exists"},
        {ENOSPC, "No space left on device"},
        {EIO, "Input/output error"},
        {EISDIR, "Is a directory"},
        {ENOTDIR, "Not a directory"},
        {EXDEV, "Invalid cross-device link"},
        {ENOMEM, "Cannot allocate memory"},
        {EBADF, "Bad file descriptor"},
        {ENAMETOOLONG, "File name too long"},
        {EINVAL, "Invalid argument"},
        {EPERM, "Operation not permitted"},
        {EROFS, "Read-only file system"},
        {ENOTEMPTY, "Directory not empty"},
        {EMFILE, "Too many open files"},
        {EFBIG, "File too large"},
        {EBUSY, "Device or resource busy"},
        {os::kInUse, "it is open in another program"},
        {os::kIsLink, "it is a link, not a file"},
        {os::kNotPlainFile, "it is not a plain file"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(os::ErrorText(c.Error), c.Words) << c.Error;
}

// A read at an offset leaves the file's own position where it was.
TEST(SystemCalls, AReadAtAnOffsetLeavesThePositionAlone) {
    test::TempFolder dir;
    std::ofstream(dir / "f.txt", std::ios::binary) << "0123456789";
    const os::File file = os::OpenForReading(dir / "f.txt");
    ASSERT_NE(file, os::kNoFile);
    char got[3] = {};
    ASSERT_EQ(os::ReadAt(file, got, 3, 6), 3);
    EXPECT_EQ(std::string(got, 3), "678");
#if defined(_WIN32)
    LARGE_INTEGER at{};
    ASSERT_TRUE(
        SetFilePointerEx(reinterpret_cast<HANDLE>(file), LARGE_INTEGER{}, &at, FILE_CURRENT));
    EXPECT_EQ(at.QuadPart, 0);
#else
    EXPECT_EQ(lseek(static_cast<int>(file), 0, SEEK_CUR), 0);
#endif
    EXPECT_EQ(os::ReadAt(file, got, 3, 10), 0); // at the end
    EXPECT_EQ(os::Close(file), 0);
}
