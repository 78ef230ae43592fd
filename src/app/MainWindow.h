#pragma once
#include "app/MenuTable.h"
#include "core/Dates.h"

#include <QMainWindow>
#include <functional>
#include <map>

class QAction;
class QLabel;
class QMenu;

namespace mpsec {

struct AppState;
class Platform;
struct SubmissionFile;

// The windows the main menu opens, created once by the program entry. A command given no
// window (a test's partial set) has its menu item shown disabled.
struct DialogSet {
    // The windows a command opens as they are.
    std::map<MenuCommand, QDialog*> Windows;
    // The masterpoint view and editor take the chosen file before they are shown.
    std::function<void(const QString& file)> ShowViewMP;
    std::function<void(const QString& file)> ShowEditMP;
    // Run just before a command's window is shown (the mode of a window serving two items).
    std::map<MenuCommand, std::function<void()>> BeforeOpen;
    // The rename warning shown by the view's folder check.
    QDialog* OldFilesWarning = nullptr;
};

// The program's main window: its menu, the status strip with today's date and the
// register's date, and the start-up and close-down of the program's state.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);

    void attachDialogs(const DialogSet& dialogs);

    // The menu item of a command, or the menu (its own action) with this caption.
    QAction* menuItem(MenuCommand command) const;
    QAction* menuAction(const QString& menuCaption) const;
    QMenu* awardStatementsMenu() const { return awardMenu_; }

    // Removes the old submission file after a Yes; false when the command must stop.
    bool overwriteCheck(const SubmissionFile& file);
    // Renames old names, then lets the user choose a masterpoint file; empty if cancelled.
    QString chooseMPFile(const std::function<void(const QString&)>& onFolderChange);
    void closeIfRegistersMissing();

    QLabel* dateLabel() const { return dateLabel_; }
    QLabel* registerDateLabel() const { return registerDateLabel_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void start();
    void saveSettingsAndRestore();
    void buildMenu();
    void run(MenuCommand command);
    void openModal(MenuCommand command);
    void openAfterOverwriteCheck(MenuCommand command, const SubmissionFile& file);

    QLabel* dateLabel_ = nullptr;
    QLabel* registerDateLabel_ = nullptr;
    AppState& state_;
    Platform& platform_;
    DialogSet dialogs_;
    DateFormats savedFormats_;
    QMenu* awardMenu_ = nullptr;
    std::map<MenuCommand, QAction*> items_;
    std::map<QString, QAction*> menus_;
    bool closing_ = false;
    bool registersUsable_ = true;
};

} // namespace mpsec
