#pragma once
#include "ui/ProgramDialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QWidget;

namespace mpsec {

struct AppState;
class Platform;
class ManualEntryCells;
class DigitsBox;
class ShowInFolderButton;
struct MemberGridButtons;

// Masterpoints typed by hand and saved as a masterpoint file of one colour, in two modes:
// a club's members listed by Get with only their points typed, or visitors whose numbers
// are typed and looked up in the register.
class ManualEntryDialog : public ProgramDialog {
    Q_OBJECT
  public:
    enum Mode { ClubMembers = 0, Visitors = 1 };

    ManualEntryDialog(AppState& state, Platform& platform, QWidget* parent = nullptr);
    ~ManualEntryDialog() override;

    // Set by the menu just before the dialog is shown; read each time it opens.
    void setEntryMode(int mode) { entryMode_ = mode; }

    void getMembers();
    void save();

    QString cell(int row, int column) const;
    int rowCount() const;

    QRadioButton* colourChoice(int index) const { return colourChoices_[index]; }
    QCheckBox* alternateBox() const { return alternateBox_; }
    QWidget* clubPanel() const { return clubPanel_; }
    DigitsBox* clubBox() const { return clubBox_; }
    QPushButton* getButton() const { return getButton_; }
    QLabel* countLabel() const { return countLabel_; }
    QTableWidget* grid() const { return grid_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* saveButton() const { return saveButton_; }
    ShowInFolderButton* showFolderButton() const { return showFolderButton_; }

  protected:
    void onOpen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The window's sections, built in this order by the constructor.
    QLabel& buildBanner();
    QGroupBox& buildColourChoice();
    // The non-home-members choice, the club box, the grid's buttons and the count.
    MemberGridButtons buildClubChoice();
    void buildGrid(const MemberGridButtons& made);
    void arrangeSections(QLabel& banner, QGroupBox& colourBox);
    void connectSignals();

    void resetGrid(int rows);
    void setRow(int row, const QString& name, const QString& number);
    void setCellText(int row, int column, const QString& text);
    void moveTo(int row, int column);
    void enterKey();
    void tabKey(bool forward);
    void repeatPoints();
    void lookUpVisitor();

    AppState& state_;
    Platform& platform_;
    int entryMode_ = ClubMembers;
    QRadioButton* colourChoices_[3] = {};
    QWidget* alternatePanel_ = nullptr;
    QCheckBox* alternateBox_ = nullptr;
    QWidget* clubPanel_ = nullptr;
    DigitsBox* clubBox_ = nullptr;
    QPushButton* getButton_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QTableWidget* grid_ = nullptr;
    ManualEntryCells* cells_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    ShowInFolderButton* showFolderButton_ = nullptr;
};

} // namespace mpsec
