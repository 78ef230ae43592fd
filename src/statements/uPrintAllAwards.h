#pragma once
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace mpsec {

struct AppState;
class Platform;
class TAwardStatementDlg;

// Prints the statement of every active member of a club within a range of surname
// letters, one document each, through the (unseen) statement screen.
class TPrintAllAwardsDlg : public QDialog {
    Q_OBJECT
  public:
    TPrintAllAwardsDlg(AppState& state, Platform& platform, TAwardStatementDlg& statement,
                       QWidget* parent = nullptr);

    void PrintBtnClick();
    void CancelBtnClick() { cancel_ = true; }
    int PrintedCount() const { return printed_; }
    bool Running() const { return running_; }

    QLineEdit* ClubNoEB;
    QComboBox* CB1;
    QComboBox* CB2;
    QPushButton* CloseBtn;
    QPushButton* PrintBtn;
    QPushButton* CancelBtn;

    // During a run, Escape and the window's close button cancel it, as "&Cancel" does.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Runs the statements of the club's members; false when a member stopped the run.
    bool Run(const QString& pdfFile);

    AppState& state_;
    Platform& platform_;
    TAwardStatementDlg& statement_;
    bool cancel_ = false;
    bool running_ = false;
    int printed_ = 0;
};

} // namespace mpsec
