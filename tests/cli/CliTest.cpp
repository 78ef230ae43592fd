#include "cli/Cli.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace mpsec;

TEST(Cli, HelpVersionAndUnknownCommands) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string outStart;
        bool errEmpty;
    } cases[] = {
        {{"mpsec", "--help"}, 0, "Usage: mpsec", true},
        {{"mpsec", "-h"}, 0, "Usage: mpsec", true},
        {{"mpsec", "--version"}, 0, "mpsec Version 7.00.01\n", true},
        {{"mpsec", "frobnicate"}, 2, "", false},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCommandLine(c.args, out, err), c.status);
        EXPECT_EQ(out.str().substr(0, c.outStart.size()), c.outStart);
        EXPECT_EQ(err.str().empty(), c.errEmpty);
    }
    EXPECT_FALSE(IsCommandLine({"mpsec"}));
    EXPECT_TRUE(IsCommandLine({"mpsec", "--help"}));
}
