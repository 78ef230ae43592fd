#pragma once
#include "ui/FolderChecks.h"

#include <QDialog>

class QCheckBox;

namespace mpsec {

struct AppState;

// Asks before old masterpoint names (.mp?, also the extension of music files) are renamed.
// Whenever it closes, the rename warning is switched to the opposite of its check box.
class OldFilesWarningDialog : public QDialog {
    Q_OBJECT
  public:
    explicit OldFilesWarningDialog(AppState& state, QWidget* parent = nullptr);
    // The result of "No" (see the folder check).
    static constexpr int AnsweredNo = kWarningAnsweredNo;

    QCheckBox* dontShowAgainBox() const { return dontShowAgainBox_; }
    QPushButton* yesButton() const { return yesButton_; }
    QPushButton* noButton() const { return noButton_; }

  private:
    QCheckBox* dontShowAgainBox_ = nullptr;
    QPushButton* yesButton_ = nullptr;
    QPushButton* noButton_ = nullptr;
    AppState& state_;
};

} // namespace mpsec
