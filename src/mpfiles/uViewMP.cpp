#include "mpfiles/uViewMP.h"

#include "app/AppState.h"
#include "app/FolderChecks.h"
#include "app/MPExtensions.h"
#include "app/Widgets.h"
#include "platform/Latin1.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace mpsec {

namespace {

// The colour of a label's colour name: gold shows yellow, red red, green green.
QColor ColourOf(const std::string& label) {
    if (label.rfind("Gold", 0) == 0)
        return QColor(255, 255, 0);
    if (label.rfind("Red", 0) == 0)
        return QColor(255, 0, 0);
    return QColor(0, 128, 0);
}

} // namespace

TViewMPDlg::TViewMPDlg(AppState& state, Platform& platform, TMPWarningDlg& warning, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform), warning_(warning) {
    setWindowTitle(QStringLiteral("View Masterpoint Information in a File"));
    resize(746, 552);

    MPInfoLB = BoldLabel(QStringLiteral("Master Point Info"), this);
    MPLB = new QListView(this);
    entries_ = new QStringListModel(this);
    MPLB->setModel(entries_);
    MPLB->setUniformItemSizes(true); // large files list quickly
    MPLB->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MPLB->setMinimumSize(450, 465);
    QFont courier(QStringLiteral("Courier New"), 8);
    courier.setStyleHint(QFont::TypeWriter);
    MPLB->setFont(courier);
    QPalette blue = MPLB->palette();
    blue.setColor(QPalette::Text, Qt::blue);
    MPLB->setPalette(blue);

    MPTypeLB = BoldLabel(QString(), this);
    MP2TypeLB = BoldLabel(QString(), this);
    ErrorLB = BoldLabel(QString(), this);
    ErrorList = new QListWidget(this);
    ErrorList->setFixedSize(233, 105);
    QFont bold = ErrorList->font();
    bold.setBold(true);
    ErrorList->setFont(bold);
    QPalette red = ErrorList->palette();
    red.setColor(QPalette::Text, Qt::red);
    ErrorList->setPalette(red);

    CloseBtn = new QPushButton(QStringLiteral("&Close"), this);
    AnotherBtn = new QPushButton(QStringLiteral("Another"), this);
    AnotherBtn->setToolTip(QStringLiteral("Load another file."));
    PrintBtn = new QPushButton(QStringLiteral(" Print   "), this);

    auto* side = new QVBoxLayout;
    side->addWidget(MPTypeLB);
    side->addWidget(MP2TypeLB);
    side->addSpacing(20);
    side->addWidget(ErrorLB);
    side->addWidget(ErrorList);
    side->addStretch();
    side->addWidget(AnotherBtn);
    side->addWidget(PrintBtn);
    side->addWidget(CloseBtn);
    auto* body = new QHBoxLayout;
    body->addWidget(MPLB, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MPInfoLB);
    layout->addLayout(body);

    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(AnotherBtn, &QPushButton::clicked, this, &TViewMPDlg::AnotherBtnClick);
    connect(PrintBtn, &QPushButton::clicked, this, &TViewMPDlg::PrintBtnClick);
}

void TViewMPDlg::SetChosenFile(const QString& file) {
    file_ = file;
    chooserTitle_ = QStringLiteral("Select Masterpoint File");
}

void TViewMPDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ShowMPFile();
}

QStringList TViewMPDlg::ListingEntries() const {
    return entries_->stringList();
}

void TViewMPDlg::ShowError(const QString& text) {
    platform_.Error(text);
}

void TViewMPDlg::ShowMPFile() {
    ErrorList->hide();
    ErrorLB->hide();
    ErrorList->clear();
    entries_->setStringList({});
    MPTypeLB->clear();
    MP2TypeLB->clear();
    listing_ = MPListing{};
    const QFileInfo info(file_);
    MPInfoLB->setText(" Masterpoint information for MP File " + info.fileName());
    if (file_.isEmpty())
        return;
    platform_.ProcessEvents();

    LineList lines;
    if (ReadLines(file_.toStdString(), lines) != ReadStatus::Ok) {
        ShowError("Cannot read the masterpoint file " + info.fileName() + ".");
        return;
    }
    platform_.Busy(
        [&] { listing_ = ListMPFile(lines, FindMPType(file_.toStdString()), state_.National); });

    QStringList entries;
    entries.reserve(static_cast<qsizetype>(listing_.Entries.size()));
    for (const std::string& entry : listing_.Entries)
        entries << Latin1(entry);
    entries_->setStringList(entries);
    // The first error shows the error area; the errors found before a conversion error
    // stay with it.
    for (const std::string& error : listing_.Errors)
        ErrorList->addItem(Latin1(error));
    if (!listing_.Errors.empty()) {
        ErrorLB->setText(QStringLiteral("File Errors"));
        ErrorLB->show();
        ErrorList->show();
    }
    if (listing_.ConversionError) {
        // The entries and errors so far stay; no colour labels, no "No File Errors", no
        // report.
        ShowError(Latin1(*listing_.ConversionError));
        return;
    }
    const std::string first = listing_.FirstLabel(), second = listing_.SecondLabel();
    MPTypeLB->setText(Latin1(first));
    SetTextColour(MPTypeLB, ColourOf(first));
    MP2TypeLB->setText(Latin1(second));
    SetTextColour(MP2TypeLB, ColourOf(second));
    if (listing_.Errors.empty()) {
        ErrorLB->setText(QStringLiteral("No File Errors"));
        ErrorLB->show();
    }
    if (auto problem = WriteMPReport(file_.toStdString(), listing_))
        ShowError(Latin1(*problem));
}

void TViewMPDlg::AnotherBtnClick() {
    OpenFileRequest request;
    request.Title = chooserTitle_;
    request.Filter = Latin1(MPFileFilter());
    request.InitialFolder = QString::fromStdString(state_.Settings.LastMPFolderUsed);
    request.OnFolderChange = [this](const QString& folder) { OpenDlgFolderChange(folder); };
    const QStringList chosen = platform_.ChooseOpenFiles(request);
    if (chosen.isEmpty())
        return;
    file_ = chosen.first();
    chooserTitle_ = "View Masterpoint Information - " + QFileInfo(file_).fileName();
    ShowMPFile();
}

void TViewMPDlg::OpenDlgFolderChange(const QString& folder) {
    ViewerFolderChange(folder, state_, platform_, warning_);
}

void TViewMPDlg::PrintBtnClick() {
    if (!platform_.ChoosePrinter(this))
        return;
    QStringList lines{MPInfoLB->text(), QString()};
    lines << entries_->stringList();
    platform_.PrintLines(lines, QStringLiteral("Courier"), 10, QStringLiteral(" "));
}

void TViewMPDlg::done(int result) {
    if (!file_.isEmpty())
        state_.Settings.LastMPFolderUsed =
            QDir::toNativeSeparators(QFileInfo(file_).absolutePath() + '/').toStdString();
    QDialog::done(result);
}

} // namespace mpsec
