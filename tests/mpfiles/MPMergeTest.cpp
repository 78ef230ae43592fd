#include "mpfiles/MPMerge.h"
#include "core/Files.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace mpsec;

TEST(MPMerge, DefaultNameAndQuarter) {
    struct Case {
        std::string club;
        CivilDate today;
        MPType type;
        std::string name;
    } cases[] = {
        {"1234", {2026, 5, 15}, MPType::Gold, "1234226.gld"},
        {"", {2026, 5, 15}, MPType::Gold, "226.gld"},
        {"1234", {2026, 5, 15}, MPType::RedGreen, "1234226.rag"},
        {"6785", {2026, 1, 1}, MPType::Red, "6785126.red"},
        {"6785", {2026, 3, 31}, MPType::Green, "6785126.grn"},
        {"6785", {2026, 7, 1}, MPType::GoldRed, "6785326.gar"},
        {"6785", {2009, 12, 31}, MPType::Gold, "6785409.gld"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DefaultMergeName("/prog", c.club, c.today, c.type), fs::path("/prog") / c.name)
            << c.name;
    EXPECT_EQ(MPTypeFilter(MPType::RedGreen), "QMR Master Point Files|*.rag");
}

// What reaches the merged file from each input, in the order given.
TEST(MPMerge, LinesAreCopiedInOrderWithTheirRules) {
    struct Case {
        const char* what;
        std::vector<std::string> inputs; // file texts
        std::string merged;
    } cases[] = {
        {"3 + 2 lines give 5, a player twice stays twice",
         {"0012345000125\r\n0000001000100\r\n0000002000100\r\n",
          "0012345000050\r\n0000003000100\r\n"},
         "0012345000125\r\n0000001000100\r\n0000002000100\r\n0012345000050\r\n"
         "0000003000100\r\n"},
        {"blank lines dropped, LF and a missing last end",
         {"a\n\nb", "\r\n\r\nc\r\n"},
         "a\r\nb\r\nc\r\n"},
        {"the first Ctrl-Z of a line removed",
         {"0012345000125\x1a\r\n00\x1a"
          "1\x1a"
          "2\r\n"},
         "0012345000125\r\n001\x1a"
         "2\r\n"},
        {"a Ctrl-Z at the start of a line ends that file only",
         {"a\r\n\x1a"
          "b\r\nc\r\n",
          "d\r\n"},
         "a\r\nd\r\n"},
        {"Latin-1 bytes and odd lengths copied as they are",
         {"\xe9\xff\r\nx\r\n0012345000125000025000\r\n"},
         "\xe9\xff\r\nx\r\n0012345000125000025000\r\n"},
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        std::vector<fs::path> inputs;
        for (std::size_t i = 0; i < c.inputs.size(); ++i) {
            dir.Write("in" + std::to_string(i) + ".gld", c.inputs[i]);
            inputs.push_back(dir / ("in" + std::to_string(i) + ".gld"));
        }
        ASSERT_TRUE(MergeMPFiles(inputs, dir / "out.gld").Ok()) << c.what;
        EXPECT_EQ(dir.Read("out.gld"), c.merged) << c.what;
    }
}

// The output among the inputs; an earlier temporary file; an input that cannot be read
// and an output that cannot be written leave the output as it was and no temporary file.
TEST(MPMerge, OutputIsReplacedWholeOrNotAtAll) {
    test::TempFolder dir;
    dir.Write("out.gld", "old\r\n");
    dir.Write("b.gld", "new\r\n");
    dir.Write("Merge.$$$", "left by an earlier run");
    ASSERT_TRUE(MergeMPFiles({dir / "out.gld", dir / "b.gld"}, dir / "out.gld").Ok());
    EXPECT_EQ(dir.Read("out.gld"), "old\r\nnew\r\n");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"b.gld", "out.gld"}));

    const Status missing = MergeMPFiles({dir / "b.gld", dir / "gone.gld"}, dir / "out.gld");
    EXPECT_EQ(missing.Message(),
              "Cannot read the masterpoint file gone.gld: No such file or directory");
    EXPECT_EQ(dir.Read("out.gld"), "old\r\nnew\r\n");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"b.gld", "out.gld"}));

    // An input larger than the limit: the check before the merge and the merge say so.
    const std::string tooLarge = "Cannot read the masterpoint file out.gld: it is 10 bytes, and "
                                 "the program reads masterpoint files of at most 9 bytes";
    EXPECT_EQ(CheckMergeInputs({dir / "b.gld", dir / "out.gld"}, 9).Message(), tooLarge);
    EXPECT_TRUE(CheckMergeInputs({dir / "b.gld", dir / "out.gld"}, 10).Ok());
    EXPECT_EQ(MergeMPFiles({dir / "b.gld", dir / "out.gld"}, dir / "out.gld", 9).Message(),
              tooLarge);
    EXPECT_EQ(dir.Read("out.gld"), "old\r\nnew\r\n");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"b.gld", "out.gld"}));

    const FileWriteCalls saved = WriterCalls();
    WriterCalls().Rename = [](const fs::path&, const fs::path&) {
        errno = EACCES;
        return -1;
    };
    const Status renamed = MergeMPFiles({dir / "b.gld", dir / "b.gld"}, dir / "out.gld");
    WriterCalls() = saved;
    EXPECT_EQ(renamed.Message(), "Cannot write out.gld: Permission denied");
    EXPECT_EQ(dir.Read("out.gld"), "old\r\nnew\r\n");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"b.gld", "out.gld"}));

    EXPECT_FALSE(MergeMPFiles({dir / "b.gld", dir / "b.gld"}, dir / "no" / "out.gld").Ok());
}
