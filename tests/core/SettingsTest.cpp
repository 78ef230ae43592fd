#include "core/Settings.h"

#include <gtest/gtest.h>
#include <map>

using namespace mpsec;

namespace {
struct MapStore : SettingsStore {
    std::map<std::string, std::string> values;
    std::optional<std::string> ReadText(const std::string& n) override {
        auto it = values.find(n);
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void WriteText(const std::string& n, const std::string& v) override { values[n] = v; }
    void WriteInt(const std::string& n, int v) override { values[n] = "int:" + std::to_string(v); }
};
} // namespace

TEST(Settings, StoredBooleans) {
    struct Case {
        std::optional<std::string> text;
        std::optional<bool> value;
    } cases[] = {
        {"1", true},
        {"0", false},
        {"-1", true},
        {" 7 ", true},
        {"", std::nullopt},
        {"yes", std::nullopt},
        {"1.5", std::nullopt},
        {"99999999999", std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseStoredBool(c.text), c.value) << c.text.value_or("(absent)");
}

TEST(Settings, AbsentOrWrongValuesKeepTheDefaults) {
    AppSettings defaults;
    defaults.LastMPFolderUsed = "/home/sec/";
    MapStore empty;
    EXPECT_EQ(ReadSettings(empty, defaults), defaults);

    MapStore wrong;
    wrong.values = {{"ShowHints", "maybe"}, {"ShowMPWarning", "off"}, {"LastClubNo", "6785"}};
    AppSettings read = ReadSettings(wrong, defaults);
    EXPECT_TRUE(read.ShowHints);
    EXPECT_TRUE(read.ShowMPWarning);
    EXPECT_EQ(read.LastClubNo, "6785");
    EXPECT_EQ(read.LastMPFolderUsed, "/home/sec/");
}

// The last club number fills four-digit club fields: a stored value that is not at most
// four digits is left out, so no field shows it and no file gets it.
TEST(Settings, StoredClubNumbers) {
    struct Case {
        std::string stored, read;
    } cases[] = {
        {"6785", "6785"}, {"31", "31"}, {"", ""},      {"67851", ""},
        {"ABCD", ""},     {"67 5", ""}, {"6-785", ""}, {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", ""},
    };
    AppSettings defaults;
    defaults.LastClubNo = "9999";
    for (const Case& c : cases) {
        MapStore store;
        store.values = {{"LastClubNo", c.stored}};
        EXPECT_EQ(ReadSettings(store, defaults).LastClubNo, c.read) << c.stored;
    }
}

TEST(Settings, WritesAllValuesBooleansAsIntegers) {
    MapStore store;
    EXPECT_TRUE(WriteSettings(store, AppSettings{false,
                                                 "3104",
                                                 "/data/mp/",
                                                 true,
                                                 "/home/sec/Federation",
                                                 {"/home/sec/Federation", "/media/stick"}})
                    .Ok());
    EXPECT_EQ(store.values,
              (std::map<std::string, std::string>{{"ShowHints", "int:0"},
                                                  {"LastClubNo", "3104"},
                                                  {"LastMPFolderUsed", "/data/mp/"},
                                                  {"ShowMPWarning", "int:1"},
                                                  {"DataFolder", "/home/sec/Federation"},
                                                  {"RecentDataFolder1", "/home/sec/Federation"},
                                                  {"RecentDataFolder2", "/media/stick"}}));
}

// The recent data folders: the one used put first, once, the oldest past five dropped.
TEST(Settings, RecentDataFolders) {
    using Folders = std::vector<std::string>;
    struct Case {
        Folders before;
        std::string used;
        Folders after;
    } cases[] = {
        {{}, "/a", {"/a"}},
        {{"/a", "/b"}, "/b", {"/b", "/a"}},
        {{"/a", "/b", "/c", "/d", "/e"}, "/f", {"/f", "/a", "/b", "/c", "/d"}},
        {{"/a", "/b", "/c", "/d", "/e"}, "/e", {"/e", "/a", "/b", "/c", "/d"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithRecentFolder(c.before, c.used), c.after) << c.used;
        // Read back in their order; an empty value is none.
#if defined(_WIN32)
    const std::string root = "C:\\";
#else
    const std::string root = "/";
#endif
    MapStore store;
    store.values = {{"RecentDataFolder1", root + "b"},
                    {"RecentDataFolder2", ""},
                    {"RecentDataFolder3", root + "a"}};
    EXPECT_EQ(ReadSettings(store, {}).RecentDataFolders, (Folders{root + "b", root + "a"}));
}

// A folder stored in another form (by an earlier version, or from the chooser's C:/...) is
// read in the program's one form, and the forms of one folder are one recent folder.
TEST(Settings, StoredFoldersAreReadInOneForm) {
    using Folders = std::vector<std::string>;
    struct Case {
        std::vector<std::string> stored; // RecentDataFolder1, 2, ...
        std::string dataFolder;
        Folders recent;
        std::string readDataFolder;
    } cases[] = {
#if defined(_WIN32)
        {{"C:/club/aug/.", "C:\\club\\aug", "C:/club//sep/", "C:\\club\\x\\..\\sep"},
         "C:/club/aug/.",
         {"C:\\club\\aug", "C:\\club\\sep"},
         "C:\\club\\aug"},
        {{"C:/users/Z\xC3\xB6"
          "e/Donn\xC3\xA9"
          "es du club",
          "C:\\users\\Z\xC3\xB6"
          "e\\Donn\xC3\xA9"
          "es du club\\",
          "c:\\USERS\\Z\xC3\x96"
          "E\\DONN\xC3\x89"
          "ES DU CLUB",
          "D:\\Fran\xC3\xA7ois"},
         "C:/users/Z\xC3\xB6"
         "e/Donn\xC3\xA9"
         "es du club/",
         {"C:\\users\\Z\xC3\xB6"
          "e\\Donn\xC3\xA9"
          "es du club",
          "D:\\Fran\xC3\xA7ois"},
         "C:\\users\\Z\xC3\xB6"
         "e\\Donn\xC3\xA9"
         "es du club"},
#else
        {{"/club/aug/.", "/club/aug", "/club//sep/", "/club/x/../sep"},
         "/club/aug/.",
         {"/club/aug", "/club/sep"},
         "/club/aug"},
        // Names differing in letter case are other folders here.
        {{"/Donn\xC3\xA9"
          "es",
          "/DONN\xC3\x89"
          "ES/",
          "/Donn\xC3\xA9"
          "es/."},
         "/Donn\xC3\xA9"
         "es//",
         {"/Donn\xC3\xA9"
          "es",
          "/DONN\xC3\x89"
          "ES"},
         "/Donn\xC3\xA9"
         "es"},
#endif
    };
    for (const Case& c : cases) {
        MapStore store;
        for (std::size_t i = 0; i < c.stored.size(); ++i)
            store.values["RecentDataFolder" + std::to_string(i + 1)] = c.stored[i];
        store.values["DataFolder"] = c.dataFolder;
        const AppSettings read = ReadSettings(store, {});
        EXPECT_EQ(read.RecentDataFolders, c.recent) << c.dataFolder;
        EXPECT_EQ(read.DataFolder, c.readDataFolder);
    }
}
