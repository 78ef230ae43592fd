#pragma once
#include <QString>
#include <functional>

namespace mpsec {

class Platform;

// The chooser of a masterpoint file (the program's masterpoint file types) opened in
// `folder`; `onFolderChange` is told of every folder browsed. The file chosen, or empty.
QString ChooseMPFile(Platform& platform, const QString& title, const QString& folder,
                     const std::function<void(const QString&)>& onFolderChange = {});

// The title of the chooser opened from a window that shows `file`.
QString ChooserTitleAfter(const QString& file);

} // namespace mpsec
