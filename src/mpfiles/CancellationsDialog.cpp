#include "mpfiles/CancellationsDialog.h"

#include "core/Files.h"
#include "core/TextHelpers.h"
#include "mpfiles/Cancellations.h"
#include "mpfiles/ClubMembers.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "ui/AppState.h"
#include "ui/DigitsBox.h"
#include "ui/FederationSend.h"
#include "ui/MemberGrid.h"
#include "ui/TypedKeys.h"
#include "ui/WrittenFiles.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

constexpr int kNameColumn = 1;
constexpr int kNumberColumn = 2;
constexpr int kActiveColumn = 3;
constexpr int kEmptyRows = 26;

} // namespace

CancellationsDialog::CancellationsDialog(AppState& state, Platform& platform, QWidget* parent)
    : ProgramDialog(parent), state_(state), platform_(platform) {
    setWindowTitle(QStringLiteral("Annual Membership Cancellations"));

    clubBox_ = new DigitsBox(4, platform_, this);
    clubBox_->setToolTip(QStringLiteral("Enter Club No. eg 6785 "));
    const MemberGridButtons made = MakeMemberGridButtons(this);
    getButton_ = made.Get;
    saveButton_ = made.Save;
    closeButton_ = made.Close;
    sendButton_ = MakeSendToFederationButton(this);

    grid_ = MemberGrid(QStringLiteral("Active "), this);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setMinimumHeight(400);
    grid_->installEventFilter(this);
    SetMemberGridTabOrder(made, grid_);

    auto* club = new QHBoxLayout;
    club->addWidget(new QLabel(QStringLiteral(" Enter Club Number:"), this));
    club->addWidget(clubBox_);
    club->addWidget(getButton_);
    club->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton_);
    buttons->addWidget(sendButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(club);
    layout->addWidget(
        new QLabel(QStringLiteral("Dbl click or space bar to toggle active column."), this));
    layout->addWidget(new QLabel(QStringLiteral("Tab or Arrows to move."), this));
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);

    connect(clubBox_, &DigitsBox::enterPressed, this, &CancellationsDialog::getMembers);
    connect(getButton_, &QPushButton::clicked, this, &CancellationsDialog::getMembers);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, &CancellationsDialog::toggleActive);
    connect(saveButton_, &QPushButton::clicked, this, &CancellationsDialog::save);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(sendButton_, &QPushButton::clicked, this, &CancellationsDialog::sendToFederation);
    connect(clubBox_, &QLineEdit::textChanged, this, &CancellationsDialog::offerToSend);
}

CancellationsDialog::~CancellationsDialog() {
    grid_->removeEventFilter(this);
}

QString CancellationsDialog::cell(int row, int column) const {
    return CellText(grid_, row, column);
}

int CancellationsDialog::rowCount() const {
    return grid_->rowCount();
}

void CancellationsDialog::fillRows(int rows) {
    grid_->clearContents();
    grid_->setRowCount(rows);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < 4; ++column)
            grid_->setItem(row, column, new QTableWidgetItem);
}

void CancellationsDialog::onOpen() {
    fillRows(kEmptyRows);
    grid_->scrollToTop();
    grid_->setShowGrid(false);
    saveButton_->setEnabled(false);
    listedClub_.clear();
    SetBoxText(clubBox_, QString::fromStdString(state_.Settings.LastClubNo));
    offerToSend();
    clubBox_->setFocus();
}

void CancellationsDialog::offerToSend() {
    const std::string club = ToLatin1(clubBox_->text());
    OfferToSend(sendButton_, club.empty()
                                 ? fs::path()
                                 : state_.DataFolder / PathFromText(CancellationFileName(club)));
}

void CancellationsDialog::sendToFederation() {
    const std::string club = ToLatin1(clubBox_->text());
    if (club.empty())
        return;
    if (const std::optional<QString> sent =
            SendToFederation(platform_, state_, FederationFile::Cancellations,
                             state_.DataFolder / PathFromText(CancellationFileName(club)), club))
        platform_.Information(*sent);
    offerToSend();
}

void CancellationsDialog::getMembers() {
    fillRows(0);
    listedClub_.clear();
    const std::optional<std::string> club = ClubToList(clubBox_, platform_, state_.Settings);
    if (!club) {
        // The list is gone: nothing is left to save until the next Get.
        saveButton_->setEnabled(false);
        return;
    }
    platform_.Busy([&] {
        const std::vector<ListedMember> members = HomeClubMembers(state_.National, *club);
        fillRows(static_cast<int>(members.size()));
        for (std::size_t i = 0; i < members.size(); ++i) {
            const int row = static_cast<int>(i);
            grid_->item(row, kNameColumn)->setText(Latin1(members[i].Name));
            grid_->item(row, kNumberColumn)->setText(Latin1(members[i].Number));
            grid_->item(row, kActiveColumn)->setText(QStringLiteral("Yes"));
        }
    });
    listedClub_ = *club;
    grid_->setShowGrid(true);
    grid_->setFocus();
    if (grid_->rowCount() > 0)
        grid_->setCurrentCell(0, kActiveColumn);
    grid_->scrollToTop();
    saveButton_->setEnabled(true);
}

void CancellationsDialog::toggleActive() {
    const int row = grid_->currentRow();
    // A row without a member (the empty list before Get) has nothing to mark.
    if (row < 0 || cell(row, kNumberColumn).isEmpty())
        return;
    QTableWidgetItem* active = grid_->item(row, kActiveColumn);
    active->setText(active->text() == QLatin1String("Yes") ? QStringLiteral("No")
                                                           : QStringLiteral("Yes"));
}

void CancellationsDialog::save() {
    // The members listed leave the club that was listed: a number changed since Get would
    // report them as leaving another club, in that club's file.
    const std::string& club = listedClub_;
    if (club.empty())
        return; // nothing listed (Save is disabled until Get)
    if (const std::string typed = ToLatin1(clubBox_->text()); typed != club) {
        platform_.Beep();
        const QString listed = Latin1(club);
        platform_.Error(typed.empty()
                            ? "The list is of club " + listed +
                                  ", but the club number is now empty. Type " + listed +
                                  " again to save this list. Nothing was saved."
                            : "The list is of club " + listed + ", but the club number now reads " +
                                  Latin1(typed) + ". Type " + listed +
                                  " again to save this list, or press Get to list club " +
                                  Latin1(typed) + ". Nothing was saved.");
        clubBox_->setFocus();
        return;
    }
    const std::string name = CancellationFileName(club);
    const fs::path path = state_.DataFolder / PathFromText(name);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(path, ec))) {
        platform_.Beep();
        if (!platform_.WarningYesNo(Latin1(CancellationOverwriteQuestion(name))))
            return;
    }
    std::vector<CancellationRow> rows;
    for (int row = 0; row < grid_->rowCount(); ++row)
        rows.push_back(
            {ToLatin1(cell(row, kNumberColumn)), cell(row, kActiveColumn) != QLatin1String("No")});
    const std::string text =
        CancellationText(state_.National, rows, club, CancellationDateStamp(state_.Today()));
    if (Status written = WriteFileAtomically(path, text); !written) {
        platform_.Error("Cannot write " + Latin1(name) + ": " + MessageText(written.Message()) +
                        ". Nothing was saved.");
        return;
    }
    offerToSend();
    SayWritten(platform_, MessageKind::Information,
               QString::fromLatin1(kOutputSavedAs) + Latin1(name), path);
}

bool CancellationsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != grid_ || event->type() != QEvent::KeyPress)
        return ProgramDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false; // Tab, arrows, Escape
    if (text.at(0) == ' ')
        toggleActive();
    else
        platform_.Beep(); // the list is read-only
    return true;
}

} // namespace mpsec
