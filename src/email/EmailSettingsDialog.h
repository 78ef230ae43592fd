#pragma once
#include "email/EmailSettings.h"
#include "ui/ProgramDialog.h"

#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace mpsec {

struct AppState;
class Platform;

// The e-mail settings: the outgoing server and its login, the sender, the members' address
// list, the message template and the federation's addresses. OK checks and keeps them (the
// password in the system's credential store, never in mpsec's files); Cancel, Escape and
// the close button leave everything as it was.
class EmailSettingsDialog : public ProgramDialog {
    Q_OBJECT
  public:
    EmailSettingsDialog(AppState& state, Platform& platform, QWidget* parent = nullptr);

    // OK: checks the fields, keeps the settings and the password typed, and closes; a field
    // that is not right is said and the window stays open.
    void keep();
    // Sends the test message to the sender's own address with the settings as they stand.
    void sendTestMessage();
    // Says how many addresses the list gives and every line it cannot use.
    void checkAddressList();
    void browseAddressList();
    void browseCertificate();

    QTabWidget* pages() const { return pages_; }
    QLineEdit* hostBox() const { return hostBox_; }
    QLineEdit* portBox() const { return portBox_; }
    QComboBox* securityList() const { return securityList_; }
    QLineEdit* userBox() const { return userBox_; }
    QLineEdit* passwordBox() const { return passwordBox_; }
    QLabel* passwordNote() const { return passwordNote_; }
    QLineEdit* senderNameBox() const { return senderNameBox_; }
    QLineEdit* senderAddressBox() const { return senderAddressBox_; }
    QLineEdit* certificateBox() const { return certificateBox_; }
    QLineEdit* addressListBox() const { return addressListBox_; }
    QLineEdit* subjectBox() const { return subjectBox_; }
    QPlainTextEdit* bodyBox() const { return bodyBox_; }
    // The federation's boxes: its address, then player details, awards, award adjustments
    // and cancellations.
    QLineEdit* federationBox(int index) const { return federationBoxes_[index]; }
    QPushButton* testButton() const { return testButton_; }
    QPushButton* checkListButton() const { return checkListButton_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

  protected:
    void onOpen() override;

  private:
    // The window's pages, built in this order by the constructor.
    QWidget* buildServerPage();
    QWidget* buildMessagePage();
    QWidget* buildFederationPage();
    void buildButtons();
    // The port follows the security when it was the usual one of the security before.
    void followSecurity(int index);
    // A file named in a box, whole: a name without its folder is taken in the data folder.
    std::string filePath(const QLineEdit* box) const;
    // The settings as the fields give them; the port as typed, 0 when it is no number.
    EmailSettings fieldSettings() const;
    // The password of the test message: none needed without a user name, else the one
    // typed, else the kept one, else asked for (and then put in the password box, so that
    // OK keeps it and Cancel does not). None: cancelled.
    std::optional<std::string> testPassword(const EmailSettings& settings);
    // Says whether the credential store answers, in the note beside the password.
    void showPasswordNote();

    AppState& state_;
    Platform& platform_;
    MailSecurity shownSecurity_ = MailSecurity::StartTls;
    QTabWidget* pages_ = nullptr;
    QLineEdit* hostBox_ = nullptr;
    QLineEdit* portBox_ = nullptr;
    QComboBox* securityList_ = nullptr;
    QLineEdit* userBox_ = nullptr;
    QLineEdit* passwordBox_ = nullptr;
    QLabel* passwordNote_ = nullptr;
    QLineEdit* senderNameBox_ = nullptr;
    QLineEdit* senderAddressBox_ = nullptr;
    QLineEdit* certificateBox_ = nullptr;
    QLineEdit* addressListBox_ = nullptr;
    QLineEdit* subjectBox_ = nullptr;
    QPlainTextEdit* bodyBox_ = nullptr;
    QLineEdit* federationBoxes_[5] = {};
    QPushButton* testButton_ = nullptr;
    QPushButton* checkListButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace mpsec
