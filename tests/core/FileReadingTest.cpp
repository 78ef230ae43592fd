#include "core/FileReading.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/stat.h>
#endif

using namespace mpsec;

TEST(FileReading, ReadingSaysWhyAFileCannotBeRead) {
    test::TempFolder dir;
    dir.Write("file.txt", "one\r\ntwo\r\n");
    std::filesystem::create_directory(dir / "folder.txt");
    LineList list;
    EXPECT_TRUE(ReadLines(dir / "file.txt", list).Ok());
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(ReadLines(dir / "folder.txt", list).Message(), "Is a directory");
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(ReadLines(dir / "absent.txt", list).Message(), "No such file or directory");
}

// Something at the name that is neither a file nor a folder (a FIFO left at history.txt)
// is said to be so, not taken for a folder, and never waited on.
TEST(FileReading, AFifoIsNotAPlainFile) {
#if defined(_WIN32)
    GTEST_SKIP() << "Windows has no FIFO in a folder";
#else
    test::TempFolder dir;
    ASSERT_EQ(::mkfifo((dir / "history.txt").c_str(), 0644), 0);
    LineList list;
    EXPECT_EQ(ReadLines(dir / "history.txt", list).Message(), "it is not a plain file");
    EXPECT_EQ(list.Count(), 0u);
#endif
}
