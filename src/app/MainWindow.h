#pragma once
#include "app/MenuTable.h"
#include "core/Dates.h"

#include <QMainWindow>
#include <filesystem>
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

// The data folder as the status strip shows it: "Data folder: " and the path, whole up to
// `maxLength` characters, a longer one shortened in the middle (its start and its last
// folders kept).
QString DataFolderStatusText(const QString& nativePath, int maxLength = 60);

// The program's main window: its menu, the status strip with today's date, the data folder
// and the register's date, the change of data folder, and the start-up and close-down of
// the program's state.
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
    // Makes `folder` the data folder when it holds both registers and they load: the open
    // windows are closed, the folder is remembered and shown. Otherwise says why and keeps
    // the current one; false then.
    bool changeDataFolder(const std::filesystem::path& folder);
    QMenu* recentFoldersMenu() const { return recentMenu_; }

    QLabel* dateLabel() const { return dateLabel_; }
    QLabel* registerDateLabel() const { return registerDateLabel_; }
    QLabel* dataFolderLabel() const { return folderLabel_; }

  signals:
    // The data folder has changed (the program entry follows it with the current folder).
    void dataFolderChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void start();
    void saveSettingsAndRestore();
    // Writes the settings; the first failure of the run is said, the others are not.
    void saveSettings();
    // Renames the old masterpoint file names of `folder`; the renames refused are said.
    void renameOldMPFiles(const std::filesystem::path& folder);
    void buildMenu();
    void run(MenuCommand command);
    void openModal(MenuCommand command);
    void openAfterOverwriteCheck(MenuCommand command, const SubmissionFile& file);
    void chooseDataFolder();
    // What the window shows of the data folder: the status strip, the award menu, the
    // recent folders.
    void showDataFolder();
    void rememberDataFolder();
    void showRecentFolders();

    QLabel* dateLabel_ = nullptr;
    QLabel* registerDateLabel_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    AppState& state_;
    Platform& platform_;
    DialogSet dialogs_;
    DateFormats savedFormats_;
    QMenu* awardMenu_ = nullptr;
    std::map<MenuCommand, QAction*> items_;
    std::map<QString, QAction*> menus_;
    bool closing_ = false;
    bool registersUsable_ = true;
    bool settingsFailureSaid_ = false;
};

} // namespace mpsec
