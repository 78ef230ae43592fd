#pragma once
#include "submissions/SubmissionForm.h"
#include "ui/ProgramDialog.h"

class QComboBox;
class QLabel;
class QVBoxLayout;

namespace mpsec {

struct AppState;
class Platform;
class RuleBox;

// The cover page of the masterpoint files a state sends the federation: one line per file
// appended to AWARDS.TXT.
class AwardDetailsDialog : public ProgramDialog {
    Q_OBJECT
  public:
    AwardDetailsDialog(AppState& state, Platform& platform, QWidget* parent = nullptr);

    void append();
    // Empties the fields; after an append the club number and the name stay for the next line.
    // Empties every box (Clear All, opening the form).
    void clearAllFields();
    // Empties the boxes of one entry, keeping those that stay the same from one to the next.
    void clearEntryFields();

    RuleBox* clubBox() const { return clubBox_; }
    RuleBox* requestedByBox() const { return requestedByBox_; }
    RuleBox* descriptionBox() const { return descriptionBox_; }
    QComboBox* monthList() const { return monthList_; }
    QComboBox* eventTypeList() const { return eventTypeList_; }
    RuleBox* fileNameBox() const { return fileNameBox_; }
    RuleBox* pointsBox() const { return pointsBox_; }
    QLabel* fileNameLabel() const { return fileNameLabel_; }
    const SubmissionButtons& buttons() const { return buttons_; }

  protected:
    void onOpen() override;

  private:
    // The window's sections, built in this order by the constructor.
    void buildBoxes();
    // The club and who asks, above the event's details.
    void arrangeRequest(QVBoxLayout& layout);
    void arrangeEventDetails(QVBoxLayout& layout);
    void buildButtons(QVBoxLayout& layout);
    void setTypingOrder();

    AppState& state_;
    Platform& platform_;
    RuleBox* clubBox_ = nullptr;
    RuleBox* requestedByBox_ = nullptr;
    RuleBox* descriptionBox_ = nullptr;
    QComboBox* monthList_ = nullptr;
    QComboBox* eventTypeList_ = nullptr;
    RuleBox* fileNameBox_ = nullptr;
    RuleBox* pointsBox_ = nullptr;
    QLabel* fileNameLabel_ = nullptr;
    SubmissionButtons buttons_;
};

} // namespace mpsec
