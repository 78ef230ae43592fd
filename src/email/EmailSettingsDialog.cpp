#include "email/EmailSettingsDialog.h"

#include "core/TextHelpers.h"
#include "email/AddressList.h"
#include "email/EmailRun.h"
#include "email/EmailSettingsChecks.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "ui/AppState.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace mpsec {

namespace {

// The security list's order.
constexpr MailSecurity kSecurities[] = {MailSecurity::StartTls, MailSecurity::Ssl,
                                        MailSecurity::None};

int SecurityIndex(MailSecurity security) {
    for (int i = 0; i < 3; ++i)
        if (kSecurities[i] == security)
            return i;
    return 0;
}

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

std::string Utf8(const QLineEdit* box) {
    return box->text().trimmed().toStdString();
}

// A box beside its Browse… button.
QHBoxLayout* WithButton(QLineEdit* box, QPushButton* button) {
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(button);
    return row;
}

// A row of the form whose field is a layout: its caption's key goes to the box.
void AddBoxRow(QFormLayout& form, const QString& caption, QLineEdit* box, QLayout* row) {
    auto* label = new QLabel(caption, box->parentWidget());
    label->setBuddy(box);
    form.addRow(label, row);
}

} // namespace

EmailSettingsDialog::EmailSettingsDialog(AppState& state, Platform& platform, QWidget* parent)
    : ProgramDialog(parent), state_(state), platform_(platform) {
    setWindowTitle(QStringLiteral("E-mail Settings"));
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->addTab(buildServerPage(), QStringLiteral("Ser&ver"));
    pages_->addTab(buildMessagePage(), QStringLiteral("&Message"));
    pages_->addTab(buildFederationPage(), QStringLiteral("&Federation"));
    layout->addWidget(pages_);
    buildButtons();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons);
    resize(620, 520);
}

QWidget* EmailSettingsDialog::buildServerPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    hostBox_ = new QLineEdit(page);
    hostBox_->setPlaceholderText(QStringLiteral("e.g. smtp.example.org"));
    form->addRow(QStringLiteral("Outgoing &server:"), hostBox_);
    securityList_ = new QComboBox(page);
    securityList_->addItems({QStringLiteral("STARTTLS"), QStringLiteral("SSL/TLS"),
                             QStringLiteral("None (this computer only)")});
    form->addRow(QStringLiteral("Se&curity:"), securityList_);
    portBox_ = new QLineEdit(page);
    form->addRow(QStringLiteral("&Port:"), portBox_);
    userBox_ = new QLineEdit(page);
    userBox_->setPlaceholderText(QStringLiteral("empty: the server needs no login"));
    form->addRow(QStringLiteral("&User name:"), userBox_);
    passwordBox_ = new QLineEdit(page);
    passwordBox_->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Pass&word:"), passwordBox_);
    passwordNote_ = new QLabel(page);
    passwordNote_->setWordWrap(true);
    form->addRow(QString(), passwordNote_);
    senderNameBox_ = new QLineEdit(page);
    form->addRow(QStringLiteral("Sender's &name:"), senderNameBox_);
    senderAddressBox_ = new QLineEdit(page);
    form->addRow(QStringLiteral("Sender's &address:"), senderAddressBox_);
    certificateBox_ = new QLineEdit(page);
    certificateBox_->setPlaceholderText(QStringLiteral("empty: the system's trusted certificates"));
    auto* browse = new QPushButton(QStringLiteral("Browse\u2026"), page);
    connect(browse, &QPushButton::clicked, this, &EmailSettingsDialog::browseCertificate);
    AddBoxRow(*form, QStringLiteral("Cer&tificate file:"), certificateBox_,
              WithButton(certificateBox_, browse));
    testButton_ = new QPushButton(QStringLiteral("Send T&est Message"), page);
    testButton_->setToolTip(QStringLiteral("Sends a message to the sender's own address"));
    connect(testButton_, &QPushButton::clicked, this, &EmailSettingsDialog::sendTestMessage);
    form->addRow(QString(), testButton_);
    connect(securityList_, &QComboBox::currentIndexChanged, this,
            &EmailSettingsDialog::followSecurity);
    return page;
}

QWidget* EmailSettingsDialog::buildMessagePage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    addressListBox_ = new QLineEdit(page);
    addressListBox_->setPlaceholderText(QStringLiteral("a CSV file: member number and address"));
    auto* browse = new QPushButton(QStringLiteral("Browse\u2026"), page);
    connect(browse, &QPushButton::clicked, this, &EmailSettingsDialog::browseAddressList);
    checkListButton_ = new QPushButton(QStringLiteral("C&heck List"), page);
    connect(checkListButton_, &QPushButton::clicked, this, &EmailSettingsDialog::checkAddressList);
    auto* listRow = WithButton(addressListBox_, browse);
    listRow->addWidget(checkListButton_);
    AddBoxRow(*form, QStringLiteral("Members' &addresses:"), addressListBox_, listRow);
    subjectBox_ = new QLineEdit(page);
    form->addRow(QStringLiteral("&Subject:"), subjectBox_);
    bodyBox_ = new QPlainTextEdit(page);
    bodyBox_->setTabChangesFocus(true);
    form->addRow(QStringLiteral("&Body:"), bodyBox_);
    auto* placeholders = new QLabel(
        QStringLiteral("In the subject and the body, these are replaced for each member:\n"
                       "{name}  the member's name,  {year}  the statement's year,\n"
                       "{club number}  {club name}  the club's,  {sender}  the sender's name."),
        page);
    form->addRow(QString(), placeholders);
    return page;
}

QWidget* EmailSettingsDialog::buildFederationPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    auto* intro = new QLabel(QStringLiteral("Where the files for the federation are sent. A kind "
                                            "of file goes to the federation's address unless "
                                            "an address is given for it."),
                             page);
    intro->setWordWrap(true);
    form->addRow(intro);
    const char* captions[] = {"The federation's &address:", "&Player details:", "A&wards:",
                              "Award a&djustments:", "&Cancellations:"};
    for (int i = 0; i < 5; ++i) {
        federationBoxes_[i] = new QLineEdit(page);
        if (i > 0)
            federationBoxes_[i]->setPlaceholderText(QStringLiteral("the federation's address"));
        form->addRow(QString::fromLatin1(captions[i]), federationBoxes_[i]);
    }
    return page;
}

void EmailSettingsDialog::buildButtons() {
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    connect(okButton_, &QPushButton::clicked, this, &EmailSettingsDialog::keep);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void EmailSettingsDialog::onOpen() {
    const EmailSettings s = ReadEmailSettings(platform_.Settings());
    hostBox_->setText(Text(s.Host));
    {
        // Shown as kept: the port is not moved to the usual one of the security.
        const QSignalBlocker quiet(securityList_);
        securityList_->setCurrentIndex(SecurityIndex(s.Security));
    }
    shownSecurity_ = s.Security;
    portBox_->setText(QString::number(s.Port));
    userBox_->setText(Text(s.User));
    passwordBox_->clear();
    senderNameBox_->setText(Text(s.SenderName));
    senderAddressBox_->setText(Text(s.SenderAddress));
    certificateBox_->setText(Text(s.CaFile));
    addressListBox_->setText(Text(s.AddressesFile));
    subjectBox_->setText(Text(s.Subject));
    bodyBox_->setPlainText(Text(s.Body));
    const std::string* federation[] = {&s.Federation.Default, &s.Federation.PlayerDetails,
                                       &s.Federation.Awards, &s.Federation.Adjustments,
                                       &s.Federation.Cancellations};
    for (int i = 0; i < 5; ++i)
        federationBoxes_[i]->setText(Text(*federation[i]));
    pages_->setCurrentIndex(0);
    showPasswordNote();
    hostBox_->setFocus();
}

void EmailSettingsDialog::showPasswordNote() {
    const QString kept = QStringLiteral(
        "The password is kept in the system's credential store, never in mpsec's files.");
    passwordBox_->setPlaceholderText(QString());
    const std::string host = Utf8(hostBox_), user = Utf8(userBox_);
    if (user.empty()) {
        passwordNote_->setText(kept);
        return;
    }
    const Result<std::optional<std::string>> read =
        platform_.Credentials().ReadPassword(host, user);
    if (!read) {
        passwordNote_->setText("The password cannot be kept: " + MessageText(read.Message()) +
                               ". It will be asked for at each run.");
        return;
    }
    passwordNote_->setText(kept);
    if (read->has_value())
        passwordBox_->setPlaceholderText(QStringLiteral("kept; type a new one to replace it"));
}

void EmailSettingsDialog::followSecurity(int index) {
    const MailSecurity now = kSecurities[index < 0 ? 0 : index];
    if (PortNumber(portBox_->text().toStdString()) == DefaultPort(shownSecurity_))
        portBox_->setText(QString::number(DefaultPort(now)));
    shownSecurity_ = now;
}

std::string EmailSettingsDialog::filePath(const QLineEdit* box) const {
    const std::string typed = Utf8(box);
    if (typed.empty())
        return typed;
    const std::filesystem::path path = PathFromText(typed);
    return PathText(WholePath(path.is_absolute() ? path : state_.DataFolder / path));
}

EmailSettings EmailSettingsDialog::fieldSettings() const {
    EmailSettings s = ReadEmailSettings(platform_.Settings());
    s.Host = Utf8(hostBox_);
    s.Port = PortNumber(portBox_->text().toStdString()).value_or(0);
    s.Security = kSecurities[securityList_->currentIndex() < 0 ? 0 : securityList_->currentIndex()];
    s.User = Utf8(userBox_);
    s.SenderName = Utf8(senderNameBox_);
    s.SenderAddress = Utf8(senderAddressBox_);
    s.CaFile = filePath(certificateBox_);
    s.AddressesFile = filePath(addressListBox_);
    s.Subject = subjectBox_->text().toStdString();
    s.Body = bodyBox_->toPlainText().toStdString();
    std::string* federation[] = {&s.Federation.Default, &s.Federation.PlayerDetails,
                                 &s.Federation.Awards, &s.Federation.Adjustments,
                                 &s.Federation.Cancellations};
    for (int i = 0; i < 5; ++i)
        *federation[i] = Utf8(federationBoxes_[i]);
    return s;
}

void EmailSettingsDialog::keep() {
    const EmailSettings s = fieldSettings();
    if (Status checked = CheckEmailSettings(s); !checked) {
        platform_.Error(MessageText(checked.Message()));
        return;
    }
    WriteEmailSettings(platform_.Settings(), s);
    if (Status saved = platform_.Settings().Save(); !saved) {
        platform_.Error("The e-mail settings could not be saved: " + MessageText(saved.Message()));
        return;
    }
    const QString typed = passwordBox_->text();
    if (!typed.isEmpty() && !s.User.empty()) {
        if (Status written =
                platform_.Credentials().WritePassword(s.Host, s.User, typed.toStdString());
            !written)
            platform_.Error("The password cannot be kept: " + MessageText(written.Message()) +
                            ".\nIt will be asked for at each run.");
    }
    accept();
}

void EmailSettingsDialog::sendTestMessage() {
    const EmailSettings s = fieldSettings();
    if (Status checked = CheckEmailSettings(s); !checked) {
        platform_.Error(MessageText(checked.Message()));
        return;
    }
    if (Status ready = CheckForSending(s); !ready) {
        platform_.Error(MessageText(ready.Message()));
        return;
    }
    const std::optional<std::string> password = testPassword(s);
    if (!password)
        return;
    SendOutcome sent;
    platform_.Busy([&] {
        std::unique_ptr<MailTransport> server = platform_.MailServer(s, *password);
        if (server)
            sent = server->Send(TestMessage(s));
        else
            sent = {SendOutcome::Kind::Broken, "", "no mail transport could be made"};
    });
    if (sent.What == SendOutcome::Kind::Accepted)
        platform_.Information("The test message was sent to " + Text(s.SenderAddress) +
                              (sent.Reply.empty() ? QString() : " (" + Text(sent.Reply) + ")") +
                              ".");
    else
        platform_.Error("The test message was not sent: " + MessageText(sent.Problem));
}

std::optional<std::string> EmailSettingsDialog::testPassword(const EmailSettings& s) {
    if (s.User.empty())
        return std::string();
    if (!passwordBox_->text().isEmpty())
        return passwordBox_->text().toStdString();
    const Result<std::optional<std::string>> kept =
        platform_.Credentials().ReadPassword(s.Host, s.User);
    if (kept && kept->has_value())
        return **kept;
    // Typed into the box, as if typed there: kept on OK, forgotten on Cancel.
    const std::optional<QString> typed =
        platform_.AskPassword("Password of " + Text(s.User) + " at " + Text(s.Host) + ":");
    if (!typed)
        return std::nullopt;
    passwordBox_->setText(*typed);
    return typed->toStdString();
}

void EmailSettingsDialog::checkAddressList() {
    const std::string file = filePath(addressListBox_);
    if (file.empty()) {
        platform_.Error(QStringLiteral("No address list is set: choose its file first."));
        return;
    }
    const Result<AddressList> list = ReadAddressList(PathFromText(file));
    if (!list) {
        platform_.Error(MessageText(list.Message()));
        return;
    }
    const std::size_t count = list->ByNumber.size();
    QString text = QString::number(count) + (count == 1 ? " address was" : " addresses were") +
                   " read from " + Text(file) + ".";
    if (list->Problems.empty()) {
        text += "\nEvery line gives an address.";
    } else {
        text += QStringLiteral("\n\nThese lines give no address:");
        for (const AddressProblem& problem : list->Problems)
            text += "\nLine " + QString::number(problem.Line) + ": " + MessageText(problem.Why);
    }
    platform_.Information(text);
}

void EmailSettingsDialog::browseAddressList() {
    OpenFileRequest request;
    request.Title = QStringLiteral("Choose the members' address list");
    request.Filter = QStringLiteral("Address lists (CSV)|*.csv;*.CSV;*.txt;*.TXT");
    const QString now = addressListBox_->text().trimmed();
    request.InitialFolder =
        now.isEmpty() ? QStringFromPath(state_.DataFolder) : QFileInfo(now).absolutePath();
    const QStringList chosen = platform_.ChooseOpenFiles(request);
    if (!chosen.isEmpty())
        addressListBox_->setText(chosen.front());
}

void EmailSettingsDialog::browseCertificate() {
    OpenFileRequest request;
    request.Title = QStringLiteral("Choose the server's certificate");
    request.Filter = QStringLiteral("Certificates (PEM)|*.pem;*.crt;*.cer");
    const QString now = certificateBox_->text().trimmed();
    request.InitialFolder =
        now.isEmpty() ? QStringFromPath(state_.DataFolder) : QFileInfo(now).absolutePath();
    const QStringList chosen = platform_.ChooseOpenFiles(request);
    if (!chosen.isEmpty())
        certificateBox_->setText(chosen.front());
}

} // namespace mpsec
