#pragma once
#include "enquiries/Extraction.h"
#include "ui/ProgramDialog.h"

#include <QString>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListView;
class QPushButton;
class QSpinBox;
class QStringListModel;
class QWidget;

namespace mpsec {

struct AppState;
class Platform;
class DigitsBox;
class ShowInFolderButton;

// Writes lists of players to text files: all players, the top performers, the most
// improved, a club's home members and inactive players, the inactive players of a file.
class ExtractDialog : public ProgramDialog {
    Q_OBJECT
  public:
    ExtractDialog(AppState& state, Platform& platform, QWidget* parent = nullptr);

    // A new output type, as a click on it gives (type 6 asks for its file).
    void chooseOutputType(OutputType type);
    void setClubOnly(bool ticked);
    // Save: the run with the screen's choices.
    void runExtraction();
    void printList();

    // The choices the screen holds.
    ExtractChoices choices() const;
    // The printed list's heading.
    QString title() const;

    QButtonGroup* outputButtons() const { return outputButtons_; }
    QGroupBox* stateGroup() const { return stateGroup_; }
    QButtonGroup* stateButtons() const { return stateButtons_; }
    QWidget* clubOnlyPanel() const { return clubOnlyPanel_; }
    QCheckBox* clubOnlyBox() const { return clubOnlyBox_; }
    QWidget* alternatePanel() const { return alternatePanel_; }
    QCheckBox* alternateBox() const { return alternateBox_; }
    QWidget* clubPanel() const { return clubPanel_; }
    DigitsBox* clubBox() const { return clubBox_; }
    QWidget* topPanel() const { return topPanel_; }
    QSpinBox* topSpinner() const { return topSpinner_; }
    QWidget* yearPanel() const { return yearPanel_; }
    QSpinBox* yearSpinner() const { return yearSpinner_; }
    QListView* listView() const { return listView_; }
    QStringList listLines() const;
    QLabel* outputLabel() const { return outputLabel_; }
    ShowInFolderButton* showFolderButton() const { return showFolderButton_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* printButton() const { return printButton_; }

  protected:
    void onOpen() override;
    void onClose() override;

  private:
    // The window's sections, built in this order by the constructor.
    void buildOutputChoice();
    void buildStateChoice();
    // The club, alternate-member and minimum-points options beside the choices.
    void buildOptions();
    void buildList();
    void buildButtons();
    // The choices and options at the side, the list and its file name at the right.
    void arrangeSections();
    void connectSignals();

    OutputType outputType() const;
    void setOutputType(OutputType type);
    void applyTypeState(OutputType type);
    void showList(const std::vector<std::string>& lines);
    // The output label and its "Show in Folder", emptied when what they name is gone.
    void clearOutput();

    AppState& state_;
    Platform& platform_;
    // The type the screen was last set to, so a click on the chosen type changes nothing.
    OutputType shownType_ = OutputType::AllPlayers;
    // The text file whose inactive players type 6 lists.
    QString inputFile_;

    QGroupBox* outputGroup_ = nullptr;
    QButtonGroup* outputButtons_ = nullptr;
    QGroupBox* stateGroup_ = nullptr;
    QButtonGroup* stateButtons_ = nullptr;
    QWidget* clubOnlyPanel_ = nullptr;
    QCheckBox* clubOnlyBox_ = nullptr;
    QWidget* alternatePanel_ = nullptr;
    QCheckBox* alternateBox_ = nullptr;
    QWidget* clubPanel_ = nullptr;
    DigitsBox* clubBox_ = nullptr;
    QWidget* topPanel_ = nullptr;
    QSpinBox* topSpinner_ = nullptr;
    QWidget* yearPanel_ = nullptr;
    QSpinBox* yearSpinner_ = nullptr;
    QListView* listView_ = nullptr;
    QStringListModel* listModel_ = nullptr;
    QLabel* outputLabel_ = nullptr;
    ShowInFolderButton* showFolderButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
};

} // namespace mpsec
