#include "email/EmailSettings.h"
#include "statements/AwardFilesTest.h"
#include "support/FakeTransport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <set>

using namespace mpsec;
using ClubStatementsDialogTest = test::AwardFilesTest;

TEST_F(ClubStatementsDialogTest, AllMembersRun) {
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    EXPECT_EQ(all.clubBox()->text(), "3104");
    EXPECT_TRUE(all.cancelButton()->isHidden());

    platform.ExpectPrintDialog(false);
    all.printButton()->click();
    EXPECT_TRUE(platform.PrintedDocuments().empty());

    platform.ExpectPrintDialog(true);
    platform.ExpectInformation("3 statements printed.");
    all.printButton()->click();
    ASSERT_EQ(platform.PrintedDocuments().size(), 3u); // ADAMS, CARTER, EVANS; DAVIS is inactive
    EXPECT_EQ(platform.PrintedDocuments()[1].Title, "Statement of Awards 33");
    EXPECT_TRUE(all.cancelButton()->isHidden());
    EXPECT_FALSE(dlg->isVisible());

    all.fromBox()->setCurrentText("C");
    all.toBox()->setCurrentText("D");
    platform.ExpectPrintDialog(true);
    platform.ExpectInformation("1 statement printed.");
    all.printButton()->click();
    EXPECT_EQ(platform.PrintedDocuments().size(), 4u);

    // Nothing to print is said before any printer is asked for.
    all.fromBox()->setCurrentText("Z");
    all.toBox()->setCurrentText("A");
    platform.ExpectInformation("Club 3104 has no active member with a surname from Z to A.");
    all.printButton()->click();
    EXPECT_EQ(all.printedCount(), 0);

    // The club number box takes digits only.
    all.clubBox()->clear();
    QTest::keyClicks(all.clubBox(), "9x8i76");
    EXPECT_EQ(all.clubBox()->text(), "9876");
    all.fromBox()->setCurrentText("A");
    all.toBox()->setCurrentText("Z");
    platform.ExpectInformation("Club 9876 is not in the club register.");
    all.printButton()->click();

    all.clubBox()->setText("2101");
    all.reject();
    EXPECT_EQ(state.Settings.LastClubNo, "2101");
}

TEST_F(ClubStatementsDialogTest, CancelStopsAfterTheStatementBeingPrinted) {
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    platform.AfterPrint = [&] { all.cancelButton()->click(); };
    platform.ExpectPrintDialog(true);
    platform.ExpectInformation("Cancelled. 1 statement printed.");
    all.printButton()->click();
    EXPECT_EQ(platform.PrintedDocuments().size(), 1u);
    EXPECT_TRUE(all.cancelButton()->isHidden());
}

TEST_F(ClubStatementsDialogTest, PrintToFileWritesOnePdfPerMember) {
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    platform.SetPrinterPdfFile(QString::fromStdString((dir / "out" / "statements.pdf").string()));
    platform.ExpectPrintDialog(true);
    platform.ExpectInformation(QString::fromStdString("3 statements written as PDF files in " +
                                                      (dir / "out").string() + "."),
                               true);
    all.printButton()->click();
    const QString out = QString::fromStdString((dir / "out").string());
    EXPECT_EQ(platform.WrittenDetails(), QStringList{out});
    EXPECT_EQ(platform.OpenedFolders(), QStringList{out});
    EXPECT_TRUE(platform.PrintedDocuments().empty());
    // Written by the workers in any order, each member once.
    std::set<std::string> written;
    for (const auto& [path, document] : platform.PdfsWritten())
        written.insert(path.toStdString());
    EXPECT_EQ(written, (std::set<std::string>{(dir / "out" / "11 ADAMS.pdf").string(),
                                              (dir / "out" / "33 CARTER.pdf").string(),
                                              (dir / "out" / "55 EVANS.pdf").string()}));
    EXPECT_EQ(dlg->statement().Player.Surname, "EVANS"); // the screen is left on the last
}

TEST_F(ClubStatementsDialogTest, AllMembersRunWithoutTheAwardFilesSaysSoOnce) {
    std::filesystem::remove(dir / "events.txt");
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    platform.ExpectPrintDialog(true);
    platform.ExpectError("Cannot open file \"events.txt\". No such file or directory");
    all.printButton()->click();
    EXPECT_TRUE(platform.PrintedDocuments().empty());
    EXPECT_TRUE(all.cancelButton()->isHidden());
}

TEST_F(ClubStatementsDialogTest, EscapeAndTheCloseButtonCancelARunningRun) {
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    for (bool escape : {true, false}) {
        const std::size_t before = platform.PrintedDocuments().size();
        platform.AfterPrint = [&] {
            if (escape)
                QTest::keyClick(&all, Qt::Key_Escape);
            else
                EXPECT_FALSE(all.close());
            EXPECT_TRUE(all.isVisible());
        };
        platform.ExpectPrintDialog(true);
        platform.ExpectInformation("Cancelled. 1 statement printed.");
        all.printButton()->click();
        EXPECT_EQ(platform.PrintedDocuments().size(), before + 1);
        EXPECT_TRUE(all.isVisible());
        EXPECT_FALSE(all.running());
    }
    platform.AfterPrint = {};
    QTest::keyClick(&all, Qt::Key_Escape); // idle: Escape closes as "&Close" does
    EXPECT_FALSE(all.isVisible());
}

TEST_F(ClubStatementsDialogTest, CancelWhileWritingPdfsStartsNoFurtherStatement) {
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    platform.SetPrinterPdfFile(QString::fromStdString((dir / "out" / "statements.pdf").string()));
    platform.AfterPrint = [&] { all.cancelButton()->click(); };
    platform.ExpectPrintDialog(true);
    platform.ExpectInformation(QString::fromStdString(
        "Cancelled. 1 statement written as a PDF file in " + (dir / "out").string() + "."));
    all.printButton()->click();
    EXPECT_EQ(platform.PdfsWritten().size(), 1u);
    EXPECT_EQ(dlg->statement().Player.Surname, "ADAMS");
    EXPECT_TRUE(all.cancelButton()->isHidden());
}

// The PDF files are a choice of the window, not of the printer: with it checked, the run
// asks for a folder (never for a printer) and writes one PDF per member there.
TEST_F(ClubStatementsDialogTest, PdfFilesAreChosenWithoutAPdfPrinter) {
    state.DataFolder = dir.Path();
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    EXPECT_FALSE(all.pdfFilesBox()->isChecked());
    all.pdfFilesBox()->setChecked(true);
    const QString title = "Choose the folder for the statements' PDF files";
    platform.ExpectFolder(title, ""); // cancelled: nothing is written
    all.printButton()->click();
    EXPECT_TRUE(platform.PdfsWritten().empty());
    EXPECT_EQ(platform.LastFolderRequest.InitialFolder,
              QString::fromStdString(dir.Path().string()));

    dir.Write("pdfs/keep.txt", "");
    const std::filesystem::path out = dir / "pdfs";
    platform.ExpectFolder(title, QString::fromStdString(out.string()));
    platform.ExpectInformation(
        QString::fromStdString("3 statements written as PDF files in " + out.string() + "."));
    all.printButton()->click();
    std::set<std::string> written;
    for (const auto& [path, document] : platform.PdfsWritten())
        written.insert(path.toStdString());
    EXPECT_EQ(written, (std::set<std::string>{(out / "11 ADAMS.pdf").string(),
                                              (out / "33 CARTER.pdf").string(),
                                              (out / "55 EVANS.pdf").string()}));
    EXPECT_TRUE(platform.PrintedDocuments().empty());
}

// The club's e-mail run, press after press on one send log: what it says before sending,
// what it sends, what it says after.
TEST_F(ClubStatementsDialogTest, EmailRunSendsEachMemberOnceAndSaysWhatBecameOfEach) {
    state.DataFolder = dir.Path();
    dir.Write("addresses.csv", "Number,E-mail\r\n"
                               "11,anne@example.org\r\n"
                               "33,cal@example.org\r\n"
                               "77,not-an-address\r\n");
    EmailSettings settings = DefaultEmailSettings();
    settings.Host = "127.0.0.1";
    settings.Security = MailSecurity::None;
    settings.User = "sue";
    settings.SenderName = "Sue Secretary";
    settings.SenderAddress = "sue@example.org";
    settings.AddressesFile = (dir / "addresses.csv").string();
    const QString problems = QString::fromStdString(
        "1 line of the address list " + (dir / "addresses.csv").string() +
        " gives no address:\n  line 4: 'not-an-address' is not an e-mail address\n\n"
        "Go on without them?");
    const QString planBoth = "2 statements will be sent by e-mail.\n"
                             "\n"
                             "1 member has no address (not sent):\n"
                             "  55 EVE EVANS\n";
    const QString planCal = "1 statement will be sent by e-mail.\n"
                            "\n"
                            "1 member has no address (not sent):\n"
                            "  55 EVE EVANS\n"
                            "\n"
                            "1 member was sent the statement in an earlier run (not sent again):\n"
                            "  11 ANNE ADAMS <anne@example.org>\n";
    struct Press {
        const char* what;
        std::function<void(EmailSettings&)> settings; // none: e-mail never set up
        QString stop; // the only box said, an error or information; else empty
        QString plan; // the plan's question, answered by `yes`
        bool yes;
        int asksPassword;        // the credential store has none yet: 1 typed, -1 cancelled
        std::size_t cancelAtPdf; // Cancel pressed while this statement (from 1) is made
        std::set<std::string> refuse;
        std::vector<std::string> sentTo;
        QString summary;
        bool saveCsv;
    };
    const Press presses[] = {
        {"e-mail never set up: says where",
         {},
         "information: E-mail is not set up. Set the outgoing server, the sender's address "
         "and the list of the members' addresses in Setup \u2192 E-mail Settings\u2026",
         {},
         false,
         0,
         0,
         {},
         {},
         {},
         false},
        {"a setting missing: says which",
         [](EmailSettings& s) { s.SenderAddress.clear(); },
         "error: No sender's address is set in the e-mail settings. (Setup \u2192 E-mail "
         "Settings\u2026)",
         {},
         false,
         0,
         0,
         {},
         {},
         {},
         false},
        {"No to the plan sends nothing",
         [](EmailSettings&) {},
         {},
         planBoth,
         false,
         0,
         0,
         {},
         {},
         {},
         false},
        {"the password box cancelled: nothing sent",
         [](EmailSettings&) {},
         {},
         planBoth,
         true,
         -1,
         0,
         {},
         {},
         {},
         false},
        {"Cancel while the first is sent: it goes, the rest waits",
         [](EmailSettings&) {},
         {},
         planBoth,
         true,
         1,
         1,
         {},
         {"anne@example.org"},
         "Sent: 1\nFailed: 0\nWithout an address: 1\n  55 EVE EVANS\n"
         "Cancelled; not sent: 1\n  33 CAL CARTER <cal@example.org>\n",
         false},
        {"the next press offers only the rest; a refused recipient in the summary",
         [](EmailSettings&) {},
         {},
         planCal,
         true,
         0,
         0,
         {"cal@example.org"},
         {"cal@example.org"},
         "Sent: 0\nFailed: 1\n  33 CAL CARTER <cal@example.org>: the server refused the "
         "recipient cal@example.org: 550 no such user\nWithout an address: 1\n  55 EVE EVANS\n"
         "Sent in an earlier run: 1\n",
         true},
        {"the refused one is offered again",
         [](EmailSettings&) {},
         {},
         planCal,
         false,
         0,
         0,
         {},
         {},
         {},
         false},
    };
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    test::FakeTransport server;
    platform.MailServerMaker = [&](const EmailSettings&) { return server.Through(); };
    platform.WritePdfFiles = true;
    dir.Write("run.csv", "an older file\r\n");
    for (const Press& press : presses) {
        SCOPED_TRACE(press.what);
        if (press.settings) {
            EmailSettings s = settings;
            press.settings(s);
            WriteEmailSettings(platform.Store(), s);
        }
        const std::size_t before = server.Given.size();
        server.Refuse = press.refuse;
        if (press.stop.startsWith("information: "))
            platform.ExpectInformation(press.stop.mid(13));
        else if (!press.stop.isEmpty())
            platform.ExpectError(press.stop.mid(7));
        else {
            platform.ExpectWarning(problems, true);
            platform.ExpectDialog("Send Statements by E-mail", [&](QDialog& d) {
                EXPECT_EQ(d.findChild<QPlainTextEdit*>()->toPlainText(), press.plan);
                for (QPushButton* b : d.findChildren<QPushButton*>())
                    if (b->text() == (press.yes ? "&Send" : "&Don't Send"))
                        b->click();
                return -1; // the buttons answer
            });
        }
        if (press.asksPassword)
            platform.ExpectPassword("Password of sue at 127.0.0.1:",
                                    press.asksPassword > 0 ? std::optional<QString>("secret")
                                                           : std::nullopt);
        std::size_t pdfs = 0;
        platform.AfterPrint = [&] {
            EXPECT_TRUE(all.running());
            EXPECT_FALSE(all.emailButton()->isEnabled());
            if (++pdfs == press.cancelAtPdf)
                all.cancelButton()->click();
        };
        if (!press.summary.isEmpty())
            platform.ExpectDialog("E-mail Run of Club 3104", [&](QDialog& d) {
                EXPECT_EQ(d.findChild<QPlainTextEdit*>()->toPlainText(), press.summary);
                for (QPushButton* b : d.findChildren<QPushButton*>())
                    if (b->text() == "&Print" || (press.saveCsv && b->text().startsWith("&Save")))
                        b->click();
                return QDialog::Accepted;
            });
        if (press.saveCsv) {
            platform.ExpectSaveFile(QString::fromStdString((dir / "run.csv").string()));
            platform.ExpectInformation("The e-mail run was saved as CSV.");
        }
        all.emailButton()->click();
        platform.VerifyAllShown();
        EXPECT_FALSE(all.running());
        EXPECT_TRUE(all.cancelButton()->isHidden());

        const std::vector<std::string> to = server.To();
        EXPECT_EQ(
            std::vector<std::string>(to.begin() + static_cast<std::ptrdiff_t>(before), to.end()),
            press.sentTo);
        if (!press.summary.isEmpty()) {
            ASSERT_FALSE(platform.Printed().empty());
            EXPECT_EQ(platform.Printed().back().Lines.join("\n") + "\n", press.summary);
        }
    }
    // Each message carries its member's statement, made as the PDF run makes it.
    ASSERT_EQ(server.Given.size(), 2u);
    using Files = std::vector<MailAttachment>;
    EXPECT_EQ(server.Given[0].Attachments,
              (Files{{"11 ADAMS.pdf", "%PDF Statement of Awards 11"}}));
    EXPECT_EQ(server.Given[1].Attachments,
              (Files{{"33 CARTER.pdf", "%PDF Statement of Awards 33"}}));
    EXPECT_EQ(platform.MailServerPasswords, (std::vector<std::string>{"secret", "secret"}));
    // The accepted message only is in the log, for the register's year.
    const std::string log = dir.Read("EMAILLOG.TXT");
    EXPECT_EQ(log.substr(19), "\t3104\t2008\t11\tanne@example.org\t250 queued as "
                              "anne@example.org\r\n");
    EXPECT_TRUE(platform.LastSaveRequest().AskOverwrite);
    EXPECT_EQ(dir.Read("run.csv"),
              "Number,Name,Address,Result,Details\r\n"
              "33,CAL CARTER,cal@example.org,failed,the server refused the recipient "
              "cal@example.org: 550 no such user\r\n"
              "55,EVE EVANS,,no address,\r\n");
}
