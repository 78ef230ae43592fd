#pragma once
#include "mpfiles/MPListing.h"
#include "ui/ProgramDialog.h"

#include <cstdint>

class QPlainTextEdit;
class QPushButton;

namespace mpsec {

struct AppState;
class Platform;

// Lets the secretary correct a masterpoint file by hand: its lines shown numbered with the
// player number set apart, edited freely, and saved without those additions.
class MPFileEditorDialog : public ProgramDialog {
    Q_OBJECT
  public:
    MPFileEditorDialog(AppState& state, Platform& platform, QWidget* parent = nullptr);

    // The file chosen in the main window's chooser, shown when the dialog opens.
    void setChosenFile(const QString& file);
    void showFile();
    void chooseAnotherFile();
    void saveFile();
    // The largest file shown, in bytes; a larger one is refused with its size and the limit.
    void setSizeLimit(std::uint64_t bytes) { sizeLimit_ = bytes; }

    // The editor's lines as they stand.
    QStringList editorLines() const;

    QPlainTextEdit* editor() const { return editor_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* anotherButton() const { return anotherButton_; }
    QPushButton* saveButton() const { return saveButton_; }

  protected:
    void onOpen() override;

  private:
    AppState& state_;
    Platform& platform_;
    QPlainTextEdit* editor_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* anotherButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QString file_;
    QString chooserTitle_;
    QString chooserFolder_;
    QString saveName_;
    std::uint64_t sizeLimit_ = kMPFileSizeLimit;
};

} // namespace mpsec
