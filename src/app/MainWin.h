#pragma once
#include "app/Startup.h"

#include <QMainWindow>
#include <functional>
#include <map>

class QLabel;
class QMenu;

namespace mpsec {

struct AppState;
class Platform;
class TAboutBox;
class TClubMPDlg;
class TMPWarningDlg;

// The windows the main menu opens, created once by the program entry. A window not
// built yet is null, and its menu item is shown disabled.
struct DialogSet {
    QDialog* View = nullptr;
    QDialog* Extract = nullptr;
    TAboutBox* About = nullptr;
    TClubMPDlg* ClubMP = nullptr;
    // The masterpoint view and editor take the chosen file before they are shown.
    std::function<void(const QString& file)> ShowViewMP;
    QDialog* PlayerDetails = nullptr;
    QDialog* AwardDetails = nullptr;
    QDialog* AwardAdjust = nullptr;
    std::function<void(const QString& file)> ShowEditMP;
    QDialog* Manual = nullptr;
    QDialog* Cancellation = nullptr;
    QDialog* AwardStatement = nullptr;
    QDialog* MergeMPFiles = nullptr;
    QDialog* PrintAllAwards = nullptr;
    TMPWarningDlg* MPWarning = nullptr;
    // The club dialog's secretaries and membership views are not built yet.
    bool ClubViewsBuilt = false;
};

class TMainWin : public QMainWindow {
    Q_OBJECT
  public:
    TMainWin(AppState& state, Platform& platform, QWidget* parent = nullptr);

    void AttachDialogs(const DialogSet& dialogs);

    // The menu item (or top-level item) with this caption, "&" included.
    QAction* MenuItem(const QString& caption) const;
    QMenu* AwardStatementsMenu() const { return awardMenu_; }

    // Removes the old submission file after a Yes; false when the command must stop.
    bool OverwriteCheck(const SubmissionFile& file);
    // Renames old names, then lets the user choose a masterpoint file; empty if cancelled.
    QString ChooseMPFile(const std::function<void(const QString&)>& onFolderChange);
    void FormActivate();

    QLabel* DateLabel;
    QLabel* NationalTextLbl;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void FormCreate();
    void FormClose();
    void BuildMenu();
    QAction* AddItem(QMenu* menu, const QString& caption);
    void OpenModal(QDialog* dialog);

    AppState& state_;
    Platform& platform_;
    DialogSet dialogs_;
    DateFormats savedFormats_;
    QMenu* awardMenu_ = nullptr;
    QAction* showHints_ = nullptr;
    std::map<QString, QAction*> items_;
    bool closing_ = false;
    bool registersUsable_ = true;
};

} // namespace mpsec
