#pragma once
#include <QString>

namespace mpsec {

struct AppState;
class Platform;
class TMPWarningDlg;

// Run by the masterpoint view's file chooser on every change of folder: old names there
// are renamed, after the warning dialog while the warning is on.
void ViewerFolderChange(const QString& folder, AppState& state, Platform& platform,
                        TMPWarningDlg& warning);

// Run by the merge's file chooser on every change of folder: old names there are renamed
// after a Yes to the question box.
void MergeFolderChange(const QString& folder, Platform& platform);

} // namespace mpsec
