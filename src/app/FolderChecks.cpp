#include "app/FolderChecks.h"

#include "app/AppState.h"
#include "app/MPExtensions.h"
#include "app/uMPWarning.h"
#include "platform/Platform.h"

namespace mpsec {

void ViewerFolderChange(const QString& folder, AppState& state, Platform& platform,
                        TMPWarningDlg& warning) {
    ViewerFolderCheck(
        folder.toStdString(), state.Settings.ShowMPWarning,
        [&] { return platform.RunModal(warning) != TMPWarningDlg::AnsweredNo; },
        [&](const std::function<void()>& work) { platform.Busy(work); });
}

void MergeFolderChange(const QString& folder, Platform& platform) {
    MergeFolderCheck(folder.toStdString(), [&] {
        return platform.WarningYesNo(QString::fromLatin1(kMergeRenameQuestion));
    });
}

} // namespace mpsec
