#include "email/EmailRun.h"
#include "email/ClubEmail.h"
#include "email/MailTemplate.h"
#include "support/FakeTransport.h"
#include "support/MemorySettingsStore.h"
#include "support/Players.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <set>

using namespace mpsec;

namespace {

using test::FakeTransport;

std::vector<PlayerRecord> Members() {
    return {test::TestPlayer("11", "ADAMS", "ANNE", "3104"),
            test::TestPlayer("22", "BAKER", "BOB", "3104"),
            test::TestPlayer("33", "CARTER", "CAL", "3104"),
            test::TestPlayer("44", "DAVIS", "DAN", "3104"),
            test::TestPlayer("55", "EVANS", "EVE", "3104")};
}

std::map<std::string, std::string> Addresses() {
    return {{"11", "anne@example.org"},
            {"33", "cal@example.org"},
            {"44", "dan@example.org"},
            {"55", "eve@example.org"},
            {"99", "stranger@example.org"}};
}

EmailRunSetup ClubSetup() {
    EmailRunSetup setup{"3104", "ARDEN BRIDGE CLUB", "2026", DefaultEmailSettings()};
    setup.Settings.SenderName = "Sue Secretary";
    setup.Settings.SenderAddress = "sue@example.org";
    return setup;
}

// One run as a window or the command makes it: plan from the log, then send.
EmailRunReport RunClub(const SendLog& log, FakeTransport& transport,
                       const std::map<std::string, std::string>& addresses,
                       std::size_t cancelAfter = 99) {
    const auto sent = log.SentTo("3104", "2026");
    EXPECT_TRUE(sent) << sent.Message();
    const EmailPlan plan = PlanEmailRun(Members(), addresses, sent.Value());
    return RunEmail(
        plan, ClubSetup(), transport, &log,
        [](const PlayerRecord& p) { return Result<std::string>("%PDF of " + p.QMRNo); },
        [&](std::size_t done, std::size_t) { return done < cancelAfter; },
        [] { return std::string("2026-12-09 10:00:00"); });
}

} // namespace

TEST(EmailRun, SendsOncePerMemberInRegisterOrderAndResumesExactlyTheRest) {
    struct Step {
        const char* what;
        std::set<std::string> refuse;
        std::size_t breakAt, cancelAfter;
        std::map<std::string, std::string> addresses;
        std::vector<std::string> given; // the messages the transport was handed
        std::size_t sent, failed, notSent;
        bool allSent;
    };
    // One club's runs, one after the other, on one send log.
    const Step steps[] = {
        {"a refused recipient is reported, the others go on; cancel after the third",
         {"cal@example.org"},
         0,
         3,
         Addresses(),
         {"anne@example.org", "cal@example.org", "dan@example.org"},
         2,
         1,
         1,
         false},
        {"the next run sends exactly the rest: the refused and the one not tried",
         {},
         2,
         99,
         Addresses(),
         {"cal@example.org", "eve@example.org"},
         1,
         1,
         0,
         false},
        {"after a broken connection, the member it stopped at",
         {},
         0,
         99,
         Addresses(),
         {"eve@example.org"},
         1,
         0,
         0,
         true},
        {"everyone sent: nothing more", {}, 0, 99, Addresses(), {}, 0, 0, 0, true},
        {"an address changed since is offered again",
         {},
         0,
         99,
         [] {
             auto a = Addresses();
             a["33"] = "cal.carter@example.org";
             return a;
         }(),
         {"cal.carter@example.org"},
         1,
         0,
         0,
         true},
    };
    test::TempFolder dir;
    const SendLog log(dir / "EMAILLOG.TXT");
    for (const Step& step : steps) {
        FakeTransport transport;
        transport.Refuse = step.refuse;
        transport.BreakAt = step.breakAt;
        const EmailRunReport report = RunClub(log, transport, step.addresses, step.cancelAfter);
        EXPECT_EQ(transport.To(), step.given) << step.what;
        EXPECT_EQ(report.Sent.size(), step.sent) << step.what;
        EXPECT_EQ(report.Failed.size(), step.failed) << step.what;
        EXPECT_EQ(report.NotSent.size(), step.notSent) << step.what;
        EXPECT_EQ(report.AllSent(), step.allSent) << step.what;
        // The member without an address is listed, never sent.
        ASSERT_EQ(report.WithoutAddress.size(), 1u) << step.what;
        EXPECT_EQ(report.WithoutAddress[0].QMRNo, "22");
    }
    // One line per accepted message, nothing for the refused or the broken one.
    EXPECT_EQ(
        dir.Read("EMAILLOG.TXT"),
        "2026-12-09 10:00:00\t3104\t2026\t11\tanne@example.org\t250 queued as anne@example.org\r\n"
        "2026-12-09 10:00:00\t3104\t2026\t44\tdan@example.org\t250 queued as dan@example.org\r\n"
        "2026-12-09 10:00:00\t3104\t2026\t33\tcal@example.org\t250 queued as cal@example.org\r\n"
        "2026-12-09 10:00:00\t3104\t2026\t55\teve@example.org\t250 queued as eve@example.org\r\n"
        "2026-12-09 10:00:00\t3104\t2026\t33\tcal.carter@example.org\t250 queued as "
        "cal.carter@example.org\r\n");
}

TEST(EmailRun, SaysThePlanAndTheOutcome) {
    test::TempFolder dir;
    const std::string earlier =
        "2026-12-01 09:00:00\t3104\t2026\t11\tanne@example.org\t250 ok\r\n"
        "2026-12-01 09:00:00\t3104\t2026\t33\tcal@old.example.org\t250 ok\r\n"
        "2026-12-01 09:00:00\t3104\t2025\t44\tdan@example.org\t250 ok\r\n"
        "2026-12-01 09:00:00\t9999\t2026\t55\teve@example.org\t250 ok\r\n";
    dir.Write("EMAILLOG.TXT", earlier);
    const SendLog log(dir / "EMAILLOG.TXT");
    const EmailPlan plan = PlanEmailRun(Members(), Addresses(), log.SentTo("3104", "2026").Value());
    EXPECT_EQ(PlanText(plan),
              "3 statements will be sent by e-mail.\n"
              "\n"
              "1 member's address changed since an earlier run; sent again to the new address:\n"
              "  33 CAL CARTER: cal@old.example.org -> cal@example.org\n"
              "\n"
              "1 member has no address (not sent):\n"
              "  22 BOB BAKER\n"
              "\n"
              "1 member was sent the statement in an earlier run (not sent again):\n"
              "  11 ANNE ADAMS <anne@example.org>\n");

    FakeTransport transport;
    transport.Refuse = {"cal@example.org"};
    transport.BreakAt = 2;
    const EmailRunReport report = RunEmail(
        plan, ClubSetup(), transport, nullptr,
        [](const PlayerRecord&) { return Result<std::string>("%PDF"); }, {},
        [] { return std::string("x"); });
    EXPECT_EQ(ReportText(report),
              "Sent: 0\n"
              "Failed: 2\n"
              "  33 CAL CARTER <cal@example.org>: the server refused the recipient "
              "cal@example.org: 550 no such user\n"
              "  44 DAN DAVIS <dan@example.org>: 127.0.0.1 port 2525 closed the connection\n"
              "Without an address: 1\n"
              "  22 BOB BAKER\n"
              "Sent in an earlier run: 1\n"
              "Stopped: 127.0.0.1 port 2525 closed the connection; not sent: 1\n"
              "  55 EVE EVANS <eve@example.org>\n");
    EXPECT_EQ(ReportCsv(report),
              "Number,Name,Address,Result,Details\r\n"
              "33,CAL CARTER,cal@example.org,failed,the server refused the recipient "
              "cal@example.org: 550 no such user\r\n"
              "44,DAN DAVIS,dan@example.org,failed,127.0.0.1 port 2525 closed the connection\r\n"
              "55,EVE EVANS,eve@example.org,not sent,127.0.0.1 port 2525 closed the connection\r\n"
              "22,BOB BAKER,,no address,\r\n");
    // No log: a dry run records nothing.
    EXPECT_EQ(dir.Read("EMAILLOG.TXT"), earlier);
}

TEST(EmailRun, TheMessageFromTheTemplate) {
    EmailRunSetup setup = ClubSetup();
    setup.ClubName = "CLUB DU CH\xC2TEAU";
    setup.Settings.Subject = "Statement {year} for {name} {unknown}";
    PlayerRecord rene = test::TestPlayer("77", "O'DARVEN", "REN\xC9", "3104");
    const MailMessage m = StatementMessage({rene, "rene@example.fr", {}}, setup, "%PDF-bytes");
    EXPECT_EQ(m.Subject, "Statement 2026 for REN\xC3\x89 O'DARVEN {unknown}");
    EXPECT_EQ(m.Body,
              "Dear REN\xC3\x89 O'DARVEN,\n\nAttached is your masterpoint award statement "
              "for 2026 from CLUB DU CH\xC3\x82TEAU (3104).\n\nKind regards,\nSue Secretary\n");
    ASSERT_EQ(m.Attachments.size(), 1u);
    EXPECT_EQ(m.Attachments[0].Name, "77 O'DARVEN.pdf");
    EXPECT_EQ(m.Attachments[0].Bytes, "%PDF-bytes");
    EXPECT_EQ(m.RecipientAddress, "rene@example.fr");
    EXPECT_EQ(m.SenderAddress, "sue@example.org");
    EXPECT_EQ(MessageHeaders(m, "D")[1], "From: \"Sue Secretary\" <sue@example.org>");
    EXPECT_EQ(MessageHeaders(m, "D")[2], "To: =?UTF-8?B?UkVOw4kgTydEQVJWRU4=?= <rene@example.fr>");
    // Each message has an identifier of its own, in the sender's domain.
    const std::string id = MessageHeaders(m, "D")[4];
    EXPECT_TRUE(id.starts_with("Message-ID: <") && id.ends_with("@example.org>")) << id;
    EXPECT_NE(id, MessageHeaders(m, "D")[4]);
}

TEST(EmailRun, SettingsKeepEverythingButThePassword) {
    MemorySettingsStore store;
    EmailSettings s = DefaultEmailSettings();
    s.Host = "smtp.example.org";
    s.Port = 465;
    s.Security = MailSecurity::Ssl;
    s.User = "sue";
    s.SenderAddress = "sue@example.org";
    s.AddressesFile = "/home/sue/members.csv";
    s.Body = "Hi {name}";
    s.Federation.Default = "masterpoints@federation.example";
    s.Federation.Awards = "awards@federation.example";
    WriteEmailSettings(store, s);
    EXPECT_EQ(ReadEmailSettings(store), s);
    // A kind without its own address goes to the federation's one address.
    EXPECT_EQ(s.Federation.For(FederationFile::Awards), "awards@federation.example");
    EXPECT_EQ(s.Federation.For(FederationFile::Cancellations), "masterpoints@federation.example");
    EXPECT_EQ(store.Values["EmailSecurity"], "ssl");
    store.Values["EmailPort"] = "99999";
    store.Values["EmailSecurity"] = "plain";
    EXPECT_EQ(ReadEmailSettings(store).Port, 587);
    EXPECT_EQ(ReadEmailSettings(store).Security, MailSecurity::StartTls);
}

TEST(EmailRun, SaysTheAddressListsUnusableLinesUpToALimit) {
    const std::vector<AddressProblem> three{
        {2, "no member number"}, {5, "'x' is not an e-mail address"}, {9, "no address"}};
    struct Case {
        std::size_t count, shown;
        const char* text;
    };
    const Case cases[] = {
        {1, 20,
         "1 line of the address list a.csv gives no address:\n"
         "  line 2: no member number\n"},
        {3, 20,
         "3 lines of the address list a.csv give no address:\n"
         "  line 2: no member number\n"
         "  line 5: 'x' is not an e-mail address\n"
         "  line 9: no address\n"},
        {3, 1,
         "3 lines of the address list a.csv give no address:\n"
         "  line 2: no member number\n"
         "  and 2 more\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AddressProblemsText("a.csv", {three.begin(), three.begin() + c.count}, c.shown),
                  c.text);
}
