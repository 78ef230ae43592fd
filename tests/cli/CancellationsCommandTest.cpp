#include "cli/CancellationsCommand.h"
#include "support/Players.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace mpsec;

// The file the window would write for the players named, or nothing with the reason.
TEST(CancellationsCommand, WritesTheClubsFileForThePlayersNamed) {
    test::TempFolder dir(true);
    test::WriteRegister(dir, {test::TestPlayer("12345", "ABCDE", "FGH", "6-785"),
                              test::TestPlayer("222", "RESTING", "ALAN", "6i785"),
                              test::TestPlayer("7", "SEVEN", "", "6-785"),
                              test::TestPlayer("333", "OTHER", "OLLY", "6-786")});
    const std::string both = "261207I67850012345ABCDE             F      \r\n"
                             "261207I67850000007SEVEN                    \r\n";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string errHas;
        std::string file; // the file's text afterwards; "-" when it is absent
    } cases[] = {
        {{"--club", "6785", "222"}, 2, "222 is not an active home-club member of club 6785", "-"},
        {{"--club", "6785", "333"}, 2, "333 is not an active home-club member", "-"},
        {{"--club", "67-5", "7"}, 2, "the club number is up to four digits", "-"},
        {{"--club", "6785"},
         2,
         "Usage: mpsec cancellations --club NUMBER [--yes] PLAYER...\n",
         "-"},
        {{"--club", "6785", "0000007", "12345"}, 0, "", both},
        {{"--club", "6785", "7"},
         1,
         "6785cncl.txt has been found. Do you wish to OVERWRITE and lose the OLD information? ",
         both},
        {{"--club", "6785", "--yes", "7"},
         0,
         "",
         "261207I67850000007SEVEN                    \r\n"},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCancellationsCommand(dir.Path(), c.args, CivilDate{2026, 12, 7}, out, err),
                  c.status)
            << c.args.back();
        EXPECT_NE(err.str().find(c.errHas), std::string::npos) << err.str();
        if (c.file == "-") {
            EXPECT_FALSE(dir.Exists("6785cncl.txt")) << c.args.back();
        } else {
            EXPECT_EQ(dir.Read("6785cncl.txt"), c.file) << c.args.back();
        }
        EXPECT_EQ(out.str().find("Output saved as 6785cncl.txt\n") != std::string::npos,
                  c.status == 0);
    }
}
