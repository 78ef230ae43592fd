#pragma once
#include "register/ClubRegister.h"

#include <QDialog>

class QListWidget;

namespace mpsec {

// The club dialog owns the club register for the whole run and offers the club look-up
// to every other window.
class TClubMPDlg : public QDialog {
    Q_OBJECT
  public:
    explicit TClubMPDlg(QWidget* parent = nullptr);

    // Fills the comma table from line `index` of the club register; while the
    // list-building switch is on, also appends the club's secretaries entry to the list.
    void ParseTheClubList(std::size_t index);
    std::string GetClubDescription(std::string_view code);

    const ClubRegister& Clubs() const { return clubs_; }
    const CommaTable& Commas() const { return commas_; }

    QListWidget* ClubLB;
    bool ListBuilding = false;

  private:
    void FormCreate();

    ClubRegister clubs_;
    CommaTable commas_;
};

} // namespace mpsec
