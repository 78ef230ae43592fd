#pragma once
#include <QString>

class QDialog;

namespace mpsec {

struct AppState;
class Platform;

// The result of the rename warning's "No", the only answer that stops the renaming: "Yes"
// accepts, and Escape or the window's close button reject, which renames as "Yes" does.
inline constexpr int kWarningAnsweredNo = 2;

// Run by the masterpoint view's file chooser on every change of folder: old names there
// are renamed, after the warning dialog while the warning is on.
void ViewerFolderChange(const QString& folder, AppState& state, Platform& platform,
                        QDialog& warning);

// Run by the merge's file chooser on every change of folder: old names there are renamed
// after a Yes to the question box.
void MergeFolderChange(const QString& folder, Platform& platform);

} // namespace mpsec
