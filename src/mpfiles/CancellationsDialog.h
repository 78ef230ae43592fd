#pragma once
#include "ui/ProgramDialog.h"

#include <string>

class QPushButton;
class QTableWidget;

namespace mpsec {

struct AppState;
class Platform;
class DigitsBox;

// Lists a club's active home-club members; the secretary marks those who left as not
// active, and Save writes them to the club's cancellation file for the federation.
class CancellationsDialog : public ProgramDialog {
    Q_OBJECT
  public:
    CancellationsDialog(AppState& state, Platform& platform, QWidget* parent = nullptr);
    ~CancellationsDialog() override;

    void getMembers();
    // Toggles the "Active " cell of the current row.
    void toggleActive();
    void save();
    // Sends the cancellation file of the club typed to the federation.
    void sendToFederation();

    QString cell(int row, int column) const;
    int rowCount() const;

    DigitsBox* clubBox() const { return clubBox_; }
    QPushButton* getButton() const { return getButton_; }
    QTableWidget* grid() const { return grid_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* sendButton() const { return sendButton_; }

  protected:
    void onOpen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fillRows(int rows);
    // "Send to Federation" enabled while the typed club's file holds something.
    void offerToSend();

    AppState& state_;
    Platform& platform_;
    DigitsBox* clubBox_ = nullptr;
    QPushButton* getButton_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    // The club whose members Get listed: the only one Save writes them for.
    std::string listedClub_;
};

} // namespace mpsec
