#include "ui/MPFileChooser.h"

#include "mpfiles/OldExtensions.h"
#include "platform/Platform.h"
#include "print/Latin1.h"

#include <QFileInfo>

namespace mpsec {

QString ChooseMPFile(Platform& platform, const QString& title, const QString& folder,
                     const std::function<void(const QString&)>& onFolderChange) {
    OpenFileRequest request;
    request.Title = title;
    request.Filter = Latin1(MPFileFilter());
    request.InitialFolder = folder;
    request.OnFolderChange = onFolderChange;
    const QStringList chosen = platform.ChooseOpenFiles(request);
    return chosen.isEmpty() ? QString() : chosen.first();
}

QString ChooserTitleAfter(const QString& file) {
    return "View Masterpoint Information - " + QFileInfo(file).fileName();
}

} // namespace mpsec
