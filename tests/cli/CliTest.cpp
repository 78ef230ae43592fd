#include "cli/Cli.h"

#include <gtest/gtest.h>
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
        {{"statements", "--help"}, 0, "Usage: mpsec statements --club CLUB", ""},
        {{"merge", "--help"}, 0, "Usage: mpsec merge --type gld|red|grn|gar|rag", ""},
        {{"cancellations", "-h"}, 0, "Usage: mpsec cancellations --club NUMBER", ""},
        {{"merge", "--type"}, 2, "", "Usage: mpsec merge --type"},
        {{"check"}, 2, "", "mpsec check: name one or more masterpoint files\n"},
        {{"player"}, 2, "", "Usage: mpsec player NUMBER | SURNAME [INITIAL]\n"},
        {{"statement"}, 2, "", "Usage: mpsec statement NUMBER [--pdf FILE]\n"},
        {{"statement", "12x"}, 2, "", "Usage: mpsec statement NUMBER [--pdf FILE]\n"},
        {{"statement", "11", "--pdf"}, 2, "", "Usage: mpsec statement NUMBER [--pdf FILE]\n"},
        {{"statements", "--club", "3104"}, 2, "", "Usage: mpsec statements --club CLUB"},
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
