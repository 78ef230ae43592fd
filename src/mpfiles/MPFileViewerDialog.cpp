#include "mpfiles/MPFileViewerDialog.h"

#include "core/FileReading.h"
#include "mpfiles/OldExtensions.h"
#include "mpfiles/OldFilesWarningDialog.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "ui/AppState.h"
#include "ui/Colours.h"
#include "ui/FolderChecks.h"
#include "ui/MPFileChooser.h"
#include "ui/TextStyles.h"
#include "ui/WrittenFiles.h"

#include <QAbstractListModel>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>
#include <new>

namespace mpsec {

// The entries or the errors of a listing as a list shows them, each made into text only
// when the list draws it.
class MPListingModel : public QAbstractListModel {
  public:
    explicit MPListingModel(QObject* parent) : QAbstractListModel(parent) {}
    void show(const LineBuffer* entries) {
        beginResetModel();
        entries_ = entries;
        endResetModel();
    }
    void show(const std::vector<std::string>* errors) {
        beginResetModel();
        errors_ = errors;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        if (parent.isValid())
            return 0;
        return static_cast<int>(entries_ ? entries_->size() : (errors_ ? errors_->size() : 0));
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || role != Qt::DisplayRole || index.row() >= rowCount())
            return {};
        const auto row = static_cast<std::size_t>(index.row());
        return Latin1(entries_ ? (*entries_)[row] : std::string_view((*errors_)[row]));
    }
    QStringList texts() const {
        QStringList all;
        all.reserve(rowCount());
        for (int i = 0; i < rowCount(); ++i)
            all << data(index(i), Qt::DisplayRole).toString();
        return all;
    }

  private:
    const LineBuffer* entries_ = nullptr;
    const std::vector<std::string>* errors_ = nullptr;
};

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
    QStringListModel* unused = nullptr;
    listingView_ = FixedPitchList(unused, 8, this);
    entries_ = new MPListingModel(listingView_);
    listingView_->setModel(entries_);
    delete unused;
    listingView_->setMinimumSize(450, 465);
    QPalette blue = listingView_->palette();
    blue.setColor(QPalette::Text, Qt::blue);
    listingView_->setPalette(blue);

    firstColourLabel_ = BoldLabel(QString(), this);
    secondColourLabel_ = BoldLabel(QString(), this);
    errorLabel_ = BoldLabel(QString(), this);
    // A view of the listing's own errors, which a file of bad lines has one a line.
    errorList_ = new QListView(this);
    errors_ = new MPListingModel(errorList_);
    errorList_->setModel(errors_);
    errorList_->setUniformItemSizes(true);
    errorList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
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
    return entries_->texts();
}

QStringList MPFileViewerDialog::errorTexts() const {
    return errors_->texts();
}

void MPFileViewerDialog::showError(const QString& text) {
    platform_.Error(text);
}

void MPFileViewerDialog::listFile() {
    errorList_->hide();
    errorLabel_->hide();
    errors_->show(static_cast<const std::vector<std::string>*>(nullptr));
    entries_->show(static_cast<const LineBuffer*>(nullptr));
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
    if (Status read = ReadMPFile(PathFromQString(file_), lines, sizeLimit_); !read) {
        showError("Cannot read the masterpoint file " + info.fileName() + ": " +
                  Latin1(read.Message()) + ".");
        return;
    }
    bool listed = true;
    platform_.Busy([&] {
        try {
            listing_ = ListMPFile(lines, FindMPType(PathFromQString(file_)), state_.National);
        } catch (const std::bad_alloc&) {
            listing_ = MPListing{};
            listed = false;
        }
    });
    if (!listed) {
        showError("Cannot list the masterpoint file " + info.fileName() +
                  ": there is not enough memory.");
        return;
    }

    entries_->show(&listing_.Entries);
    // The first error shows the error area; the errors found before a conversion error
    // stay with it.
    errors_->show(&listing_.Errors);
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
    lines << listingEntries();
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
