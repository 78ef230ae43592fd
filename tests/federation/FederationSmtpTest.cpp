// Files sent to the federation through the real transport and a real SMTP server on
// 127.0.0.1 (support/SmtpServer.h).
#include "email/CurlTransport.h"
#include "federation/FederationSend.h"
#include "support/Players.h"
#include "support/SmtpServer.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace mpsec;
using test::Field;
using test::ReadAll;

TEST(FederationSmtp, TheCoverPageAndItsFilesArriveByteForByte) {
    if (const std::string why = test::Unavailable(false); !why.empty())
        GTEST_SKIP() << why;
    test::Server server("");
    ASSERT_GT(server.Port(), 0);
    test::TempFolder data;
    // Line ends of every kind, a line "." alone, a byte beyond ASCII, no final line end.
    const std::string cover = "3-104,S\xC9N,PAIRS,03,B,3104126.gld,2,\r\n.\r\n\n\r";
    const std::string points = "0012345000125\r\n0012345000075";
    data.Write("AWARDS.TXT", cover);
    data.Write("3104126.gld", points);
    PlayerRegister national;
    national.Assign(test::RegisterText({test::TestPlayer("12345", "KARVEL")}));
    FederationSetup setup;
    setup.Settings = DefaultEmailSettings();
    setup.Settings.Host = "127.0.0.1";
    setup.Settings.Port = server.Port();
    setup.Settings.Security = MailSecurity::None;
    setup.Settings.SenderAddress = "sue@club.example.org";
    setup.Settings.Federation.Default = "qmr@federation.example.org";
    setup.DataFolder = data.Path();
    setup.National = &national;
    const auto sending =
        PrepareFederationSending(FederationFile::Awards, data / "AWARDS.TXT", setup, nullptr);
    ASSERT_TRUE(sending) << sending.Message();
    EXPECT_EQ(sending->Questions,
              std::vector<std::string>{
                  "Line 2 of AWARDS.TXT names no masterpoint file. Send the files without it?"});
    CurlTransport transport(setup.Settings, "");
    const FederationOutcome outcome = SendFederationMessage(*sending, transport, nullptr, "");
    EXPECT_TRUE(outcome.Sent) << outcome.Problem;
    const std::string record = server.Record(1);
    EXPECT_EQ(Field(record, "rcpt_tos"), "qmr@federation.example.org");
    EXPECT_EQ(Field(record, "subject"), "Award cover page and masterpoint files");
    EXPECT_EQ(Field(record, "attachments"), "AWARDS.TXT|3104126.gld");
    EXPECT_EQ(ReadAll(server.File(std::to_string(server.Message(1)) + "-1.bin")), cover);
    EXPECT_EQ(ReadAll(server.File(std::to_string(server.Message(1)) + "-2.bin")), points);
}
