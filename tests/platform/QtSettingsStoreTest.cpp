#include "platform/QtSettingsStore.h"
#include "core/Settings.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(SettingsStore, RoundTripThroughQSettings) {
    test::TempFolder dir;
    const QString file = QString::fromStdString((dir / "mpsec.conf").string());
    // Folders as the program keeps them: absolute, with the system's separators.
#if defined(_WIN32)
    const std::string fed = "C:\\Users\\sec\\Fed", stick = "E:\\Club";
#else
    const std::string fed = "/home/sec/Fed", stick = "/media/stick/Club";
#endif
    AppSettings written{false, "6785", "/home/sec/MP Files/", false, fed, {fed, stick}};
    {
        QtSettingsStore store("DIDOD", file);
        EXPECT_TRUE(WriteSettings(store, written).Ok());
    }
    QtSettingsStore store("DIDOD", file);
    EXPECT_EQ(ReadSettings(store, AppSettings{}), written);
    EXPECT_EQ(store.Backing().value("DIDOD/ShowHints").toInt(), 0);
    EXPECT_TRUE(store.Backing().childGroups().contains("DIDOD"));
}

// A value the settings file holds as a list ("a, b") is no text: it reads as absent, and
// the value's default stays.
TEST(SettingsStore, AListValueReadsAsAbsent) {
    test::TempFolder dir;
    dir.Write("mpsec.conf", "[DIDOD]\nShowMPWarning=a, b\nLastClubNo=3104\n");
    QtSettingsStore store("DIDOD", QString::fromStdString((dir / "mpsec.conf").string()));
    EXPECT_EQ(store.ReadText("ShowMPWarning"), std::nullopt);
    EXPECT_EQ(store.ReadText("LastClubNo"), "3104");
    EXPECT_EQ(store.ReadText("ShowHints"), std::nullopt);
}

// Settings that cannot be kept are said once, with where they should have gone and why.
TEST(SettingsStore, SettingsThatCannotBeSavedSaySo) {
    test::TempFolder dir;
    dir.Write("not a folder", "a file where the settings' folder should be");
    const std::filesystem::path file = dir / "not a folder" / "mpsec.ini";
    QtSettingsStore store("DIDOD", QString::fromStdString(file.string()));
    const Status saved = WriteSettings(store, AppSettings{});
    EXPECT_EQ(saved.Message(), "Cannot save the settings in " +
                                   std::filesystem::path(file).make_preferred().string() +
                                   ": it or its folder cannot be written.");
}
