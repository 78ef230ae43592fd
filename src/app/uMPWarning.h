#pragma once
#include <QDialog>

class QCheckBox;

namespace mpsec {

struct AppState;

// Asks before old masterpoint names (.mp?, also the extension of music files) are renamed.
// Whenever it closes, the rename warning is switched to the opposite of its check box.
class TMPWarningDlg : public QDialog {
    Q_OBJECT
  public:
    explicit TMPWarningDlg(AppState& state, QWidget* parent = nullptr);
    // The result of "No", the only answer that stops the renaming: "Yes" accepts, and
    // Escape or the window's close button reject, which renames as "Yes" does.
    static constexpr int AnsweredNo = 2;
    QCheckBox* WarningCB;
    QPushButton* YesBtn;
    QPushButton* NoBtn;

  private:
    AppState& state_;
};

} // namespace mpsec
