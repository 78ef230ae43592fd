#include "app/DataFolderStart.h"
#include "core/TextHelpers.h"
#include "support/FakePlatform.h"
#include "support/Players.h"

#include <gtest/gtest.h>

using namespace mpsec;

// Started from the desktop's menu in a folder without registers and nothing remembered: the
// user is asked once, with the sample data's writable copy offered; Cancel keeps the start
// folder (whose missing registers are then said as usual).
TEST(DataFolderStart, AsksOnlyWhenNoFolderHoldsTheRegisters) {
    test::TempFolder dir;
    const auto start = dir.Path() / "start", home = dir.Path() / "home",
               federation = dir.Path() / "federation", sample = dir.Path() / "share";
    for (const auto& f : {start, home, federation, sample})
        std::filesystem::create_directory(f);
    dir.Write("share/National.TXT", "header\r\n");
    dir.Write("federation/National.TXT", "header\r\n");
    dir.Write("federation/NATIONAL.CLB", "3104,ARDEN BRIDGE CLUB,\r\n");
    StartFolders folders{{}, start, "", sample, home};

    struct Case {
        QString chosen;
        std::filesystem::path expected;
    } cases[] = {
        {QString::fromStdString(federation.string()), federation},
        {QString(), start},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        platform.ExpectFolder("Choose the folder that holds National.TXT", c.chosen);
        EXPECT_EQ(FindDataFolder(folders, platform), c.expected);
        EXPECT_EQ(platform.LastFolderRequest.Sidebar,
                  QStringList{QString::fromStdString((home / "mpsec-sample").string())});
        EXPECT_TRUE(std::filesystem::exists(home / "mpsec-sample" / "National.TXT"));
    }
    // Remembered and still holding the registers: no question.
    FakePlatform quiet;
    folders.Remembered = federation.string();
    EXPECT_EQ(FindDataFolder(folders, quiet), federation);
}

// A sample copy that cannot be made is said, with where and why, and the folder is still
// asked for, without the copy to offer.
TEST(DataFolderStart, ASampleCopyThatFailsIsSaid) {
    test::TempFolder dir;
    const auto start = dir.Path() / "start", sample = dir.Path() / "share";
    for (const auto& f : {start, sample})
        std::filesystem::create_directory(f);
    dir.Write("share/National.TXT", "header\r\n");
    dir.Write("home/mpsec-sample", "a file where the copy goes");
    dir.Write("file", "a file where the home folder should be");
    struct Case {
        std::filesystem::path home;
        std::string error;
    };
    std::vector<Case> cases = {
        {dir.Path() / "home",
         PathText(dir.Path() / "home" / "mpsec-sample") + " exists and is not a folder."},
    };
#if !defined(_WIN32) // (Windows words a path through a file otherwise)
    cases.push_back({dir.Path() / "file", "Cannot copy the sample data to " +
                                              PathText(dir.Path() / "file" / "mpsec-sample") +
                                              ": Not a directory."});
#endif
    for (const auto& c : cases) {
        FakePlatform platform;
        platform.ExpectError(QString::fromStdString(c.error));
        platform.ExpectFolder("Choose the folder that holds National.TXT", QString());
        EXPECT_EQ(FindDataFolder(StartFolders{{}, start, "", sample, c.home}, platform), start);
        EXPECT_TRUE(platform.LastFolderRequest.Sidebar.isEmpty());
    }
}
