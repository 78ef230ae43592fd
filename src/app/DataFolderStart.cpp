#include "app/DataFolderStart.h"

#include "platform/Platform.h"
#include "register/DataFolder.h"

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
        !folders.Remembered.empty() && fs::is_directory(folders.Remembered, ec);
    request.InitialFolder =
        QString::fromStdString(rememberedExists ? folders.Remembered : folders.Home.string());
    if (!folders.InstalledSample.empty()) {
        if (auto copy = PrepareSampleCopy(folders.InstalledSample, folders.Home / "mpsec-sample"))
            request.Sidebar.append(QString::fromStdString(copy->string()));
    }
    const QString chosen = platform.ChooseFolder(request);
    if (chosen.isEmpty())
        return folders.Start;
    return fs::path(chosen.toStdString());
}

} // namespace mpsec
