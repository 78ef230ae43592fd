#pragma once
#include "mpfiles/MPListing.h"

#include <QDialog>

class QLabel;
class QListView;
class QListWidget;
class QPushButton;
class QStringListModel;

namespace mpsec {

struct AppState;
class Platform;
class TMPWarningDlg;

// Lists a masterpoint file against the register, with its errors, colour totals, a ".TXT"
// report beside the file, and printing.
class TViewMPDlg : public QDialog {
    Q_OBJECT
  public:
    TViewMPDlg(AppState& state, Platform& platform, TMPWarningDlg& warning,
               QWidget* parent = nullptr);

    // The file chosen in the main window's chooser, listed when the dialog is shown.
    void SetChosenFile(const QString& file);
    void ShowMPFile();
    void AnotherBtnClick();
    void PrintBtnClick();
    void OpenDlgFolderChange(const QString& folder);

    const MPListing& Listing() const { return listing_; }
    QStringList ListingEntries() const;
    const QString& ChooserTitle() const { return chooserTitle_; }

    QLabel* MPInfoLB;
    QListView* MPLB;
    QLabel* MPTypeLB;
    QLabel* MP2TypeLB;
    QLabel* ErrorLB;
    QListWidget* ErrorList;
    QPushButton* CloseBtn;
    QPushButton* AnotherBtn;
    QPushButton* PrintBtn;

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    void ShowError(const QString& text);

    AppState& state_;
    Platform& platform_;
    TMPWarningDlg& warning_;
    QStringListModel* entries_;
    QString file_;
    QString chooserTitle_;
    MPListing listing_;
};

} // namespace mpsec
