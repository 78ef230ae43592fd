#include "mpfiles/OldExtensions.h"
#include "support/Immutable.h"
#include "support/TempFolder.h"

#include "core/TextHelpers.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace mpsec;
using Names = std::vector<std::string>;

TEST(MPExtensions, FilterListsTheFiveNewExtensions) {
    EXPECT_EQ(MPFileFilter(), "QMR Master Point Files|*.gld;*.red;*.grn;*.gar;*.rag");
}

TEST(MPExtensions, ConversionRenamesOldNames) {
    struct Case {
        Names before;
        Names after;
    } cases[] = {
        {{"A.MP1", "B.mp3", "C.MP5"}, {"A.gld", "B.grn", "C.rag"}},
        {{"A.MP2", "A.red"}, {"A.MP2", "A.red"}}, // the new name is taken
        {{"E.MP2", "E.RED"}, {"E.MP2", "E.RED"}}, // ... in another letter case too
        {{"X.MP12", "Y.MP", "Z.mp4x"}, {"X.MP12", "Y.MP", "Z.mp4x"}},
        {{"two.dots.Mp4", ".MP5"}, {".rag", "two.dots.gar"}},
        {{"3104326.gld", "notes.txt"}, {"3104326.gld", "notes.txt"}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        for (const auto& n : c.before)
            dir.Write(n, "0012345000125\r\n");
        EXPECT_TRUE(CheckAndConvertMPFiles(dir.Path()).Ok());
        EXPECT_EQ(dir.Names(), c.after);
    }
}

// Names with letters beyond ASCII, in a folder named so too, keep their letters: the
// secretary finds Été 6101326.gld where Été 6101326.MP1 was.
TEST(MPExtensions, NamesBeyondAsciiKeepTheirLetters) {
    test::TempFolder dir;
    const std::string folder = "Soci\xC3\xA9t\xC3\xA9 No\xC3\xABl";
    for (const char* name :
         {"\xC3\x89t\xC3\xA9 6101326.MP1", "Fran\xC3\xA7ois.MP2", "No\xC3\xABl.mp3"})
        dir.Write(folder + "/" + name, "0012345000125\r\n");
    ASSERT_TRUE(CheckAndConvertMPFiles(dir / folder).Ok());
    Names names;
    for (const auto& e : std::filesystem::directory_iterator(dir / folder))
        names.push_back(PathText(e.path().filename()));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (Names{"Fran\xC3\xA7ois.red", "No\xC3\xABl.grn", "\xC3\x89t\xC3\xA9 6101326.gld"}));
}

TEST(MPExtensions, OneRowRenamesOnlyItsExtension) {
    test::TempFolder dir;
    for (const char* n : {"A.MP1", "B.MP2", "C.mp1"})
        dir.Write(n, "x");
    EXPECT_TRUE(ConvertOldMPFileExtensions(dir.Path(), 0).Ok());
    EXPECT_EQ(dir.Names(), (Names{"A.gld", "B.MP2", "C.gld"}));
    EXPECT_TRUE(ConvertOldMPFileExtensions(dir.Path(), 7).Ok()); // no such row: nothing happens
    EXPECT_EQ(dir.Names(), (Names{"A.gld", "B.MP2", "C.gld"}));
}

TEST(MPExtensions, FoldersAndReadOnlyFilesAreRenamedToo) {
    test::TempFolder dir;
    std::filesystem::create_directory(dir / "SCORES.MP1");
    dir.Write("R.MP3", "keep me");
    std::filesystem::permissions(dir / "R.MP3", std::filesystem::perms::owner_read);
    EXPECT_TRUE(CheckAndConvertMPFiles(dir.Path()).Ok());
    EXPECT_EQ(dir.Names(), (Names{"R.grn", "SCORES.gld"}));
    EXPECT_EQ(dir.Read("R.grn"), "keep me");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "SCORES.gld"));
}

TEST(MPExtensions, TakenNameKeepsBothFilesIntact) {
    test::TempFolder dir;
    dir.Write("A.MP2", "old");
    dir.Write("A.red", "new");
    EXPECT_TRUE(CheckAndConvertMPFiles(dir.Path()).Ok());
    EXPECT_EQ(dir.Read("A.MP2"), "old");
    EXPECT_EQ(dir.Read("A.red"), "new");
}

TEST(MPExtensions, ViewerFolderCheck) {
    struct Case {
        Names files;
        bool showWarning;
        bool answerYes;
        bool expectAsked;
        bool expectConverted;
        Names after;
    } cases[] = {
        {{"song.mp3"}, true, false, true, false, {"song.mp3"}},
        {{"song.mp3"}, true, true, true, true, {"song.grn"}},
        {{"song.mp3"}, false, false, false, true, {"song.grn"}},
        {{"a.gld"}, true, false, false, true, {"a.gld"}},
        {{"tune.mpx"}, true, false, true, false, {"tune.mpx"}}, // *.mp? asks, nothing to rename
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        for (const auto& n : c.files)
            dir.Write(n, "x");
        bool asked = false;
        int busy = 0;
        bool converted = ViewerFolderCheck(
            dir.Path(), c.showWarning,
            [&] {
                asked = true;
                return c.answerYes;
            },
            [&](const std::function<void()>& work) {
                ++busy;
                work();
            });
        EXPECT_EQ(asked, c.expectAsked);
        EXPECT_EQ(converted, c.expectConverted);
        EXPECT_EQ(busy, c.expectConverted ? 1 : 0);
        EXPECT_EQ(dir.Names(), c.after);
    }
}

TEST(MPExtensions, MergeFolderCheckAsksWheneverOldNamesArePresent) {
    for (bool yes : {false, true}) {
        test::TempFolder dir;
        dir.Write("song.MP3", "x");
        bool asked = false;
        EXPECT_EQ(MergeFolderCheck(dir.Path(),
                                   [&] {
                                       asked = true;
                                       return yes;
                                   }),
                  yes);
        EXPECT_TRUE(asked);
        EXPECT_EQ(dir.Names(), (Names{yes ? "song.grn" : "song.MP3"}));
    }
    test::TempFolder clean;
    EXPECT_TRUE(MergeFolderCheck(clean.Path(), [] {
        ADD_FAILURE() << "asked without old names";
        return false;
    }));
}

// A rename the file system refuses is said, a line for each file with the reason, and the
// file keeps its old name; in the folder checks too.
TEST(MPExtensions, ARefusedRenameIsSaid) {
#if defined(_WIN32)
    GTEST_SKIP() << "Windows has no folder whose files even its owner cannot rename";
#else
    test::TempFolder dir;
    dir.Write("A.MP1", "x");
    dir.Write("B.mp3", "x");
    if (!test::SetImmutable(dir.Path(), true))
        GTEST_SKIP() << "this system cannot make a folder immutable";
    const Status renamed = CheckAndConvertMPFiles(dir.Path());
    std::vector<std::string> said;
    MergeFolderCheck(
        dir.Path(), [] { return true; }, [&](const std::string& text) { said.push_back(text); });
    ViewerFolderCheck(
        dir.Path(), false, [] { return true; }, [](const std::function<void()>& work) { work(); },
        [&](const std::string& text) { said.push_back(text); });
    test::SetImmutable(dir.Path(), false);
    const std::string expected = "Cannot rename A.MP1 to A.gld: Operation not permitted.\n"
                                 "Cannot rename B.mp3 to B.grn: Operation not permitted.";
    EXPECT_EQ(renamed.Message(), expected);
    EXPECT_EQ(said, (std::vector<std::string>{expected, expected}));
    EXPECT_EQ(dir.Names(), (Names{"A.MP1", "B.mp3"}));
#endif
}
