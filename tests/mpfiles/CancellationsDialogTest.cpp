#include "mpfiles/CancellationsDialog.h"
#include "email/EmailSettings.h"
#include "support/FakePlatform.h"
#include "support/Players.h"
#include "ui/AppState.h"
#include "ui/DigitsBox.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

class CancellationsTest : public ::testing::Test {
  protected:
    CancellationsTest() : dlg(state, platform) {
        state.DataFolder = dir.Path();
        state.National.Assign(test::RegisterText({
            test::TestPlayer("12345", "ABCDE", "FGH", "6-785"),
            test::TestPlayer("222", "RESTING", "ALAN", "6i785"),
            test::TestPlayer("7", "SEVEN", "", "6-785"),
            test::TestPlayer("333", "OTHER", "OLLY", "6-786"),
        }));
        state.Settings.LastClubNo = "6785";
        state.Today = [] { return CivilDate{2026, 12, 7}; };
        dlg.show();
    }
    QStringList Column(int column) {
        QStringList cells;
        for (int row = 0; row < dlg.rowCount(); ++row)
            cells << dlg.cell(row, column);
        return cells;
    }

    test::TempFolder dir;
    FakePlatform platform;
    AppState state;
    CancellationsDialog dlg;
};

} // namespace

TEST_F(CancellationsTest, MarkedMembersAreWrittenAfterTheQuestion) {
    EXPECT_EQ(dlg.rowCount(), 26);
    EXPECT_FALSE(dlg.saveButton()->isEnabled());
    EXPECT_EQ(dlg.clubBox()->text(), "6785");
    QTest::keyClick(dlg.grid(), Qt::Key_Space); // an empty row has nothing to mark
    EXPECT_EQ(dlg.cell(0, 3), "");

    QTest::keyClick(dlg.clubBox(), Qt::Key_Return);
    EXPECT_EQ(Column(1), (QStringList{"ABCDE FGH", "SEVEN "}));
    EXPECT_EQ(Column(3), (QStringList{"Yes", "Yes"}));
    QTest::keyClick(dlg.grid(), Qt::Key_Space);
    QTest::keyClick(dlg.grid(), Qt::Key_Down);
    QTest::keyClick(dlg.grid(), Qt::Key_Space);
    QTest::keyClick(dlg.grid(), Qt::Key_Space);
    QTest::keyClick(dlg.grid(), Qt::Key_A); // read-only: refused
    EXPECT_EQ(platform.Beeps(), 1);
    EXPECT_EQ(Column(3), (QStringList{"No", "Yes"}));
    dlg.grid()->setCurrentCell(1, 1);
    emit dlg.grid()->cellDoubleClicked(1, 1);
    EXPECT_EQ(Column(3), (QStringList{"No", "No"}));

    platform.ExpectInformation("Output saved as 6785cncl.txt", true);
    dlg.saveButton()->click();
    EXPECT_EQ(platform.WrittenDetails(),
              QStringList{QString::fromStdString((dir / "6785cncl.txt").string())});
    EXPECT_EQ(platform.OpenedFolders(), QStringList{QString::fromStdString(dir.Path().string())});
    EXPECT_EQ(dir.Read("6785cncl.txt"), "261207I67850012345ABCDE             F      \r\n"
                                        "261207I67850000007SEVEN                    \r\n");
    platform.ExpectWarning("6785cncl.txt has been found. Do you wish to OVERWRITE and lose the "
                           "OLD information? ",
                           false);
    dlg.saveButton()->click();
    EXPECT_EQ(platform.Beeps(), 2);

    // An empty club number is refused at Get and at Save; nothing is written.
    dlg.clubBox()->clear();
    platform.ExpectError("The list is of club 6785, but the club number is now empty. Type 6785 "
                         "again to save this list. Nothing was saved.");
    dlg.saveButton()->click();
    EXPECT_EQ(platform.Beeps(), 3);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"6785cncl.txt"});
    dlg.getButton()->click();
    EXPECT_EQ(platform.Beeps(), 4);
    EXPECT_EQ(dlg.rowCount(), 0);
    EXPECT_FALSE(dlg.saveButton()->isEnabled()); // the emptied list has nothing to save

    // A club without members: an empty file, reported.
    dlg.clubBox()->setText("9999");
    dlg.getButton()->click();
    EXPECT_EQ(dlg.rowCount(), 0);
    platform.ExpectInformation("Output saved as 9999cncl.txt");
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("9999cncl.txt"), "");
    EXPECT_EQ(state.Settings.LastClubNo, "9999");
}

// Tab runs from the club box through Get, the grid, Close and Save.
TEST_F(CancellationsTest, TabOrder) {
    QWidget* chain[] = {dlg.clubBox(), dlg.getButton(), dlg.grid(), dlg.closeButton(),
                        dlg.saveButton()};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i) {
        QWidget* next = chain[i]->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, chain[i + 1]) << i;
    }
}

// The members marked leave the club that was listed: a club number changed after Get is
// refused at Save and nothing is written; the listed number typed again saves the list.
TEST_F(CancellationsTest, SaveWritesOnlyTheClubThatWasListed) {
    QTest::keyClick(dlg.clubBox(), Qt::Key_Return);
    QTest::keyClick(dlg.grid(), Qt::Key_Space);
    dlg.clubBox()->setText("6786");
    platform.ExpectError("The list is of club 6785, but the club number now reads 6786. Type "
                         "6785 again to save this list, or press Get to list club 6786. Nothing "
                         "was saved.");
    dlg.saveButton()->click();
    platform.VerifyAllShown();
    EXPECT_EQ(platform.Beeps(), 1);
    EXPECT_TRUE(dir.Names().empty());
    EXPECT_EQ(Column(3), (QStringList{"No", "Yes"})); // the list is kept

    dlg.clubBox()->setText("6785");
    platform.ExpectInformation("Output saved as 6785cncl.txt");
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("6785cncl.txt"), "261207I67850012345ABCDE             F      \r\n");
}

// "Show in Folder" pressed when the desktop cannot open the folder: the user is told which.
TEST_F(CancellationsTest, ShowInFolderThatFailsIsSaid) {
    QTest::keyClick(dlg.clubBox(), Qt::Key_Return);
    platform.FailOpenFolder();
    platform.ExpectInformation("Output saved as 6785cncl.txt", true);
    platform.ExpectError("The folder " + QString::fromStdString(dir.Path().string()) +
                         " could not be opened.");
    dlg.saveButton()->click();
    platform.VerifyAllShown();
    EXPECT_EQ(platform.OpenedFolders(), QStringList{QString::fromStdString(dir.Path().string())});
    EXPECT_EQ(dir.Read("6785cncl.txt"), "");
}

TEST_F(CancellationsTest, TheClubsFileIsSentToTheFederation) {
    EmailSettings settings = DefaultEmailSettings();
    settings.Host = "127.0.0.1";
    settings.Security = MailSecurity::None;
    settings.User = "sue";
    settings.SenderAddress = "sue@club.example.org";
    settings.Federation.Default = "qmr@federation.example.org";
    settings.Federation.Cancellations = "members@federation.example.org";
    WriteEmailSettings(platform.Store(), settings);
    platform.Keychain.Passwords["sue@127.0.0.1"] = "secret";
    struct Kept : MailTransport {
        std::vector<MailMessage>* Given;
        explicit Kept(std::vector<MailMessage>* given) : Given(given) {}
        SendOutcome Send(const MailMessage& m) override {
            Given->push_back(m);
            return {SendOutcome::Kind::Accepted, "250 queued", ""};
        }
    };
    std::vector<MailMessage> given;
    platform.MailServerMaker = [&](const EmailSettings&) { return std::make_unique<Kept>(&given); };

    EXPECT_EQ(dlg.sendButton()->text(), "Se&nd to Federation");
    EXPECT_FALSE(dlg.sendButton()->isEnabled()); // no file yet
    dlg.getButton()->click();
    dlg.toggleActive();
    platform.ExpectInformation("Output saved as 6785cncl.txt");
    dlg.saveButton()->click();
    EXPECT_TRUE(dlg.sendButton()->isEnabled());
    dlg.clubBox()->setText("6786"); // another club's file, none yet
    EXPECT_FALSE(dlg.sendButton()->isEnabled());
    dlg.clubBox()->setText("6785");

    platform.ExpectInformation("6785cncl.txt was sent to the federation at "
                               "members@federation.example.org.\nThe server said: 250 queued");
    dlg.sendButton()->click();
    ASSERT_EQ(given.size(), 1u);
    EXPECT_EQ(given[0].Attachments,
              (std::vector<MailAttachment>{{"6785cncl.txt", dir.Read("6785cncl.txt")}}));
    EXPECT_EQ(platform.MailServerPasswords, std::vector<std::string>{"secret"});
    EXPECT_EQ(dir.Read("6785cncl.txt"), "261207I67850012345ABCDE             F      \r\n");

    // Without a sender's address nothing goes, and the window says what to set.
    settings.SenderAddress.clear();
    WriteEmailSettings(platform.Store(), settings);
    platform.ExpectError("No sender's address is set in the e-mail settings.\nSet up e-mail in "
                         "Setup, E-mail Settings. Nothing was sent.");
    dlg.sendButton()->click();
    EXPECT_EQ(given.size(), 1u);
}
