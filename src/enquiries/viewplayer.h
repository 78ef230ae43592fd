#pragma once
#include <QDialog>
#include <cstddef>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace mpsec {

struct AppState;
class Platform;
enum class PlayerMove;

// Looks a player up by number or surname and steps through the register.
class TViewDlg : public QDialog {
    Q_OBJECT
  public:
    TViewDlg(AppState& state, Platform& platform, QWidget* parent = nullptr);

    void GetBtnClick();
    void Move(PlayerMove move);
    std::size_t Position() const { return position_; }

    QLineEdit* QMRNoEB;
    QLineEdit* SurnameEB;
    QLineEdit* InitEB;
    QPushButton* GetBtn;
    QLabel* NameLB;
    QLabel* ClubLB;
    QLabel* RankLB;
    QLabel* SelectLbl;
    QListWidget* PlayerLB;
    QLabel* MyImage;
    QPushButton* FirstBtn;
    QPushButton* BackBtn;
    QPushButton* ForwardBtn;
    QPushButton* LastBtn;
    QPushButton* CloseBtn;
    // Points table: rows Last Quarter, This Year, Last Year, Prior Years, Accumulated;
    // columns Gold, Red, Green, Total.
    QLabel* Points[5][4];

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormActivate();
    void PlacePlayerOnForm();
    void DoSurnameSelection();
    void HideSelection();
    void SetMovesEnabled(bool enabled);

    AppState& state_;
    Platform& platform_;
    std::size_t position_ = 0;
};

} // namespace mpsec
