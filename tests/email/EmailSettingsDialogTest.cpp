// The e-mail settings window and the password of a run.
#include "email/EmailSettingsDialog.h"
#include "core/TextHelpers.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "ui/AppState.h"
#include "ui/RunPassword.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

EmailSettings Sue() {
    EmailSettings s;
    s.Host = "mail.example.org";
    s.User = "sue";
    return s;
}

// A server that answers every message the same way.
struct AnsweringServer : MailTransport {
    SendOutcome Answer;
    std::vector<MailMessage>* Given;
    AnsweringServer(SendOutcome answer, std::vector<MailMessage>* given)
        : Answer(std::move(answer)), Given(given) {}
    SendOutcome Send(const MailMessage& m) override {
        Given->push_back(m);
        return Answer;
    }
};

void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

// The kept password serves without a box; else the box asks (saying why when no store
// answers), and what was typed is kept only where a store answered.
TEST(RunPassword, KeptElseAskedAndKeptWhereTheStoreAnswers) {
    const QString ask = QStringLiteral("Password of sue at mail.example.org:");
    struct Case {
        const char* what;
        std::map<std::string, std::string> kept;
        std::optional<std::string> unavailable;
        std::optional<QString> box; // the box's text; none: no box
        std::optional<QString> typed;
        std::optional<std::string> password;
        std::map<std::string, std::string> keptAfter;
    } cases[] = {
        {"kept",
         {{"sue@mail.example.org", "kept"}},
         {},
         {},
         {},
         "kept",
         {{"sue@mail.example.org", "kept"}}},
        {"none kept", {}, {}, ask, "typed", "typed", {{"sue@mail.example.org", "typed"}}},
        {"another account's kept",
         {{"sue@other.example.org", "other"}},
         {},
         ask,
         "typed",
         "typed",
         {{"sue@other.example.org", "other"}, {"sue@mail.example.org", "typed"}}},
        {"no store answers",
         {},
         "no session bus",
         "The password cannot be kept: no session bus.\nIt is asked for this run only.\n\n" + ask,
         "typed",
         "typed",
         {}},
        {"cancelled", {}, {}, ask, {}, {}, {}},
    };
    for (const Case& c : cases) {
        FakePlatform platform;
        platform.Keychain.Passwords = c.kept;
        platform.Keychain.Unavailable = c.unavailable;
        if (c.box)
            platform.ExpectPassword(*c.box, c.typed);
        EXPECT_EQ(RunPassword(platform, Sue()), c.password) << c.what;
        platform.VerifyAllShown();
        platform.Keychain.Unavailable.reset();
        EXPECT_EQ(platform.Keychain.Passwords, c.keptAfter) << c.what;
    }
}

// The window shows the kept settings; OK checks and keeps them (the password in the
// credential store), Cancel and Escape keep nothing, and the test message says how it went.
TEST(EmailSettingsDialog, ShowsChecksKeepsAndSendsATestMessage) {
    const std::map<std::string, std::string> before = {{"EmailServer", "mail.example.org"},
                                                       {"EmailPort", "587"},
                                                       {"EmailSecurity", "starttls"},
                                                       {"EmailUser", "sue"},
                                                       {"EmailSender", "sue@club.example.org"},
                                                       {"EmailSenderName", "Sue Secretary"},
                                                       {"EmailFederation", "qmr@fed.example.org"},
                                                       {"EmailSubject", "Points for {year}"}};
    const QString kept = QStringLiteral(
        "The password is kept in the system's credential store, never in mpsec's files.");
    const SendOutcome accepted{SendOutcome::Kind::Accepted, "250 2.0.0 queued", ""};
    const SendOutcome refused{SendOutcome::Kind::Broken, "",
                              "the connection to mail.example.org port 587 was refused"};
    using Act = std::function<void(EmailSettingsDialog&)>;
    auto ok = [](EmailSettingsDialog& d) { d.okButton()->click(); };
    struct Case {
        const char* what;
        std::optional<std::string> storeDown;
        Act act;
        QStringList shown;
        std::map<std::string, std::string> changed; // settings after, beside `before`
        std::map<std::string, std::string> passwords;
        bool open; // still open after
        std::optional<SendOutcome> server = {};
        std::vector<std::string> serverPasswords = {};
        std::map<std::string, std::string> keptBefore = {};
    } cases[] = {
        {"a port that is no port",
         {},
         [&](EmailSettingsDialog& d) {
             Type(d.portBox(), "70000");
             ok(d);
         },
         {"error: The port must be a number from 1 to 65535."},
         {},
         {},
         true},
        {"None for a server elsewhere",
         {},
         [&](EmailSettingsDialog& d) {
             d.securityList()->setCurrentIndex(2);
             EXPECT_EQ(d.portBox()->text(), "25");
             ok(d);
         },
         {"error: Security \"None\" is allowed only for a server on this computer (127.0.0.1 "
          "or localhost): choose STARTTLS or SSL/TLS for mail.example.org."},
         {},
         {},
         true},
        {"a sender's address that is none",
         {},
         [&](EmailSettingsDialog& d) {
             Type(d.senderAddressBox(), "sue at club");
             ok(d);
         },
         {"error: The sender's address 'sue at club' is not an e-mail address."},
         {},
         {},
         true},
        {"a federation address that is none",
         {},
         [&](EmailSettingsDialog& d) {
             Type(d.federationBox(2), "awards@");
             ok(d);
         },
         {"error: The federation's address for awards 'awards@' is not an e-mail address."},
         {},
         {},
         true},
        {"SSL/TLS, its port, a password and the federation's awards address",
         {},
         [&](EmailSettingsDialog& d) {
             d.securityList()->setCurrentIndex(1);
             d.passwordBox()->setText(QString::fromUtf8("s3cr\xC3\xA9t"));
             Type(d.federationBox(2), "awards@fed.example.org");
             Type(d.addressListBox(), "members.csv");
             d.bodyBox()->setPlainText("Dear {name},\nyours.");
             ok(d);
         },
         {},
         {{"EmailSecurity", "ssl"},
          {"EmailPort", "465"},
          {"EmailFederationAwards", "awards@fed.example.org"},
          {"EmailAddresses", "{data}members.csv"},
          {"EmailBody", "Dear {name},\nyours."}},
         {{"sue@mail.example.org", "s3cr\xC3\xA9t"}},
         false},
        {"None for this computer, a port of its own kept",
         {},
         [&](EmailSettingsDialog& d) {
             Type(d.hostBox(), "localhost");
             Type(d.portBox(), "2525");
             d.securityList()->setCurrentIndex(2);
             EXPECT_EQ(d.portBox()->text(), "2525");
             ok(d);
         },
         {},
         {{"EmailServer", "localhost"}, {"EmailSecurity", "none"}, {"EmailPort", "2525"}},
         {},
         false},
        {"Cancel",
         {},
         [&](EmailSettingsDialog& d) {
             Type(d.hostBox(), "other.example.org");
             Type(d.passwordBox(), "x");
             d.cancelButton()->click();
         },
         {},
         {},
         {},
         false},
        {"opened again after Cancel, the port follows the security from the kept one",
         {},
         [&](EmailSettingsDialog& d) {
             d.securityList()->setCurrentIndex(1);
             d.cancelButton()->click();
             d.show();
             EXPECT_EQ(d.portBox()->text(), "587");
             d.securityList()->setCurrentIndex(2);
             EXPECT_EQ(d.portBox()->text(), "25");
             d.cancelButton()->click();
         },
         {},
         {},
         {},
         false},
        {"the address list checked",
         {},
         [&](EmailSettingsDialog& d) {
             Type(d.addressListBox(), "members.csv");
             d.checkListButton()->click();
             Type(d.addressListBox(), "none.csv");
             d.checkListButton()->click();
         },
         {"information: 2 addresses were read from {data}members.csv.\n\nThese lines give no "
          "address:\nLine 3: 'not-an-address' is not an e-mail address\nLine 5: no address for "
          "member 44",
          "error: The address list {data}none.csv cannot be read: No such file or directory"},
         {},
         {},
         true},
        {"Escape",
         {},
         [&](EmailSettingsDialog& d) {
             Type(d.userBox(), "bob");
             Type(d.passwordBox(), "x");
             QTest::keyClick(d.userBox(), Qt::Key_Escape);
         },
         {},
         {},
         {},
         false},
        {"no store answers",
         "no session bus",
         [&](EmailSettingsDialog& d) {
             EXPECT_EQ(d.passwordNote()->text(), "The password cannot be kept: no session bus. "
                                                 "It will be asked for at each run.");
             Type(d.passwordBox(), "s3cret");
             ok(d);
         },
         {"error: The password cannot be kept: no session bus.\nIt will be asked for at each "
          "run."},
         {},
         {},
         false},
        {"a test message sent with the password typed",
         {},
         [&](EmailSettingsDialog& d) {
             Type(d.passwordBox(), "typed");
             d.testButton()->click();
         },
         {"information: The test message was sent to sue@club.example.org (250 2.0.0 queued)."},
         {},
         {},
         true,
         accepted,
         {"typed"}},
        {"a test message not sent",
         {},
         [&](EmailSettingsDialog& d) {
             Type(d.passwordBox(), "typed");
             d.testButton()->click();
         },
         {"error: The test message was not sent: the connection to mail.example.org port 587 "
          "was refused"},
         {},
         {},
         true,
         refused,
         {"typed"}},
        {"a test message with the kept password",
         {},
         [&](EmailSettingsDialog& d) {
             EXPECT_EQ(d.passwordBox()->placeholderText(), "kept; type a new one to replace it");
             d.testButton()->click();
         },
         {"information: The test message was sent to sue@club.example.org (250 2.0.0 queued)."},
         {},
         {{"sue@mail.example.org", "kept"}},
         true,
         accepted,
         {"kept"},
         {{"sue@mail.example.org", "kept"}}},
        {"a test message with the password asked, then Cancel",
         {},
         [&](EmailSettingsDialog& d) {
             d.testButton()->click();
             EXPECT_EQ(d.passwordBox()->text(), "asked");
             d.cancelButton()->click();
         },
         {"password: Password of sue at mail.example.org:",
          "information: The test message was sent to sue@club.example.org (250 2.0.0 queued)."},
         {},
         {},
         false,
         accepted,
         {"asked"}},
        {"a test message with the password asked, then OK",
         {},
         [&](EmailSettingsDialog& d) {
             d.testButton()->click();
             ok(d);
         },
         {"password: Password of sue at mail.example.org:",
          "information: The test message was sent to sue@club.example.org (250 2.0.0 queued)."},
         {},
         {{"sue@mail.example.org", "asked"}},
         false,
         accepted,
         {"asked"}},
    };
    for (const Case& c : cases) {
        test::TempFolder dir;
        AppState state;
        state.DataFolder = dir.Path();
        dir.Write("members.csv", "QMR,E-mail\n11,anne@example.org\n22,not-an-address\n"
                                 "33,cal@example.org\n44,\n");
        const QString data = QString::fromStdString(PathText(dir.Path())) + QDir::separator();
        FakePlatform platform;
        platform.Store().Values = before;
        platform.Keychain.Unavailable = c.storeDown;
        platform.Keychain.Passwords = c.keptBefore;
        std::vector<MailMessage> sent;
        if (c.server)
            platform.MailServerMaker = [&](const EmailSettings&) {
                return std::make_unique<AnsweringServer>(*c.server, &sent);
            };
        QStringList shown = c.shown;
        shown.replaceInStrings("{data}", data);
        for (const QString& prompt : shown) {
            const QString text = prompt.mid(prompt.indexOf(": ") + 2);
            if (prompt.startsWith("error"))
                platform.ExpectError(text);
            else if (prompt.startsWith("information"))
                platform.ExpectInformation(text);
            else
                platform.ExpectPassword(text, QStringLiteral("asked"));
        }
        EmailSettingsDialog dialog(state, platform);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_EQ(dialog.hostBox()->text(), "mail.example.org");
        EXPECT_EQ(dialog.portBox()->text(), "587");
        EXPECT_EQ(dialog.securityList()->currentText(), "STARTTLS");
        EXPECT_EQ(dialog.senderNameBox()->text(), "Sue Secretary");
        EXPECT_EQ(dialog.federationBox(0)->text(), "qmr@fed.example.org");
        EXPECT_EQ(dialog.subjectBox()->text(), "Points for {year}");
        EXPECT_EQ(dialog.bodyBox()->toPlainText().left(13), "Dear {name},\n");
        if (!c.storeDown) {
            EXPECT_EQ(dialog.passwordNote()->text(), kept);
        }
        c.act(dialog);
        platform.VerifyAllShown();
        EXPECT_EQ(platform.Shown().join("\n|").toStdString(), shown.join("\n|").toStdString())
            << c.what;
        EXPECT_EQ(dialog.isVisible(), c.open) << c.what;
        std::map<std::string, std::string> after = before;
        if (platform.Store().Values.size() > before.size() || !c.changed.empty()) {
            // Kept: every setting written, those not changed as they were.
            after = platform.Store().Values;
            for (const auto& [name, value] : before)
                if (!c.changed.count(name)) {
                    EXPECT_EQ(after[name], value) << c.what << " " << name;
                }
            for (const auto& [name, value] : c.changed)
                EXPECT_EQ(QString::fromStdString(after[name]),
                          QString::fromStdString(value).replace("{data}", data))
                    << c.what << " " << name;
        } else {
            EXPECT_EQ(platform.Store().Values, before) << c.what;
        }
        platform.Keychain.Unavailable.reset();
        EXPECT_EQ(platform.Keychain.Passwords, c.passwords) << c.what;
        EXPECT_EQ(platform.MailServerPasswords, c.serverPasswords) << c.what;
        if (c.server) {
            ASSERT_EQ(sent.size(), 1u) << c.what;
            EXPECT_EQ(sent[0].RecipientAddress, "sue@club.example.org");
        }
    }
}
