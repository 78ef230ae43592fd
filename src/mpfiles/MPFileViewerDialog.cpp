#include "mpfiles/MPFileViewerDialog.h"

#include "core/FileReading.h"
#include "mpfiles/OldExtensions.h"
#include "mpfiles/OldFilesWarningDialog.h"
#include "platform/Latin1.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "ui/AppState.h"
#include "ui/Colours.h"
#include "ui/FolderChecks.h"
#include "ui/MPFileChooser.h"
#include "ui/TextStyles.h"
#include "ui/WrittenFiles.h"

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

void ShowColourLabel(QLabel* label, const std::string& text, std::optional<MPColour> colour) {
    label->setText(Latin1(text));
    if (colour)
        SetTextColour(label, ScreenColour(*colour));
}

} // namespace

MPFileViewerDialog::MPFileViewerDialog(AppState& state, Platform& platform,
                                       OldFilesWarningDialog& warning, QWidget* parent)
    : ProgramDialog(parent), state_(state), platform_(platform), warning_(warning) {
    setWindowTitle(QStringLiteral("View Masterpoint Information in a File"));
    resize(746, 552);

    titleLabel_ = BoldLabel(QStringLiteral("Master Point Info"), this);
    listingView_ = FixedPitchList(entries_, 8, this);
    listingView_->setMinimumSize(450, 465);
    QPalette blue = listingView_->palette();
    blue.setColor(QPalette::Text, Qt::blue);
    listingView_->setPalette(blue);

    firstColourLabel_ = BoldLabel(QString(), this);
    secondColourLabel_ = BoldLabel(QString(), this);
    errorLabel_ = BoldLabel(QString(), this);
    errorList_ = new QListWidget(this);
    errorList_->setFixedSize(233, 105);
    QFont bold = errorList_->font();
    bold.setBold(true);
    errorList_->setFont(bold);
    QPalette red = errorList_->palette();
    red.setColor(QPalette::Text, Qt::red);
    errorList_->setPalette(red);

    closeButton_ = new QPushButton(QStringLiteral("&Close"), this);
    anotherButton_ = new QPushButton(QStringLiteral("Another"), this);
    anotherButton_->setToolTip(QStringLiteral("Load another file."));
    printButton_ = new QPushButton(QStringLiteral(" Print   "), this);
    // The report written beside the file.
    showFolderButton_ = new ShowInFolderButton(platform_, this);

    auto* side = new QVBoxLayout;
    side->addWidget(firstColourLabel_);
    side->addWidget(secondColourLabel_);
    side->addSpacing(20);
    side->addWidget(errorLabel_);
    side->addWidget(errorList_);
    side->addStretch();
    side->addWidget(anotherButton_);
    side->addWidget(printButton_);
    side->addWidget(showFolderButton_);
    side->addWidget(closeButton_);
    auto* body = new QHBoxLayout;
    body->addWidget(listingView_, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel_);
    layout->addLayout(body);

    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(anotherButton_, &QPushButton::clicked, this, &MPFileViewerDialog::chooseAnotherFile);
    connect(printButton_, &QPushButton::clicked, this, &MPFileViewerDialog::printListing);
}

void MPFileViewerDialog::setChosenFile(const QString& file) {
    file_ = file;
    chooserTitle_ = QStringLiteral("Select Masterpoint File");
}

QStringList MPFileViewerDialog::listingEntries() const {
    return entries_->stringList();
}

void MPFileViewerDialog::showError(const QString& text) {
    platform_.Error(text);
}

void MPFileViewerDialog::listFile() {
    errorList_->hide();
    errorLabel_->hide();
    errorList_->clear();
    entries_->setStringList({});
    firstColourLabel_->clear();
    secondColourLabel_->clear();
    listing_ = MPListing{};
    showFolderButton_->setWrittenFile({});
    const QFileInfo info(file_);
    titleLabel_->setText(Latin1(MPListingTitle(ToLatin1(info.fileName()))));
    if (file_.isEmpty())
        return;
    platform_.ProcessEvents();

    LineList lines;
    if (!ReadLines(PathFromQString(file_), lines)) {
        showError("Cannot read the masterpoint file " + info.fileName() + ".");
        return;
    }
    platform_.Busy(
        [&] { listing_ = ListMPFile(lines, FindMPType(PathFromQString(file_)), state_.National); });

    QStringList entries;
    entries.reserve(static_cast<qsizetype>(listing_.Entries.size()));
    for (std::string_view entry : listing_.Entries)
        entries << Latin1(entry);
    entries_->setStringList(entries);
    // The first error shows the error area; the errors found before a conversion error
    // stay with it.
    for (const std::string& error : listing_.Errors)
        errorList_->addItem(Latin1(error));
    if (!listing_.Errors.empty()) {
        errorLabel_->setText(Latin1(listing_.ErrorAreaText()));
        errorLabel_->show();
        errorList_->show();
    }
    if (listing_.StoppedBy) {
        // The entries and errors so far stay; no colour labels, no "No File Errors", no
        // report.
        showError(MessageText(listing_.StoppedBy->Message));
        return;
    }
    const MPTypeColours colours = ColoursOf(listing_.Type);
    ShowColourLabel(firstColourLabel_, listing_.FirstLabel(), colours.First);
    ShowColourLabel(secondColourLabel_, listing_.SecondLabel(), colours.Second);
    if (listing_.Errors.empty()) {
        errorLabel_->setText(Latin1(listing_.ErrorAreaText()));
        errorLabel_->show();
    }
    const Result<std::filesystem::path> written = WriteMPReport(PathFromQString(file_), listing_);
    if (!written) {
        showError(MessageText(written.Message()));
        return;
    }
    showFolderButton_->setWrittenFile(*written);
}

void MPFileViewerDialog::chooseAnotherFile() {
    const QString chosen = ChooseMPFile(platform_, chooserTitle_,
                                        QString::fromStdString(state_.Settings.LastMPFolderUsed),
                                        [this](const QString& folder) { checkFolder(folder); });
    if (chosen.isEmpty())
        return;
    file_ = chosen;
    chooserTitle_ = ChooserTitleAfter(file_);
    listFile();
}

void MPFileViewerDialog::checkFolder(const QString& folder) {
    ViewerFolderChange(folder, state_, platform_, warning_);
}

void MPFileViewerDialog::printListing() {
    if (!platform_.ChoosePrinter(this))
        return;
    QStringList lines{titleLabel_->text(), QString()};
    lines << entries_->stringList();
    platform_.PrintLines(lines, QStringLiteral("Courier"), 10, QStringLiteral(" "));
}

void MPFileViewerDialog::onOpen() {
    listFile();
}

void MPFileViewerDialog::onClose() {
    if (!file_.isEmpty())
        state_.Settings.LastMPFolderUsed =
            QDir::toNativeSeparators(QFileInfo(file_).absolutePath() + '/').toStdString();
}

} // namespace mpsec
