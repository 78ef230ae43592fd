#include "federation/FederationSend.h"
#include "federation/CoverPage.h"
#include "support/Players.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <set>

using namespace mpsec;

namespace {

// Keeps what it was given; refuses the recipients named.
struct FakeTransport : MailTransport {
    std::vector<MailMessage> Given;
    std::set<std::string> Refuse;
    SendOutcome Send(const MailMessage& m) override {
        Given.push_back(m);
        if (Refuse.count(m.RecipientAddress))
            return {SendOutcome::Kind::Refused, "550 mailbox full",
                    "the server refused the recipient " + m.RecipientAddress +
                        ": 550 mailbox full"};
        return {SendOutcome::Kind::Accepted, "250 queued", ""};
    }
};

PlayerRegister Register() {
    PlayerRegister reg;
    reg.Assign(test::RegisterText(
        {test::TestPlayer("12345", "KARVEL"), test::TestPlayer("888", "RESTING", "A", "3i104")}));
    return reg;
}

FederationSetup ClubSetup(const test::TempFolder& data, const PlayerRegister* national = nullptr) {
    FederationSetup setup;
    setup.Settings = DefaultEmailSettings();
    setup.Settings.SenderName = "Sue Secretary";
    setup.Settings.SenderAddress = "sue@club.example.org";
    setup.Settings.Federation.Default = "qmr@federation.example.org";
    setup.Settings.Federation.Awards = "awards@federation.example.org";
    setup.DataFolder = data.Path();
    setup.MPFolder = data.Path() / "mp";
    setup.Club = "3104 ARDEN BRIDGE CLUB";
    setup.National = national;
    return setup;
}

std::vector<std::string> Names(const MailMessage& m) {
    std::vector<std::string> names;
    for (const MailAttachment& a : m.Attachments)
        names.push_back(a.Name);
    return names;
}

} // namespace

TEST(FederationSend, EachKindGoesToItsAddressWithItsFileUnchanged) {
    test::TempFolder data;
    const std::string bytes = "3-104\r\nAPPEND\r\n\xC9MILE,\r\n\r\n";
    struct Case {
        FederationFile kind;
        const char* file;
        const char* address;
        const char* subject;
    } cases[] = {
        {FederationFile::PlayerDetails, "PLAYER.TXT", "qmr@federation.example.org",
         "Player details from club 3104 ARDEN BRIDGE CLUB"},
        {FederationFile::Awards, "AWARDS.TXT", "awards@federation.example.org",
         "Award cover page and masterpoint files from club 3104 ARDEN BRIDGE CLUB"},
        {FederationFile::Adjustments, "AAAFORM.TXT", "qmr@federation.example.org",
         "Award adjustment applications from club 3104 ARDEN BRIDGE CLUB"},
        {FederationFile::Cancellations, "3104cncl.txt", "qmr@federation.example.org",
         "Annual membership cancellations from club 3104 ARDEN BRIDGE CLUB"},
    };
    for (const Case& c : cases) {
        data.Write(c.file, bytes);
        const auto sending =
            PrepareFederationSending(c.kind, data / c.file, ClubSetup(data), nullptr);
        ASSERT_TRUE(sending) << sending.Message();
        FakeTransport transport;
        EXPECT_TRUE(SendFederationMessage(*sending, transport, nullptr, "").Sent);
        ASSERT_EQ(transport.Given.size(), 1u);
        const MailMessage& m = transport.Given[0];
        EXPECT_EQ(m.RecipientAddress, c.address) << c.file;
        EXPECT_EQ(m.SenderAddress, "sue@club.example.org");
        EXPECT_EQ(m.Subject, c.subject);
        EXPECT_EQ(m.Body, std::string(c.subject) + ".\n\nAttached:\n  " + c.file +
                              " (25 bytes)\n\nSue Secretary\n");
        ASSERT_EQ(m.Attachments.size(), 1u) << c.file;
        EXPECT_EQ(m.Attachments[0], (MailAttachment{c.file, bytes}));
    }
    FederationSetup none = ClubSetup(data);
    none.Settings.Federation.Default.clear();
    EXPECT_EQ(
        PrepareFederationSending(FederationFile::PlayerDetails, data / "PLAYER.TXT", none, nullptr)
            .Message(),
        "No address of the federation is set in the e-mail settings.");
    data.Write("EMPTY.TXT", "");
    EXPECT_EQ(PrepareFederationSending(FederationFile::PlayerDetails, data / "EMPTY.TXT",
                                       ClubSetup(data), nullptr)
                  .Message(),
              "EMPTY.TXT is empty: there is nothing to send.");
}

TEST(FederationSend, TheCoverPagesFilesAreFoundCheckedAndAttached) {
    const PlayerRegister national = Register();
    struct Case {
        const char* what;
        std::string coverPage;
        std::vector<std::string> attached;
        std::vector<std::string> questions;
    } cases[] = {
        {"all present and clean (one in the data folder, one named in other letters)",
         "3-104,SUE,CLUB PAIRS,03,B,3104126.gld,2,\r\n"
         "3-104,SUE,CLUB TEAMS, MIXED,03,B,3104226.RED,0.5,\r\n",
         {"AWARDS.TXT", "3104126.gld", "3104226.red"},
         {}},
        {"one missing",
         "3-104,SUE,CLUB PAIRS,03,B,3104126.gld,2,\r\n"
         "3-104,SUE,CLUB PAIRS,03,B,3104999.gld,1,\r\n",
         {"AWARDS.TXT", "3104126.gld"},
         {"3104999.gld (line 2 of AWARDS.TXT) is in neither the masterpoint folder nor the data "
          "folder. Send the files without it?"}},
        {"a different total",
         "3-104,SUE,CLUB PAIRS,03,B,3104126.gld,2.5,\r\n",
         {"AWARDS.TXT", "3104126.gld"},
         {"The cover page gives 2.5 points for 3104126.gld, but the file holds 2. Send it as it "
          "is?"}},
        {"a register error",
         "3-104,SUE,CLUB PAIRS,03,B,bad.gld,1.00,\r\n",
         {"AWARDS.TXT", "bad.gld"},
         {"bad.gld has errors: Inactive Player at Line 1. Send it as it is?"}},
        {"a name out of the folder",
         "3-104,SUE,CLUB PAIRS,03,B,../secret.gld,1,\r\n",
         {"AWARDS.TXT"},
         {"\"../secret.gld\" (line 1 of AWARDS.TXT) is not a plain file name, so it is not "
          "looked for. Send the files without it?"}},
        {"an old name, now renamed",
         "3-104,SUE,CLUB PAIRS,03,B,3104226.MP2,0.5,\r\n",
         {"AWARDS.TXT", "3104226.red"},
         {}},
    };
    for (const Case& c : cases) {
        test::TempFolder data;
        data.Write("mp/3104126.gld", "0012345000125\r\n0012345000075\r\n");
        data.Write("3104226.red", "0012345000050\r\n");
        data.Write("mp/bad.gld", "0000888000100\r\n");
        data.Write("secret.gld", "0012345000100\r\n");
        data.Write("AWARDS.TXT", c.coverPage);
        const auto sending = PrepareFederationSending(FederationFile::Awards, data / "AWARDS.TXT",
                                                      ClubSetup(data, &national), nullptr);
        ASSERT_TRUE(sending) << c.what << ": " << sending.Message();
        EXPECT_EQ(Names(sending->Message), c.attached) << c.what;
        EXPECT_EQ(sending->Questions, c.questions) << c.what;
        for (const MailAttachment& a : sending->Message.Attachments)
            EXPECT_EQ(a.Bytes,
                      data.Read(a.Name == "AWARDS.TXT" || a.Name == "3104226.red" ? a.Name
                                                                                  : "mp/" + a.Name))
                << c.what;
    }
}

TEST(FederationSend, TheSameContentTwiceAsksAndARefusedMessageIsNotLogged) {
    test::TempFolder data;
    const SendLog log(data / "EMAILLOG.TXT");
    data.Write("EMAILLOG.TXT", "2026-12-01 09:00:00\t3104\t2026\t11\tanne@example.org\t250 ok\r\n");
    data.Write("AAAFORM.TXT", "DATE:              07-12-26\r\n\r\n");
    auto send = [&](FakeTransport& transport, const char* when) {
        const auto sending = PrepareFederationSending(FederationFile::Adjustments,
                                                      data / "AAAFORM.TXT", ClubSetup(data), &log);
        EXPECT_TRUE(sending) << sending.Message();
        SendFederationMessage(*sending, transport, &log, when);
        return sending->Questions;
    };
    FakeTransport transport;
    EXPECT_EQ(send(transport, "2026-12-07 10:00:00"), std::vector<std::string>{});
    const std::vector<std::string> again{
        "AAAFORM.TXT was sent to the federation on 2026-12-07 10:00:00, as it is now. Send it "
        "again?"};
    EXPECT_EQ(send(transport, "2026-12-07 11:00:00"), again);
    const std::string line = "\tfederation\tadjustments\tqmr@federation.example.org\t250 queued"
                             "\tAAAFORM.TXT\t31\tb662a2b866e4fd70a082ba49673ebde565ab901d04fc7a4"
                             "3063e8b649468ce20\r\n";
    EXPECT_EQ(data.Read("EMAILLOG.TXT"),
              "2026-12-01 09:00:00\t3104\t2026\t11\tanne@example.org\t250 ok\r\n"
              "2026-12-07 10:00:00" +
                  line + "2026-12-07 11:00:00" + line);
    // The statements' reader passes over the federation's lines, and the federation's over
    // the statements'.
    EXPECT_EQ(log.SentTo("3104", "2026").Value(),
              (std::map<std::string, std::string>{{"11", "anne@example.org"}}));
    EXPECT_EQ(log.FederationSent("adjustments")->size(), 2u);
    EXPECT_TRUE(log.FederationSent("awards")->empty());

    // A changed file does not ask; a refused message is not logged and the file stays.
    data.Write("AAAFORM.TXT", "DATE:              08-12-26\r\n\r\n");
    const std::string logged = data.Read("EMAILLOG.TXT");
    FakeTransport refusing;
    refusing.Refuse = {"qmr@federation.example.org"};
    EXPECT_EQ(send(refusing, "2026-12-08 10:00:00"), std::vector<std::string>{});
    EXPECT_EQ(data.Read("EMAILLOG.TXT"), logged);
    EXPECT_EQ(data.Read("AAAFORM.TXT"), "DATE:              08-12-26\r\n\r\n");
}

TEST(FederationSend, CoverPagePointsAreReadStrictly) {
    struct Case {
        const char* text;
        std::optional<std::uint64_t> hundredths;
    } cases[] = {{"12.5", 1250}, {"12.50", 1250}, {"12", 1200}, {".5", 50},    {"0.05", 5},
                 {"1.234", {}},  {"1,5", {}},     {"", {}},     {"12.", 1200}, {"-1", {}}};
    for (const Case& c : cases)
        EXPECT_EQ(CoverPagePoints(c.text), c.hundredths) << c.text;
}
