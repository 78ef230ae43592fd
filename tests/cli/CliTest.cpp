#include "cli/Cli.h"
#include "cli/DataFolderOption.h"

#include "support/Players.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>

using namespace mpsec;

// Command lines that need no data folder: what each prints and the exit status. With no
// argument mpsec opens its main window instead.
TEST(Cli, CommandLinesAndWhatTheyDo) {
    EXPECT_FALSE(IsCommandLine({"mpsec"}));
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string outStart, errStart;
    } cases[] = {
        {{"--help"}, 0, "Usage: mpsec [COMMAND] [OPTIONS]\n", ""},
        {{"-h"}, 0, "Usage: mpsec [COMMAND] [OPTIONS]\n", ""},
        {{"help"}, 0, "Usage: mpsec [COMMAND] [OPTIONS]\n", ""},
        {{"--version"}, 0, "mpsec Version 7.00.01\n", ""},
        {{"-v"}, 0, "mpsec Version 7.00.01\n", ""},
        {{"check", "--help"}, 0, "Usage: mpsec check FILE...\n", ""},
        {{"player", "-h"}, 0, "Usage: mpsec player NUMBER | SURNAME [INITIAL]\n", ""},
        {{"statement", "--help"}, 0, "Usage: mpsec statement NUMBER [--pdf FILE]\n", ""},
        {{"statements", "--help"},
         0,
         "Usage: mpsec statements (--club CLUB | --state STATE | --all)",
         ""},
        {{"merge", "--help"}, 0, "Usage: mpsec merge --type gld|red|grn|gar|rag", ""},
        {{"cancellations", "-h"}, 0, "Usage: mpsec cancellations --club NUMBER", ""},
        {{"merge", "--type"}, 2, "", "Usage: mpsec merge --type"},
        {{"check"}, 2, "", "mpsec check: name one or more masterpoint files\n"},
        {{"player"}, 2, "", "Usage: mpsec player NUMBER | SURNAME [INITIAL]\n"},
        {{"statement"}, 2, "", "Usage: mpsec statement NUMBER [--pdf FILE]\n"},
        {{"statement", "12x"}, 2, "", "Usage: mpsec statement NUMBER [--pdf FILE]\n"},
        {{"statement", "11", "--pdf"}, 2, "", "Usage: mpsec statement NUMBER [--pdf FILE]\n"},
        {{"statement", "12345678"},
         2,
         "",
         "mpsec statement: a player number has at most 7 digits, not '12345678'\n"},
        {{"statements", "--club", "3104"},
         2,
         "",
         "Usage: mpsec statements (--club CLUB | --state STATE | --all)"},
        {{"statements", "--club", "3-104", "--pdf-dir", "out"},
         2,
         "",
         "mpsec statements: the club number is four digits, such as 3104, not '3-104'\n"},
        {{"statements", "--club", "3104", "--from", "a", "--pdf-dir", "out"},
         2,
         "",
         "mpsec statements: --from takes one capital letter A to Z, not 'a'\n"},
        {{"frobnicate"}, 2, "", "mpsec: unknown command 'frobnicate'\nUsage: mpsec"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), "mpsec");
        EXPECT_TRUE(IsCommandLine(args)) << c.args[0];
        std::ostringstream out, err;
        EXPECT_EQ(RunCommandLine(args, out, err), c.status) << c.args[0];
        EXPECT_EQ(out.str().substr(0, c.outStart.size()), c.outStart) << c.args[0];
        EXPECT_EQ(out.str().empty(), c.outStart.empty()) << c.args[0];
        EXPECT_EQ(err.str().substr(0, c.errStart.size()), c.errStart) << c.args[0];
        EXPECT_EQ(err.str().empty(), c.errStart.empty()) << c.args[0];
    }
}

// `mpsec DIR` and `mpsec --data DIR` open the main window on DIR; `--data` before or after a
// command's name runs the command there.
TEST(Cli, DataFolderArguments) {
    test::TempFolder dir;
    test::WriteRegister(dir, {test::TestPlayer("2488258", "KARVEL")});
    dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,"});
    const std::string folder = dir.Path().string();
    struct Case {
        std::vector<std::string> args;
        std::optional<std::string> mainWindowFolder;
    } windows[] = {
        {{"mpsec", folder}, folder},
        {{"mpsec", "--data", folder}, folder},
        {{"mpsec", "--data=" + folder}, folder},
        {{"mpsec", "./no/such/folder"}, "./no/such/folder"}, // a path: said not a folder
        {{"mpsec", "player"}, {}},
        {{"mpsec", "frobnicate"}, {}},
        {{"mpsec", "--data", folder, "player", "2488258"}, {}},
    };
    for (const auto& c : windows) {
        EXPECT_EQ(MainWindowFolder(c.args), c.mainWindowFolder) << c.args.back();
        EXPECT_EQ(IsCommandLine(c.args), !c.mainWindowFolder) << c.args.back();
    }
    EXPECT_FALSE(CheckDataFolder("./no/such/folder").Ok());
    EXPECT_FALSE(CheckDataFolder((dir.Path() / "National.TXT").string()).Ok());

    const auto before = std::filesystem::current_path();
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"mpsec", "--data", folder, "player", "2488258"},
             {"mpsec", "player", "2488258", "--data", folder},
             {"mpsec", "player", "--data=" + folder, "2488258"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCommandLine(args, out, err), 0) << err.str();
        EXPECT_NE(out.str().find("KARVEL"), std::string::npos) << out.str();
        EXPECT_EQ(std::filesystem::current_path(), before);
    }
    struct Bad {
        std::vector<std::string> args;
        std::string err;
    } bad[] = {
        {{"mpsec", "player", "1", "--data"}, "mpsec: --data needs a folder\n"},
        {{"mpsec", "--data", folder, "player", "1", "--data", folder},
         "mpsec: --data is given twice\n"},
        {{"mpsec", "--data", "/no/such/folder", "player", "1"},
         "mpsec: /no/such/folder is not a folder.\n"},
    };
    for (const auto& c : bad) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCommandLine(c.args, out, err), 2);
        EXPECT_EQ(err.str().substr(0, c.err.size()), c.err);
    }
}
