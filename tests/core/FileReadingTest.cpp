#include "core/FileReading.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

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
