#include "register/DataFolder.h"
#include "core/TextHelpers.h"
#include "support/Players.h"

#include <gtest/gtest.h>
#include <set>
#if !defined(_WIN32)
#include <sys/stat.h>
#endif

using namespace mpsec;

TEST(DataFolder, MissingRegistersAreNamedInOrder) {
    struct Case {
        std::vector<std::string> files;
        std::vector<std::string> messages;
    } cases[] = {
        {{}, {"Cannot find NATIONAL.TXT.", "Cannot find NATIONAL.CLB."}},
        {{"National.TXT"}, {"Cannot find NATIONAL.CLB."}},
        {{"NATIONAL.TXT", "national.clb"}, {}}, // letter case does not matter
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        for (const auto& f : c.files)
            dir.Write(f, "x\r\n");
        EXPECT_EQ(MissingRegisterMessages(dir.Path()), c.messages);
    }
}

TEST(DataFolder, RegistersLoadOrSayWhyNot) {
    test::TempFolder dir;
    PlayerRegister national;
    ClubRegister clubs;
    Status loaded = LoadPlayerRegister(dir.Path(), national);
    EXPECT_EQ(loaded.Message(), "Cannot find NATIONAL.TXT.");
    EXPECT_EQ(LoadClubRegister(dir.Path(), clubs).Message(), "Cannot find NATIONAL.CLB.");

    std::filesystem::create_directory(dir / "national.txt");
    EXPECT_EQ(LoadPlayerRegister(dir.Path(), national).Message(),
              "Cannot read NATIONAL.TXT: it is a folder, not a file.");
    std::filesystem::remove(dir / "national.txt");
#if !defined(_WIN32) // Windows has no FIFO in its folders
    ASSERT_EQ(::mkfifo((dir / "national.txt").c_str(), 0600), 0); // reading it would never end
    EXPECT_EQ(LoadPlayerRegister(dir.Path(), national).Message(),
              "Cannot read NATIONAL.TXT: it is not a plain file.");
    std::filesystem::remove(dir / "national.txt");
#endif

    test::WriteRegister(dir, {test::TestPlayer("2488258", "KARVEL")});
    dir.Write("NATIONAL.CLB", "3104,ARDEN BRIDGE CLUB,\r\n");
    EXPECT_TRUE(LoadPlayerRegister(dir.Path(), national).Ok());
    EXPECT_TRUE(LoadClubRegister(dir.Path(), clubs).Ok());
    EXPECT_EQ(national.FindPlayerByNumber("2488258"), 1u);
    EXPECT_EQ(clubs.GetClubDescription("3104"), "3104 ARDEN BRIDGE CLUB");
}

// A player register without a player would make every number unknown: it is refused as
// a missing one is, and nothing of it is kept.
TEST(DataFolder, APlayerRegisterWithoutPlayersIsRefused) {
    struct Case {
        const char* what;
        std::string bytes;
        bool usable;
    } cases[] = {
        {"an empty file", "", false},
        {"its heading line only", "QMR NATIONAL REGISTER\r\n", false},
        {"blank lines after its heading", "QMR NATIONAL REGISTER\r\n   \r\n\r\n", false},
        {"one player",
         "QMR NATIONAL REGISTER\r\n" + MakePlayerLine(test::TestPlayer("2488258", "KARVEL")), true},
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        dir.Write("NATIONAL.TXT", c.bytes);
        PlayerRegister national;
        const Status loaded = LoadPlayerRegister(dir.Path(), national);
        if (c.usable) {
            EXPECT_TRUE(loaded.Ok()) << c.what << ": " << loaded.Message();
            EXPECT_EQ(national.FindPlayerByNumber("2488258"), 1u) << c.what;
        } else {
            EXPECT_EQ(loaded.Message(), "Cannot use NATIONAL.TXT: it holds no players (it is "
                                        "empty or has only its heading line).")
                << c.what;
            EXPECT_EQ(national.Count(), 0u) << c.what;
        }
    }
}

TEST(DataFolder, StartFolderChoice) {
    const std::filesystem::path start = "/home/sec", remembered = "/data/fed", arg = "/mnt/usb";
    auto holdsOnly = [](std::set<std::string> folders) {
        return [folders](const std::filesystem::path& p) { return folders.count(p.string()) > 0; };
    };
    using S = DataFolderSource;
    struct Case {
        std::optional<std::filesystem::path> argument;
        std::string remembered;
        std::set<std::string> holding;
        DataFolderChoice expected;
    } cases[] = {
        // A named folder is used even when it holds nothing (its messages then say so).
        {arg, remembered.string(), {"/home/sec", "/data/fed"}, {S::Argument, arg}},
        // Started in a folder with the registers: nothing else is looked at.
        {{}, remembered.string(), {"/home/sec", "/data/fed"}, {S::StartFolder, start}},
        {{}, remembered.string(), {"/data/fed"}, {S::Remembered, remembered}},
        // The remembered folder no longer holds them, or there is none: ask.
        {{}, remembered.string(), {}, {S::Ask, {}}},
        {{}, "", {""}, {S::Ask, {}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseDataFolder(c.argument, start, c.remembered, holdsOnly(c.holding)),
                  c.expected)
            << c.holding.size();
}

TEST(DataFolder, HoldsRegistersOnlyForAFolderWithBoth) {
    test::TempFolder dir;
    EXPECT_FALSE(HoldsRegisters(dir.Path()));
    dir.Write("national.txt", "x\r\n");
    dir.Write("NATIONAL.CLB", "x\r\n");
    EXPECT_TRUE(HoldsRegisters(dir.Path()));
    EXPECT_FALSE(HoldsRegisters(dir.Path() / "national.txt")); // a file, not a folder
    EXPECT_FALSE(HoldsRegisters(dir.Path() / "gone"));
    EXPECT_FALSE(HoldsRegisters(""));
}

TEST(DataFolder, SampleCopyIsMadeOnceAndWritable) {
    test::TempFolder dir;
    const auto installed = dir.Path() / "share", copy = dir.Path() / "mpsec-sample";
    std::filesystem::create_directory(installed);
    dir.Write("share/National.TXT", "header\r\n");
    namespace fsp = std::filesystem;
    fsp::permissions(installed / "National.TXT",
                     fsp::perms::owner_read | fsp::perms::group_read | fsp::perms::others_read);
    fsp::permissions(installed, fsp::perms::owner_read | fsp::perms::owner_exec);

    auto made = PrepareSampleCopy(installed, copy);
    ASSERT_TRUE(made.Ok()) << made.Message();
    EXPECT_EQ(*made, copy);
    EXPECT_TRUE(std::filesystem::exists(copy / "National.TXT"));
    EXPECT_NE(std::filesystem::status(copy / "National.TXT").permissions() &
                  std::filesystem::perms::owner_write,
              std::filesystem::perms::none);
    // A second start keeps what the user changed in the copy.
    dir.Write("mpsec-sample/National.TXT", "changed\r\n");
    ASSERT_TRUE(PrepareSampleCopy(installed, copy).Ok());
    EXPECT_EQ(dir.Read("mpsec-sample/National.TXT"), "changed\r\n");
    fsp::permissions(installed, fsp::perms::owner_all);

    EXPECT_FALSE(PrepareSampleCopy(dir.Path() / "none", dir.Path() / "other").Ok());
    dir.Write("afile", "x");
    EXPECT_EQ(PrepareSampleCopy(installed, dir.Path() / "afile").Message(),
              PathText(dir.Path() / "afile") + " exists and is not a folder.");
}
