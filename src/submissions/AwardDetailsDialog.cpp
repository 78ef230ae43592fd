#include "submissions/AwardDetailsDialog.h"

#include "platform/Platform.h"
#include "print/Latin1.h"
#include "submissions/AwardDetails.h"
#include "submissions/SubmissionFiles.h"
#include "ui/AppState.h"
#include "ui/FormFields.h"
#include "ui/TextStyles.h"
#include "ui/TypedKeys.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mpsec {

AwardDetailsDialog::AwardDetailsDialog(AppState& state, Platform& platform, QWidget* parent)
    : ProgramDialog(parent), state_(state), platform_(platform) {
    setWindowTitle(QStringLiteral("Award Details"));
    setToolTip(QStringLiteral("Use TAB & Shift-TAB to Naviagate Input Boxes"));
    auto* layout = new QVBoxLayout(this);
    buildBoxes();
    arrangeRequest(*layout);
    arrangeEventDetails(*layout);
    buildButtons(*layout);
    setTypingOrder();
}

void AwardDetailsDialog::buildBoxes() {
    auto box = [&](BoxRule rule, const QString& hint) {
        auto* b = new RuleBox(rule, platform_, this);
        b->setToolTip(hint);
        return b;
    };
    clubBox_ = box({4, IsNumberKey}, QStringLiteral("Enter Club No. eg 6785 "));
    requestedByBox_ = box({20, nullptr, true}, QStringLiteral("eg P SAMPLE"));
    descriptionBox_ = box({40, nullptr, true}, QStringLiteral(" eg  Club Mixed Teams"));
    QStringList months;
    for (int m = 1; m <= 12; ++m)
        months << QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
    monthList_ =
        FreeTextList(months, QStringLiteral("Click Arrow or Use Down Arrow to Select Month"), this);
    QStringList types;
    for (const char* type : kEventTypes)
        types << QString::fromLatin1(type);
    eventTypeList_ = FreeTextList(
        types, QStringLiteral("Click Arrow or Use Down Arrow to Select Event Type "), this);
    fileNameBox_ = box({15}, QStringLiteral("eg Y3MCC298.MP3 "));
    pointsBox_ = box({7, IsNumberKey}, QString());
    // Digits and the point only: Enter is refused like any other key.
    for (RuleBox* number : {clubBox_, pointsBox_})
        connect(number, &RuleBox::enterPressed, this, [this] { platform_.Beep(); });
}

void AwardDetailsDialog::arrangeRequest(QVBoxLayout& layout) {
    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral(" Our Club Number:"), this), 0, 0);
    top->addWidget(clubBox_, 0, 1);
    top->addWidget(new QLabel(QStringLiteral(" Requested By:"), this), 1, 0);
    top->addWidget(requestedByBox_, 1, 1);
    layout.addLayout(top);
    layout.addWidget(BoldLabel(QStringLiteral("Event Details "), this));
    layout.addWidget(BoldLabel(QStringLiteral("All Fields must be completed."), this));
}

void AwardDetailsDialog::arrangeEventDetails(QVBoxLayout& layout) {
    auto* event = new QGridLayout;
    event->addWidget(new QLabel(QStringLiteral(" Description:"), this), 0, 0);
    event->addWidget(descriptionBox_, 0, 1, 1, 3);
    event->addWidget(new QLabel(QStringLiteral(" Month:"), this), 1, 0);
    event->addWidget(monthList_, 1, 1);
    event->addWidget(new QLabel(QStringLiteral("Type:"), this), 1, 2);
    event->addWidget(eventTypeList_, 1, 3);
    event->addWidget(new QLabel(QStringLiteral("Filename: "), this), 2, 0);
    event->addWidget(fileNameBox_, 2, 1);
    event->addWidget(new QLabel(QStringLiteral("Total Points: "), this), 2, 2);
    event->addWidget(pointsBox_, 2, 3);
    layout.addLayout(event);
}

void AwardDetailsDialog::buildButtons(QVBoxLayout& layout) {
    buttons_ = AddSubmissionSection(
        *this, layout, kAwardsSubmission, FederationFile::Awards, state_, platform_, fileNameLabel_,
        [this] { append(); }, [this] { clearAllFields(); });
}

void AwardDetailsDialog::setTypingOrder() {
    QWidget* order[] = {clubBox_,       requestedByBox_, descriptionBox_, monthList_,
                        eventTypeList_, fileNameBox_,    pointsBox_,      buttons_.Append,
                        buttons_.Close, buttons_.Clear,  buttons_.Delete};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void AwardDetailsDialog::onOpen() {
    fileNameLabel_->setText("Filename in use " + QString::fromLatin1(kAwardsSubmission.FileName));
    buttons_.OfferFile(kAwardsSubmission, state_);
    clearAllFields();
    SetBoxText(clubBox_, Latin1(state_.Settings.LastClubNo));
    clubBox_->selectAll();
    clubBox_->setFocus();
}

void AwardDetailsDialog::clearEntryFields() {
    for (RuleBox* b : {descriptionBox_, fileNameBox_, pointsBox_})
        b->setText(QString());
    ClearFreeText(monthList_);
    ClearFreeText(eventTypeList_);
    clubBox_->setFocus();
}

void AwardDetailsDialog::clearAllFields() {
    clearEntryFields();
    clubBox_->setText(QString());
    requestedByBox_->setText(QString());
}

void AwardDetailsDialog::append() {
    const AwardDetailsFields typed{ToLatin1(clubBox_->text()),
                                   ToLatin1(requestedByBox_->text()),
                                   ToLatin1(descriptionBox_->text()),
                                   ToLatin1(monthList_->currentText()),
                                   ToLatin1(eventTypeList_->currentText()),
                                   ToLatin1(fileNameBox_->text()),
                                   ToLatin1(pointsBox_->text())};
    if (!SayWhenBlank(AwardDetailsComplete(typed), platform_))
        return;
    if (!AppendSubmission(kAwardsSubmission, state_, platform_,
                          BlockText({AwardDetailsLine(typed)}), buttons_))
        return;
    state_.Settings.LastClubNo = typed.ClubNo;
    clearEntryFields();
    descriptionBox_->setFocus();
    platform_.Beep();
    SayAppended(kAwardsSubmission, state_, platform_, QString::fromLatin1(kAppendedSuccessfully));
}

} // namespace mpsec
