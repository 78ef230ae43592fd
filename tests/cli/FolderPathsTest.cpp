// Data folders and files named with letters beyond ASCII (é, ë, ç), and data folders deeper
// than 260 characters: the commands work in them as in any other, on Windows too, where a
// path made the wrong way from UTF-8 text takes each byte for a letter.
#include "cli/Cli.h"
#include "cli/DataFolderOption.h"
#include "core/Files.h"
#include "core/TextHelpers.h"
#include "support/Players.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <mutex>
#include <sstream>

using namespace mpsec;
namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

// Runs a command; each PDF it writes is named by its whole path in the data folder, the
// process's current folder left alone meanwhile (no file is found through it).
Outcome Command(std::vector<std::string> args) {
    args.insert(args.begin(), "mpsec");
    std::ostringstream out, err;
    std::mutex writing;
    const fs::path before = fs::current_path();
    const int status =
        RunCommandLine(args, out, err, [&](const ComposedDocument& doc, const std::string& path) {
            std::lock_guard lock(writing);
            EXPECT_EQ(fs::current_path(), before);
            EXPECT_TRUE(PathFromText(path).is_absolute()) << path;
            return WriteFileAtomically(PathFromText(path), doc.Title);
        });
    return {status, out.str(), err.str()};
}

// The names in a folder, sorted, as they are on disk.
std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(PathText(it->path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

void WriteFederationFiles(const test::TempFolder& dir, const std::string& folder) {
    dir.Write(folder + "/National.TXT",
              test::RegisterText({test::TestPlayer("11", "ADAMS", "ANNE", "3104"),
                                  test::TestPlayer("33", "CARTER", "CAL", "3104")}));
    dir.WriteLines(folder + "/NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,"});
    dir.WriteLines(folder + "/history.txt", {"3070000011X1 ABC    2.50"});
    dir.WriteLines(folder + "/events.txt", {"ABCSPRING CONGRESS PAIRS"});
}

} // namespace

// Every file a command reads or writes keeps the letters of its folder's and its own name:
// a report beside its masterpoint file, a folder of statements, a folder per club.
TEST(FolderPaths, NamesBeyondAsciiOnDisk) {
    test::TempFolder dir;
    const std::string club = "Donn\xC3\xA9"
                             "es du club No\xC3\xABl Fran\xC3\xA7ois";
    WriteFederationFiles(dir, club);
    const std::string coupe = "Coup\xC3\xA9 d'\xC3\xA9t\xC3\xA9";
    dir.WriteLines(club + "/" + coupe + ".gld", {"0000011000100"});
    const std::string data = PathText(dir / club);
    struct Case {
        std::vector<std::string> args;
        std::string outHas;
    } cases[] = {
        {{"check", coupe + ".gld"}, "Total Gold: 1"},
        {{"statements", "--club", "3104", "--pdf-dir", "Relev\xC3\xA9s 3104"},
         "2 statements written"},
        {{"statements", "--state", "VIC", "--pdf-dir", "Relev\xC3\xA9s \xC3\x89t\xC3\xA9"},
         "2 statements written in 1 club folder"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), {"--data", data});
        const Outcome run = Command(args);
        EXPECT_EQ(run.status, 0) << c.args[0] << ": " << run.err;
        EXPECT_NE(run.out.find(c.outHas), std::string::npos) << run.out;
    }
    EXPECT_EQ(
        NamesIn(dir / club),
        (std::vector<std::string>{coupe + ".TXT", coupe + ".gld", "NATIONAL.CLB", "National.TXT",
                                  "Relev\xC3\xA9s 3104", "Relev\xC3\xA9s \xC3\x89t\xC3\xA9",
                                  "events.txt", "history.txt"}));
    EXPECT_EQ(NamesIn(dir / (club + "/Relev\xC3\xA9s 3104")),
              (std::vector<std::string>{"11 ADAMS.pdf", "33 CARTER.pdf"}));
    EXPECT_EQ(NamesIn(dir / (club + "/Relev\xC3\xA9s \xC3\x89t\xC3\xA9/3104")),
              (std::vector<std::string>{"11 ADAMS.pdf", "33 CARTER.pdf"}));
    // Nothing beside the data folder either.
    EXPECT_EQ(NamesIn(dir.Path()), std::vector<std::string>{club});
}

// A folder dropped on the program (or named by a shortcut) opens the main window on it,
// whatever its letters and separators.
TEST(FolderPaths, AFolderNamedBeyondAsciiIsForTheMainWindow) {
    test::TempFolder dir;
    dir.WriteLines("Zo\xC3\xAB/NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,"});
    const std::string zoe = PathText(dir / "Zo\xC3\xAB");
    EXPECT_EQ(MainWindowFolder({"mpsec", zoe}), zoe);
    EXPECT_FALSE(IsCommandLine({"mpsec", zoe}));
    EXPECT_TRUE(CheckDataFolder(zoe).Ok());
}

// A data folder deeper than 260 characters: every command finds its registers there.
TEST(FolderPaths, ADataFolderLongerThan260Characters) {
    test::TempFolder dir;
    std::string folder;
    for (int i = 0; PathText(dir / folder).size() < 288; ++i)
        folder +=
            (folder.empty() ? "" : "/") + std::string("secretary folder ") + std::to_string(i);
    WriteFederationFiles(dir, folder);
    dir.WriteLines(folder + "/a.gld", {"0000011000100"});
    const std::string data = PathText(dir / folder);
    ASSERT_GE(data.size(), 288u);
    struct Case {
        std::vector<std::string> args;
        std::string outHas;
    } cases[] = {
        {{"check", "a.gld"}, "Total Gold: 1"},
        {{"membership"}, "ARDEN BRIDGE CLUB"},
        {{"clubs", "ARDEN"}, "ARDEN BRIDGE CLUB"},
        {{"player", "11"}, "ADAMS"},
        {{"statements", "--club", "3104", "--pdf-dir", "out"}, "2 statements written"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), {"--data", data});
        const Outcome run = Command(args);
        EXPECT_EQ(run.status, 0) << c.args[0] << ": " << run.err;
        EXPECT_NE(run.out.find(c.outHas), std::string::npos) << c.args[0] << ": " << run.out;
    }
    EXPECT_TRUE(dir.Exists(folder + "/a.TXT"));
    EXPECT_TRUE(dir.Exists(folder + "/out/11 ADAMS.pdf"));
}
