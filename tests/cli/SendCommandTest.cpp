#include "cli/Cli.h"
#include "support/MemorySettingsStore.h"
#include "support/Players.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

using namespace mpsec;

namespace {

using MapStore = MemorySettingsStore;

struct Outcome {
    int status;
    std::string out, err;
};

Outcome Command(std::vector<std::string> args, MapStore& store) {
    args.insert(args.begin(), "mpsec");
    std::ostringstream out, err;
    const int status = RunCommandLine(args, out, err, {}, &store);
    return {status, out.str(), err.str()};
}

} // namespace

TEST(SendCommand, AsksBeforeSendingAndWritesADryRunsMessage) {
    test::TempFolder dir(true);
    MapStore store;
    test::WriteRegister(dir, {test::TestPlayer("12345", "KARVEL", "ANNE", "3-104")});
    dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,"});
    dir.Write("PLAYER.TXT", "3-104\r\nAPPEND\r\n");
    dir.Write("AWARDS.TXT", "3-104,SUE,PAIRS,03,B,3104126.gld,2,\r\n");
    dir.Write("3104126.gld", "0012345000150\r\n");
    dir.Write("3104cncl.txt", "261207I31040012345KARVEL            A      \r\n");
    ASSERT_EQ(Command({"email", "--sender", "sue@club.example.org", "--federation",
                       "qmr@federation.example.org", "--federation-awards",
                       "awards@federation.example.org"},
                      store)
                  .status,
              0);
    const std::string notSent = "mpsec send: nothing sent (--yes sends it all the same)\n";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
        const char* eml; // written into out/, or none
    } cases[] = {
        {{"send", "player-details", "--dry-run", "out"}, 0, "", "PLAYER.TXT.eml"},
        {{"send", "awards", "--dry-run", "out"},
         1,
         "mpsec send: The cover page gives 2 points for 3104126.gld, but the file holds 1.5. "
         "Send it as it is?\n" +
             notSent,
         nullptr},
        {{"send", "awards", "--yes", "--dry-run", "out"},
         0,
         "mpsec send: The cover page gives 2 points for 3104126.gld, but the file holds 1.5. "
         "Send it as it is?\n",
         "AWARDS.TXT.eml"},
        {{"send", "cancellations", "3104", "--dry-run", "out"}, 0, "", "3104cncl.txt.eml"},
        {{"send", "adjustments", "--dry-run", "out"},
         2,
         "mpsec send: AAAFORM.TXT is not in " + dir.Path().string() +
             " or is empty: nothing to send\n",
         nullptr},
        {{"send", "cancellations", "../1", "--dry-run", "out"},
         2,
         "mpsec send: the club is its number of up to four digits, such as 6785, not "
         "'../1'\n",
         nullptr},
        {{"send", "cancellations", "--dry-run", "out"},
         2,
         "Usage: mpsec send player-details|awards|adjustments [--yes] [--dry-run DIR]\n"
         "       mpsec send cancellations CLUB [--yes] [--dry-run DIR]\n",
         nullptr},
    };
    std::string eml; // the cancellations' message
    for (const Case& c : cases) {
        std::filesystem::remove_all(dir / "out");
        const Outcome o = Command(c.args, store);
        EXPECT_EQ(o.status, c.status) << c.args[1];
        EXPECT_EQ(o.err, c.err) << c.args[1];
        EXPECT_EQ(dir.Exists(std::string("out/") + (c.eml ? c.eml : "")), c.eml != nullptr)
            << c.args[1];
        if (c.eml && c.eml == std::string("3104cncl.txt.eml"))
            eml = dir.Read("out/3104cncl.txt.eml");
    }
    // The dry run's message: to the kind's address, the files as attachments; nothing logged.
    EXPECT_NE(eml.find("To: <qmr@federation.example.org>\r\n"), std::string::npos);
    EXPECT_NE(eml.find("Subject: Annual membership cancellations from club 3104 ARDEN BRIDGE "
                       "CLUB\r\n"),
              std::string::npos);
    EXPECT_NE(eml.find("filename=\"3104cncl.txt\"\r\n\r\nMjYxMjA3STMxMDQwMDEyMzQ1S0FSVkVMICAg"),
              std::string::npos);
    EXPECT_FALSE(dir.Exists("EMAILLOG.TXT"));
}

TEST(SendCommand, TheFederationsAddressesAreSetAndShown) {
    test::TempFolder dir(true);
    MapStore store;
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string federation, err; // the settings' lines from "Federation:" on
    } cases[] = {
        {{"email", "--federation", "qmr@federation.example.org", "--federation-awards",
          "awards@federation.example.org", "--federation-cancellations", "c@example.org"},
         0,
         "Federation:        qmr@federation.example.org\n"
         "  awards:          awards@federation.example.org\n"
         "  cancellations:   c@example.org\n",
         ""},
        {{"email", "--federation-player-details", "not-an-address"},
         2,
         "",
         "mpsec email: --federation-player-details takes an e-mail address, not "
         "'not-an-address'; nothing changed\n"},
        {{"email", "--federation-awards", "", "--federation-adjustments", "adj@example.org"},
         0,
         "Federation:        qmr@federation.example.org\n"
         "  adjustments:     adj@example.org\n"
         "  cancellations:   c@example.org\n",
         ""},
    };
    for (const Case& c : cases) {
        const Outcome o = Command(c.args, store);
        EXPECT_EQ(o.status, c.status) << c.args[1];
        EXPECT_EQ(o.err, c.err) << c.args[1];
        const std::size_t at = o.out.find("Federation:");
        EXPECT_EQ(at == std::string::npos ? "" : o.out.substr(at), c.federation) << c.args[1];
    }
}
