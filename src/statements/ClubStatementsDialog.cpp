#include "statements/ClubStatementsDialog.h"

#include "platform/Latin1.h"
#include "platform/Platform.h"
#include "statements/ClubRun.h"
#include "statements/StatementDialog.h"
#include "ui/AppState.h"
#include "ui/DigitsBox.h"
#include "ui/Widgets.h"

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
        platform_.Information(Latin1(members.Message()));
        return;
    }
    if (!platform_.ChoosePrinter(this)) {
        cancelButton_->hide();
        return;
    }
    // "Print to file": one PDF per member beside the file named, not one file overwritten
    // member after member.
    const QString pdfFile = platform_.PrinterPdfFile();
    cancelButton_->show();
    running_ = true;
    bool finished = false;
    statement_.openAwardFiles(); // says so when the award files cannot be read
    if (statement_.awardFilesLoaded())
        platform_.Busy([&] { finished = runClub(pdfFile); });
    statement_.releaseAwardFiles();
    running_ = false;
    cancelButton_->hide();
    if (!finished)
        return;
    const std::string folder =
        pdfFile.isEmpty() ? std::string() : ToLatin1(QFileInfo(pdfFile).absolutePath());
    platform_.Information(Latin1(ClubRunDoneText(printed_, cancel_, folder)));
}

bool ClubStatementsDialog::runClub(const QString& pdfFile) {
    const std::string club = ToLatin1(clubBox_->text());
    const std::string from = ToLatin1(fromBox_->currentText()),
                      to = ToLatin1(toBox_->currentText());
    const QDir pdfFolder = QFileInfo(pdfFile).absoluteDir();
    // The same members, in the same order, as the command line's club run.
    for (std::size_t line : ClubRunLines(state_.National, club, from, to)) {
        platform_.ProcessEvents(); // where a press of Cancel takes effect
        if (cancel_)
            return true;
        state_.CurrentPlayer = state_.National.GetPlayer(line);
        SetBoxText(statement_.numberBox(), Latin1(state_.CurrentPlayer.QMRNo));
        statement_.lookUp();
        if (!statement_.statementShown())
            return false; // the statement screen has said why
        if (pdfFile.isEmpty()) {
            statement_.printStatement();
        } else {
            const QString path =
                pdfFolder.filePath(Latin1(StatementPdfName(statement_.statement().Player)));
            if (Status written = platform_.WritePdf(statement_.composedStatement(), path);
                !written) {
                platform_.Error("Cannot write " + path + ": " + Latin1(written.Message()) + ".");
                return false;
            }
        }
        ++printed_;
    }
    return true;
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
