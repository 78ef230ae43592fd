#include "cli/MergeCommand.h"
#include "cli/Cli.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <regex>
#include <sstream>

using namespace mpsec;

namespace {

class StoredSettings : public SettingsStore {
  public:
    std::optional<std::string> ReadText(const std::string& name) override {
        return name == "LastClubNo" ? std::optional<std::string>("6785") : std::nullopt;
    }
    void WriteText(const std::string&, const std::string&) override {}
    void WriteInt(const std::string&, int) override {}
};

struct MergeRun {
    int status;
    std::string out, err;
};

MergeRun Merge(const std::vector<std::string>& args, const std::string& club = "1234") {
    std::ostringstream out, err;
    const int status = RunMergeCommand(std::filesystem::current_path(), args, club,
                                       CivilDate{2026, 5, 15}, out, err);
    return {status, out.str(), err.str()};
}

} // namespace

// What each command line does to the folder: the merged file where the window would write
// it, an existing output kept without --yes, nothing changed by bad input.
TEST(MergeCommand, MergesAsTheWindowDoes) {
    test::TempFolder dir(true);
    dir.WriteLines("a.gld", {"0012345000125", "", "0000001000100\x1a"});
    dir.WriteLines("b.gld", {"0012345000050"});
    const std::string merged = "0012345000125\r\n0000001000100\r\n0012345000050\r\n";
    const std::string question =
        "1234226.gld has been found. Do you wish to OVERWRITE and lose the data it contains? ";
    struct Case {
        std::vector<std::string> args;
        bool outputThere; // 1234226.gld holds "kept" before the run
        int status;
        std::string errHas;
        const char* written; // the file expected, with `merged` in it
    } cases[] = {
        {{"--type", "gld", "a.gld", "b.gld"}, false, 0, "", "1234226.gld"},
        {{"--type", "gld", "a.gld", "b.gld"}, true, 1, question, nullptr},
        {{"--type", "gld", "--yes", "a.gld", "b.gld"}, true, 0, "", "1234226.gld"},
        {{"--type", "gld", "--output", "out.gld", "a.gld", "b.gld"}, true, 0, "", "out.gld"},
        {{"--type", "gld", "a.gld"}, true, 2, "More than one file must be selected.", nullptr},
        {{"--type", "gld", "--yes", "a.gld", "gone.gld"},
         true,
         2,
         "Cannot read the masterpoint file gone.gld: No such file or directory",
         nullptr},
        // A missing input is said before anything about the output.
        {{"--type", "gld", "a.gld", "gone.gld"},
         true,
         2,
         "mpsec merge: Cannot read the masterpoint file gone.gld: No such file or directory. "
         "Nothing was merged.\n",
         nullptr},
        {{"--type", "xyz", "a.gld", "b.gld"},
         true,
         2,
         "Usage: mpsec merge --type gld|red|grn|gar|rag [--output FILE] [--yes] FILE FILE...\n",
         nullptr},
        // Red points are never filed as gold.
        {{"--type", "gld", "--yes", "a.gld", "c.red"},
         true,
         2,
         "c.red is not a .gld file; nothing was merged.",
         nullptr},
        {{"--type", "gld", "--type", "red", "a.gld", "b.gld"},
         true,
         2,
         "Usage: mpsec merge --type gld|red|grn|gar|rag [--output FILE] [--yes] FILE FILE...\n",
         nullptr},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(dir / "1234226.gld");
        if (c.outputThere)
            dir.Write("1234226.gld", "kept\r\n");
        const MergeRun run = Merge(c.args);
        const std::string what = c.args.size() > 1 ? c.args[1] + " " + c.args.back() : "";
        EXPECT_EQ(run.status, c.status) << what;
        EXPECT_NE(run.err.find(c.errHas), std::string::npos) << what << ": " << run.err;
        if (c.status != 1) {
            EXPECT_EQ(run.err.find("has been found"), std::string::npos) << what;
        }
        if (c.written) {
            EXPECT_EQ(dir.Read(c.written), merged) << what;
            EXPECT_EQ(run.out,
                      (dir / c.written).string() + "\nFiles have been successfully merged.\n");
        } else {
            EXPECT_EQ(dir.Read("1234226.gld"), "kept\r\n") << what;
            EXPECT_EQ(run.out, "") << what;
        }
    }
    EXPECT_FALSE(dir.Exists("Merge.$$$"));

    // Through the command table: the default name from the stored settings.
    StoredSettings settings;
    std::ostringstream out, err;
    dir.Write("a.rag", dir.Read("a.gld"));
    dir.Write("b.rag", dir.Read("b.gld"));
    EXPECT_EQ(RunCommandLine({"mpsec", "merge", "--type", "rag", "a.rag", "b.rag"}, out, err, {},
                             &settings),
              0)
        << err.str();
    // Named by the stored club, then this quarter's digit and year's two digits.
    std::vector<std::string> named;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        if (std::regex_match(entry.path().filename().string(), std::regex(R"(6785[1-4]\d\d\.rag)")))
            named.push_back(entry.path().filename().string());
    EXPECT_EQ(named.size(), 1u);
}

// A read-only output is kept as the user meant: the merge says why it wrote nothing.
TEST(MergeCommand, AReadOnlyOutputIsKept) {
    test::TempFolder dir(true);
    dir.WriteLines("a.gld", {"0012345000125"});
    dir.WriteLines("b.gld", {"0012345000050"});
    dir.Write("keep.gld", "kept\r\n");
    namespace fs = std::filesystem;
    fs::permissions(dir / "keep.gld",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const MergeRun run =
        Merge({"--type", "gld", "--yes", "--output", "keep.gld", "a.gld", "b.gld"});
    fs::permissions(dir / "keep.gld", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Permission denied"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("successfully merged"), std::string::npos) << run.out;
    EXPECT_EQ(dir.Read("keep.gld"), "kept\r\n");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.gld", "b.gld", "keep.gld"}));
}
