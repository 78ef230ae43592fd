#include "enquiries/viewplayer.h"

#include "app/AppState.h"
#include "app/Widgets.h"
#include "enquiries/PlayerView.h"
#include "platform/Latin1.h"
#include "platform/Platform.h"

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

TViewDlg::TViewDlg(AppState& state, Platform& platform, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform) {
    setWindowTitle(QStringLiteral("Viewing Players"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoldLabel(
        QStringLiteral("Enter QMR number OR a surname. Press enter or click the Get button"),
        this));

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
    QMRNoEB =
        box(QStringLiteral(" QMR Number:"), QStringLiteral("Enter QMR Number"), kTypedNumberLength);
    SurnameEB = box(QStringLiteral(" Surname:"),
                    QStringLiteral("With NO initail a partial surname will suffice."), 18);
    InitEB = box(QStringLiteral(" Initial:"),
                 QStringLiteral("The use of an initial requires FULL surname."), 8);
    GetBtn = new QPushButton(QStringLiteral("Get"), this);
    GetBtn->setToolTip(QStringLiteral("Get the player"));
    GetBtn->setAutoDefault(false);
    inputs->addWidget(GetBtn);
    layout->addLayout(inputs);

    auto* details = new QGridLayout;
    NameLB = BoldLabel(QString(), this);
    ClubLB = BoldLabel(QString(), this);
    RankLB = BoldLabel(QString(), this);
    details->addWidget(new QLabel(QStringLiteral("Name:"), this), 0, 0);
    details->addWidget(NameLB, 0, 1);
    details->addWidget(new QLabel(QStringLiteral("Home Club: "), this), 1, 0);
    details->addWidget(ClubLB, 1, 1);
    details->addWidget(new QLabel(QStringLiteral("Rank"), this), 2, 0);
    details->addWidget(RankLB, 2, 1);
    details->setColumnStretch(1, 1);
    layout->addLayout(details);

    auto* middle = new QHBoxLayout;
    auto* table = new QGridLayout;
    const QColor colours[4] = {QColor(255, 255, 0), QColor(255, 0, 0), QColor(0, 128, 0),
                               Qt::black};
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
            Points[r][c] = BoldLabel(QString(), this);
            SetTextColour(Points[r][c], colours[c]);
            table->addWidget(Points[r][c], r + 1, c + 1, Qt::AlignRight);
        }
    }
    middle->addLayout(table, 1);

    auto* right = new QVBoxLayout;
    SelectLbl = BoldLabel(QStringLiteral("Select Required Player"), this);
    PlayerLB = new QListWidget(this);
    PlayerLB->installEventFilter(this);
    PlayerLB->setMinimumWidth(300);
    MyImage = new QLabel(this);
    MyImage->setPixmap(QPixmap(QStringLiteral(":/images/player.png")));
    right->addWidget(SelectLbl);
    right->addWidget(PlayerLB);
    right->addWidget(MyImage);
    middle->addLayout(right);
    layout->addLayout(middle);

    auto* buttons = new QHBoxLayout;
    auto moveButton = [&](const QString& caption, const QString& hint, PlayerMove move) {
        auto* b = new QPushButton(caption, this);
        b->setToolTip(hint);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, move] { Move(move); });
        buttons->addWidget(b);
        return b;
    };
    FirstBtn = moveButton(QStringLiteral("|<"), QStringLiteral("First Player"), PlayerMove::First);
    BackBtn =
        moveButton(QStringLiteral("<"), QStringLiteral("Previous Player"), PlayerMove::Previous);
    ForwardBtn = moveButton(QStringLiteral(">"), QStringLiteral("Next Player"), PlayerMove::Next);
    LastBtn = moveButton(QStringLiteral(">|"), QStringLiteral("Last Player"), PlayerMove::Last);
    buttons->addStretch();
    CloseBtn = new QPushButton(QStringLiteral("&Close"), this);
    CloseBtn->setAutoDefault(false);
    buttons->addWidget(CloseBtn);
    layout->addLayout(buttons);

    connect(GetBtn, &QPushButton::clicked, this, &TViewDlg::GetBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(PlayerLB, &QListWidget::itemDoubleClicked, this, &TViewDlg::GetBtnClick);
    // Typed letters become capitals.
    for (QLineEdit* edit : {SurnameEB, InitEB})
        connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
            const int cursor = edit->cursorPosition();
            edit->setText(text.toUpper());
            edit->setCursorPosition(cursor);
        });
    // Every change of the initial selects it, so the next key replaces it.
    connect(InitEB, &QLineEdit::textChanged, InitEB,
            [this] { QTimer::singleShot(0, InitEB, &QLineEdit::selectAll); });
    MyImage->hide();
    HideSelection();
}

void TViewDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TViewDlg::FormActivate() {
    MyImage->hide();
    HideSelection();
    position_ = 0;
    SurnameEB->clear();
    QMRNoEB->clear();
    QMRNoEB->setEnabled(true);
    QMRNoEB->setFocus();
    SurnameEB->clear();
    InitEB->clear();
}

void TViewDlg::done(int result) {
    HideSelection();
    QDialog::done(result);
}

void TViewDlg::HideSelection() {
    PlayerLB->hide();
    SelectLbl->hide();
}

void TViewDlg::SetMovesEnabled(bool enabled) {
    for (QPushButton* b : {FirstBtn, BackBtn, ForwardBtn, LastBtn})
        b->setEnabled(enabled);
}

void TViewDlg::GetBtnClick() {
    if (PlayerLB->isVisible()) {
        HideSelection();
        SetMovesEnabled(true);
        QMRNoEB->setEnabled(true);
        const int row = PlayerLB->currentRow() < 0 ? 0 : PlayerLB->currentRow();
        position_ += static_cast<std::size_t>(row);
        PlacePlayerOnForm();
        // Enter now shows the player taken, as after any other placement.
        QMRNoEB->setFocus();
        QMRNoEB->selectAll();
        return;
    }
    if (!QMRNoEB->text().isEmpty()) {
        position_ = state_.National.FindPlayerByNumber(ToLatin1(QMRNoEB->text()));
        if (position_ != 0) {
            PlacePlayerOnForm();
        } else {
            platform_.Beep();
            platform_.Message(QString::fromLatin1(kNoPlayerWithNumber));
        }
        QMRNoEB->setFocus();
        QMRNoEB->selectAll();
        return;
    }
    if (!SurnameEB->text().isEmpty()) {
        position_ = state_.National.FindPlayerBySurname(ToLatin1(SurnameEB->text()),
                                                        ToLatin1(InitEB->text()));
        if (position_ != 0)
            DoSurnameSelection();
    }
}

void TViewDlg::DoSurnameSelection() {
    SetMovesEnabled(false);
    QMRNoEB->setEnabled(false);
    PlayerLB->clear();
    const std::vector<std::string> entries = SurnameSelection(state_.National, position_);
    for (const std::string& entry : entries)
        PlayerLB->addItem(Latin1(entry));
    // The shared current player is left holding the last line listed.
    state_.CurrentPlayer = state_.National.GetPlayer(position_ + entries.size() - 1);
    MyImage->hide();
    SelectLbl->show();
    PlayerLB->show();
    PlayerLB->setFocus();
    PlayerLB->scrollToTop();
}

void TViewDlg::Move(PlayerMove move) {
    const auto next = MovePosition(move, position_, state_.National.NumberIndexCount());
    if (!next) {
        platform_.Beep();
        return;
    }
    position_ = *next;
    PlacePlayerOnForm();
    QMRNoEB->setFocus();
    QMRNoEB->selectAll();
}

void TViewDlg::PlacePlayerOnForm() {
    state_.CurrentPlayer = state_.National.GetPlayer(position_);
    const rPlayer& p = state_.CurrentPlayer;
    SetBoxText(QMRNoEB, Latin1(p.QMRNo));
    NameLB->setText(Latin1(p.GivenName + " " + p.Surname));
    ClubLB->setText(Latin1(ClubLineText(p, state_.GetClubDescription)));
    RankLB->setText(Latin1(p.Rank));
    const std::string* values[5][4] = {
        {&p.GoldQ, &p.RedQ, &p.GreenQ, nullptr},
        {nullptr, nullptr, nullptr, &p.TotalThisYear},
        {nullptr, nullptr, nullptr, &p.TotalLastYear},
        {nullptr, nullptr, nullptr, &p.TotalPriorYears},
        {&p.OverallGold, &p.OverallRed, &p.OverallGreen, &p.OverallTotal},
    };
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            Points[r][c]->setText(values[r][c] ? Latin1(*values[r][c]) : QString());
    Points[0][3]->setText(Latin1(QuarterTotalText(p)));
    MyImage->setVisible(p.QMRNo == kPicturePlayer && !PlayerLB->isVisible());
}

bool TViewDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == QMRNoEB) {
            SurnameEB->clear();
            InitEB->clear();
        } else if (watched == SurnameEB || watched == InitEB) {
            HideSelection();
            QMRNoEB->clear();
        }
        if (watched == QMRNoEB || watched == SurnameEB) {
            auto* edit = static_cast<QLineEdit*>(watched);
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        }
        return false;
    }
    return FilterTypedKey(
        event, platform_,
        [watched, this](QChar c) {
            if (watched == QMRNoEB)
                return c >= '0' && c <= '9';
            if (watched == SurnameEB || watched == InitEB)
                return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ' || c == '\'';
            return false; // the selection list takes no typed characters
        },
        [this] { GetBtnClick(); });
}

} // namespace mpsec
