#include "app/Startup.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(Startup, StatusTexts) {
    EXPECT_EQ(DateLabelText({2026, 12, 7}), " Monday December 07 2026");
    EXPECT_EQ(NationalLabelText(CivilDate{2026, 11, 3}),
              "Using NATIONAL.TXT file dated: November 03 2026");
    EXPECT_EQ(NationalLabelText(std::nullopt), "Using NATIONAL.TXT file dated: December 30 1899");
}

TEST(Startup, MissingRegistersAndAwardFiles) {
    struct Case {
        std::vector<std::string> files;
        std::vector<std::string> messages;
        bool awards;
    } cases[] = {
        {{}, {"Cannot find NATIONAL.TXT.", "Cannot find NATIONAL.CLB."}, false},
        {{"National.TXT"}, {"Cannot find NATIONAL.CLB."}, false},
        {{"NATIONAL.TXT", "national.clb"}, {}, false}, // letter case does not matter
        {{"National.TXT", "NATIONAL.CLB", "history.txt"}, {}, false},
        {{"National.TXT", "NATIONAL.CLB", "events.txt", "HISTORY.TXT"}, {}, true},
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        for (const auto& f : c.files)
            dir.Write(f, "x\r\n");
        EXPECT_EQ(MissingRegisterMessages(dir.Path()), c.messages);
        EXPECT_EQ(AwardFilesPresent(dir.Path()), c.awards);
    }
}

TEST(Startup, RegisterThatIsAFolderIsReported) {
    test::TempFolder dir;
    std::filesystem::create_directory(dir / "National.TXT");
    dir.Write("NATIONAL.CLB", "1101,A,\r\n");
    EXPECT_EQ(RegisterReadProblem(dir / "National.TXT", "NATIONAL.TXT"),
              "Cannot read NATIONAL.TXT: it is a folder, not a file.");
    EXPECT_EQ(RegisterReadProblem(dir / "NATIONAL.CLB", "NATIONAL.CLB"), std::nullopt);
    EXPECT_EQ(RegisterReadProblem(dir / "absent", "X"), std::nullopt);
}
