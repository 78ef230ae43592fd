#include "cli/Cli.h"
#include "support/MemorySettingsStore.h"
#include "support/Players.h"
#include "support/SmtpServer.h"

#include "cli/EmailCommand.h"
#include "core/SystemCalls.h"
#include "core/TextHelpers.h"

#include <algorithm>
#include <filesystem>
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

// A credential store holding at most one password, or failing with a reason.
struct OnePasswordStore : CredentialStore {
    std::optional<std::string> Kept, Unavailable;
    int Writes = 0;
    Result<std::optional<std::string>> ReadPassword(const std::string&,
                                                    const std::string&) override {
        if (Unavailable)
            return Failure{*Unavailable};
        return Kept;
    }
    Status WritePassword(const std::string&, const std::string&, const std::string&) override {
        ++Writes;
        return {};
    }
    Status ForgetPassword(const std::string&, const std::string&) override { return {}; }
};

Outcome Command(std::vector<std::string> args, MapStore& store,
                CredentialStore* credentials = nullptr) {
    args.insert(args.begin(), "mpsec");
    std::ostringstream out, err;
    const int status = RunCommandLine(
        args, out, err,
        [](const ComposedDocument&, const std::string& path) {
            // A stand-in for the drawn PDF: bytes of every kind, named for the file.
            std::string bytes = "%PDF-1.4\n" + path.substr(path.find_last_of("/\\") + 1) + "\n";
            for (int i = 0; i < 256; ++i)
                bytes += static_cast<char>(i);
            std::ofstream(PathFromText(path), std::ios::binary) << bytes;
            return Status();
        },
        &store, credentials);
    return {status, out.str(), err.str()};
}

// A club of three active members, one without an address, and a bad address line.
void WriteClub(const test::TempFolder& dir) {
    test::WriteRegister(dir, {test::TestPlayer("11", "ADAMS", "ANNE", "3104"),
                              test::TestPlayer("22", "BAKER", "BOB", "3104"),
                              test::TestPlayer("33", "CARTER", "CAL", "3104"),
                              test::TestPlayer("44", "DAVIS", "DAN", "3i104")});
    dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,"});
    dir.WriteLines("history.txt", {"3070000011X1 ABC    2.50"});
    dir.WriteLines("events.txt", {"ABCSPRING CONGRESS PAIRS"});
    dir.Write("members.csv",
              "QMR;E-mail\n11;anne@example.org\n33;cal@example.org\n44;dan@example.org\n"
              "55;not-an-address\n");
}

} // namespace

TEST(EmailCommand, SetsAndShowsTheSettingsButNeverAPassword) {
    test::TempFolder dir(true);
    dir.Write("body.txt", "Dear {name},\r\n\r\nYours, {sender}\r\n");
    MapStore store;
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string outHas, err;
    } cases[] = {
        {{"email", "--server", "127.0.0.1", "--security", "none", "--user", "sue", "--sender",
          "sue@club.example.org", "--sender-name", "Sue Secretary", "--addresses", "members.csv"},
         0,
         "Outgoing server:   127.0.0.1 port 25, None\nUser name:         sue\n"
         "Sender:            Sue Secretary <sue@club.example.org>\n",
         ""},
        {{"email", "--server", "mail.example.org"},
         2,
         "",
         "mpsec email: Security \"None\" is allowed only for a server on this computer "
         "(127.0.0.1 or localhost): choose STARTTLS or SSL/TLS for mail.example.org. Nothing "
         "changed.\n"},
        {{"email", "--security", "tls"},
         2,
         "",
         "mpsec email: --security is starttls, ssl or none, not 'tls'\n"},
        {{"email", "--port", "70000"},
         2,
         "",
         "mpsec email: --port takes a port number from 1 to 65535, not '70000'\n"},
        {{"email", "--sender", "sue at club"},
         2,
         "",
         "mpsec email: the sender's address 'sue at club' is not an e-mail address; nothing "
         "changed\n"},
        {{"email"}, 0, "Outgoing server:   127.0.0.1 port 25, None\n", ""},
        {{"email", "--subject", "Points for {year}", "--body-file", "body.txt"},
         0,
         "Subject:           Points for {year}\nBody:\n    Dear {name},\n\n    Yours, "
         "{sender}\n",
         ""},
        {{"email", "--subject", "Lost", "--body-file", "none.txt"},
         2,
         "",
         "mpsec email: cannot read the body file none.txt: No such file or directory; nothing "
         "changed\n"},
        {{"email", "--security", "ssl"}, 0, "Outgoing server:   127.0.0.1 port 465, SSL/TLS\n", ""},
        {{"email", "--server", "bad host!"},
         2,
         "",
         "mpsec email: The outgoing server's name 'bad host!' has a blank or a control character "
         "in it. Nothing changed.\n"},
        {{"email", "--server", "mail!example.org"},
         2,
         "",
         "mpsec email: The outgoing server's name 'mail!example.org' is not a server's name or "
         "address. Nothing changed.\n"},
    };
    for (const Case& c : cases) {
        const Outcome run = Command(c.args, store);
        EXPECT_EQ(run.status, c.status) << c.args[1] << run.err;
        EXPECT_NE(run.out.find(c.outHas), std::string::npos) << run.out;
        EXPECT_EQ(run.err, c.err);
    }
    EXPECT_EQ(store.Values["EmailAddresses"], PathText(dir / "members.csv"));
    EXPECT_EQ(store.Values["EmailSubject"], "Points for {year}");
    EXPECT_EQ(store.Values["EmailBody"], "Dear {name},\n\nYours, {sender}\n");
    for (const auto& [name, value] : store.Values)
        EXPECT_EQ(name.find("ass"), std::string::npos) << name;
    // An empty list's name sets none, not the folder.
    EXPECT_EQ(Command({"email", "--addresses", ""}, store).status, 0);
    EXPECT_EQ(store.Values["EmailAddresses"], "");
}

TEST(EmailCommand, DryRunWritesOneMessageFileAMemberAndRecordsNothing) {
    test::TempFolder dir(true);
    WriteClub(dir);
    MapStore store;
    ASSERT_EQ(
        Command({"email", "--sender", "sue@club.example.org", "--addresses", "members.csv"}, store)
            .status,
        0);
    const Outcome run =
        Command({"statements", "--club", "3104", "--email", "--dry-run", "out"}, store);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, PathText(dir / "members.csv") +
                           " line 5: 'not-an-address' is not an e-mail address\n");
    EXPECT_EQ(run.out, "2 statements will be sent by e-mail.\n\n"
                       "1 member has no address (not sent):\n  22 BOB BAKER\n\n"
                       "Written as .eml files (nothing sent): 2\nFailed: 0\n"
                       "Without an address: 1\n  22 BOB BAKER\n");
    const std::vector<std::string> names{"11 ADAMS.eml", "33 CARTER.eml"};
    std::vector<std::string> written;
    for (const auto& e : std::filesystem::directory_iterator(dir / "out"))
        written.push_back(PathText(e.path().filename()));
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, names);
    const std::string eml = test::ReadAll(dir / "out" / "11 ADAMS.eml");
    EXPECT_NE(eml.find("\r\nTo: \"ANNE ADAMS\" <anne@example.org>\r\n"), std::string::npos) << eml;
    EXPECT_NE(eml.find("\r\nSubject: Your masterpoint award statement for "), std::string::npos);
    EXPECT_NE(eml.find("filename=\"11 ADAMS.pdf\"\r\n\r\nJVBERi0xLjQKMTEgQURBTVMucGRmCgABAgME"),
              std::string::npos);
    EXPECT_FALSE(dir.Exists("EMAILLOG.TXT"));
}

TEST(EmailCommand, ExitStatusSaysWhetherEveryMemberWithAnAddressHasHisStatement) {
#if defined(_WIN32)
    GTEST_SKIP() << "needs a server of its own, which it stops: run on Linux";
#endif
    if (const std::string why = test::Unavailable(false); !why.empty())
        GTEST_SKIP() << why;
    test::TempFolder dir(true);
    WriteClub(dir);
    MapStore store;
    test::Server server("");
    ASSERT_GT(server.Port(), 0);
    const std::string port = std::to_string(server.Port());
    ASSERT_EQ(Command({"email", "--server", "127.0.0.1", "--port", port, "--security", "none",
                       "--sender", "sue@club.example.org", "--addresses", "members.csv"},
                      store)
                  .status,
              0);
    const Outcome test = Command({"email", "--test"}, store);
    EXPECT_EQ(test.status, 0) << test.err;
    EXPECT_NE(test.out.find("Test message sent to sue@club.example.org (250 2.0.0 Message 1 "
                            "accepted)\n"),
              std::string::npos)
        << test.out;
    EXPECT_EQ(test::Field(server.Record(1), "subject"), "mpsec test message");
    const std::vector<std::string> run = {"statements", "--club", "3104", "--email"};
    Outcome first = Command(run, store);
    EXPECT_EQ(first.status, 0) << first.out << first.err;
    EXPECT_NE(first.out.find("Sent: 2\nFailed: 0\n"), std::string::npos) << first.out;
    EXPECT_EQ(test::Field(server.Record(3), "rcpt_tos"), "cal@example.org");
    // Again: nothing left to send.
    Outcome second = Command(run, store);
    EXPECT_EQ(second.status, 0);
    EXPECT_NE(second.out.find("0 statements will be sent by e-mail.\n"), std::string::npos);
    EXPECT_FALSE(server.Has(4));
    // A new address for one member, and the server gone: that message fails.
    dir.Write("members.csv", "11,anne@new.example.org\n33,cal@example.org\n");
    server.Stop();
    Outcome third = Command(run, store);
    EXPECT_EQ(third.status, 1);
    EXPECT_NE(third.out.find("  11 ANNE ADAMS <anne@new.example.org>: the connection to "
                             "127.0.0.1 port " +
                             port + " was refused\n"),
              std::string::npos)
        << third.out;
    const std::string log = dir.Read("EMAILLOG.TXT");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
}

// The password of a command: the kept one without asking; else typed, after saying why it
// is asked for. The command line never keeps what was typed.
TEST(EmailCommand, PasswordIsTheKeptOneElseAskedForWithTheReason) {
    if (os::EnvironmentValue("MPSEC_SMTP_PASSWORD"))
        GTEST_SKIP() << "MPSEC_SMTP_PASSWORD is set, which comes before the store";
    const std::string ask = "Password of sue at mail.example.org: ";
    const std::string thisRun = "It is asked for this run only (MPSEC_SMTP_PASSWORD gives it "
                                "without asking).\n";
    struct Case {
        const char* what;
        std::string user;
        bool store;
        std::optional<std::string> kept, unavailable, typed;
        std::optional<std::string> password;
        std::string err;
    } cases[] = {
        {"kept", "sue", true, "s\xC3\xA9same", {}, {}, "s\xC3\xA9same", ""},
        {"none kept",
         "sue",
         true,
         {},
         {},
         "typed",
         "typed",
         "No password of sue at mail.example.org is kept in the credential store (the e-mail "
         "settings window keeps it): it is asked for this run only.\n" +
             ask},
        {"no answer",
         "sue",
         true,
         {},
         "no session bus",
         "typed",
         "typed",
         "The password cannot be read from the credential store: no session bus.\n" + thisRun +
             ask},
        {"no answer, input ended",
         "sue",
         true,
         {},
         "no session bus",
         {},
         {},
         "The password cannot be read from the credential store: no session bus.\n" + thisRun +
             ask + "\n"},
        {"no store",
         "sue",
         false,
         "kept",
         {},
         "typed",
         "typed",
         "No credential store can be reached: the password is asked for this run only "
         "(MPSEC_SMTP_PASSWORD gives it without asking).\n" +
             ask},
        {"no login", "", true, {}, "no session bus", {}, "", ""},
    };
    for (const Case& c : cases) {
        OnePasswordStore store;
        store.Kept = c.kept;
        store.Unavailable = c.unavailable;
        EmailSettings settings;
        settings.Host = "mail.example.org";
        settings.User = c.user;
        int asked = 0;
        std::ostringstream err;
        const std::optional<std::string> password =
            CommandLinePassword(settings, c.store ? &store : nullptr, err, [&](std::string& line) {
                ++asked;
                if (c.typed)
                    line = *c.typed;
                return c.typed.has_value();
            });
        EXPECT_EQ(password, c.password) << c.what;
        EXPECT_EQ(err.str(), c.err) << c.what;
        EXPECT_EQ(asked, c.err.empty() ? 0 : 1) << c.what;
        EXPECT_EQ(store.Writes, 0) << c.what;
    }
}

// `mpsec email --test` logs in with the password the credential store keeps.
TEST(EmailCommand, TestMessageLogsInWithTheKeptPassword) {
#if defined(_WIN32)
    GTEST_SKIP() << "needs a server with a login of its own: run on Linux";
#else
    if (const std::string why = test::Unavailable(false); !why.empty())
        GTEST_SKIP() << why;
    if (os::EnvironmentValue("MPSEC_SMTP_PASSWORD"))
        GTEST_SKIP() << "MPSEC_SMTP_PASSWORD is set, which comes before the store";
    setenv("MPSEC_TEST_SMTP_PASSWORD", "kept pa55", 1);
    test::TempFolder dir(true);
    MapStore store;
    test::Server server("--user sue");
    ASSERT_GT(server.Port(), 0);
    OnePasswordStore credentials;
    credentials.Kept = "kept pa55";
    const Outcome run = Command({"email", "--server", "127.0.0.1", "--port",
                                 std::to_string(server.Port()), "--security", "none", "--user",
                                 "sue", "--sender", "sue@club.example.org", "--test"},
                                store, &credentials);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(test::Field(server.Record(1), "subject"), "mpsec test message");
#endif
}
