#include "platform/QtSettingsStore.h"
#include "core/Settings.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(SettingsStore, RoundTripThroughQSettings) {
    test::TempFolder dir;
    const QString file = QString::fromStdString((dir / "mpsec.conf").string());
    AppSettings written{false, "6785", "/home/sec/MP Files/", false};
    {
        QtSettingsStore store("DIDOD", file);
        WriteSettings(store, written);
    }
    QtSettingsStore store("DIDOD", file);
    EXPECT_EQ(ReadSettings(store, AppSettings{}), written);
    EXPECT_EQ(store.Backing().value("DIDOD/ShowHints").toInt(), 0);
    EXPECT_TRUE(store.Backing().childGroups().contains("DIDOD"));
}

TEST(SettingsStore, WrongKindsKeepTheDefaults) {
    test::TempFolder dir;
    dir.Write("mpsec.conf", "[DIDOD]\nShowHints=perhaps\nShowMPWarning=a, b\nLastClubNo=3104\n");
    QtSettingsStore store("DIDOD", QString::fromStdString((dir / "mpsec.conf").string()));
    AppSettings read = ReadSettings(store, AppSettings{});
    EXPECT_TRUE(read.ShowHints);
    EXPECT_TRUE(read.ShowMPWarning);
    EXPECT_EQ(read.LastClubNo, "3104");
}
