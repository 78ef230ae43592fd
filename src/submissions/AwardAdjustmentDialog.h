#pragma once
#include "submissions/SubmissionForm.h"
#include "ui/ProgramDialog.h"

class QComboBox;
class QLabel;
class QVBoxLayout;

namespace mpsec {

struct AppState;
class Platform;
struct BoxRule;
class RuleBox;

// Applications to move points reported under one player number to another, appended to
// AAAFORM.TXT. Only the number receiving the points must be in the register.
class AwardAdjustmentDialog : public ProgramDialog {
    Q_OBJECT
  public:
    AwardAdjustmentDialog(AppState& state, Platform& platform, QWidget* parent = nullptr);

    void append();
    // Empties the fields; after an append the club number and the name stay.
    // Empties every box (Clear All, opening the form).
    void clearAllFields();
    // Empties the boxes of one entry, keeping those that stay the same from one to the next.
    void clearEntryFields();
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
    RuleBox* greenBox() const { return greenBox_; }
    QLabel* fileNameLabel() const { return fileNameLabel_; }
    const SubmissionButtons& buttons() const { return buttons_; }

  protected:
    void onOpen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The window's sections, built in this order by the constructor.
    void buildBoxes();
    // The club and who authorised it, then the event's code, quarter and year.
    void arrangeEventDetails(QVBoxLayout& layout);
    // The numbers the points move between and the points.
    void arrangePoints(QVBoxLayout& layout);
    void buildButtons(QVBoxLayout& layout);
    void setTypingOrder();
    // An entry box of the form with its rule and hint; a number box beeps at Enter.
    RuleBox* makeBox(const BoxRule& rule, const QString& hint);

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
