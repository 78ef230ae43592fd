#pragma once
#include "statements/StatementSession.h"

#include "ui/ProgramDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace mpsec {

class DigitsBox;
class PlayerPanel;

struct AppState;
class Platform;

// One player's statement of awards: promotion block, the year's awards by quarter, the
// club's members in turn, and the printed page.
class StatementDialog : public ProgramDialog {
    Q_OBJECT
  public:
    StatementDialog(AppState& state, Platform& platform, QWidget* parent = nullptr);

    // Also driven, unseen, by the all-members run.
    void openAwardFiles();
    void releaseAwardFiles();
    void lookUp();
    void showNextMember();
    void showPreviousMember();
    void print();
    void preview();
    // The statement of an active `player` as Get builds it, without showing it: the
    // all-members run writes it while the screen stays as it is.
    StatementSession::Statement buildStatement(const PlayerRecord& player);
    // The composed page of the statement shown; printed on the chosen printer.
    ComposedDocument composedStatement() const;
    void printStatement();

    bool statementShown() const { return shown_; }
    bool awardFilesLoaded() const { return session_.Loaded(); }
    const StatementSession::Statement& statement() const { return statement_; }
    // Every grid row as the screen holds it (the two fixed rows first).
    std::vector<StatementRow> gridRows() const;

    DigitsBox* numberBox() const { return numberBox_; }
    QPushButton* getButton() const { return getButton_; }
    QPushButton* previousButton() const { return previousButton_; }
    QPushButton* nextButton() const { return nextButton_; }
    PlayerPanel* playerPanel() const { return playerPanel_; }
    QLabel* nextRankLabel() const { return nextRankLabel_; }
    QTableWidget* grid() const { return grid_; }
    QTableWidget* fixedGrid() const { return fixedGrid_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* previewButton() const { return previewButton_; }
    QLabel* promotionLabel(int row, int column) const { return promotionLabels_[row][column]; }

  protected:
    void onOpen() override;
    void onClose() override;

  private:
    DigitsBox* numberBox_ = nullptr;
    QPushButton* getButton_ = nullptr;
    QPushButton* previousButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    PlayerPanel* playerPanel_ = nullptr;
    QLabel* nextRankLabel_ = nullptr;
    QTableWidget* fixedGrid_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* previewButton_ = nullptr;
    QLabel* promotionLabels_[3][3]{};
    QLabel* noteLabels_[2]{};
    // The window's sections, built in this order by the constructor.
    void buildNumberRow(QVBoxLayout& layout);
    void buildPromotionBlock(QVBoxLayout& layout);
    // The two award grids; gives the width they are given.
    int buildGrids(QVBoxLayout& layout);
    // Sizes both grids' rows and columns for their font (again when it changes, as on a
    // screen of another resolution); gives their width.
    int fitGridsToFont();
    // Widens a column whose text is wider than it (a font wider than the one the widths were
    // set for, as another system may put in its place); returns the grids' width.
    int widenColumnsToText();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void buildButtons(QVBoxLayout& layout);
    void placeOnScreen(int width);
    void connectSignals();
    void clearForm();
    void showPanels();
    void showGrid();
    void setStatementButtonsVisible(bool visible);
    void showMember(bool forward);
    void focusNumber();

    AppState& state_;
    Platform& platform_;
    StatementSession session_;
    std::string loadError_;
    StatementSession::Statement statement_;
    bool shown_ = false;
    std::size_t line_ = 0;
    std::string statementClub_;
    int rankIndex_ = 0;
};

} // namespace mpsec
