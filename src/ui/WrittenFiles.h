#pragma once
#include "platform/Platform.h"

#include <QPushButton>
#include <QString>
#include <filesystem>

namespace mpsec {

// A path as the desktop shows it: whole, with the system's separators.
QString NativePathText(const std::filesystem::path& path);

// Says `text` (the window's own words) after `file` was written, with the file's full path
// on a second line and a "Show in Folder" button, which opens the file's folder.
void SayWritten(Platform& platform, MessageKind kind, const QString& text,
                const std::filesystem::path& file);
// The same after a run that wrote its files into `folder`; the second line names the folder.
void SayWrittenInFolder(Platform& platform, MessageKind kind, const QString& text,
                        const std::filesystem::path& folder);

// Opens the desktop's file manager on the folder holding `file`, or says it could not.
void ShowFileInFolder(Platform& platform, const std::filesystem::path& file);

// "Show in Folder" in a window whose writes are not followed by a message: disabled until
// the window has written a file; then its hint names the file's full path and a press
// opens the file's folder.
class ShowInFolderButton : public QPushButton {
    Q_OBJECT
  public:
    ShowInFolderButton(Platform& platform, QWidget* parent);
    // The file just written; an empty path disables the button again.
    void setWrittenFile(const std::filesystem::path& file);

  private:
    Platform& platform_;
    std::filesystem::path file_;
};

} // namespace mpsec
