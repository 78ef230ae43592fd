// What a Windows secretary's folders hold: letters beyond ASCII, read-only files, files
// another program holds open, paths longer than the 260 characters of the plain calls.
#include "core/Files.h"
#include "core/LineList.h"
#include "core/TextHelpers.h"

#include "core/FileReading.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>
#if defined(_WIN32)
#include <windows.h>
#endif

using namespace mpsec;
namespace fs = std::filesystem;

// A folder named with é, ü and ñ, and a file named from the register's Latin-1 text: the
// same letters on disk on every system, written, appended to, found and read back.
TEST(WindowsFiles, LettersBeyondAsciiInFoldersAndNames) {
    test::TempFolder dir;
    const fs::path folder = dir / "Donn\xC3\xA9"
                                  "es M\xC3\xBC"
                                  "ller Espa\xC3\xB1"
                                  "a";
    fs::create_directories(folder);
    const fs::path pdf = folder / PathFromLatin1("11 B\xC9LBEL.pdf");
    ASSERT_TRUE(WriteFileAtomically(pdf, "%PDF-1.4\r\n").Ok());
    ASSERT_TRUE(AppendToFile(folder / "AWARDS.TXT", "6-1,Q\r\n").Ok());
    ASSERT_TRUE(AppendToFile(folder / "AWARDS.TXT", "6-2,Q\r\n").Ok());
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(FindFileNoCase(folder, "awards.txt"), bytes).Ok());
    EXPECT_EQ(bytes, "6-1,Q\r\n6-2,Q\r\n");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(PathText(entry.path().filename()));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"11 B\xC3\x89LBEL.pdf", "AWARDS.TXT"}));
    EXPECT_EQ(PathText(pdf.parent_path().filename()), "Donn\xC3\xA9"
                                                      "es M\xC3\xBC"
                                                      "ller Espa\xC3\xB1"
                                                      "a");
}

// A data folder deeper than 260 characters is written and read like any other.
TEST(WindowsFiles, APathLongerThan260Characters) {
    test::TempFolder dir;
    fs::path folder = dir.Path();
    for (int i = 0; PathText(folder).size() <= 300; ++i)
        folder /= "secretary folder " + std::to_string(i);
    std::error_code made;
    fs::create_directories(folder, made);
    ASSERT_FALSE(made) << made.message();
    ASSERT_TRUE(WriteLinesAtomically(folder / "NATIONAL.TXT", {"one", "two"}).Ok());
    ASSERT_TRUE(WriteLinesAtomically(folder / "NATIONAL.TXT", {"three"}).Ok());
    ASSERT_TRUE(AppendToFile(folder / "NATIONAL.TXT", "four\r\n").Ok());
    LineList lines;
    ASSERT_TRUE(ReadLines(folder / "NATIONAL.TXT", lines).Ok());
    ASSERT_EQ(lines.Count(), 2u);
    EXPECT_EQ(lines[1], "four");
}

// A read-only file at an output name stays as it was, and the failure is said, on every
// system and whoever runs the program.
TEST(WindowsFiles, AReadOnlyFileAtAnOutputNameIsKept) {
    test::TempFolder dir;
    dir.Write("HOME6785.TXT", "old\r\n");
    fs::permissions(dir / "HOME6785.TXT",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const Status written = WriteLinesAtomically(dir / "HOME6785.TXT", {"new"});
    EXPECT_EQ(written.Message(), "Permission denied");
    EXPECT_EQ(AppendToFile(dir / "HOME6785.TXT", "more\r\n").Message(), "Permission denied");
    fs::permissions(dir / "HOME6785.TXT", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(dir.Read("HOME6785.TXT"), "old\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"HOME6785.TXT"});
}

// A file another program holds open without sharing it (a spreadsheet showing the report)
// is neither replaced nor appended to; the old file stays and the reason is said.
TEST(WindowsFiles, AFileHeldOpenByAnotherProgramIsKept) {
#if !defined(_WIN32)
    GTEST_SKIP() << "Linux has no sharing modes: an open file never stops its replacement";
#else
    test::TempFolder dir;
    dir.Write("AWARDS.TXT", "old\r\n");
    HANDLE held = CreateFileW((dir / "AWARDS.TXT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const Status replaced = WriteLinesAtomically(dir / "AWARDS.TXT", {"new"});
    const Status appended = AppendToFile(dir / "AWARDS.TXT", "more\r\n");
    CloseHandle(held);
    EXPECT_EQ(replaced.Message(), "it is open in another program");
    EXPECT_EQ(appended.Message(), "it is open in another program");
    EXPECT_EQ(dir.Read("AWARDS.TXT"), "old\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"AWARDS.TXT"});
#endif
}
