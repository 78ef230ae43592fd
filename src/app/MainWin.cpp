#include "app/MainWin.h"

#include "app/About.h"
#include "app/AppState.h"
#include "app/FolderChecks.h"
#include "app/Hints.h"
#include "app/MPExtensions.h"
#include "app/Widgets.h"
#include "app/uMPWarning.h"
#include "core/Files.h"
#include "enquiries/uClubMP.h"
#include "platform/Latin1.h"
#include "platform/Platform.h"
#include "register/ClubRegister.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace fs = std::filesystem;

namespace mpsec {

TMainWin::TMainWin(AppState& state, Platform& platform, QWidget* parent)
    : QMainWindow(parent), state_(state), platform_(platform) {
    setWindowTitle(QString::fromLatin1(kMainCaption));
    resize(798, 534);
    DateLabel = BoldLabel(QString(), this);
    NationalTextLbl = BoldLabel(QStringLiteral("Using NATIONAL.TXT file dated:"), this);
    statusBar()->addWidget(DateLabel, 1);
    statusBar()->addPermanentWidget(NationalTextLbl);
    statusBar()->setFocusPolicy(Qt::StrongFocus);
    BuildMenu();
    FormCreate();
    AttachDialogs(DialogSet{});
}

QAction* TMainWin::AddItem(QMenu* menu, const QString& caption) {
    QAction* action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    items_[caption] = action;
    return action;
}

QAction* TMainWin::MenuItem(const QString& caption) const {
    auto it = items_.find(caption);
    return it == items_.end() ? nullptr : it->second;
}

void TMainWin::BuildMenu() {
    QMenu* players = menuBar()->addMenu(QStringLiteral("&Players"));
    players->menuAction()->setToolTip(QStringLiteral("Click Here to Start"));
    items_[QStringLiteral("&Players")] = players->menuAction();
    AddItem(players, QStringLiteral("&View a Player"));
    AddItem(players, QStringLiteral("&Extract Selected Players"));
    AddItem(players, QStringLiteral("&Create QMR Data for Email Transmission"));

    QMenu* mp = menuBar()->addMenu(QStringLiteral("&Master Points"));
    items_[QStringLiteral("&Master Points")] = mp->menuAction();
    AddItem(mp, QStringLiteral("&View Master Point Information in a MP File"));
    AddItem(mp, QStringLiteral("&Edit Master Point Information in a MP File"));
    AddItem(mp, QStringLiteral("&Merge Master Point Files"));
    AddItem(mp, QStringLiteral("Create Cover Page for &Awards (State MP-Secs only)"));
    AddItem(mp, QStringLiteral("&Create QMR Award Adjustment Application for Email Transmission "));

    QMenu* clubs = menuBar()->addMenu(QStringLiteral("&Clubs"));
    items_[QStringLiteral("&Clubs")] = clubs->menuAction();
    AddItem(clubs, QStringLiteral("&View Club MP Secretaries"));
    AddItem(clubs, QStringLiteral("Home Club Membership Nos."));

    QMenu* manual = menuBar()->addMenu(QStringLiteral("Manual &Files"));
    manual->menuAction()->setToolTip(QStringLiteral("For Club with YUX Scorer"));
    items_[QStringLiteral("Manual &Files")] = manual->menuAction();
    AddItem(manual, QStringLiteral("Enter &Club Members MP Manually"));
    AddItem(manual, QStringLiteral("Enter &Visitors MP Manually"));
    AddItem(manual, QStringLiteral("&Annual Membership Cancellations"));

    awardMenu_ = menuBar()->addMenu(QStringLiteral("A&ward Statements"));
    items_[QStringLiteral("A&ward Statements")] = awardMenu_->menuAction();
    AddItem(awardMenu_, QStringLiteral("&Single Player"));
    AddItem(awardMenu_, QStringLiteral("&All Club Members"));

    QMenu* setup = menuBar()->addMenu(QStringLiteral("&Setup"));
    items_[QStringLiteral("&Setup")] = setup->menuAction();
    QAction* printerSetup = AddItem(setup, QStringLiteral("&Printer Setup"));
    showHints_ = AddItem(setup, QStringLiteral("Show Program Hints"));
    showHints_->setCheckable(true);
    showHints_->setChecked(true);

    QAction* about = AddItem(nullptr, QStringLiteral("&About"));
    QAction* quit = AddItem(nullptr, QStringLiteral("&Quit"));

    for (QMenu* menu : {players, mp, clubs, manual, awardMenu_, setup})
        menu->setToolTipsVisible(true);

    connect(printerSetup, &QAction::triggered, this, [this] {
        platform_.PrinterSetup(this);
        statusBar()->setFocus();
    });
    connect(showHints_, &QAction::toggled, this, [this](bool on) {
        state_.Settings.ShowHints = on;
        if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
            SetHintsShown(*app, on);
    });
    connect(about, &QAction::triggered, this, [this] { OpenModal(dialogs_.About); });
    connect(quit, &QAction::triggered, this, &QWidget::close);

    auto open = [this](const char* caption, QDialog* DialogSet::*dialog) {
        connect(MenuItem(QString::fromLatin1(caption)), &QAction::triggered, this,
                [this, dialog] { OpenModal(dialogs_.*dialog); });
    };
    open("&View a Player", &DialogSet::View);
    open("&Extract Selected Players", &DialogSet::Extract);
    open("&Merge Master Point Files", &DialogSet::MergeMPFiles);
    open("&Annual Membership Cancellations", &DialogSet::Cancellation);
    open("&Single Player", &DialogSet::AwardStatement);
    open("&All Club Members", &DialogSet::PrintAllAwards);

    auto submission = [this](const char* caption, const SubmissionFile& file,
                             QDialog* DialogSet::*dialog) {
        connect(MenuItem(QString::fromLatin1(caption)), &QAction::triggered, this,
                [this, &file, dialog] {
                    if (OverwriteCheck(file))
                        OpenModal(dialogs_.*dialog);
                });
    };
    submission("&Create QMR Data for Email Transmission", kPlayerSubmission,
               &DialogSet::PlayerDetails);
    submission("Create Cover Page for &Awards (State MP-Secs only)", kAwardsSubmission,
               &DialogSet::AwardDetails);
    submission("&Create QMR Award Adjustment Application for Email Transmission ",
               kAdjustmentSubmission, &DialogSet::AwardAdjust);

    connect(MenuItem(QStringLiteral("&View Master Point Information in a MP File")),
            &QAction::triggered, this, [this] {
                QString file = ChooseMPFile([this](const QString& folder) {
                    if (dialogs_.MPWarning)
                        ViewerFolderChange(folder, state_, platform_, *dialogs_.MPWarning);
                });
                if (!file.isEmpty() && dialogs_.ShowViewMP)
                    dialogs_.ShowViewMP(file);
            });
    connect(MenuItem(QStringLiteral("&Edit Master Point Information in a MP File")),
            &QAction::triggered, this, [this] {
                QString file = ChooseMPFile({});
                if (!file.isEmpty() && dialogs_.ShowEditMP)
                    dialogs_.ShowEditMP(file);
            });
}

void TMainWin::AttachDialogs(const DialogSet& dialogs) {
    dialogs_ = dialogs;
    auto enable = [this](const char* caption, bool built) {
        MenuItem(QString::fromLatin1(caption))->setEnabled(built);
    };
    enable("&View a Player", dialogs.View);
    enable("&Extract Selected Players", dialogs.Extract);
    enable("&Create QMR Data for Email Transmission", dialogs.PlayerDetails);
    enable("&View Master Point Information in a MP File", dialogs.ShowViewMP && dialogs.MPWarning);
    enable("&Edit Master Point Information in a MP File", static_cast<bool>(dialogs.ShowEditMP));
    enable("&Merge Master Point Files", dialogs.MergeMPFiles);
    enable("Create Cover Page for &Awards (State MP-Secs only)", dialogs.AwardDetails);
    enable("&Create QMR Award Adjustment Application for Email Transmission ", dialogs.AwardAdjust);
    enable("&View Club MP Secretaries", dialogs.ClubMP && dialogs.ClubViewsBuilt);
    enable("Home Club Membership Nos.", dialogs.ClubMP && dialogs.ClubViewsBuilt);
    enable("Enter &Club Members MP Manually", dialogs.Manual);
    enable("Enter &Visitors MP Manually", dialogs.Manual);
    enable("&Annual Membership Cancellations", dialogs.Cancellation);
    enable("&Single Player", dialogs.AwardStatement);
    enable("&All Club Members", dialogs.PrintAllAwards);
    enable("&About", dialogs.About);
}

void TMainWin::OpenModal(QDialog* dialog) {
    if (dialog)
        platform_.RunModal(*dialog);
}

void TMainWin::FormCreate() {
    savedFormats_ = state_.Formats;
    state_.Formats.ShortDateFormat = "dd/mm/yyyy";
    state_.Formats.LongDateFormat = "dddd/mmmm/yyyy";

    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        ConfigureHints(*app);

    AppSettings defaults;
    defaults.LastMPFolderUsed = QDir::toNativeSeparators(QDir::homePath() + '/').toStdString();
    state_.Settings = ReadSettings(platform_.Settings(), defaults);
    showHints_->setChecked(state_.Settings.ShowHints);
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        SetHintsShown(*app, state_.Settings.ShowHints);

    std::error_code ec;
    state_.ProgramFolder = fs::current_path(ec);
    DateLabel->setText(Latin1(DateLabelText(state_.Today())));

    CheckAndConvertMPFiles(".");

    const fs::path national = FindFileNoCase(".", PlayerRegister::FileName);
    state_.RegisterDate = FileDate(national);
    NationalTextLbl->setText(Latin1(NationalLabelText(state_.RegisterDate)));

    std::vector<std::string> problems;
    if (!fs::exists(national, ec)) {
        problems.push_back(kMissingNationalMessage);
        state_.National.Clear();
    } else if (auto problem = RegisterReadProblem(national, "NATIONAL.TXT")) {
        problems.push_back(*problem);
        state_.National.Clear();
    } else {
        state_.National.Load(national);
    }
    const fs::path clubs = FindFileNoCase(".", ClubRegister::FileName);
    if (!fs::exists(clubs, ec))
        problems.push_back(kMissingClubsMessage);
    else if (auto problem = RegisterReadProblem(clubs, "NATIONAL.CLB"))
        problems.push_back(*problem);
    for (const std::string& text : problems)
        platform_.Error(Latin1(text));
    registersUsable_ = problems.empty();

    awardMenu_->menuAction()->setVisible(AwardFilesPresent("."));
}

void TMainWin::FormActivate() {
    if (closing_)
        return;
    if (!registersUsable_ || !MissingRegisterMessages(".").empty())
        close();
}

void TMainWin::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Some desktops never make the window active; it must close all the same.
    QTimer::singleShot(0, this, [this] {
        if (!registersUsable_)
            FormActivate();
    });
}

void TMainWin::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TMainWin::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        FormClose();
    }
    event->accept();
}

void TMainWin::FormClose() {
    state_.National.Clear();
    state_.Settings.ShowHints = showHints_->isChecked();
    WriteSettings(platform_.Settings(), state_.Settings);
    state_.Formats = savedFormats_;
}

bool TMainWin::OverwriteCheck(const SubmissionFile& file) {
    const fs::path path = FindFileNoCase(".", file.FileName);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec)))
        return true;
    platform_.Beep();
    if (!platform_.WarningYesNo(Latin1(file.OverwriteQuestion)))
        return false;
    if (!fs::remove(path, ec) || ec) {
        platform_.Error(Latin1(CannotDeleteSubmissionMessage(file)));
        return false;
    }
    return true;
}

QString TMainWin::ChooseMPFile(const std::function<void(const QString&)>& onFolderChange) {
    CheckAndConvertMPFiles(".");
    OpenFileRequest request;
    request.Title = QStringLiteral("Select Masterpoint File");
    request.InitialFolder = QString::fromStdString(state_.Settings.LastMPFolderUsed);
    request.Filter = Latin1(MPFileFilter());
    request.OnFolderChange = onFolderChange;
    QStringList chosen = platform_.ChooseOpenFiles(request);
    return chosen.isEmpty() ? QString() : chosen.first();
}

} // namespace mpsec
