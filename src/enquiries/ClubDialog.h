#pragma once
#include "ui/ProgramDialog.h"

#include <QString>

#include <string>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;
class QVBoxLayout;
class QWidget;

namespace mpsec {

struct AppState;
class Platform;

// What the club window shows: the clubs' masterpoint secretaries found by a key word, or
// the active home-club members of every club.
enum class ClubListMode { Secretaries, Membership };

// The club window, in the mode of the menu item that opens it.
class ClubDialog : public ProgramDialog {
    Q_OBJECT
  public:
    ClubDialog(ClubListMode mode, AppState& state, Platform& platform, QWidget* parent = nullptr);

    // Get: the key word's clubs, or the counts of the chosen state.
    void getData();
    void sortList();
    void saveList();

    ClubListMode mode() const { return mode_; }
    // The list's lines, as shown.
    const std::vector<std::string>& lines() const { return lines_; }

    QLineEdit* keyWordBox() const { return keyWordBox_; }
    QWidget* keyWordPanel() const { return keyWordPanel_; }
    QGroupBox* stateGroup() const { return stateGroup_; }
    QButtonGroup* stateButtons() const { return stateButtons_; }
    QListView* listView() const { return listView_; }
    QLabel* totalLabel() const { return totalLabel_; }
    QPushButton* getButton() const { return getButton_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* sortButton() const { return sortButton_; }

  protected:
    void onOpen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The window's sections, built in this order by the constructor.
    // The Get button, the key word (secretaries) and the state choice (membership).
    void buildChoiceRow(QVBoxLayout& layout);
    // The list and its total.
    void buildList(QVBoxLayout& layout);
    void buildButtons(QVBoxLayout& layout);
    void connectSignals();

    void showLines(std::vector<std::string> lines);
    void tidyKeyWord();
    QString Caption() const;

    ClubListMode mode_;
    AppState& state_;
    Platform& platform_;
    std::vector<std::string> lines_;

    QWidget* keyWordPanel_ = nullptr;
    QLineEdit* keyWordBox_ = nullptr;
    QGroupBox* stateGroup_ = nullptr;
    QButtonGroup* stateButtons_ = nullptr;
    QListView* listView_ = nullptr;
    QStringListModel* listModel_ = nullptr;
    QLabel* totalLabel_ = nullptr;
    QPushButton* getButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* sortButton_ = nullptr;
};

} // namespace mpsec
