#include "ui/FolderChecks.h"

#include "mpfiles/OldExtensions.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "ui/AppState.h"
#include <QDialog>

namespace mpsec {

void ViewerFolderChange(const QString& folder, AppState& state, Platform& platform,
                        QDialog& warning) {
    ViewerFolderCheck(
        PathFromQString(folder), state.Settings.ShowMPWarning,
        [&] { return platform.RunModal(warning) != kWarningAnsweredNo; },
        [&](const std::function<void()>& work) { platform.Busy(work); },
        [&](const std::string& refused) { platform.Error(QString::fromStdString(refused)); });
}

void MergeFolderChange(const QString& folder, Platform& platform) {
    MergeFolderCheck(
        PathFromQString(folder),
        [&] { return platform.WarningYesNo(QString::fromLatin1(kMergeRenameQuestion)); },
        [&](const std::string& refused) { platform.Error(QString::fromStdString(refused)); });
}

} // namespace mpsec
