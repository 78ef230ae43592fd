#pragma once
#include "ui/ProgramDialog.h"

#include <cstddef>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mpsec {

class DigitsBox;

struct AppState;
class Platform;
class StatementDialog;

// Prints the statement of every active member of a club within a range of surname
// letters, one document each, through the (unseen) statement screen.
class ClubStatementsDialog : public ProgramDialog {
    Q_OBJECT
  public:
    ClubStatementsDialog(AppState& state, Platform& platform, StatementDialog& statement,
                         QWidget* parent = nullptr);

    // Whether the run of the club and letters has members; says why not (with a beep).
    bool runHasMembers(const std::string& club, const std::string& from, const std::string& to);
    void printStatements();
    // Sends the statements of the same members by e-mail, to the addresses of the
    // members' address list, after saying whom it will send them to.
    void emailStatements();
    void cancelRun() { cancel_ = true; }
    int printedCount() const { return printed_; }
    bool running() const { return running_; }

    // During a run, Escape and the window's close button cancel it, as "&Cancel" does.
    void reject() override;

    DigitsBox* clubBox() const { return clubBox_; }
    QComboBox* fromBox() const { return fromBox_; }
    QComboBox* toBox() const { return toBox_; }
    // Checked: the run writes a PDF file per member into a folder chosen, whatever printer
    // the desktop offers.
    QCheckBox* pdfFilesBox() const { return pdfFilesBox_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* emailButton() const { return emailButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    // During an e-mail run: the message being sent ("3 of 40: ANNE ADAMS").
    QLabel* progressLabel() const { return progressLabel_; }

  protected:
    void onOpen() override;
    void onClose() override;

  private:
    DigitsBox* clubBox_ = nullptr;
    QComboBox* fromBox_ = nullptr;
    QComboBox* toBox_ = nullptr;
    QCheckBox* pdfFilesBox_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* emailButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    // Runs the statements of the club's members, printed or, with a folder, written as PDF
    // files in it; false when a member stopped the run.
    bool runClub(const QString& pdfFolder);
    // The members' statements as PDF files in `folder`, drawn on all cores.
    bool writeClubPdfs(const std::vector<std::size_t>& lines, const QString& folder);
    // The end of an e-mail run, from which it can be printed and saved as CSV.
    void showEmailSummary(const std::string& text, const std::string& csv, const std::string& club,
                          const std::string& year);
    // The buttons of a running run and of an idle window.
    void showRunning(bool running);

    AppState& state_;
    Platform& platform_;
    StatementDialog& statement_;
    bool cancel_ = false;
    bool running_ = false;
    int printed_ = 0;
};

} // namespace mpsec
