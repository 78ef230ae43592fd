#pragma once
#include <memory>

namespace mpsec {

struct AppState;
class Platform;
class MainWindow;
class PlayerViewDialog;
class AboutDialog;
class OldFilesWarningDialog;
class MPFileViewerDialog;
class StatementDialog;
class ClubStatementsDialog;
class ExtractDialog;
class ClubDialog;
class HelpWindow;
class HelpKey;
class PlayerDetailsDialog;
class AwardDetailsDialog;
class AwardAdjustmentDialog;
class MPFileEditorDialog;
class ManualEntryDialog;
class CancellationsDialog;
class MergeDialog;
class EmailSettingsDialog;

// Every window of the program, created once in the program's order, reused for the whole
// run, and attached to the main window's menu.
class ProgramWindows {
  public:
    ProgramWindows(AppState& state, Platform& platform, MainWindow& mainWindow);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

  private:
    std::unique_ptr<PlayerViewDialog> playerView_;
    std::unique_ptr<AboutDialog> about_;
    std::unique_ptr<OldFilesWarningDialog> oldFilesWarning_;
    std::unique_ptr<MPFileViewerDialog> mpFileViewer_;
    std::unique_ptr<PlayerDetailsDialog> playerDetails_;
    std::unique_ptr<AwardDetailsDialog> awardDetails_;
    std::unique_ptr<AwardAdjustmentDialog> awardAdjustment_;
    std::unique_ptr<MPFileEditorDialog> mpFileEditor_;
    std::unique_ptr<ManualEntryDialog> manualEntry_;
    std::unique_ptr<CancellationsDialog> cancellations_;
    std::unique_ptr<StatementDialog> statement_;
    std::unique_ptr<MergeDialog> merge_;
    std::unique_ptr<EmailSettingsDialog> emailSettings_;
    std::unique_ptr<ClubStatementsDialog> clubStatements_;
    std::unique_ptr<ExtractDialog> extract_;
    std::unique_ptr<ClubDialog> clubSecretaries_;
    std::unique_ptr<ClubDialog> clubMembership_;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<HelpKey> helpKey_;
};

} // namespace mpsec
