#include "statements/uPrintAllAwards.h"

#include "app/AppState.h"
#include "platform/Latin1.h"
#include "platform/Platform.h"
#include "statements/AllMembers.h"
#include "statements/uAwardStatement.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mpsec {

TPrintAllAwardsDlg::TPrintAllAwardsDlg(AppState& state, Platform& platform,
                                       TAwardStatementDlg& statement, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform), statement_(statement) {
    setWindowTitle(QStringLiteral("Print Member Award Statements"));
    auto* layout = new QVBoxLayout(this);
    auto* clubRow = new QHBoxLayout;
    auto* clubLabel = new QLabel(QStringLiteral(" Enter Club Number:"), this);
    ClubNoEB = new QLineEdit(this);
    ClubNoEB->setMaxLength(4);
    for (QWidget* w : std::initializer_list<QWidget*>{clubLabel, ClubNoEB})
        w->setToolTip(QStringLiteral("Enter Club No. eg 6785 "));
    clubRow->addWidget(clubLabel);
    clubRow->addWidget(ClubNoEB);
    layout->addLayout(clubRow);

    auto* range = new QHBoxLayout;
    CB1 = new QComboBox(this);
    CB2 = new QComboBox(this);
    for (char c = 'A'; c <= 'Z'; ++c) {
        CB1->addItem(QString(QChar(c)));
        CB2->addItem(QString(QChar(c)));
    }
    range->addWidget(new QLabel(QStringLiteral("From"), this));
    range->addWidget(CB1);
    range->addWidget(new QLabel(QStringLiteral("To"), this));
    range->addWidget(CB2);
    layout->addLayout(range);

    auto* buttons = new QHBoxLayout;
    CloseBtn = new QPushButton(QStringLiteral("&Close"), this);
    PrintBtn = new QPushButton(QStringLiteral(" &Print   "), this);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    for (QPushButton* b : {CloseBtn, PrintBtn, CancelBtn}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    resize(330, 155);
    CancelBtn->hide();

    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(PrintBtn, &QPushButton::clicked, this, &TPrintAllAwardsDlg::PrintBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TPrintAllAwardsDlg::CancelBtnClick);
}

void TPrintAllAwardsDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CancelBtn->hide();
    CB1->setCurrentIndex(0);
    CB2->setCurrentIndex(25);
    ClubNoEB->setText(QString::fromStdString(state_.Settings.LastClubNo));
    ClubNoEB->setFocus();
    ClubNoEB->selectAll();
}

void TPrintAllAwardsDlg::done(int result) {
    state_.Settings.LastClubNo = ClubNoEB->text().toStdString();
    QDialog::done(result);
}

void TPrintAllAwardsDlg::PrintBtnClick() {
    cancel_ = false;
    printed_ = 0;
    if (!platform_.ChoosePrinter(this)) {
        CancelBtn->hide();
        return;
    }
    CancelBtn->show();
    statement_.FormActivate(); // says so when the award files cannot be read
    if (statement_.FilesLoaded())
        platform_.Busy([this] { Run(); });
    statement_.FormDeactivate();
    CancelBtn->hide();
}

void TPrintAllAwardsDlg::Run() {
    const std::string club = ToLatin1(ClubNoEB->text());
    const std::string from = ToLatin1(CB1->currentText()), to = ToLatin1(CB2->currentText());
    // "Print to file": one PDF per member beside the file named, not one file overwritten
    // member after member.
    const QString pdfFile = platform_.PrinterPdfFile();
    const QDir pdfFolder = QFileInfo(pdfFile).absoluteDir();
    for (std::size_t i = 1; i < state_.National.Count(); ++i) {
        platform_.ProcessEvents(); // where a press of Cancel takes effect
        if (cancel_)
            return;
        state_.CurrentPlayer = state_.National.GetPlayer(i);
        if (state_.CurrentPlayer.HomeClub != club)
            continue;
        statement_.QMRNoEB->setText(Latin1(state_.CurrentPlayer.QMRNo));
        if (!InClubRun(state_.CurrentPlayer, club, from, to))
            continue;
        statement_.GetBtnClick();
        if (!statement_.StatementShown() || !statement_.Shown().Error.empty())
            return; // the statement screen has said why
        if (pdfFile.isEmpty()) {
            statement_.GMPrintThisStatement();
        } else {
            const QString path =
                pdfFolder.filePath(Latin1(StatementPdfName(statement_.Shown().Player)));
            if (!platform_.WritePdf(statement_.ComposeThisStatement(), path)) {
                platform_.Error("Cannot write " + path + ".");
                return;
            }
        }
        ++printed_;
    }
}

} // namespace mpsec
