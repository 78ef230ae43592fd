#pragma once
#include "ui/ProgramDialog.h"
#include <cstddef>

class QLabel;
class QLineEdit;
class QHBoxLayout;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace mpsec {

class PlayerPanel;

struct AppState;
class Platform;
enum class PlayerMove;

// Looks a player up by number or surname and steps through the register.
class PlayerViewDialog : public ProgramDialog {
    Q_OBJECT
  public:
    PlayerViewDialog(AppState& state, Platform& platform, QWidget* parent = nullptr);

    void lookUp();
    void step(PlayerMove move);
    std::size_t position() const { return position_; }
    // Points table: rows Last Quarter, This Year, Last Year, Prior Years, Accumulated;
    // columns Gold, Red, Green, Total.

    QLineEdit* numberBox() const { return numberBox_; }
    QLineEdit* surnameBox() const { return surnameBox_; }
    QLineEdit* initialBox() const { return initialBox_; }
    QPushButton* getButton() const { return getButton_; }
    PlayerPanel* playerPanel() const { return playerPanel_; }
    QLabel* selectionLabel() const { return selectionLabel_; }
    QListWidget* selectionList() const { return selectionList_; }
    QLabel* picture() const { return picture_; }
    QPushButton* firstButton() const { return firstButton_; }
    QPushButton* previousButton() const { return previousButton_; }
    QPushButton* nextButton() const { return nextButton_; }
    QPushButton* lastButton() const { return lastButton_; }
    QPushButton* closeButton() const { return closeButton_; }
    QLabel* pointsLabel(int row, int column) const { return pointsLabels_[row][column]; }

  protected:
    void onOpen() override;
    void onClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* numberBox_ = nullptr;
    QLineEdit* surnameBox_ = nullptr;
    QLineEdit* initialBox_ = nullptr;
    QPushButton* getButton_ = nullptr;
    PlayerPanel* playerPanel_ = nullptr;
    QLabel* selectionLabel_ = nullptr;
    QListWidget* selectionList_ = nullptr;
    QLabel* picture_ = nullptr;
    QPushButton* firstButton_ = nullptr;
    QPushButton* previousButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QPushButton* lastButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QLabel* pointsLabels_[5][4]{};
    // The window's sections, built in this order by the constructor.
    void buildSearchBoxes(QVBoxLayout& layout);
    void buildPointsTable(QHBoxLayout& middle);
    void buildSelection(QHBoxLayout& middle);
    void buildButtons(QVBoxLayout& layout);
    void connectSignals();
    void resetForOpening();
    void showPlayer();
    void showSurnameSelection();
    void hideSelection();
    void setStepsEnabled(bool enabled);

    AppState& state_;
    Platform& platform_;
    std::size_t position_ = 0;
};

} // namespace mpsec
