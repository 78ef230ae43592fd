// The libcurl transport against a real SMTP server on 127.0.0.1 (support/SmtpServer.h).
#include "email/CurlTransport.h"
#include "email/EmailRun.h"
#include "support/Players.h"
#include "support/SmtpServer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace mpsec;
using test::Field;
using test::ReadAll;
using test::Server;
using test::Unavailable;

namespace {

constexpr const char* kPassword = "pa55 w0rd";

EmailSettings Settings(int port, MailSecurity security, const std::string& user = "",
                       const std::string& caFile = "") {
    EmailSettings s = DefaultEmailSettings();
    s.Host = "127.0.0.1";
    s.Port = port;
    s.Security = security;
    s.User = user;
    s.CaFile = caFile;
    s.SenderName = "Sue Secretary";
    s.SenderAddress = "sue@club.example.org";
    return s;
}

// Bytes like a PDF's: every byte value, line ends of both kinds, a line "." alone.
std::string PdfBytes() {
    std::string pdf = "%PDF-1.4\r\n.\r\n.\n";
    for (int i = 0; i < 256 * 40; ++i)
        pdf += static_cast<char>(i % 256);
    return pdf;
}

MailMessage Message(const std::string& to) {
    MailMessage m;
    m.SenderName = "Sue Secretary";
    m.SenderAddress = "sue@club.example.org";
    m.RecipientName = "REN\xC3\x89 O'DARVEN";
    m.RecipientAddress = to;
    m.Subject = "Your statement for 2026";
    m.Body = "Dear REN\xC3\x89,\n.\nAttached is your statement.\n";
    m.Attachments.push_back({"77 O'DARVEN.pdf", PdfBytes()});
    return m;
}

} // namespace

TEST(CurlTransport, DeliversTheMessageAndItsAttachmentByteForByte) {
    if (const std::string why = Unavailable(false); !why.empty())
        GTEST_SKIP() << why;
    Server server("");
    ASSERT_GT(server.Port(), 0);
    CurlTransport transport(Settings(server.Port(), MailSecurity::None), "");
    const SendOutcome sent = transport.Send(Message("rene@example.fr"));
    EXPECT_EQ(sent.What, SendOutcome::Kind::Accepted) << sent.Problem;
    EXPECT_EQ(sent.Reply, "250 2.0.0 Message " + std::to_string(server.Message(1)) + " accepted");
    const std::string record = server.Record(1);
    EXPECT_EQ(Field(record, "mail_from"), "sue@club.example.org");
    EXPECT_EQ(Field(record, "rcpt_tos"), "rene@example.fr");
    EXPECT_EQ(Field(record, "from"), "Sue Secretary <sue@club.example.org>");
    EXPECT_EQ(Field(record, "subject"), "Your statement for 2026");
    // The text arrives in lines ended by CR LF, none quoted away; the lone "." line is kept.
    EXPECT_EQ(Field(record, "body"), "Dear REN\xC3\x89,\r\n.\r\nAttached is your statement.\r\n");
    EXPECT_EQ(Field(record, "attachment"), "77 O'DARVEN.pdf");
    EXPECT_EQ(ReadAll(server.File(std::to_string(server.Message(1)) + ".pdf")), PdfBytes());
}

TEST(CurlTransport, SaysWhatFailedInTheUsersWords) {
    if (const std::string why = Unavailable(true); !why.empty())
        GTEST_SKIP() << why;
#if !defined(_WIN32)
    setenv("MPSEC_TEST_SMTP_PASSWORD", kPassword, 1);
#endif
    test::TempFolder certs;
    const std::string ca = (certs / "cert.pem").string();
    Server server("--tls-dir '" + certs.Path().string() +
                  "' --user sue --refuse nobody@example.org --only-auth LOGIN");
    ASSERT_GT(server.Port(), 0);
    const int port = server.Port();
    const std::string where = "127.0.0.1 port " + std::to_string(port);
    struct Case {
        const char* what;
        EmailSettings settings;
        std::string password, to;
        SendOutcome::Kind kind;
        std::string problem;
    } cases[] = {
        {"STARTTLS, the certificate file, AUTH LOGIN",
         Settings(port, MailSecurity::StartTls, "sue", ca), kPassword, "anne@example.org",
         SendOutcome::Kind::Accepted, ""},
        {"a refused recipient", Settings(port, MailSecurity::StartTls, "sue", ca), kPassword,
         "nobody@example.org", SendOutcome::Kind::Refused,
         "the server refused the recipient nobody@example.org: 550 5.1.1 <nobody@example.org>: "
         "no such user here"},
        {"a refused login", Settings(port, MailSecurity::StartTls, "sue", ca), "wrong",
         "anne@example.org", SendOutcome::Kind::Broken,
         "the server refused the login of user sue: 535 5.7.8 Authentication credentials "
         "invalid"},
        {"a certificate not trusted", Settings(port, MailSecurity::StartTls, "sue"), kPassword,
         "anne@example.org", SendOutcome::Kind::Broken,
         "the certificate of 127.0.0.1 is not trusted (for a server with its own certificate, "
         "give its certificate file in the e-mail settings)"},
    };
    for (const Case& c : cases) {
        CurlTransport transport(c.settings, c.password);
        const SendOutcome outcome = transport.Send(Message(c.to));
        EXPECT_EQ(outcome.What, c.kind) << c.what << ": " << outcome.Problem;
        EXPECT_EQ(outcome.Problem, c.problem) << c.what;
    }
    // Only the accepted message arrived.
    EXPECT_TRUE(server.Has(1));
    EXPECT_FALSE(server.Has(2));
    EXPECT_EQ(Field(server.Record(1), "rcpt_tos"), "anne@example.org");

    // Once the server is gone, nothing listens on its port.
    server.Stop();
    CurlTransport gone(Settings(port, MailSecurity::StartTls, "sue", ca), kPassword);
    EXPECT_EQ(gone.Send(Message("anne@example.org")).Problem,
              "the connection to " + where + " was refused");
}

TEST(CurlTransport, PlainLoginAndARunWhoseServerDropsTheConnection) {
    if (const std::string why = Unavailable(true); !why.empty())
        GTEST_SKIP() << why;
#if !defined(_WIN32)
    setenv("MPSEC_TEST_SMTP_PASSWORD", kPassword, 1);
#endif
    test::TempFolder certs, data;
    const std::string ca = (certs / "cert.pem").string();
    Server server("--tls-dir '" + certs.Path().string() +
                  "' --user sue --only-auth PLAIN --drop-after 2");
    ASSERT_GT(server.Port(), 0);
    CurlTransport transport(Settings(server.Port(), MailSecurity::StartTls, "sue", ca), kPassword);
    std::vector<PlayerRecord> members;
    std::map<std::string, std::string> addresses;
    for (const char* n : {"11", "22", "33", "44"}) {
        members.push_back(test::TestPlayer(n, std::string("MEMBER") + n, "ANNE", "3104"));
        addresses[n] = std::string("m") + n + "@example.org";
    }
    const SendLog log(data / "EMAILLOG.TXT");
    EmailRunSetup setup{"3104", "ARDEN", "2026", Settings(0, MailSecurity::None)};
    const EmailRunReport report = RunEmail(
        PlanEmailRun(members, addresses, {}), setup, transport, &log,
        [](const PlayerRecord&) { return Result<std::string>(PdfBytes()); }, {},
        [] { return std::string("2026-12-09 10:00:00"); });
    ASSERT_EQ(report.Sent.size(), 2u);
    ASSERT_EQ(report.Failed.size(), 1u);
    EXPECT_EQ(report.Failed[0].Problem,
              "127.0.0.1 port " + std::to_string(server.Port()) + " closed the connection");
    EXPECT_EQ(report.NotSent.size(), 1u);
    EXPECT_EQ(
        data.Read("EMAILLOG.TXT"),
        "2026-12-09 10:00:00\t3104\t2026\t11\tm11@example.org\t250 2.0.0 Message 1 accepted\r\n"
        "2026-12-09 10:00:00\t3104\t2026\t22\tm22@example.org\t250 2.0.0 Message 2 accepted\r\n");
    // The password is in no file the run wrote.
    EXPECT_EQ(data.Read("EMAILLOG.TXT").find(kPassword), std::string::npos);
}
