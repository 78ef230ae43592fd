#pragma once
#include "mpfiles/MPListing.h"
#include "ui/ProgramDialog.h"

#include <QStringList>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mpsec {

struct AppState;
class Platform;

// Joins two or more masterpoint files of one type into one file of that type.
class MergeDialog : public ProgramDialog {
    Q_OBJECT
  public:
    MergeDialog(AppState& state, Platform& platform, QWidget* parent = nullptr);

    // Choosing a type (0-4) asks for the files to merge.
    void chooseType(int index);
    void browse();
    void merge();

    // The checked type choice, -1 for none.
    int chosenType() const;
    const QStringList& inputs() const { return inputs_; }

    QRadioButton* typeChoice(int index) const { return typeChoices_[index]; }
    QLineEdit* outputBox() const { return outputBox_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* browseButton() const { return browseButton_; }
    QPushButton* closeButton() const { return closeButton_; }

  protected:
    void onOpen() override;

  private:
    void clearChoice();
    void enableOutput(bool enabled);
    MPType type() const;

    AppState& state_;
    Platform& platform_;
    QButtonGroup* typeGroup_ = nullptr;
    QRadioButton* typeChoices_[5] = {};
    QLineEdit* outputBox_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QStringList inputs_;
    QString initialFolder_;
};

} // namespace mpsec
