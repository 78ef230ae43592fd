#include "statements/ClubStatementsDialog.h"
#include "core/TextHelpers.h"

#include "core/TemporaryFiles.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "statements/ClubRun.h"
#include "statements/StatementDialog.h"
#include "statements/StatementWriters.h"
#include "ui/AppState.h"
#include "ui/DigitsBox.h"
#include "ui/TypedKeys.h"
#include "ui/WrittenFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mpsec {

namespace {

// The statement screen looks up the member numbered `number`, as if typed in.
void LookUpOnStatementScreen(StatementDialog& screen, const std::string& number) {
    SetBoxText(screen.numberBox(), Latin1(number));
    screen.lookUp();
}

} // namespace

ClubStatementsDialog::ClubStatementsDialog(AppState& state, Platform& platform,
                                           StatementDialog& statement, QWidget* parent)
    : ProgramDialog(parent), state_(state), platform_(platform), statement_(statement) {
    setWindowTitle(QStringLiteral("Print Member Award Statements"));
    auto* layout = new QVBoxLayout(this);
    auto* clubRow = new QHBoxLayout;
    auto* clubLabel = new QLabel(QStringLiteral(" Enter Club Number:"), this);
    clubBox_ = new DigitsBox(4, platform_, this);
    for (QWidget* w : std::initializer_list<QWidget*>{clubLabel, clubBox_})
        w->setToolTip(QStringLiteral("Enter Club No. eg 6785 "));
    clubRow->addWidget(clubLabel);
    clubRow->addWidget(clubBox_);
    layout->addLayout(clubRow);

    auto* range = new QHBoxLayout;
    fromBox_ = new QComboBox(this);
    toBox_ = new QComboBox(this);
    for (char c = 'A'; c <= 'Z'; ++c) {
        fromBox_->addItem(QString(QChar(c)));
        toBox_->addItem(QString(QChar(c)));
    }
    range->addWidget(new QLabel(QStringLiteral("From"), this));
    range->addWidget(fromBox_);
    range->addWidget(new QLabel(QStringLiteral("To"), this));
    range->addWidget(toBox_);
    layout->addLayout(range);

    // Windows' own print dialog never makes Qt's printer a PDF file, even with "Microsoft
    // Print to PDF": the PDF files are chosen here.
    pdfFilesBox_ = new QCheckBox(QStringLiteral("&Write PDF files instead of printing"), this);
    pdfFilesBox_->setToolTip(
        QStringLiteral("One PDF file per member, named by number and surname, in a folder"));
    layout->addWidget(pdfFilesBox_);

    auto* buttons = new QHBoxLayout;
    closeButton_ = new QPushButton(QStringLiteral("&Close"), this);
    printButton_ = new QPushButton(QStringLiteral(" &Print   "), this);
    cancelButton_ = new QPushButton(QStringLiteral("&Cancel"), this);
    for (QPushButton* b : {closeButton_, printButton_, cancelButton_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    resize(330, 155);
    cancelButton_->hide();

    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(printButton_, &QPushButton::clicked, this, &ClubStatementsDialog::printStatements);
    connect(cancelButton_, &QPushButton::clicked, this, &ClubStatementsDialog::cancelRun);
}

void ClubStatementsDialog::reject() {
    if (running_) {
        cancel_ = true;
        return;
    }
    QDialog::reject();
}

void ClubStatementsDialog::printStatements() {
    cancel_ = false;
    printed_ = 0;
    const std::string club = ToLatin1(clubBox_->text());
    const std::string from = ToLatin1(fromBox_->currentText()),
                      to = ToLatin1(toBox_->currentText());
    if (const Status members =
            ClubRunCanPrint(state_.National, state_.ClubLookup(), club, from, to);
        !members) {
        platform_.Beep();
        platform_.Information(MessageText(members.Message()));
        return;
    }
    QString pdfFolder;
    if (pdfFilesBox_->isChecked()) {
        FolderRequest request;
        request.Title = QStringLiteral("Choose the folder for the statements' PDF files");
        request.InitialFolder = QStringFromPath(state_.DataFolder);
        pdfFolder = platform_.ChooseFolder(request);
        if (pdfFolder.isEmpty())
            return;
    } else {
        if (!platform_.ChoosePrinter(this)) {
            cancelButton_->hide();
            return;
        }
        // "Print to file": one PDF per member beside the file named, not one file
        // overwritten member after member.
        if (const QString pdfFile = platform_.PrinterPdfFile(); !pdfFile.isEmpty())
            pdfFolder = QFileInfo(pdfFile).absolutePath();
    }
    cancelButton_->show();
    running_ = true;
    bool finished = false;
    statement_.openAwardFiles(); // says so when the award files cannot be read
    if (statement_.awardFilesLoaded())
        platform_.Busy([&] { finished = runClub(pdfFolder); });
    statement_.releaseAwardFiles();
    running_ = false;
    cancelButton_->hide();
    if (!finished)
        return;
    if (pdfFolder.isEmpty()) {
        platform_.Information(Latin1(ClubRunDoneText(printed_, cancel_, {})));
        return;
    }
    const QString folder = QFileInfo(pdfFolder).absoluteFilePath();
    SayWrittenInFolder(
        platform_, MessageKind::Information,
        Latin1(ClubRunDoneText(printed_, cancel_, ToLatin1(QDir::toNativeSeparators(folder)))),
        PathFromQString(folder));
}

bool ClubStatementsDialog::runClub(const QString& pdfFolder) {
    const std::string club = ToLatin1(clubBox_->text());
    const std::string from = ToLatin1(fromBox_->currentText()),
                      to = ToLatin1(toBox_->currentText());
    // The same members, in the same order, as the command line's club run.
    const std::vector<std::size_t> lines = ClubRunLines(state_.National, club, from, to);
    if (!pdfFolder.isEmpty())
        return writeClubPdfs(lines, pdfFolder);
    for (std::size_t line : lines) {
        platform_.ProcessEvents(); // where a press of Cancel takes effect
        if (cancel_)
            return true;
        state_.CurrentPlayer = state_.National.GetPlayer(line);
        LookUpOnStatementScreen(statement_, state_.CurrentPlayer.QMRNo);
        if (!statement_.statementShown())
            return false; // the statement screen has said why
        statement_.printStatement();
        ++printed_;
    }
    return true;
}

bool ClubStatementsDialog::writeClubPdfs(const std::vector<std::size_t>& lines,
                                         const QString& folder) {
    // Built here in register order, drawn and written by the workers; the window keeps
    // answering (Cancel) while they work.
    StatementWriters writers(
        [this](const ComposedDocument& document, const std::string& path) {
            return platform_.WritePdf(document, QStringFromPath(PathFromText(path)));
        },
        StatementWriters::DefaultWorkers());
    bool failed = false;
    auto collect = [&] {
        for (StatementWriters::Written& file : writers.TakeWritten()) {
            if (file.Result) {
                ++printed_;
                continue;
            }
            if (!failed)
                platform_.Error("Cannot write " + QString::fromStdString(file.Path) + ": " +
                                MessageText(file.Result.Message()) + ".");
            failed = true;
            writers.Stop();
        }
    };
    const std::filesystem::path folderPath = PathFromQString(QDir::toNativeSeparators(folder));
    RemoveLeftTemporaryFiles(folderPath); // what a run that was killed left half written
    for (std::size_t line : lines) {
        platform_.ProcessEvents(); // where a press of Cancel takes effect
        collect();
        if (cancel_ || failed)
            break;
        state_.CurrentPlayer = state_.National.GetPlayer(line);
        const PlayerRecord& player = state_.CurrentPlayer;
        const StatementSession::Statement statement = statement_.buildStatement(player);
        if (statement.StoppedBy) {
            // The statement screen says why, as it does for a member it prints; the
            // members before are still written.
            LookUpOnStatementScreen(statement_, player.QMRNo);
            failed = true;
            break;
        }
        ComposedDocument document = StatementSession::Compose(statement, player.QMRNo);
        const std::string path = PathText(folderPath / StatementPdfName(player));
        while (!writers.Submit(std::move(document), path, std::chrono::milliseconds(50))) {
            platform_.ProcessEvents();
            collect();
            if (cancel_ || failed)
                break;
        }
    }
    if (cancel_)
        writers.Stop(); // the statements being written are finished, no further one starts
    writers.Finish();
    collect();
    // The files are written in register order, so the first ones of the run are the ones
    // written; the statement screen is left on the last of them, as after printing.
    if (!failed && printed_ > 0) {
        state_.CurrentPlayer =
            state_.National.GetPlayer(lines[static_cast<std::size_t>(printed_) - 1]);
        LookUpOnStatementScreen(statement_, state_.CurrentPlayer.QMRNo);
    }
    return !failed;
}

void ClubStatementsDialog::onOpen() {
    cancelButton_->hide();
    fromBox_->setCurrentIndex(0);
    toBox_->setCurrentIndex(25);
    SetBoxText(clubBox_, QString::fromStdString(state_.Settings.LastClubNo));
    clubBox_->setFocus();
    clubBox_->selectAll();
}

void ClubStatementsDialog::onClose() {
    state_.Settings.LastClubNo = clubBox_->text().toStdString();
}

} // namespace mpsec
