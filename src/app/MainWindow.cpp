#include "app/MainWindow.h"
#include "core/SystemCalls.h"
#include "core/TextHelpers.h"

#include "app/DataFolderStart.h"
#include "app/Gradient.h"
#include "core/Files.h"
#include "core/ProgramInfo.h"
#include "mpfiles/OldExtensions.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "register/DataFolder.h"
#include "register/StatusLine.h"
#include "statements/History.h"
#include "submissions/SubmissionFiles.h"
#include "ui/AppState.h"
#include "ui/FolderChecks.h"
#include "ui/Hints.h"
#include "ui/MPFileChooser.h"
#include "ui/TextStyles.h"
#include "ui/WrittenFiles.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

void SetHints(bool shown) {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        SetHintsShown(*app, shown);
}

bool IsSeparator(QChar c) {
    return c == '/' || c == '\\';
}

// The messages of the registers of `folder` that did not load, in the order they are said.
std::vector<std::string> LoadRegisters(const fs::path& folder, PlayerRegister& national,
                                       ClubRegister& clubs) {
    std::vector<std::string> problems;
    for (const Status& loaded :
         {LoadPlayerRegister(folder, national), LoadClubRegister(folder, clubs)})
        if (!loaded)
            problems.push_back(loaded.Message());
    return problems;
}

// The masterpoint choosers' folder until another is used: the data folder.
std::string DefaultMPFolder(const fs::path& dataFolder) {
    return QDir::toNativeSeparators(QStringFromPath(dataFolder) + '/').toStdString();
}

} // namespace

QString DataFolderStatusText(const QString& path, int maxLength) {
    const QString prefix = QStringLiteral("Data folder: ");
    if (path.size() <= maxLength)
        return prefix + path;
    const QString ellipsis = QStringLiteral("\u2026");
    // The start: the root (a drive too) and the first folder below it.
    qsizetype head = 0;
    while (head < path.size() && IsSeparator(path[head]))
        ++head;
    if (head + 1 < path.size() && path[head + 1] == ':')
        head += 2;
    while (head < path.size() && IsSeparator(path[head]))
        ++head;
    while (head < path.size() && !IsSeparator(path[head]))
        ++head;
    if (head < path.size())
        ++head;
    head = std::min<qsizetype>(head, maxLength / 2);
    // The end: the last folders that fit whole, else the end of the last one.
    const qsizetype room = std::max<qsizetype>(maxLength - head - ellipsis.size(), 1);
    qsizetype tail = path.size() - room;
    for (qsizetype i = tail; i < path.size(); ++i)
        if (IsSeparator(path[i])) {
            tail = i;
            break;
        }
    return prefix + path.left(head) + ellipsis + path.mid(tail);
}

MainWindow::MainWindow(AppState& state, Platform& platform, QWidget* parent)
    : QMainWindow(parent), state_(state), platform_(platform) {
    setWindowTitle(QString::fromLatin1(kMainCaption));
    resize(798, 534);
    dateLabel_ = BoldLabel(QString(), this);
    registerDateLabel_ = BoldLabel(QStringLiteral("Using NATIONAL.TXT file dated:"), this);
    folderLabel_ = new QLabel(this);
    statusBar()->addWidget(dateLabel_, 1);
    statusBar()->addWidget(folderLabel_);
    statusBar()->addPermanentWidget(registerDateLabel_);
    statusBar()->setFocusPolicy(Qt::StrongFocus);
    // The gradient covers the window's size at its creation, not what a maximised window adds.
    setCentralWidget(new GradientBackground(size(), this));
    buildMenu();
    start();
    attachDialogs(DialogSet{});
}

QAction* MainWindow::menuItem(MenuCommand command) const {
    auto it = items_.find(command);
    return it == items_.end() ? nullptr : it->second;
}

QAction* MainWindow::menuAction(const QString& menuCaption) const {
    auto it = menus_.find(menuCaption);
    return it == menus_.end() ? nullptr : it->second;
}

void MainWindow::buildMenu() {
    std::map<QString, QMenu*> menus;
    for (const MenuItemEntry& entry : kMenuTable) {
        const QString menuCaption = QString::fromLatin1(entry.Menu);
        QAction* action = nullptr;
        if (menuCaption.isEmpty()) {
            action = menuBar()->addAction(QString::fromUtf8(entry.Caption));
        } else {
            QMenu*& menu = menus[menuCaption];
            if (!menu) {
                menu = menuBar()->addMenu(menuCaption);
                menu->setToolTipsVisible(true);
                menus_[menuCaption] = menu->menuAction();
            }
            action = menu->addAction(QString::fromUtf8(entry.Caption));
        }
        if (*entry.Hint)
            action->setToolTip(QString::fromLatin1(entry.Hint));
        items_[entry.Command] = action;
        const MenuCommand command = entry.Command;
        connect(action, &QAction::triggered, this, [this, command] { run(command); });
    }
    for (const MenuHint& hint : kMenuHints)
        menus_.at(QString::fromLatin1(hint.Menu))->setToolTip(QString::fromLatin1(hint.Hint));
    awardMenu_ = menus.at(QString::fromLatin1(kAwardStatementsMenu));
    // The recent folders follow the item that changes the folder.
    for (const MenuItemEntry& entry : kMenuTable) {
        if (entry.Command != MenuCommand::ChangeDataFolder)
            continue;
        QMenu* menu = menus.at(QString::fromLatin1(entry.Menu));
        const QList<QAction*> actions = menu->actions();
        const qsizetype at = actions.indexOf(items_.at(entry.Command));
        recentMenu_ = new QMenu(QStringLiteral("&Recent Data Folders"), menu);
        menu->insertMenu(at + 1 < actions.size() ? actions[at + 1] : nullptr, recentMenu_);
    }
    QAction* showHints = items_.at(MenuCommand::ShowHints);
    showHints->setCheckable(true);
    showHints->setChecked(true);
}

void MainWindow::run(MenuCommand command) {
    switch (command) {
    case MenuCommand::PlayerDetails:
        return openAfterOverwriteCheck(command, kPlayerSubmission);
    case MenuCommand::AwardDetails:
        return openAfterOverwriteCheck(command, kAwardsSubmission);
    case MenuCommand::AwardAdjustment:
        return openAfterOverwriteCheck(command, kAdjustmentSubmission);
    case MenuCommand::ViewMPFile: {
        const QString file = chooseMPFile([this](const QString& folder) {
            if (dialogs_.OldFilesWarning)
                ViewerFolderChange(folder, state_, platform_, *dialogs_.OldFilesWarning);
        });
        if (!file.isEmpty() && dialogs_.ShowViewMP)
            dialogs_.ShowViewMP(file);
        return;
    }
    case MenuCommand::EditMPFile: {
        const QString file = chooseMPFile({});
        if (!file.isEmpty() && dialogs_.ShowEditMP)
            dialogs_.ShowEditMP(file);
        return;
    }
    case MenuCommand::PrinterSetup:
        platform_.PrinterSetup(this);
        statusBar()->setFocus();
        return;
    case MenuCommand::ShowHints: {
        const bool on = items_.at(MenuCommand::ShowHints)->isChecked();
        state_.Settings.ShowHints = on;
        SetHints(on);
        return;
    }
    case MenuCommand::ChangeDataFolder:
        chooseDataFolder();
        return;
    case MenuCommand::Quit:
        close();
        return;
    default:
        openModal(command);
    }
}

void MainWindow::attachDialogs(const DialogSet& dialogs) {
    dialogs_ = dialogs;
    for (const MenuItemEntry& entry : kMenuTable) {
        bool built = dialogs.Windows.count(entry.Command) != 0;
        switch (entry.Command) {
        case MenuCommand::ViewMPFile:
            built = dialogs.ShowViewMP && dialogs.OldFilesWarning;
            break;
        case MenuCommand::EditMPFile:
            built = static_cast<bool>(dialogs.ShowEditMP);
            break;
        case MenuCommand::PrinterSetup:
        case MenuCommand::ShowHints:
        case MenuCommand::ChangeDataFolder:
        case MenuCommand::Quit:
            built = true;
            break;
        default:
            break;
        }
        items_.at(entry.Command)->setEnabled(built);
    }
}

void MainWindow::openModal(MenuCommand command) {
    auto it = dialogs_.Windows.find(command);
    if (it == dialogs_.Windows.end() || !it->second)
        return;
    if (auto before = dialogs_.BeforeOpen.find(command); before != dialogs_.BeforeOpen.end())
        before->second();
    platform_.RunModal(*it->second);
}

void MainWindow::openAfterOverwriteCheck(MenuCommand command, const SubmissionFile& file) {
    if (overwriteCheck(file))
        openModal(command);
}

void MainWindow::start() {
    savedFormats_ = state_.Formats;
    state_.Formats.ShortDateFormat = "dd/mm/yyyy";
    state_.Formats.LongDateFormat = "dddd/mmmm/yyyy";

    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        ConfigureHints(*app);

    // Until a masterpoint folder is remembered the choosers open in the data folder, so a
    // bare typed name (3104326.gld) is found where the federation's files are.
    AppSettings defaults;
    defaults.LastMPFolderUsed = DefaultMPFolder(state_.DataFolder);
    state_.Settings = ReadSettings(platform_.Settings(), defaults);
    // One that followed the last run's data folder follows this run's, however it was
    // chosen (named on the command line, found at the first start).
    const std::string& lastDataFolder = state_.Settings.DataFolder;
    if (state_.Settings.LastMPFolderUsed.empty() ||
        (!lastDataFolder.empty() &&
         state_.Settings.LastMPFolderUsed == DefaultMPFolder(PathFromText(lastDataFolder))))
        state_.Settings.LastMPFolderUsed = defaults.LastMPFolderUsed;
    items_.at(MenuCommand::ShowHints)->setChecked(state_.Settings.ShowHints);
    SetHints(state_.Settings.ShowHints);

    dateLabel_->setText(Latin1(DateLabelText(state_.Today())));

    const fs::path& folder = state_.DataFolder;
    renameOldMPFiles(folder);
    const std::vector<std::string> problems = LoadRegisters(folder, state_.National, state_.Clubs);
    showDataFolder();
    for (const std::string& text : problems)
        platform_.Error(Latin1(text));
    registersUsable_ = problems.empty();
    // A folder whose registers loaded is the one to open next time from the desktop's menu.
    if (registersUsable_)
        rememberDataFolder();
    showRecentFolders();
}

bool MainWindow::changeDataFolder(const fs::path& chosen) {
    // One form of the folder, whichever way it came (the chooser's C:/..., a remembered
    // C:\..., a folder given as .): the menu, the settings and every file name follow it.
    const fs::path folder = WholePath(chosen);
    // Refused as at the first start: the registers it lacks are said, the current folder stays.
    const std::vector<std::string> missing = MissingRegisterMessages(folder);
    for (const std::string& text : missing)
        platform_.Error(Latin1(text));
    if (!missing.empty())
        return false;
    PlayerRegister national;
    ClubRegister clubs;
    const std::vector<std::string> problems = LoadRegisters(folder, national, clubs);
    for (const std::string& text : problems)
        platform_.Error(Latin1(text));
    if (!problems.empty())
        return false;

    // The windows hold what they showed of the old folder's files.
    for (QWidget* window : findChildren<QWidget*>())
        if (window->isWindow() && window->isVisible())
            window->close();
    if (state_.Settings.LastMPFolderUsed == DefaultMPFolder(state_.DataFolder))
        state_.Settings.LastMPFolderUsed = DefaultMPFolder(folder);
    state_.DataFolder = folder;
    state_.ProgramFolder = folder;
    state_.National = std::move(national);
    state_.Clubs = std::move(clubs);
    renameOldMPFiles(folder);
    showDataFolder();
    registersUsable_ = true;
    rememberDataFolder();
    showRecentFolders();
    // Kept at once, so that a start from the desktop's menu opens it even after a crash.
    saveSettings();
    emit dataFolderChanged();
    return true;
}

void MainWindow::chooseDataFolder() {
    FolderRequest request;
    request.Title = QString::fromLatin1(kChooseDataFolderTitle);
    request.InitialFolder = NativePathText(state_.DataFolder);
    for (const std::string& recent : state_.Settings.RecentDataFolders)
        request.Sidebar.append(NativePathText(PathFromText(recent)));
    const QString chosen = platform_.ChooseFolder(request);
    if (!chosen.isEmpty())
        changeDataFolder(PathFromQString(chosen));
}

void MainWindow::showDataFolder() {
    const fs::path& folder = state_.DataFolder;
    const QString path = NativePathText(WholePath(folder));
    folderLabel_->setText(DataFolderStatusText(path));
    folderLabel_->setToolTip(path);
    state_.RegisterDate = FileDate(FindFileNoCase(folder, PlayerRegister::FileName));
    registerDateLabel_->setText(Latin1(NationalLabelText(state_.RegisterDate)));
    awardMenu_->menuAction()->setVisible(AwardFilesPresent(folder));
}

void MainWindow::rememberDataFolder() {
    const std::string folder = PathText(WholePath(state_.DataFolder));
    state_.Settings.DataFolder = folder;
    state_.Settings.RecentDataFolders = WithRecentFolder(state_.Settings.RecentDataFolders, folder);
}

void MainWindow::showRecentFolders() {
    // Later, not now: this may run from one of these items' own triggered signal.
    for (QAction* old : recentMenu_->actions()) {
        recentMenu_->removeAction(old);
        old->deleteLater();
    }
    int place = 0;
    for (const std::string& text : state_.Settings.RecentDataFolders) {
        const fs::path recent = PathFromText(text);
        QString caption = NativePathText(recent);
        caption.replace('&', QStringLiteral("&&"));
        QAction* item = recentMenu_->addAction(QStringLiteral("&%1 ").arg(++place) + caption);
        // The folder in use is marked, not offered.
        const bool current = SamePath(recent, state_.DataFolder);
        item->setCheckable(true);
        item->setChecked(current);
        item->setEnabled(!current);
        connect(item, &QAction::triggered, this, [this, recent] { changeDataFolder(recent); });
    }
    recentMenu_->setEnabled(place > 0);
}

void MainWindow::closeIfRegistersMissing() {
    if (closing_)
        return;
    if (!registersUsable_ || !MissingRegisterMessages(state_.DataFolder).empty())
        close();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Some desktops never make the window active; it must close all the same.
    QTimer::singleShot(0, this, [this] {
        if (!registersUsable_)
            closeIfRegistersMissing();
    });
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        closeIfRegistersMissing();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        saveSettingsAndRestore();
    }
    event->accept();
}

void MainWindow::saveSettingsAndRestore() {
    state_.National.Clear();
    state_.Clubs.Clear();
    saveSettings();
    state_.Formats = savedFormats_;
}

void MainWindow::renameOldMPFiles(const fs::path& folder) {
    if (Status renamed = CheckAndConvertMPFiles(folder); !renamed)
        platform_.Error(QString::fromStdString(renamed.Message())); // names in UTF-8
}

void MainWindow::saveSettings() {
    state_.Settings.ShowHints = items_.at(MenuCommand::ShowHints)->isChecked();
    const Status saved = WriteSettings(platform_.Settings(), state_.Settings);
    if (!saved && !settingsFailureSaid_) {
        settingsFailureSaid_ = true;
        platform_.Error(QString::fromStdString(saved.Message())); // a path in UTF-8
    }
}

bool MainWindow::overwriteCheck(const SubmissionFile& file) {
    const fs::path path = FindFileNoCase(state_.DataFolder, file.FileName);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec)))
        return true;
    platform_.Beep();
    if (!platform_.WarningYesNo(Latin1(file.OverwriteQuestion)))
        return false;
    if (os::Remove(path) != 0) {
        platform_.Error(Latin1(CannotDeleteSubmissionMessage(file)));
        return false;
    }
    return true;
}

QString MainWindow::chooseMPFile(const std::function<void(const QString&)>& onFolderChange) {
    renameOldMPFiles(state_.DataFolder);
    return ChooseMPFile(platform_, QStringLiteral("Select Masterpoint File"),
                        QString::fromStdString(state_.Settings.LastMPFolderUsed), onFolderChange);
}

} // namespace mpsec
