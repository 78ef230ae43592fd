#include "cli/Cli.h"
#include "support/Players.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

using namespace mpsec;

TEST(PlayerCommand, NumberSurnameAndFailures) {
    test::TempFolder dir(true);
    test::WriteRegister(
        dir, {test::TestPlayer("12345", "KARVEL", "ANNE"), test::TestPlayer("22", "SMITH", "JO")});
    dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,"});
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string outContains;
        std::string errContains;
    } cases[] = {
        {{"0012345"},
         0,
         "Name: ANNE KARVEL\nHome Club: 3104 ARDEN BRIDGE CLUB\nRank *Regional\n",
         ""},
        {{"smi"}, 0, "Select Required Player\n     22  SMITH JO  *Regional  3104\n", ""},
        {{"KARVEL", "A"}, 0, "  12345  KARVEL ANNE", ""},
        {{"999"}, 1, "", "No player has this number."},
        // Seven digits after the leading zeros at most: an eighth is refused, never cut.
        {{"00012345"}, 0, "Name: ANNE KARVEL", ""},
        {{"12345678"}, 2, "", "a player number has at most 7 digits, not '12345678'"},
        {{"ZZZ"}, 1, "", "no player found"},
        {{}, 2, "", "Usage"},
        {{"--help"}, 0, "Usage: mpsec player", ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"mpsec", "player"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        std::ostringstream out, err;
        EXPECT_EQ(RunCommandLine(args, out, err), c.status) << args.back();
        EXPECT_NE(out.str().find(c.outContains), std::string::npos) << out.str();
        EXPECT_NE(err.str().find(c.errContains), std::string::npos) << err.str();
    }
}

// Without a readable club register the commands that show clubs do not run, and say why as
// the main window does; the ones that need only the players still run.
TEST(PlayerCommand, TheCommandsNeedTheClubRegister) {
    test::TempFolder dir(true);
    test::WriteRegister(dir, {test::TestPlayer("12345", "KARVEL", "ANNE")});
    dir.WriteLines("history.txt", {});
    dir.WriteLines("events.txt", {});
    const std::vector<std::vector<std::string>> commands = {
        {"player", "12345"},
        {"statement", "12345"},
        {"clubs", "ARDEN"},
        {"membership"},
        {"extract", "home", "--club", "3104"},
        {"statements", "--club", "3104", "--pdf-dir", "out"}};
    for (const char* problem : {"missing", "a folder"}) {
        if (std::string(problem) == "a folder")
            std::filesystem::create_directory(dir / "NATIONAL.CLB");
        for (const auto& command : commands) {
            std::vector<std::string> args = {"mpsec"};
            args.insert(args.end(), command.begin(), command.end());
            std::ostringstream out, err;
            EXPECT_EQ(RunCommandLine(args, out, err), 2) << command[0] << ", " << problem;
            EXPECT_EQ(err.str(), "mpsec " + command[0] + ": " +
                                     (std::string(problem) == "missing"
                                          ? "Cannot find NATIONAL.CLB.\n"
                                          : "Cannot read NATIONAL.CLB: it is a folder, not a "
                                            "file.\n"))
                << problem;
            EXPECT_EQ(out.str(), "") << command[0] << ", " << problem;
        }
    }
    dir.Write("0000000.gld", "");
    std::ostringstream out, err;
    EXPECT_NE(RunCommandLine({"mpsec", "check", "0000000.gld"}, out, err), 2) << err.str();
}

#if !defined(_WIN32) // the locale is read from LC_ALL, LC_CTYPE and LANG on Linux only
// The register's Latin-1 letters reach a terminal or pipe in the locale's encoding (UTF-8,
// or the bytes as they are under a Latin-1 locale); the files written keep the bytes.
TEST(PlayerCommand, Latin1TextIsShownInTheLocalesEncoding) {
    test::TempFolder dir(true);
    test::WriteRegister(dir, {test::TestPlayer("11", "D\xC9T\xC7", "ANNE", "3-104")});
    dir.WriteLines("NATIONAL.CLB", {"3104,CAF\xC9 BRIDGE CLUB,"});
    dir.WriteLines("history.txt", {"3070000011X1 ABC    2.50"});
    dir.WriteLines("events.txt", {"ABCSPRING CONGRESS PAIRS"});
    dir.Write("1234326.gld", "0000011000125\r\n");
    const std::vector<std::vector<std::string>> commands = {
        {"player", "11"},        {"player", "DET"}, {"statement", "11"},
        {"clubs", "BRIDGE"},     {"membership"},    {"extract", "home", "--club", "3104", "--csv"},
        {"check", "1234326.gld"}};
    const char* saved = std::getenv("LC_ALL");
    const std::string before = saved ? saved : "";
    for (const char* locale : {"C.UTF-8", "fr_FR.ISO-8859-1"}) {
        ::setenv("LC_ALL", locale, 1);
        const bool utf8 = std::string(locale) == "C.UTF-8";
        for (const auto& command : commands) {
            std::vector<std::string> args = {"mpsec"};
            args.insert(args.end(), command.begin(), command.end());
            std::ostringstream out, err;
            RunCommandLine(args, out, err);
            const bool club = command[0] == "clubs" || command[0] == "membership";
            const std::string shown = club ? (utf8 ? "CAF\xC3\x89" : "CAF\xC9")
                                           : (utf8 ? "D\xC3\x89T\xC3\x87" : "D\xC9T\xC7");
            EXPECT_NE(out.str().find(shown), std::string::npos)
                << command[0] << " " << locale << ": " << out.str() << err.str();
            EXPECT_EQ(out.str().find(utf8 ? "\xC9" : "\xC3"), std::string::npos)
                << command[0] << " " << locale;
        }
    }
    saved ? ::setenv("LC_ALL", before.c_str(), 1) : ::unsetenv("LC_ALL");
    EXPECT_NE(dir.Read("1234326.TXT").find("D\xC9T\xC7"), std::string::npos);
}
#endif
