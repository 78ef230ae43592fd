#include "submissions/AwardAdjustmentDialog.h"

#include "platform/Platform.h"
#include "print/Latin1.h"
#include "submissions/AwardAdjustment.h"
#include "submissions/SubmissionFiles.h"
#include "ui/AppState.h"
#include "ui/FormFields.h"
#include "ui/TextStyles.h"
#include "ui/TypedKeys.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mpsec {

namespace {

constexpr const char* kInvalidNumber = "                 Invalid QMR Number                 ";

} // namespace

AwardAdjustmentDialog::AwardAdjustmentDialog(AppState& state, Platform& platform, QWidget* parent)
    : ProgramDialog(parent), state_(state), platform_(platform) {
    setWindowTitle(QStringLiteral("Award Adjustment Request"));
    setToolTip(QStringLiteral("Use TAB & Shift-TAB to Naviagate Input Boxes"));
    auto* layout = new QVBoxLayout(this);
    buildBoxes();
    arrangeEventDetails(*layout);
    arrangePoints(*layout);
    buildButtons(*layout);
    setTypingOrder();
}

RuleBox* AwardAdjustmentDialog::makeBox(const BoxRule& rule, const QString& hint) {
    auto* b = new RuleBox(rule, platform_, this);
    b->setToolTip(hint);
    // The number boxes take digits and the point only: Enter is refused like any other
    // key.
    if (rule.Allowed == IsNumberKey)
        connect(b, &RuleBox::enterPressed, this, [this] { platform_.Beep(); });
    return b;
}

void AwardAdjustmentDialog::buildBoxes() {
    clubBox_ = makeBox({4, IsNumberKey}, QStringLiteral("Enter Club No. eg 6785 "));
    authorisedBox_ = makeBox({20, nullptr, true}, QStringLiteral("eg P SAMPLE"));
    codeBox_ = makeBox({4, nullptr, true}, QStringLiteral("eg BTR or 2120"));
    quarterList_ =
        FreeTextList({"1st", "2nd", "3rd", "4th"},
                     QStringLiteral("Click Arrow or Use Down Arrow to Select Quarter"), this);
    yearList_ =
        FreeTextList({}, QStringLiteral("Click Arrow or Use Down Arrow to Select Year"), this);
    deductFromBox_ = makeBox({8, IsNumberKey}, QString());
    addToBox_ = makeBox({kTypedNumberLength, IsNumberKey}, QString());
    goldBox_ = makeBox({6, IsNumberKey}, QString());
    redBox_ = makeBox({6, IsNumberKey}, QString());
    greenBox_ = makeBox({6, IsNumberKey}, QString());
    addToBox_->installEventFilter(this);
}

void AwardAdjustmentDialog::arrangeEventDetails(QVBoxLayout& layout) {
    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral(" Our Club Number:"), this), 0, 0);
    top->addWidget(clubBox_, 0, 1);
    top->addWidget(new QLabel(QStringLiteral(" Authorised By:"), this), 1, 0);
    top->addWidget(authorisedBox_, 1, 1);
    layout.addLayout(top);
    layout.addWidget(BoldLabel(QStringLiteral("Event Details "), this));
    layout.addWidget(BoldLabel(QStringLiteral("All Fields must be completed."), this));
    auto* reported = new QHBoxLayout;
    reported->addWidget(new QLabel(QStringLiteral(" Code: "), this));
    reported->addWidget(codeBox_);
    reported->addWidget(new QLabel(QStringLiteral("Quarter"), this));
    reported->addWidget(quarterList_);
    reported->addWidget(new QLabel(QStringLiteral("and year"), this));
    reported->addWidget(yearList_);
    reported->addWidget(new QLabel(QStringLiteral("reported."), this));
    reported->addStretch();
    layout.addLayout(reported);
}

void AwardAdjustmentDialog::arrangePoints(QVBoxLayout& layout) {
    auto* numbers = new QGridLayout;
    numbers->addWidget(new QLabel(QStringLiteral(" Deduct from QMR No."), this), 0, 0);
    numbers->addWidget(deductFromBox_, 0, 1);
    numbers->addWidget(new QLabel(QStringLiteral("Add to QMR No."), this), 0, 2);
    numbers->addWidget(addToBox_, 0, 3);
    numbers->addWidget(new QLabel(QStringLiteral(" Gold Points: "), this), 1, 0);
    numbers->addWidget(goldBox_, 1, 1);
    numbers->addWidget(new QLabel(QStringLiteral("Red Points:"), this), 1, 2);
    numbers->addWidget(redBox_, 1, 3);
    numbers->addWidget(new QLabel(QStringLiteral("Green Points:"), this), 1, 4);
    numbers->addWidget(greenBox_, 1, 5);
    layout.addLayout(numbers);
}

void AwardAdjustmentDialog::buildButtons(QVBoxLayout& layout) {
    buttons_ = AddSubmissionSection(
        *this, layout, kAdjustmentSubmission, FederationFile::Adjustments, state_, platform_,
        fileNameLabel_, [this] { append(); }, [this] { clearAllFields(); },
        QStringLiteral("Exit Award Adjustment"));
}

void AwardAdjustmentDialog::setTypingOrder() {
    QWidget* order[] = {clubBox_,        authorisedBox_, codeBox_,       quarterList_,   yearList_,
                        deductFromBox_,  addToBox_,      goldBox_,       redBox_,        greenBox_,
                        buttons_.Append, buttons_.Close, buttons_.Clear, buttons_.Delete};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void AwardAdjustmentDialog::onOpen() {
    fileNameLabel_->setText("Filename in use " +
                            QString::fromLatin1(kAdjustmentSubmission.FileName));
    buttons_.OfferFile(kAdjustmentSubmission, state_);
    yearList_->clear();
    for (const std::string& year : ReportedYears(state_.Today().Year))
        yearList_->addItem(Latin1(year));
    clearAllFields();
    SetBoxText(clubBox_, Latin1(state_.Settings.LastClubNo));
    clubBox_->selectAll();
    clubBox_->setFocus();
}

void AwardAdjustmentDialog::clearEntryFields() {
    for (RuleBox* b : {codeBox_, deductFromBox_, addToBox_, goldBox_, redBox_, greenBox_})
        b->setText(QString());
    ClearFreeText(quarterList_);
    ClearFreeText(yearList_);
    clubBox_->setFocus();
}

void AwardAdjustmentDialog::clearAllFields() {
    clearEntryFields();
    clubBox_->setText(QString());
    authorisedBox_->setText(QString());
}

void AwardAdjustmentDialog::checkAddToNumber() {
    if (addToBox_->text().isEmpty() || checking_)
        return;
    if (state_.National.FindPlayerByNumber(ToLatin1(addToBox_->text())) != 0)
        return;
    checking_ = true;
    platform_.Beep();
    platform_.Message(QString::fromLatin1(kInvalidNumber));
    addToBox_->setText(QString());
    addToBox_->setFocus();
    checking_ = false;
}

bool AwardAdjustmentDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == addToBox_ && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window taking the focus (a message box) is not leaving the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            isVisible() && !buttons_.LeaveTheFields(QApplication::focusWidget()))
            checkAddToNumber();
    }
    return false;
}

void AwardAdjustmentDialog::append() {
    // Append's access key presses the button without the focus leaving the number box, so
    // the number is checked here too: an unknown one is never written.
    if (!addToBox_->text().isEmpty()) {
        checkAddToNumber();
        if (addToBox_->text().isEmpty())
            return;
    }
    const AwardAdjustmentFields typed{
        ToLatin1(clubBox_->text()),         ToLatin1(authorisedBox_->text()),
        ToLatin1(codeBox_->text()),         ToLatin1(quarterList_->currentText()),
        ToLatin1(yearList_->currentText()), ToLatin1(deductFromBox_->text()),
        ToLatin1(addToBox_->text()),        ToLatin1(goldBox_->text()),
        ToLatin1(redBox_->text()),          ToLatin1(greenBox_->text())};
    if (!SayWhenBlank(AwardAdjustmentComplete(typed), platform_))
        return;
    if (!AppendSubmission(kAdjustmentSubmission, state_, platform_,
                          BlockText(AwardAdjustmentBlock(typed, state_.Today())), buttons_))
        return;
    platform_.Beep();
    SayAppended(kAdjustmentSubmission, state_, platform_,
                QString::fromLatin1(kAppendedSuccessfully));
    state_.Settings.LastClubNo = typed.ClubNo;
    clearEntryFields();
    codeBox_->setFocus();
}

} // namespace mpsec
