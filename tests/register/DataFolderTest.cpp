#include "register/DataFolder.h"
#include "support/Players.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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
    ASSERT_EQ(::mkfifo((dir / "national.txt").c_str(), 0600), 0); // reading it would never end
    EXPECT_EQ(LoadPlayerRegister(dir.Path(), national).Message(),
              "Cannot read NATIONAL.TXT: it is not a plain file.");
    std::filesystem::remove(dir / "national.txt");

    test::WriteRegister(dir, {test::TestPlayer("2488258", "KARVEL")});
    dir.Write("NATIONAL.CLB", "3104,ARDEN BRIDGE CLUB,\r\n");
    EXPECT_TRUE(LoadPlayerRegister(dir.Path(), national).Ok());
    EXPECT_TRUE(LoadClubRegister(dir.Path(), clubs).Ok());
    EXPECT_EQ(national.FindPlayerByNumber("2488258"), 1u);
    EXPECT_EQ(clubs.GetClubDescription("3104"), "3104 ARDEN BRIDGE CLUB");
}
