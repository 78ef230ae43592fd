#include "statements/ClubStatementsDialog.h"
#include "core/TextHelpers.h"

#include "core/Files.h"
#include "core/TemporaryFiles.h"
#include "email/ClubEmail.h"
#include "email/EmailRun.h"
#include "email/EmailSettings.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "statements/ClubRun.h"
#include "statements/StatementDialog.h"
#include "statements/StatementWriters.h"
#include "ui/AppState.h"
#include "ui/DigitsBox.h"
#include "ui/RunPassword.h"
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
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <chrono>
#include <future>

namespace mpsec {

namespace {

// The statement screen looks up the member numbered `number`, as if typed in.
void LookUpOnStatementScreen(StatementDialog& screen, const std::string& number) {
    SetBoxText(screen.numberBox(), Latin1(number));
    screen.lookUp();
}

// Sends each message on a worker thread while the window goes on answering (Cancel, its
// painting): a slow server never freezes it.
class SentAside : public MailTransport {
  public:
    SentAside(MailTransport& server, std::function<void()> meanwhile)
        : server_(server), meanwhile_(std::move(meanwhile)) {}
    SendOutcome Send(const MailMessage& message) override {
        std::future<SendOutcome> outcome =
            std::async(std::launch::async, [&] { return server_.Send(message); });
        while (outcome.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
            meanwhile_();
        return outcome.get();
    }

  private:
    MailTransport& server_;
    std::function<void()> meanwhile_;
};

// A text that may run to hundreds of lines, in a box that scrolls, with buttons below it.
class TextBoxDialog : public QDialog {
  public:
    TextBoxDialog(QWidget* parent, const QString& title, const QString& text,
                  const QString& question = {})
        : QDialog(parent), buttons_(new QHBoxLayout) {
        setWindowTitle(title);
        auto* layout = new QVBoxLayout(this);
        auto* box = new QPlainTextEdit(text, this);
        box->setReadOnly(true);
        box->setLineWrapMode(QPlainTextEdit::WidgetWidth); // a server's long reply wraps
        layout->addWidget(box);
        if (!question.isEmpty())
            layout->addWidget(new QLabel(question, this));
        buttons_->addStretch();
        layout->addLayout(buttons_);
        resize(560, 360);
    }
    QPushButton* addButton(const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        buttons_->addWidget(b);
        return b;
    }

  private:
    QHBoxLayout* buttons_;
};

QString MemberName(const PlayerRecord& p) {
    return Latin1(p.GivenName.empty() ? p.Surname : p.GivenName + " " + p.Surname);
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
    progressLabel_ = new QLabel(this);
    layout->addWidget(progressLabel_);

    auto* buttons = new QHBoxLayout;
    closeButton_ = new QPushButton(QStringLiteral("&Close"), this);
    printButton_ = new QPushButton(QStringLiteral(" &Print   "), this);
    emailButton_ = new QPushButton(QStringLiteral(" &E-mail "), this);
    emailButton_->setToolTip(
        QStringLiteral("Sends each member's statement as a PDF file to his e-mail address"));
    cancelButton_ = new QPushButton(QStringLiteral("&Cancel"), this);
    for (QPushButton* b : {closeButton_, printButton_, emailButton_, cancelButton_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    resize(400, 155);
    cancelButton_->hide();
    progressLabel_->hide();

    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(printButton_, &QPushButton::clicked, this, &ClubStatementsDialog::printStatements);
    connect(emailButton_, &QPushButton::clicked, this, &ClubStatementsDialog::emailStatements);
    connect(cancelButton_, &QPushButton::clicked, this, &ClubStatementsDialog::cancelRun);
}

void ClubStatementsDialog::reject() {
    if (running_) {
        cancel_ = true;
        return;
    }
    QDialog::reject();
}

bool ClubStatementsDialog::runHasMembers(const std::string& club, const std::string& from,
                                         const std::string& to) {
    const Status members = ClubRunCanPrint(state_.National, state_.ClubLookup(), club, from, to);
    if (!members) {
        platform_.Beep();
        platform_.Information(MessageText(members.Message()));
    }
    return members.Ok();
}

void ClubStatementsDialog::printStatements() {
    cancel_ = false;
    printed_ = 0;
    const std::string club = ToLatin1(clubBox_->text());
    const std::string from = ToLatin1(fromBox_->currentText()),
                      to = ToLatin1(toBox_->currentText());
    if (!runHasMembers(club, from, to))
        return;
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

void ClubStatementsDialog::emailStatements() {
    if (running_)
        return;
    const std::string club = ToLatin1(clubBox_->text());
    const std::string from = ToLatin1(fromBox_->currentText()),
                      to = ToLatin1(toBox_->currentText());
    const EmailSettings settings = ReadEmailSettings(platform_.Settings());
    if (settings.Host.empty() && settings.SenderAddress.empty() && settings.AddressesFile.empty()) {
        platform_.Information(QStringLiteral(
            "E-mail is not set up. Set the outgoing server, the sender's address and the list "
            "of the members' addresses in Setup \u2192 E-mail Settings\u2026"));
        return;
    }
    if (Status ready = CheckForSending(settings); !ready) {
        platform_.Error(MessageText(ready.Message()) +
                        QStringLiteral(" (Setup \u2192 E-mail Settings\u2026)"));
        return;
    }
    if (!runHasMembers(club, from, to))
        return;
    Result<ClubEmail> prepared =
        PrepareClubEmail(settings, state_.National, state_.ClubLookup(), club, from, to,
                         state_.DataFolder, state_.RegisterDate, state_.Today());
    if (!prepared) {
        platform_.Error(MessageText(prepared.Message()) + QStringLiteral(" Nothing was sent."));
        return;
    }
    if (!prepared->AddressProblems.empty() &&
        !platform_.WarningYesNo(
            MessageText(AddressProblemsText(settings.AddressesFile, prepared->AddressProblems)) +
            QStringLiteral("\nGo on without them?")))
        return;
    const EmailPlan& plan = prepared->Plan;
    {
        // Said before anything is sent; Escape or "Don't Send" sends nothing.
        TextBoxDialog ask(this, QStringLiteral("Send Statements by E-mail"),
                          MessageText(PlanText(plan)),
                          plan.ToSend.empty() ? QString() : QStringLiteral("Send them now?"));
        if (!plan.ToSend.empty())
            connect(ask.addButton(QStringLiteral("&Send")), &QPushButton::clicked, &ask,
                    &QDialog::accept);
        QPushButton* no = ask.addButton(plan.ToSend.empty() ? QStringLiteral("Close")
                                                            : QStringLiteral("&Don't Send"));
        no->setDefault(true);
        connect(no, &QPushButton::clicked, &ask, &QDialog::reject);
        if (platform_.RunModal(ask) != QDialog::Accepted || plan.ToSend.empty())
            return;
    }
    const std::optional<std::string> password = settings.User.empty()
                                                    ? std::optional<std::string>(std::string())
                                                    : RunPassword(platform_, settings);
    if (!password)
        return;
    const StatementScratchFolder scratch;
    if (!scratch.Problem().empty()) {
        platform_.Error(MessageText(scratch.Problem()) + QStringLiteral(". Nothing was sent."));
        return;
    }
    statement_.openAwardFiles(); // says so when the award files cannot be read
    if (!statement_.awardFilesLoaded()) {
        statement_.releaseAwardFiles();
        return;
    }
    const std::unique_ptr<MailTransport> server = platform_.MailServer(settings, *password);
    if (!server) {
        statement_.releaseAwardFiles();
        return;
    }
    // Each statement is made as the PDF run makes it, on this thread, and only its
    // sending waits aside.
    SentAside transport(*server, [this] { platform_.ProcessEvents(); });
    const StatementPdf pdf = StatementPdfThroughFolder(
        scratch.Path(),
        [this](const PlayerRecord& member) -> Result<ComposedDocument> {
            state_.CurrentPlayer = member;
            const StatementSession::Statement statement = statement_.buildStatement(member);
            if (statement.StoppedBy)
                return Failure{statement.StoppedBy->Message};
            return StatementSession::Compose(statement, member.QMRNo);
        },
        [this](const ComposedDocument& document, const std::filesystem::path& path) {
            return platform_.WritePdf(document, QStringFromPath(path));
        });
    const auto progress = [&](std::size_t done, std::size_t total) {
        platform_.ProcessEvents(); // where a press of Cancel takes effect
        if (cancel_)
            return false;
        progressLabel_->setText(QStringLiteral("%1 of %2: ")
                                    .arg(done + 1)
                                    .arg(total)
                                    .append(MemberName(plan.ToSend[done].Member)));
        return true;
    };
    cancel_ = false;
    showRunning(true);
    EmailRunReport report;
    platform_.Busy([&] {
        report = RunEmail(plan, prepared->Setup, transport, &prepared->Log, pdf, progress,
                          SendLogTimeNow);
    });
    showRunning(false);
    statement_.releaseAwardFiles();
    showEmailSummary(ReportText(report), ReportCsv(report), club, prepared->Setup.Year);
}

void ClubStatementsDialog::showRunning(bool running) {
    running_ = running;
    cancelButton_->setVisible(running);
    progressLabel_->setVisible(running);
    progressLabel_->clear();
    for (QPushButton* b : {closeButton_, printButton_, emailButton_})
        b->setEnabled(!running);
}

void ClubStatementsDialog::showEmailSummary(const std::string& text, const std::string& csv,
                                            const std::string& club, const std::string& year) {
    TextBoxDialog summary(this, QStringLiteral("E-mail Run of Club ") + Latin1(club),
                          MessageText(text));
    QPushButton* print = summary.addButton(QStringLiteral("&Print"));
    QPushButton* save = summary.addButton(QStringLiteral("&Save as CSV\u2026"));
    QPushButton* close = summary.addButton(QStringLiteral("Close"));
    close->setDefault(true);
    const QString title = QStringLiteral("E-mail run of club ") + Latin1(club);
    connect(print, &QPushButton::clicked, &summary, [&] {
        platform_.PrintLines(MessageText(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                             QStringLiteral("Courier"), 10, title);
    });
    connect(save, &QPushButton::clicked, &summary, [&] {
        SaveFileRequest request;
        request.Title = QStringLiteral("Save the e-mail run as CSV");
        request.Filter = QStringLiteral("CSV files|*.csv");
        request.InitialFolder = QStringFromPath(state_.DataFolder);
        request.FileName = QString::fromStdString("EMAIL " + club + " " + year + ".csv");
        request.AskOverwrite = true; // an existing file is replaced only when the user says so
        const QString chosen = platform_.ChooseSaveFile(request);
        if (chosen.isEmpty())
            return;
        const std::filesystem::path file = PathFromQString(chosen);
        if (Status saved = WriteFileAtomically(file, csv); !saved) {
            platform_.Error("Cannot write " + QFileInfo(chosen).fileName() + ": " +
                            MessageText(saved.Message()) + ". Nothing was written.");
            return;
        }
        SayWritten(platform_, MessageKind::Information,
                   QStringLiteral("The e-mail run was saved as CSV."), file);
    });
    connect(close, &QPushButton::clicked, &summary, &QDialog::accept);
    platform_.RunModal(summary);
}

void ClubStatementsDialog::onOpen() {
    cancelButton_->hide();
    progressLabel_->hide();
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
