#pragma once
#include "mpfiles/MPListing.h"

#include "ui/ProgramDialog.h"

class QLabel;
class QListView;
class QPushButton;

namespace mpsec {

class ShowInFolderButton;
class MPListingModel;

struct AppState;
class Platform;
class OldFilesWarningDialog;

// Lists a masterpoint file against the register, with its errors, colour totals, a ".TXT"
// report beside the file, and printing.
class MPFileViewerDialog : public ProgramDialog {
    Q_OBJECT
  public:
    MPFileViewerDialog(AppState& state, Platform& platform, OldFilesWarningDialog& warning,
                       QWidget* parent = nullptr);

    // The file chosen in the main window's chooser, listed when the dialog is shown.
    void setChosenFile(const QString& file);
    void listFile();
    void chooseAnotherFile();
    void printListing();
    void checkFolder(const QString& folder);
    // The largest file listed, in bytes; a larger one is refused with its size and the limit.
    void setSizeLimit(std::uint64_t bytes) { sizeLimit_ = bytes; }

    const MPListing& listing() const { return listing_; }
    QStringList listingEntries() const;
    const QString& chooserTitle() const { return chooserTitle_; }

    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* firstColourLabel() const { return firstColourLabel_; }
    QLabel* secondColourLabel() const { return secondColourLabel_; }
    QLabel* errorLabel() const { return errorLabel_; }
    QListView* listingView() const { return listingView_; }
    QListView* errorList() const { return errorList_; }
    // The errors the error list shows.
    QStringList errorTexts() const;
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* anotherButton() const { return anotherButton_; }
    QPushButton* printButton() const { return printButton_; }
    ShowInFolderButton* showFolderButton() const { return showFolderButton_; }

  protected:
    void onOpen() override;
    void onClose() override;

  private:
    QLabel* titleLabel_ = nullptr;
    QListView* listingView_ = nullptr;
    QLabel* firstColourLabel_ = nullptr;
    QLabel* secondColourLabel_ = nullptr;
    QLabel* errorLabel_ = nullptr;
    QListView* errorList_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* anotherButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    ShowInFolderButton* showFolderButton_ = nullptr;
    void showError(const QString& text);

    AppState& state_;
    Platform& platform_;
    OldFilesWarningDialog& warning_;
    // Shows the listing's own entries: the window keeps no second copy of them.
    MPListingModel* entries_ = nullptr;
    MPListingModel* errors_ = nullptr;
    QString file_;
    QString chooserTitle_;
    MPListing listing_;
    std::uint64_t sizeLimit_ = kMPFileSizeLimit;
};

} // namespace mpsec
