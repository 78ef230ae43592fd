#pragma once
#include "statements/StatementSession.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace mpsec {

struct AppState;
class Platform;

// One player's statement of awards: promotion block, the year's awards by quarter, the
// club's members in turn, and the printed page.
class TAwardStatementDlg : public QDialog {
    Q_OBJECT
  public:
    TAwardStatementDlg(AppState& state, Platform& platform, QWidget* parent = nullptr);

    // Also driven, unseen, by the all-members run.
    void FormActivate();
    void FormDeactivate();
    void GetBtnClick();
    void NextBtnClick();
    void PreviousBtnClick();
    void PrintBtnClick();
    void PreviewBtnClick();
    // The composed page of the statement shown; printed on the chosen printer.
    ComposedDocument ComposeThisStatement() const;
    void GMPrintThisStatement();

    bool StatementShown() const { return shown_; }
    bool FilesLoaded() const { return session_.Loaded(); }
    const StatementSession::Statement& Shown() const { return statement_; }
    std::size_t CurrentLine() const { return line_; }
    // Every grid row as the screen holds it (the two fixed rows first).
    std::vector<StatementRow> GridRows() const;

    QLineEdit* QMRNoEB;
    QPushButton* GetBtn;
    QPushButton* PreviousBtn;
    QPushButton* NextBtn;
    QLabel* NameLB;
    QLabel* ClubLB;
    QLabel* RankLB;
    QLabel* NextRankLB;
    QLabel* Values[3][3]; // must have, now have, still need x total, gold/red, gold
    QLabel* NoteLB[2];
    QTableWidget* SGFixed; // rows 0 and 1, which stay in view
    QTableWidget* SG;      // the rest
    QPushButton* CloseBtn;
    QPushButton* PrintBtn;
    QPushButton* PreviewBtn;

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ClearTheForm();
    void PlaceDataOnForm();
    void ShowGrid();
    void SetButtonsVisible(bool visible);
    void ShowMember(bool forward);
    void FocusNumber();

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
