#pragma once
#include "submissions/SubmissionForm.h"
#include "ui/ProgramDialog.h"

class QComboBox;
class QLabel;

namespace mpsec {

struct AppState;
class Platform;
class RuleBox;

// Applications to move points reported under one player number to another, appended to
// AAAFORM.TXT. Only the number receiving the points must be in the register.
class AwardAdjustmentDialog : public ProgramDialog {
    Q_OBJECT
  public:
    AwardAdjustmentDialog(AppState& state, Platform& platform, QWidget* parent = nullptr);

    void append();
    // Empties the fields; after an append the club number and the name stay.
    void clearFields(bool afterAppend = false);
    // Checks the add-to number against the register.
    void checkAddToNumber();

    RuleBox* clubBox() const { return clubBox_; }
    RuleBox* authorisedBox() const { return authorisedBox_; }
    RuleBox* codeBox() const { return codeBox_; }
    QComboBox* quarterList() const { return quarterList_; }
    QComboBox* yearList() const { return yearList_; }
    RuleBox* deductFromBox() const { return deductFromBox_; }
    RuleBox* addToBox() const { return addToBox_; }
    RuleBox* goldBox() const { return goldBox_; }
    RuleBox* redBox() const { return redBox_; }
    RuleBox* greenBox() const { return greenBox_; }
    QLabel* fileNameLabel() const { return fileNameLabel_; }
    const SubmissionButtons& buttons() const { return buttons_; }

  protected:
    void onOpen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AppState& state_;
    Platform& platform_;
    bool checking_ = false;
    RuleBox* clubBox_ = nullptr;
    RuleBox* authorisedBox_ = nullptr;
    RuleBox* codeBox_ = nullptr;
    QComboBox* quarterList_ = nullptr;
    QComboBox* yearList_ = nullptr;
    RuleBox* deductFromBox_ = nullptr;
    RuleBox* addToBox_ = nullptr;
    RuleBox* goldBox_ = nullptr;
    RuleBox* redBox_ = nullptr;
    RuleBox* greenBox_ = nullptr;
    QLabel* fileNameLabel_ = nullptr;
    SubmissionButtons buttons_;
};

} // namespace mpsec
