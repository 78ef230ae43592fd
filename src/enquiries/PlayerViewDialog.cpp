#include "enquiries/PlayerViewDialog.h"

#include "enquiries/PlayerLookup.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "ui/AppState.h"
#include "ui/Colours.h"
#include "ui/PlayerPanel.h"
#include "ui/TextStyles.h"
#include "ui/TypedKeys.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace mpsec {

namespace {

constexpr const char* kPicturePlayer = "126799";

} // namespace

PlayerViewDialog::PlayerViewDialog(AppState& state, Platform& platform, QWidget* parent)
    : ProgramDialog(parent), state_(state), platform_(platform) {
    setWindowTitle(QStringLiteral("Viewing Players"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoldLabel(
        QStringLiteral("Enter QMR number OR a surname. Press enter or click the Get button"),
        this));
    buildSearchBoxes(*layout);
    playerPanel_ = new PlayerPanel(QStringLiteral("Rank"), this);
    layout->addWidget(playerPanel_);
    auto* middle = new QHBoxLayout;
    buildPointsTable(*middle);
    buildSelection(*middle);
    layout->addLayout(middle);
    buildButtons(*layout);
    connectSignals();
    picture_->hide();
    hideSelection();
}

void PlayerViewDialog::buildSearchBoxes(QVBoxLayout& layout) {
    auto* inputs = new QHBoxLayout;
    auto box = [&](const QString& label, const QString& hint, int maxLength) {
        inputs->addWidget(new QLabel(label, this));
        auto* edit = new QLineEdit(this);
        LimitTypedLength(edit, maxLength);
        edit->setToolTip(hint);
        edit->installEventFilter(this);
        inputs->addWidget(edit);
        return edit;
    };
    numberBox_ =
        box(QStringLiteral(" QMR Number:"), QStringLiteral("Enter QMR Number"), kTypedNumberLength);
    surnameBox_ = box(QStringLiteral(" Surname:"),
                      QStringLiteral("With NO initail a partial surname will suffice."), 18);
    initialBox_ = box(QStringLiteral(" Initial:"),
                      QStringLiteral("The use of an initial requires FULL surname."), 8);
    getButton_ = new QPushButton(QStringLiteral("Get"), this);
    getButton_->setToolTip(QStringLiteral("Get the player"));
    getButton_->setAutoDefault(false);
    inputs->addWidget(getButton_);
    layout.addLayout(inputs);
}

void PlayerViewDialog::buildPointsTable(QHBoxLayout& middle) {
    auto* table = new QGridLayout;
    const QColor colours[4] = {ScreenColour(MPColour::Gold), ScreenColour(MPColour::Red),
                               ScreenColour(MPColour::Green), Qt::black};
    const char* heads[5] = {"Points Earned", "Gold", "Red", "Green", "Total"};
    for (int c = 0; c < 5; ++c) {
        QLabel* head = BoldLabel(QString::fromLatin1(heads[c]), this);
        if (c > 0)
            SetTextColour(head, colours[c - 1]);
        table->addWidget(head, 0, c, c > 0 ? Qt::AlignRight : Qt::AlignLeft);
    }
    const char* rows[5] = {"Last Quarter",
                           "This Year:", "Last Year:", "Prior Years:", "Accumulated:"};
    for (int r = 0; r < 5; ++r) {
        table->addWidget(new QLabel(QString::fromLatin1(rows[r]), this), r + 1, 0);
        for (int c = 0; c < 4; ++c) {
            pointsLabels_[r][c] = BoldLabel(QString(), this);
            SetTextColour(pointsLabels_[r][c], colours[c]);
            table->addWidget(pointsLabels_[r][c], r + 1, c + 1, Qt::AlignRight);
        }
    }
    table->setRowStretch(6, 1); // the rows stay together at the top
    middle.addLayout(table, 1);
}

void PlayerViewDialog::buildSelection(QHBoxLayout& middle) {
    auto* right = new QVBoxLayout;
    selectionLabel_ = BoldLabel(QStringLiteral("Select Required Player"), this);
    selectionList_ = new QListWidget(this);
    selectionList_->installEventFilter(this);
    selectionList_->setMinimumSize(300, 220); // room for a dozen names at a glance
    picture_ = new QLabel(this);
    picture_->setPixmap(QPixmap(QStringLiteral(":/images/player.png")));
    right->addWidget(selectionLabel_);
    right->addWidget(selectionList_);
    right->addWidget(picture_);
    middle.addLayout(right);
}

void PlayerViewDialog::buildButtons(QVBoxLayout& layout) {
    auto* buttons = new QHBoxLayout;
    auto moveButton = [&](const QString& caption, const QString& hint, PlayerMove move) {
        auto* b = new QPushButton(caption, this);
        b->setToolTip(hint);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, move] { step(move); });
        buttons->addWidget(b);
        return b;
    };
    firstButton_ =
        moveButton(QStringLiteral("|<"), QStringLiteral("First Player"), PlayerMove::First);
    previousButton_ =
        moveButton(QStringLiteral("<"), QStringLiteral("Previous Player"), PlayerMove::Previous);
    nextButton_ = moveButton(QStringLiteral(">"), QStringLiteral("Next Player"), PlayerMove::Next);
    lastButton_ = moveButton(QStringLiteral(">|"), QStringLiteral("Last Player"), PlayerMove::Last);
    buttons->addStretch();
    closeButton_ = new QPushButton(QStringLiteral("&Close"), this);
    closeButton_->setAutoDefault(false);
    buttons->addWidget(closeButton_);
    layout.addLayout(buttons);
}

void PlayerViewDialog::connectSignals() {
    connect(getButton_, &QPushButton::clicked, this, &PlayerViewDialog::lookUp);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(selectionList_, &QListWidget::itemDoubleClicked, this, &PlayerViewDialog::lookUp);
    // Typed letters become capitals.
    for (QLineEdit* edit : {surnameBox_, initialBox_})
        connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
            const int cursor = edit->cursorPosition();
            edit->setText(text.toUpper());
            edit->setCursorPosition(cursor);
        });
    // Every change of the initial selects it, so the next key replaces it.
    connect(initialBox_, &QLineEdit::textChanged, initialBox_,
            [this] { QTimer::singleShot(0, initialBox_, &QLineEdit::selectAll); });
}

void PlayerViewDialog::resetForOpening() {
    picture_->hide();
    hideSelection();
    position_ = 0;
    surnameBox_->clear();
    numberBox_->clear();
    numberBox_->setEnabled(true);
    numberBox_->setFocus();
    surnameBox_->clear();
    initialBox_->clear();
}

void PlayerViewDialog::hideSelection() {
    selectionList_->hide();
    selectionLabel_->hide();
}

void PlayerViewDialog::setStepsEnabled(bool enabled) {
    for (QPushButton* b : {firstButton_, previousButton_, nextButton_, lastButton_})
        b->setEnabled(enabled);
}

void PlayerViewDialog::lookUp() {
    if (selectionList_->isVisible()) {
        hideSelection();
        setStepsEnabled(true);
        numberBox_->setEnabled(true);
        const int row = selectionList_->currentRow() < 0 ? 0 : selectionList_->currentRow();
        position_ += static_cast<std::size_t>(row);
        showPlayer();
        // Enter now shows the player taken, as after any other placement.
        numberBox_->setFocus();
        numberBox_->selectAll();
        return;
    }
    if (!numberBox_->text().isEmpty()) {
        position_ = state_.National.FindPlayerByNumber(ToLatin1(numberBox_->text()));
        if (position_ != 0) {
            showPlayer();
        } else {
            platform_.Beep();
            platform_.Message(QString::fromLatin1(kNoPlayerWithNumber));
        }
        numberBox_->setFocus();
        numberBox_->selectAll();
        return;
    }
    if (!surnameBox_->text().isEmpty()) {
        position_ = state_.National.FindPlayerBySurname(ToLatin1(surnameBox_->text()),
                                                        ToLatin1(initialBox_->text()));
        if (position_ != 0)
            showSurnameSelection();
    }
}

void PlayerViewDialog::showSurnameSelection() {
    setStepsEnabled(false);
    numberBox_->setEnabled(false);
    selectionList_->clear();
    const std::vector<std::string> entries = SurnameSelection(state_.National, position_);
    for (const std::string& entry : entries)
        selectionList_->addItem(Latin1(entry));
    // The shared current player is left holding the last line listed.
    state_.CurrentPlayer = state_.National.GetPlayer(position_ + entries.size() - 1);
    picture_->hide();
    selectionLabel_->show();
    selectionList_->show();
    selectionList_->setFocus();
    selectionList_->scrollToTop();
}

void PlayerViewDialog::step(PlayerMove move) {
    const auto next = MovePosition(move, position_, state_.National.NumberIndexCount());
    if (!next) {
        platform_.Beep();
        return;
    }
    position_ = *next;
    showPlayer();
    numberBox_->setFocus();
    numberBox_->selectAll();
}

void PlayerViewDialog::showPlayer() {
    state_.CurrentPlayer = state_.National.GetPlayer(position_);
    const PlayerRecord& p = state_.CurrentPlayer;
    SetBoxText(numberBox_, Latin1(p.QMRNo));
    playerPanel_->setPlayer(p, ClubLineText(p, state_.ClubLookup()), p.Rank);
    const std::string* values[5][4] = {
        {&p.GoldQ, &p.RedQ, &p.GreenQ, nullptr},
        {nullptr, nullptr, nullptr, &p.TotalThisYear},
        {nullptr, nullptr, nullptr, &p.TotalLastYear},
        {nullptr, nullptr, nullptr, &p.TotalPriorYears},
        {&p.OverallGold, &p.OverallRed, &p.OverallGreen, &p.OverallTotal},
    };
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            pointsLabels_[r][c]->setText(values[r][c] ? Latin1(*values[r][c]) : QString());
    pointsLabels_[0][3]->setText(Latin1(QuarterTotalText(p)));
    picture_->setVisible(p.QMRNo == kPicturePlayer && !selectionList_->isVisible());
}

bool PlayerViewDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == numberBox_) {
            surnameBox_->clear();
            initialBox_->clear();
        } else if (watched == surnameBox_ || watched == initialBox_) {
            hideSelection();
            numberBox_->clear();
        }
        if (watched == numberBox_ || watched == surnameBox_) {
            auto* edit = static_cast<QLineEdit*>(watched);
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        }
        return false;
    }
    return FilterTypedKey(
        event, platform_,
        [watched, this](QChar c) {
            if (watched == numberBox_)
                return c >= '0' && c <= '9';
            if (watched == surnameBox_ || watched == initialBox_)
                return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ' || c == '\'';
            return false; // the selection list takes no typed characters
        },
        [this] { lookUp(); });
}

void PlayerViewDialog::onOpen() {
    resetForOpening();
}

void PlayerViewDialog::onClose() {
    hideSelection();
}

} // namespace mpsec
