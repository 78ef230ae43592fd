#include "enquiries/uClubMP.h"

#include "core/Files.h"
#include "platform/Latin1.h"

#include <QFontDatabase>
#include <QListWidget>
#include <QVBoxLayout>

namespace mpsec {

TClubMPDlg::TClubMPDlg(QWidget* parent) : QDialog(parent) {
    auto* layout = new QVBoxLayout(this);
    ClubLB = new QListWidget(this);
    ClubLB->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(ClubLB);
    FormCreate();
}

void TClubMPDlg::FormCreate() {
    std::filesystem::path file = FindFileNoCase(".", ClubRegister::FileName);
    clubs_.Load(file); // a missing register is reported by the main window
}

void TClubMPDlg::ParseTheClubList(std::size_t index) {
    commas_ = clubs_.ParseTheClubList(index);
    if (!ListBuilding)
        return;
    for (const std::string& line : SecretaryEntry(commas_))
        ClubLB->addItem(Latin1(line));
}

std::string TClubMPDlg::GetClubDescription(std::string_view code) {
    ListBuilding = false;
    return clubs_.GetClubDescription(code);
}

} // namespace mpsec
