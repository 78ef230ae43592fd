#include "ui/WrittenFiles.h"

#include "platform/Paths.h"

#include <QDir>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

void OpenFolder(Platform& platform, const fs::path& folder) {
    const QString shown = NativePathText(folder);
    if (!platform.OpenFolder(shown))
        platform.Error("The folder " + shown + " could not be opened.");
}

} // namespace

QString NativePathText(const fs::path& path) {
    return QDir::toNativeSeparators(QStringFromPath(path));
}

void SayWritten(Platform& platform, MessageKind kind, const QString& text, const fs::path& file) {
    if (platform.WrittenMessage(kind, text, NativePathText(WholePath(file))))
        ShowFileInFolder(platform, file);
}

void SayWrittenInFolder(Platform& platform, MessageKind kind, const QString& text,
                        const fs::path& folder) {
    if (platform.WrittenMessage(kind, text, NativePathText(WholePath(folder))))
        OpenFolder(platform, WholePath(folder));
}

void ShowFileInFolder(Platform& platform, const fs::path& file) {
    OpenFolder(platform, WholePath(file).parent_path());
}

ShowInFolderButton::ShowInFolderButton(Platform& platform, QWidget* parent)
    : QPushButton(QStringLiteral("Show in Folder"), parent), platform_(platform) {
    // Enter in a box never presses it.
    setAutoDefault(false);
    setWrittenFile({});
    connect(this, &QPushButton::clicked, this, [this] {
        if (!file_.empty())
            ShowFileInFolder(platform_, file_);
    });
}

void ShowInFolderButton::setWrittenFile(const fs::path& file) {
    file_ = file;
    setEnabled(!file.empty());
    setToolTip(file.empty() ? QString()
                            : "Show " + NativePathText(WholePath(file)) + " in its folder");
}

} // namespace mpsec
