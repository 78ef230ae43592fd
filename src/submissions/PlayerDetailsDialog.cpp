#include "submissions/PlayerDetailsDialog.h"

#include "platform/Platform.h"
#include "print/Latin1.h"
#include "submissions/SubmissionFiles.h"
#include "ui/AppState.h"
#include "ui/FormFields.h"
#include "ui/TextStyles.h"
#include "ui/TypedKeys.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace mpsec {

namespace {

constexpr const char* kUnknownNumber = " Unknown QMR Number. ";
constexpr const char* kAlreadyActive = "   This player is already active.   ";

} // namespace

PlayerDetailsDialog::PlayerDetailsDialog(AppState& state, Platform& platform, QWidget* parent)
    : ProgramDialog(parent), state_(state), platform_(platform) {
    setWindowTitle(QStringLiteral("Player Details "));
    setToolTip(QStringLiteral("Use TAB & Shift-TAB to Naviagate Input Boxes"));
    auto* layout = new QVBoxLayout(this);
    buildKindChoice(*layout);
    buildNumberFields(*layout);
    buildPlayerFields(*layout);
    buildAddressFields(*layout);
    buildButtons(*layout);
    connectKeys();
    setTypingOrder();
}

RuleBox* PlayerDetailsDialog::makeBox(const BoxRule& rule, const QString& hint) {
    auto* b = new RuleBox(rule, platform_, this);
    b->setToolTip(hint);
    UseSilverWhenDisabled(b);
    return b;
}

void PlayerDetailsDialog::buildKindChoice(QVBoxLayout& layout) {
    auto* kindBox = new QGroupBox(QStringLiteral("Select Player Function "), this);
    auto* kindGrid = new QGridLayout(kindBox);
    kinds_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < kPlayerRequestKinds.size(); ++i) {
        auto* b = new QRadioButton(QString::fromLatin1(kPlayerRequestKinds[i].Text), kindBox);
        kinds_->addButton(b, static_cast<int>(i));
        kindGrid->addWidget(b, static_cast<int>(i / 4), static_cast<int>(i % 4));
        kindButtons_[i] = b;
    }
    connect(kinds_, &QButtonGroup::idClicked, this, [this](int id) {
        chooseKind(kPlayerRequestKinds[static_cast<std::size_t>(id)].Request);
        // An arrow key that chose the kind gives the focus back to the choice after the
        // click: the number box takes it once the key is done.
        if (numberBox_->isEnabled())
            QTimer::singleShot(0, numberBox_, [this] { numberBox_->setFocus(); });
    });
    layout.addWidget(kindBox);
}

void PlayerDetailsDialog::buildNumberFields(QVBoxLayout& layout) {
    auto* numbers = new QHBoxLayout;
    numberBox_ = makeBox({kTypedNumberLength, IsDigitKey},
                         QStringLiteral("Enter QMR Number - then press TAB"));
    clubBox_ = makeBox({4, IsDigitKey}, QStringLiteral("Enter Club No. eg 6785 "));
    numbers->addWidget(new QLabel(QStringLiteral(" QMR Number:"), this));
    numbers->addWidget(numberBox_);
    numbers->addWidget(new QLabel(QStringLiteral(" Our Club Number:"), this));
    numbers->addWidget(clubBox_);
    deceasedPanel_ = new QWidget(this);
    auto* deceasedRow = new QHBoxLayout(deceasedPanel_);
    deceasedRow->setContentsMargins(0, 0, 0, 0);
    deceasedBox_ = new DateBox(platform_, deceasedPanel_);
    deceasedBox_->setToolTip(QStringLiteral("DD/MM/YY"));
    deceasedRow->addWidget(new QLabel(QStringLiteral(" Deceased On:"), deceasedPanel_));
    deceasedRow->addWidget(deceasedBox_);
    numbers->addWidget(deceasedPanel_);
    numbers->addStretch();
    layout.addLayout(numbers);
}

void PlayerDetailsDialog::buildPlayerFields(QVBoxLayout& layout) {
    layout.addWidget(BoldLabel(QStringLiteral("Player"), this));
    auto* player = new QGridLayout;
    titleBox_ = FreeTextList({"Mrs", "Ms", "Mr", "Dr", "Sir", "Lady"},
                             QStringLiteral("Click Arrow or Use Down Arrow to Select Title"), this);
    initialBox_ = makeBox({4, IsNameKey, true}, QStringLiteral("Enter Initial"));
    firstNameBox_ = makeBox({12, IsNameKey, true}, QStringLiteral("Enter Firstname"));
    surnameBox_ = makeBox({18, IsNameKey, true}, QStringLiteral("Enter Surname"));
    birthBox_ = new DateBox(platform_, this);
    birthBox_->setToolTip(QStringLiteral("DD/MM/YY"));
    UseSilverWhenDisabled(birthBox_);
    femaleButton_ = new QRadioButton(QStringLiteral("F"), this);
    maleButton_ = new QRadioButton(QStringLiteral("M"), this);
    auto* genders = new QButtonGroup(this);
    genders->addButton(femaleButton_);
    genders->addButton(maleButton_);
    femaleButton_->setChecked(true);
    const std::pair<const char*, QWidget*> playerFields[] = {
        {" Title:", titleBox_},    {"Initial:", initialBox_}, {"Firstname:", firstNameBox_},
        {"Surname:", surnameBox_}, {"D.O.B", birthBox_},
    };
    int column = 0;
    for (const auto& [caption, field] : playerFields) {
        player->addWidget(new QLabel(QString::fromLatin1(caption), this), 0, column);
        player->addWidget(field, 1, column++);
    }
    auto* gender = new QHBoxLayout;
    gender->addWidget(femaleButton_);
    gender->addWidget(maleButton_);
    player->addWidget(new QLabel(QStringLiteral(" Gender:"), this), 0, column);
    player->addLayout(gender, 1, column);
    layout.addLayout(player);
}

void PlayerDetailsDialog::buildAddressFields(QVBoxLayout& layout) {
    layout.addWidget(BoldLabel(QStringLiteral("Address"), this));
    auto* address = new QGridLayout;
    streetBox_ = makeBox({40, nullptr, true}, QStringLiteral("eg 12 SAMPLE STREET"));
    townBox_ = makeBox({40, nullptr, true}, QStringLiteral("eg SAMPLETON WEST"));
    postcodeBox_ = makeBox({4, IsDigitKey}, QStringLiteral("Postcode"));
    address->addWidget(new QLabel(QStringLiteral(" Street No. and Name: "), this), 0, 0);
    address->addWidget(streetBox_, 0, 1, 1, 3);
    address->addWidget(new QLabel(QStringLiteral(" Surburb or Town:"), this), 1, 0);
    address->addWidget(townBox_, 1, 1);
    address->addWidget(new QLabel(QStringLiteral("Postcode:"), this), 1, 2);
    address->addWidget(postcodeBox_, 1, 3);
    layout.addLayout(address);
}

void PlayerDetailsDialog::buildButtons(QVBoxLayout& layout) {
    buttons_ = AddSubmissionSection(
        *this, layout, kPlayerSubmission, FederationFile::PlayerDetails, state_, platform_,
        fileNameLabel_, [this] { append(); }, [this] { clearAll(); });
}

void PlayerDetailsDialog::connectKeys() {
    // Enter in the number box looks the player up; in the other number boxes it does
    // nothing; a name takes no Enter.
    connect(numberBox_, &RuleBox::enterPressed, this, [this] {
        lookUpPlayer();
        if (!numberBox_->text().isEmpty())
            clubBox_->setFocus();
        else
            numberBox_->setFocus();
    });
    for (RuleBox* name : {initialBox_, firstNameBox_, surnameBox_})
        connect(name, &RuleBox::enterPressed, this, [this] { platform_.Beep(); });
    for (QWidget* w : {static_cast<QWidget*>(numberBox_), static_cast<QWidget*>(deceasedBox_),
                       static_cast<QWidget*>(birthBox_)})
        w->installEventFilter(this);
}

void PlayerDetailsDialog::setTypingOrder() {
    // The fields in the order they are typed.
    QWidget* order[] = {kindButtons_[0], numberBox_,     clubBox_,        deceasedBox_,
                        titleBox_,       initialBox_,    firstNameBox_,   surnameBox_,
                        birthBox_,       femaleButton_,  maleButton_,     streetBox_,
                        townBox_,        postcodeBox_,   buttons_.Append, buttons_.Close,
                        buttons_.Clear,  buttons_.Delete};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    for (std::size_t i = 1; i < kindButtons_.size(); ++i)
        setTabOrder(kindButtons_[i - 1], kindButtons_[i]);
    setTabOrder(kindButtons_.back(), numberBox_);
}

QRadioButton* PlayerDetailsDialog::kindButton(PlayerRequest request) const {
    for (std::size_t i = 0; i < kPlayerRequestKinds.size(); ++i)
        if (kPlayerRequestKinds[i].Request == request)
            return kindButtons_[i];
    return nullptr;
}

void PlayerDetailsDialog::onOpen() {
    clearAll();
    chooseKind(PlayerRequest::Add);
    SetBoxText(clubBox_, Latin1(state_.Settings.LastClubNo));
    fileNameLabel_->setText("Filename in use " + QString::fromLatin1(kPlayerSubmission.FileName));
    buttons_.OfferFile(kPlayerSubmission, state_);
}

void PlayerDetailsDialog::clearAll() {
    for (RuleBox* b : {clubBox_, numberBox_, initialBox_, firstNameBox_, surnameBox_, streetBox_,
                       townBox_, postcodeBox_})
        b->setText(QString());
    ClearFreeText(titleBox_);
    birthBox_->reset();
    placedNumber_.clear();
    if (QAbstractButton* chosen = kinds_->checkedButton())
        chosen->setFocus();
    else
        kindButtons_[0]->setFocus();
}

void PlayerDetailsDialog::chooseKind(PlayerRequest request) {
    kind_ = request;
    kindButton(request)->setChecked(true);
    const PlayerRequestKind& kind = KindOf(request);
    for (QWidget* w : std::initializer_list<QWidget*>{
             numberBox_, clubBox_, titleBox_, initialBox_, firstNameBox_, surnameBox_, birthBox_,
             femaleButton_, maleButton_, streetBox_, townBox_, postcodeBox_})
        w->setEnabled(true);
    clearAll();
    deceasedPanel_->setVisible(kind.DeathDateShown);
    numberBox_->setEnabled(kind.NumberEnabled);
    if (!kind.AllDetailsEnabled)
        for (QWidget* w :
             std::initializer_list<QWidget*>{titleBox_, initialBox_, birthBox_, femaleButton_,
                                             maleButton_, streetBox_, townBox_, postcodeBox_})
            w->setEnabled(false);
    if (kind.NumberEnabled)
        numberBox_->setFocus();
}

void PlayerDetailsDialog::lookUpPlayer() {
    const QString number = numberBox_->text();
    if (number.isEmpty() || lookingUp_)
        return;
    lookingUp_ = true;
    const std::size_t found = state_.National.FindPlayerByNumber(ToLatin1(number));
    const char* refusal = nullptr;
    if (found == 0) {
        refusal = kUnknownNumber;
    } else {
        state_.CurrentPlayer = state_.National.GetPlayer(found);
        if (kind_ == PlayerRequest::Activate && !IsInactive(state_.CurrentPlayer))
            refusal = kAlreadyActive;
    }
    if (refusal) {
        platform_.Beep();
        platform_.Message(QString::fromLatin1(refusal));
        numberBox_->setText(QString());
        placedNumber_.clear();
        numberBox_->setFocus();
    } else {
        placePlayer(state_.CurrentPlayer);
        placedNumber_ = number;
    }
    lookingUp_ = false;
}

void PlayerDetailsDialog::placePlayer(const PlayerRecord& player) {
    SetBoxText(initialBox_, Latin1(player.GivenName.substr(0, 1)));
    SetBoxText(firstNameBox_, Latin1(player.GivenName));
    SetBoxText(surnameBox_, Latin1(player.Surname));
}

PlayerDetailsFields PlayerDetailsDialog::fields() const {
    PlayerDetailsFields f;
    f.Request = kind_;
    f.ClubNo = ToLatin1(clubBox_->text());
    f.QMRNo = ToLatin1(numberBox_->text());
    f.Title = ToLatin1(titleBox_->currentText());
    f.Initial = ToLatin1(initialBox_->text());
    f.FirstName = ToLatin1(firstNameBox_->text());
    f.Surname = ToLatin1(surnameBox_->text());
    f.DateOfBirth = ToLatin1(birthBox_->displayText());
    f.Gender = femaleButton_->isChecked() ? "F" : "M";
    f.Street = ToLatin1(streetBox_->text());
    f.Town = ToLatin1(townBox_->text());
    f.Postcode = ToLatin1(postcodeBox_->text());
    f.DeceasedOn = ToLatin1(deceasedBox_->displayText());
    return f;
}

bool PlayerDetailsDialog::datesComplete() {
    for (DateBox* date : {birthBox_, deceasedBox_}) {
        if (date->isEnabled() && date->isVisibleTo(this) && date->isModified() &&
            !DateEntryHasYear(ToLatin1(date->displayText()))) {
            platform_.Beep();
            date->setFocus();
            return false;
        }
    }
    return true;
}

void PlayerDetailsDialog::append() {
    // Append's access key presses the button without the focus leaving the number box: a
    // number not looked up yet is looked up now, and a refused one stops the append.
    if (numberBox_->isEnabled() && !numberBox_->text().isEmpty() &&
        numberBox_->text() != placedNumber_) {
        lookUpPlayer();
        if (numberBox_->text().isEmpty())
            return;
    }
    if (!datesComplete())
        return;
    const PlayerDetailsFields typed = fields();
    if (!AppendSubmission(kPlayerSubmission, state_, platform_,
                          BlockText(PlayerDetailsBlock(typed)), buttons_))
        return;
    state_.Settings.LastClubNo = typed.ClubNo;
    clearAll();
    SetBoxText(clubBox_, Latin1(state_.Settings.LastClubNo));
    if (numberBox_->isEnabled())
        numberBox_->setFocus();
    else
        clubBox_->setFocus();
}

void PlayerDetailsDialog::clearFile() {
    ClearSubmissionFile(kPlayerSubmission, state_, platform_, buttons_);
}

bool PlayerDetailsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut)
        return false;
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Another window taking the focus (a message box) is not leaving the field.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !isVisible() ||
        buttons_.LeaveTheFields(QApplication::focusWidget()))
        return false;
    if (watched == numberBox_) {
        if (numberBox_->text() != placedNumber_)
            lookUpPlayer();
    } else if (auto* date = qobject_cast<DateBox*>(watched)) {
        if (date->isModified() && !DateEntryHasYear(ToLatin1(date->displayText()))) {
            platform_.Beep();
            QTimer::singleShot(0, date, [date] { date->setFocus(); });
        }
    }
    return false;
}

} // namespace mpsec
