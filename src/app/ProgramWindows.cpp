#include "app/ProgramWindows.h"

#include "app/AboutDialog.h"
#include "app/MainWindow.h"
#include "email/EmailSettingsDialog.h"
#include "enquiries/ClubDialog.h"
#include "enquiries/ExtractDialog.h"
#include "enquiries/PlayerViewDialog.h"
#include "help/HelpWindow.h"
#include "mpfiles/CancellationsDialog.h"
#include "mpfiles/MPFileEditorDialog.h"
#include "mpfiles/MPFileViewerDialog.h"
#include "mpfiles/ManualEntryDialog.h"
#include "mpfiles/MergeDialog.h"
#include "mpfiles/OldFilesWarningDialog.h"
#include "platform/Platform.h"
#include "statements/ClubStatementsDialog.h"
#include "statements/StatementDialog.h"
#include "submissions/AwardAdjustmentDialog.h"
#include "submissions/AwardDetailsDialog.h"
#include "submissions/PlayerDetailsDialog.h"

#include <QCoreApplication>

namespace mpsec {

ProgramWindows::ProgramWindows(AppState& state, Platform& platform, MainWindow& mainWindow) {
    DialogSet dialogs;
    playerView_ = std::make_unique<PlayerViewDialog>(state, platform, &mainWindow);
    dialogs.Windows[MenuCommand::ViewPlayer] = playerView_.get();
    extract_ = std::make_unique<ExtractDialog>(state, platform, &mainWindow);
    dialogs.Windows[MenuCommand::ExtractPlayers] = extract_.get();
    about_ = std::make_unique<AboutDialog>(&mainWindow);
    dialogs.Windows[MenuCommand::About] = about_.get();
    // The club window's two screens, one object each, so each menu item opens its own.
    clubSecretaries_ =
        std::make_unique<ClubDialog>(ClubListMode::Secretaries, state, platform, &mainWindow);
    dialogs.Windows[MenuCommand::ClubSecretaries] = clubSecretaries_.get();
    clubMembership_ =
        std::make_unique<ClubDialog>(ClubListMode::Membership, state, platform, &mainWindow);
    dialogs.Windows[MenuCommand::ClubMembership] = clubMembership_.get();
    // The rename warning comes last among the windows, but the viewer needs it from the start.
    oldFilesWarning_ = std::make_unique<OldFilesWarningDialog>(state, &mainWindow);
    mpFileViewer_ =
        std::make_unique<MPFileViewerDialog>(state, platform, *oldFilesWarning_, &mainWindow);
    dialogs.ShowViewMP = [this, &platform](const QString& file) {
        mpFileViewer_->setChosenFile(file);
        platform.RunModal(*mpFileViewer_);
    };
    playerDetails_ = std::make_unique<PlayerDetailsDialog>(state, platform, &mainWindow);
    dialogs.Windows[MenuCommand::PlayerDetails] = playerDetails_.get();
    awardDetails_ = std::make_unique<AwardDetailsDialog>(state, platform, &mainWindow);
    dialogs.Windows[MenuCommand::AwardDetails] = awardDetails_.get();
    awardAdjustment_ = std::make_unique<AwardAdjustmentDialog>(state, platform, &mainWindow);
    dialogs.Windows[MenuCommand::AwardAdjustment] = awardAdjustment_.get();
    mpFileEditor_ = std::make_unique<MPFileEditorDialog>(state, platform, &mainWindow);
    dialogs.ShowEditMP = [this, &platform](const QString& file) {
        mpFileEditor_->setChosenFile(file);
        platform.RunModal(*mpFileEditor_);
    };
    manualEntry_ = std::make_unique<ManualEntryDialog>(state, platform, &mainWindow);
    dialogs.Windows[MenuCommand::ManualClubMembers] = manualEntry_.get();
    dialogs.BeforeOpen[MenuCommand::ManualClubMembers] = [this] {
        manualEntry_->setEntryMode(ManualEntryDialog::ClubMembers);
    };
    dialogs.Windows[MenuCommand::ManualVisitors] = manualEntry_.get();
    dialogs.BeforeOpen[MenuCommand::ManualVisitors] = [this] {
        manualEntry_->setEntryMode(ManualEntryDialog::Visitors);
    };
    cancellations_ = std::make_unique<CancellationsDialog>(state, platform, &mainWindow);
    dialogs.Windows[MenuCommand::Cancellations] = cancellations_.get();
    statement_ = std::make_unique<StatementDialog>(state, platform, &mainWindow);
    dialogs.Windows[MenuCommand::SingleStatement] = statement_.get();
    merge_ = std::make_unique<MergeDialog>(state, platform, &mainWindow);
    dialogs.Windows[MenuCommand::MergeMPFiles] = merge_.get();
    clubStatements_ =
        std::make_unique<ClubStatementsDialog>(state, platform, *statement_, &mainWindow);
    dialogs.Windows[MenuCommand::ClubStatements] = clubStatements_.get();
    emailSettings_ = std::make_unique<EmailSettingsDialog>(state, platform, &mainWindow);
    dialogs.Windows[MenuCommand::EmailSettings] = emailSettings_.get();
    dialogs.OldFilesWarning = oldFilesWarning_.get();
    // F1 anywhere opens the guide at the section of the window it is pressed in.
    help_ = std::make_unique<HelpWindow>(&mainWindow);
    helpKey_ = std::make_unique<HelpKey>(*help_, platform);
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(helpKey_.get());
    mainWindow.attachDialogs(dialogs);
}

ProgramWindows::~ProgramWindows() = default;

} // namespace mpsec
