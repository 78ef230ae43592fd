#include "app/DataFolderStart.h"

#include "platform/Paths.h"
#include "platform/Platform.h"
#include "register/DataFolder.h"

#include <QDir>

namespace fs = std::filesystem;

namespace mpsec {

fs::path FindDataFolder(const StartFolders& folders, Platform& platform) {
    const DataFolderChoice choice =
        ChooseDataFolder(folders.Argument, folders.Start, folders.Remembered, HoldsRegisters);
    if (choice.Source != DataFolderSource::Ask)
        return choice.Folder;

    FolderRequest request;
    request.Title = QString::fromLatin1(kChooseDataFolderTitle);
    std::error_code ec;
    const bool rememberedExists =
        !folders.Remembered.empty() && fs::is_directory(PathFromText(folders.Remembered), ec);
    request.InitialFolder = rememberedExists ? QString::fromStdString(folders.Remembered)
                                             : QStringFromPath(folders.Home);
    // A sample that is not installed (a build run in place) offers nothing; one that cannot
    // be copied says why before the folder is asked for.
    if (!folders.InstalledSample.empty() && fs::is_directory(folders.InstalledSample, ec)) {
        const auto copy = PrepareSampleCopy(folders.InstalledSample, folders.Home / "mpsec-sample");
        if (copy)
            request.Sidebar.append(QDir::toNativeSeparators(QStringFromPath(*copy)));
        else
            platform.Error(QString::fromStdString(copy.Message())); // a path in UTF-8
    }
    const QString chosen = platform.ChooseFolder(request);
    if (chosen.isEmpty())
        return folders.Start;
    return PathFromQString(chosen);
}

} // namespace mpsec
