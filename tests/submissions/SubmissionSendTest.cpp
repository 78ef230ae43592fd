// "Send to Federation" in the three forms for the federation.
#include "email/SendLog.h"
#include "submissions/AwardAdjustmentDialog.h"
#include "submissions/AwardDetailsDialog.h"
#include "submissions/PlayerDetailsDialog.h"
#include "support/FakePlatform.h"
#include "support/Players.h"
#include "ui/AppState.h"

#include <QPushButton>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

struct KeptTransport : MailTransport {
    std::vector<MailMessage>* Given;
    explicit KeptTransport(std::vector<MailMessage>* given) : Given(given) {}
    SendOutcome Send(const MailMessage& m) override {
        Given->push_back(m);
        return {SendOutcome::Kind::Accepted, "250 queued", ""};
    }
};

template <class Dialog> std::unique_ptr<ProgramDialog> Make(AppState& s, Platform& p) {
    return std::make_unique<Dialog>(s, p);
}

} // namespace

TEST(SubmissionSend, EachFormSendsItsFileAndOffersToClearIt) {
    struct Case {
        std::unique_ptr<ProgramDialog> (*make)(AppState&, Platform&);
        std::string file, bytes, kind, attached;
        QString subject, again, clearQuestion;
    } cases[] = {
        {Make<PlayerDetailsDialog>, "PLAYER.TXT", "3-104\r\nAPPEND\r\n", "player-details",
         "PLAYER.TXT", "Player details from club 3104", "PLAYER.TXT was sent",
         "You are about to CLEAR ALL information from PLAYER.TXT. Are You Sure? "},
        {Make<AwardDetailsDialog>, "AWARDS.TXT", "3-104,SUE,PAIRS,03,B,3104126.gld,1.5,\r\n",
         "awards", "AWARDS.TXT 3104126.gld",
         "Award cover page and masterpoint files from club 3104",
         "AWARDS.TXT and 3104126.gld were sent",
         "You are about to CLEAR ALL infomation from AWARDS.TXT. Are You Sure? "},
        {Make<AwardAdjustmentDialog>, "AAAFORM.TXT", "DATE:              07-12-26\r\n\r\n",
         "adjustments", "AAAFORM.TXT", "Award adjustment applications from club 3104",
         "AAAFORM.TXT was sent",
         "You are about to CLEAR ALL information from AAAFORM.TXT. Are You Sure? "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        test::TempFolder dir;
        dir.Write("3104126.gld", "0012345000150\r\n");
        FakePlatform platform;
        AppState state;
        state.DataFolder = dir.Path();
        state.Settings.LastClubNo = "3104";
        state.National.Assign(test::RegisterText({test::TestPlayer("12345", "KARVEL")}));
        EmailSettings settings = DefaultEmailSettings();
        settings.Host = "127.0.0.1";
        settings.Security = MailSecurity::None;
        settings.SenderAddress = "sue@club.example.org";
        settings.Federation.Default = "qmr@federation.example.org";
        WriteEmailSettings(platform.Store(), settings);
        std::vector<MailMessage> given;
        platform.MailServerMaker = [&](const EmailSettings&) {
            return std::make_unique<KeptTransport>(&given);
        };

        dir.Write(c.file, "");
        const std::unique_ptr<ProgramDialog> dlg = c.make(state, platform);
        dlg->show();
        QPushButton* send = nullptr;
        for (QPushButton* b : dlg->findChildren<QPushButton*>())
            if (b->text() == "Se&nd to Federation")
                send = b;
        ASSERT_NE(send, nullptr);
        EXPECT_FALSE(send->isEnabled()); // an empty file
        dlg->hide();
        dir.Write(c.file, c.bytes);
        dlg->show();
        ASSERT_TRUE(send->isEnabled());

        const QString sent = c.again +
                             " to the federation at qmr@federation.example.org.\n"
                             "The server said: 250 queued\n\nClear " +
                             QString::fromStdString(c.file) + " now, ready for the next requests?";
        platform.ExpectWarning(sent, false);
        send->click();
        ASSERT_EQ(given.size(), 1u);
        EXPECT_EQ(QString::fromStdString(given[0].Subject), c.subject);
        std::string attached;
        for (const MailAttachment& a : given[0].Attachments)
            attached += (attached.empty() ? "" : " ") + a.Name;
        EXPECT_EQ(attached, c.attached);
        EXPECT_EQ(given[0].Attachments[0].Bytes, c.bytes);
        EXPECT_EQ(dir.Read(c.file), c.bytes); // No keeps the file
        EXPECT_TRUE(send->isEnabled());

        // The same content again asks first: No sends nothing; Yes sends it, and the offer
        // to clear leads to the form's own question.
        const std::string when = SendLog(dir / "EMAILLOG.TXT").FederationSent(c.kind)->at(0).When;
        const QString again = c.again + " to the federation on " + QString::fromStdString(when) +
                              (c.kind == "awards" ? ", as they are now. Send them again?"
                                                  : ", as it is now. Send it again?");
        platform.ExpectWarning(again, false);
        send->click();
        EXPECT_EQ(given.size(), 1u);
        platform.ExpectWarning(again, true);
        platform.ExpectWarning(sent, true);
        platform.ExpectWarning(c.clearQuestion, true);
        send->click();
        EXPECT_EQ(given.size(), 2u);
        EXPECT_FALSE(dir.Exists(c.file));
        EXPECT_FALSE(send->isEnabled());
        platform.VerifyAllShown();
    }
}
