#include "statements/uPrintAllAwards.h"

#include "app/AppState.h"
#include "app/Widgets.h"
#include "platform/Latin1.h"
#include "platform/Platform.h"
#include "statements/AllMembers.h"
#include "statements/uAwardStatement.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
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
    LimitTypedLength(ClubNoEB, 4);
    ClubNoEB->installEventFilter(this);
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
    SetBoxText(ClubNoEB, QString::fromStdString(state_.Settings.LastClubNo));
    ClubNoEB->setFocus();
    ClubNoEB->selectAll();
}

void TPrintAllAwardsDlg::done(int result) {
    state_.Settings.LastClubNo = ClubNoEB->text().toStdString();
    QDialog::done(result);
}

void TPrintAllAwardsDlg::reject() {
    if (running_) {
        cancel_ = true;
        return;
    }
    QDialog::reject();
}

bool TPrintAllAwardsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched != ClubNoEB)
        return false;
    return FilterTypedKey(
        event, platform_, [](QChar c) { return c >= '0' && c <= '9'; }, [] {});
}

void TPrintAllAwardsDlg::PrintBtnClick() {
    cancel_ = false;
    printed_ = 0;
    const std::string club = ToLatin1(ClubNoEB->text());
    const std::string from = ToLatin1(CB1->currentText()), to = ToLatin1(CB2->currentText());
    if (const std::string refusal =
            ClubRunRefusal(state_.National, state_.GetClubDescription, club, from, to);
        !refusal.empty()) {
        platform_.Beep();
        platform_.Information(Latin1(refusal));
        return;
    }
    if (!platform_.ChoosePrinter(this)) {
        CancelBtn->hide();
        return;
    }
    // "Print to file": one PDF per member beside the file named, not one file overwritten
    // member after member.
    const QString pdfFile = platform_.PrinterPdfFile();
    CancelBtn->show();
    running_ = true;
    bool finished = false;
    statement_.FormActivate(); // says so when the award files cannot be read
    if (statement_.FilesLoaded())
        platform_.Busy([&] { finished = Run(pdfFile); });
    statement_.FormDeactivate();
    running_ = false;
    CancelBtn->hide();
    if (!finished)
        return;
    const std::string folder =
        pdfFile.isEmpty() ? std::string() : ToLatin1(QFileInfo(pdfFile).absolutePath());
    platform_.Information(Latin1(ClubRunDoneText(printed_, cancel_, folder)));
}

bool TPrintAllAwardsDlg::Run(const QString& pdfFile) {
    const std::string club = ToLatin1(ClubNoEB->text());
    const std::string from = ToLatin1(CB1->currentText()), to = ToLatin1(CB2->currentText());
    const QDir pdfFolder = QFileInfo(pdfFile).absoluteDir();
    for (std::size_t i = 1; i < state_.National.Count(); ++i) {
        platform_.ProcessEvents(); // where a press of Cancel takes effect
        if (cancel_)
            return true;
        state_.CurrentPlayer = state_.National.GetPlayer(i);
        if (!InClubRun(state_.CurrentPlayer, club, from, to))
            continue;
        SetBoxText(statement_.QMRNoEB, Latin1(state_.CurrentPlayer.QMRNo));
        statement_.GetBtnClick();
        if (!statement_.StatementShown())
            return false; // the statement screen has said why
        if (pdfFile.isEmpty()) {
            statement_.GMPrintThisStatement();
        } else {
            const QString path =
                pdfFolder.filePath(Latin1(StatementPdfName(statement_.Shown().Player)));
            if (!platform_.WritePdf(statement_.ComposeThisStatement(), path)) {
                platform_.Error("Cannot write " + path + ".");
                return false;
            }
        }
        ++printed_;
    }
    return true;
}

} // namespace mpsec
