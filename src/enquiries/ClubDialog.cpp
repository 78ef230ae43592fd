#include "enquiries/ClubDialog.h"

#include "core/Files.h"
#include "core/TextHelpers.h"
#include "enquiries/ClubMembership.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "ui/AppState.h"
#include "ui/TextStyles.h"
#include "ui/TypedKeys.h"
#include "ui/WrittenFiles.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace mpsec {

ClubDialog::ClubDialog(ClubListMode mode, AppState& state, Platform& platform, QWidget* parent)
    : ProgramDialog(parent), mode_(mode), state_(state), platform_(platform) {
    setWindowTitle(Caption());
    resize(560, 440);
    auto* layout = new QVBoxLayout(this);
    buildChoiceRow(*layout);
    buildList(*layout);
    buildButtons(*layout);
    connectSignals();
}

void ClubDialog::buildChoiceRow(QVBoxLayout& layout) {
    getButton_ = new QPushButton(QStringLiteral("Get"), this);
    getButton_->setToolTip(QStringLiteral("Get the Data"));

    keyWordPanel_ = new QWidget(this);
    auto* keyRow = new QHBoxLayout(keyWordPanel_);
    keyRow->setContentsMargins(0, 0, 0, 0);
    keyWordBox_ = new QLineEdit(keyWordPanel_);
    keyWordBox_->setToolTip(QStringLiteral("Enter a Club key word - Name, Club Number ...."));
    LimitTypedLength(keyWordBox_, kKeyWordLength);
    keyWordBox_->installEventFilter(this);
    keyRow->addWidget(new QLabel(QStringLiteral(" Key word: "), keyWordPanel_));
    keyRow->addWidget(keyWordBox_);

    stateGroup_ = new QGroupBox(QStringLiteral("Select "), this);
    auto* stateRow = new QHBoxLayout(stateGroup_);
    stateButtons_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < kStateChoices.size(); ++i) {
        auto* button =
            new QRadioButton(QString::fromLatin1(kStateChoices[i].ClubCaption), stateGroup_);
        stateButtons_->addButton(button, static_cast<int>(i));
        stateRow->addWidget(button);
    }
    stateButtons_->button(0)->setChecked(true);

    auto* top = new QHBoxLayout;
    top->addWidget(keyWordPanel_);
    top->addWidget(stateGroup_);
    top->addWidget(getButton_);
    layout.addLayout(top);
}

void ClubDialog::buildList(QVBoxLayout& layout) {
    listView_ = FixedPitchList(listModel_, 9, this);
    layout.addWidget(listView_);

    totalLabel_ = BoldLabel(QString(), this);
    layout.addWidget(totalLabel_);
}

void ClubDialog::buildButtons(QVBoxLayout& layout) {
    auto* buttons = new QHBoxLayout;
    closeButton_ = new QPushButton(QStringLiteral("&Close"), this);
    saveButton_ = new QPushButton(QStringLiteral("&Save"), this);
    saveButton_->setToolTip(QStringLiteral("Save To File"));
    sortButton_ = new QPushButton(QStringLiteral("S&ort"), this);
    for (QPushButton* b : {getButton_, closeButton_, saveButton_, sortButton_})
        b->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(sortButton_);
    buttons->addWidget(saveButton_);
    buttons->addWidget(closeButton_);
    layout.addLayout(buttons);
}

void ClubDialog::connectSignals() {
    connect(getButton_, &QPushButton::clicked, this, &ClubDialog::getData);
    connect(stateButtons_, &QButtonGroup::idClicked, this, [this](int) { getData(); });
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(sortButton_, &QPushButton::clicked, this, &ClubDialog::sortList);
    connect(saveButton_, &QPushButton::clicked, this, &ClubDialog::saveList);
    connect(keyWordBox_, &QLineEdit::textEdited, this, [this] { tidyKeyWord(); });
}

QString ClubDialog::Caption() const {
    return mode_ == ClubListMode::Secretaries
               ? QStringLiteral("View Club Master Point Secretaries.")
               : QStringLiteral("Home Club Membership Numbers.");
}

void ClubDialog::onOpen() {
    showLines({});
    const bool secretaries = mode_ == ClubListMode::Secretaries;
    setWindowTitle(Caption());
    keyWordPanel_->setVisible(secretaries);
    stateGroup_->setVisible(!secretaries);
    saveButton_->setVisible(!secretaries);
    sortButton_->setVisible(!secretaries);
    totalLabel_->setVisible(!secretaries);
    totalLabel_->setText(QStringLiteral("Total Active Membership:"));
    if (secretaries)
        keyWordBox_->setFocus();
}

bool ClubDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == keyWordBox_)
        return FilterTypedKey(
            event, platform_,
            [](QChar c) {
                return c.unicode() < 128 && IsKeyWordCharacter(static_cast<char>(c.unicode()));
            },
            [this] { getData(); });
    return ProgramDialog::eventFilter(watched, event);
}

// A pasted key word keeps its letters, digits and apostrophes, in capitals.
void ClubDialog::tidyKeyWord() {
    QString tidy;
    for (QChar c : keyWordBox_->text())
        if (c.unicode() < 128 && IsKeyWordCharacter(static_cast<char>(c.unicode())))
            tidy += c.toUpper();
    tidy.truncate(kKeyWordLength);
    if (tidy != keyWordBox_->text()) {
        const int cursor = std::min<int>(keyWordBox_->cursorPosition(), tidy.size());
        SetBoxText(keyWordBox_, tidy);
        keyWordBox_->setCursorPosition(cursor);
    }
}

void ClubDialog::getData() {
    if (mode_ == ClubListMode::Secretaries) {
        const std::string keyWord = ToLatin1(keyWordBox_->text());
        if (keyWord.empty())
            return;
        showLines(KeyWordSearch(state_.Clubs, keyWord));
        return;
    }
    const int choice = std::max(0, stateButtons_->checkedId());
    MembershipCount count;
    platform_.Busy([&] {
        count = CountHomeClubMembers(state_.National, state_.Clubs,
                                     kStateChoices[static_cast<std::size_t>(choice)]);
    });
    showLines(std::move(count.Lines));
    totalLabel_->setText(Latin1(TotalActiveMembershipText(count.Total)));
}

void ClubDialog::sortList() {
    showLines(SortMembershipLines(lines_));
}

void ClubDialog::saveList() {
    // An empty list (before Get) would replace the saved one with an empty file.
    if (lines_.empty()) {
        platform_.Information(QString::fromLatin1(kMembershipNothingToSaveText));
        return;
    }
    Status written;
    platform_.Busy([&] {
        written =
            WriteLinesAtomically(state_.DataFolder / PathFromText(kMembershipFileName), lines_);
    });
    if (!written) {
        platform_.Error(
            QStringLiteral("Cannot write %1: %2.")
                .arg(QString::fromLatin1(kMembershipFileName), MessageText(written.Message())));
        return;
    }
    SayWritten(platform_, MessageKind::Information, QString::fromLatin1(kMembershipSavedText),
               state_.DataFolder / PathFromText(kMembershipFileName));
}

void ClubDialog::showLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(lines_.size()));
    for (const std::string& line : lines_)
        shown << Latin1(line);
    listModel_->setStringList(shown);
}

} // namespace mpsec
