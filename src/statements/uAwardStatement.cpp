#include "statements/uAwardStatement.h"

#include "app/AppState.h"
#include "app/Widgets.h"
#include "enquiries/PlayerView.h"
#include "platform/Latin1.h"
#include "platform/Platform.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace mpsec {

namespace {

const QColor kSkyBlue(166, 202, 240);
constexpr const char* kAwardFilesNotLoaded =
    "The award files are not loaded. Close this window and open it again.";

QTableWidget* MakeGrid(QWidget* parent) {
    auto* grid = new QTableWidget(0, 8, parent);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    grid->setFont(font);
    QPalette palette = grid->palette();
    palette.setColor(QPalette::Base, kSkyBlue);
    grid->setPalette(palette);
    grid->verticalHeader()->setDefaultSectionSize(16);
    for (int c = 0; c < 8; ++c)
        grid->setColumnWidth(c,
                             static_cast<int>(kStatementColumnWidths[static_cast<std::size_t>(c)]));
    grid->setColumnHidden(0, true);
    return grid;
}

// Columns 4-7 are bold and right-aligned, gold in yellow, red in red, green in green.
void FillRow(QTableWidget* grid, int row, const StatementRow& cells) {
    static const QColor colours[4] = {QColor(255, 255, 0), QColor(255, 0, 0), QColor(0, 128, 0),
                                      Qt::black};
    for (int c = 1; c < 8; ++c) {
        auto* item = new QTableWidgetItem(Latin1(cells[static_cast<std::size_t>(c)]));
        if (c >= 4) {
            QFont f = grid->font();
            f.setBold(true);
            item->setFont(f);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setForeground(colours[c - 4]);
        }
        grid->setItem(row, c, item);
    }
}

} // namespace

TAwardStatementDlg::TAwardStatementDlg(AppState& state, Platform& platform, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform) {
    setWindowTitle(QStringLiteral("Award Statements"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        BoldLabel(QStringLiteral("Enter QMR number. Press enter or click the Get button"), this));

    auto* top = new QHBoxLayout;
    auto* numberLabel = new QLabel(QStringLiteral(" QMR Number:"), this);
    numberLabel->setToolTip(QStringLiteral("Enter QMR Number"));
    QMRNoEB = new QLineEdit(this);
    LimitTypedLength(QMRNoEB, kTypedNumberLength);
    QMRNoEB->setToolTip(QStringLiteral("Enter QMR Number"));
    QMRNoEB->installEventFilter(this);
    GetBtn = new QPushButton(QStringLiteral("Get"), this);
    GetBtn->setToolTip(QStringLiteral("Get the player"));
    PreviousBtn = new QPushButton(QStringLiteral("<<"), this);
    PreviousBtn->setToolTip(QStringLiteral("Previous Home Club Member"));
    NextBtn = new QPushButton(QStringLiteral(">>"), this);
    NextBtn->setToolTip(QStringLiteral("Next Home Club Member"));
    for (QPushButton* b : {GetBtn, PreviousBtn, NextBtn})
        b->setAutoDefault(false);
    top->addWidget(numberLabel);
    top->addWidget(QMRNoEB);
    top->addWidget(GetBtn);
    top->addWidget(PreviousBtn);
    top->addWidget(NextBtn);
    top->addStretch();
    layout->addLayout(top);

    auto* player = new QGridLayout;
    NameLB = BoldLabel(QString(), this);
    ClubLB = BoldLabel(QString(), this);
    RankLB = BoldLabel(QString(), this);
    player->addWidget(new QLabel(QStringLiteral("Name:"), this), 0, 0);
    player->addWidget(NameLB, 0, 1);
    player->addWidget(new QLabel(QStringLiteral("Home Club: "), this), 1, 0);
    player->addWidget(ClubLB, 1, 1);
    player->addWidget(new QLabel(QStringLiteral("Your Current Rank is: "), this), 2, 0);
    player->addWidget(RankLB, 2, 1);
    player->setColumnStretch(1, 1);
    layout->addLayout(player);

    auto* promotion = new QGridLayout;
    promotion->addWidget(new QLabel(QStringLiteral("Requirements for Promotion to "), this), 0, 0);
    NextRankLB = BoldLabel(QString(), this);
    promotion->addWidget(NextRankLB, 0, 1, 1, 3);
    const char* captions[3] = {"Total", "Inc Gold/Red", "Inc Gold"};
    const char* rows[3] = {"You Must Have", "You Now Have", "You Still Need"};
    for (int c = 0; c < 3; ++c)
        promotion->addWidget(BoldLabel(QString::fromLatin1(captions[c]), this), 1, c + 1,
                             Qt::AlignRight);
    for (int r = 0; r < 3; ++r) {
        promotion->addWidget(r == 2 ? BoldLabel(QString::fromLatin1(rows[r]), this)
                                    : new QLabel(QString::fromLatin1(rows[r]), this),
                             r + 2, 0);
        for (int c = 0; c < 3; ++c) {
            Values[r][c] = r == 2 ? BoldLabel(QString(), this) : new QLabel(this);
            promotion->addWidget(Values[r][c], r + 2, c + 1, Qt::AlignRight);
        }
    }
    NoteLB[0] = new QLabel(this);
    NoteLB[1] = new QLabel(this);
    promotion->addWidget(NoteLB[0], 5, 0, 1, 4);
    promotion->addWidget(NoteLB[1], 6, 0, 1, 4);
    promotion->setColumnStretch(4, 1);
    layout->addLayout(promotion);

    SGFixed = MakeGrid(this);
    SGFixed->setRowCount(2);
    SGFixed->setRowHeight(0, 18);
    SGFixed->setRowHeight(1, 18);
    SGFixed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SGFixed->setFixedHeight(18 * 2 + 2 * SGFixed->frameWidth());
    SG = MakeGrid(this);
    SG->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int width = 625 + SG->verticalScrollBar()->sizeHint().width() + 2 * SG->frameWidth();
    SGFixed->setFixedWidth(width);
    SG->setFixedWidth(width);
    layout->addWidget(SGFixed);
    layout->addWidget(SG, 1);
    layout->setSpacing(4);

    auto* bottom = new QHBoxLayout;
    CloseBtn = new QPushButton(QStringLiteral("Close"), this);
    PrintBtn = new QPushButton(QStringLiteral(" &Print   "), this);
    PreviewBtn = new QPushButton(QStringLiteral("Pre&view"), this);
    PreviewBtn->setToolTip(QStringLiteral("See the printed pages first"));
    for (QPushButton* b : {CloseBtn, PrintBtn, PreviewBtn})
        b->setAutoDefault(false);
    bottom->addWidget(CloseBtn);
    bottom->addStretch();
    bottom->addWidget(PreviewBtn);
    bottom->addWidget(PrintBtn);
    layout->addLayout(bottom);

    // Placed as the statement screen always is: centred, a twentieth down, tall.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->availableGeometry();
        resize(width + 40, std::max(400, s.height() - 200));
        move((s.width() - this->width()) / 2, s.height() / 20);
    }

    connect(GetBtn, &QPushButton::clicked, this, &TAwardStatementDlg::GetBtnClick);
    connect(NextBtn, &QPushButton::clicked, this, &TAwardStatementDlg::NextBtnClick);
    connect(PreviousBtn, &QPushButton::clicked, this, &TAwardStatementDlg::PreviousBtnClick);
    connect(PrintBtn, &QPushButton::clicked, this, &TAwardStatementDlg::PrintBtnClick);
    connect(PreviewBtn, &QPushButton::clicked, this, &TAwardStatementDlg::PreviewBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    ClearTheForm();
}

void TAwardStatementDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TAwardStatementDlg::done(int result) {
    FormDeactivate();
    QDialog::done(result);
}

void TAwardStatementDlg::FormActivate() {
    loadError_ = session_.Load(".", state_.ProgramFolder);
    if (!loadError_.empty())
        platform_.Error(Latin1(loadError_));
    SetButtonsVisible(false);
    ClearTheForm();
    QMRNoEB->clear();
    QMRNoEB->setEnabled(true);
    QMRNoEB->setFocus();
}

void TAwardStatementDlg::FormDeactivate() {
    session_.Release();
}

void TAwardStatementDlg::SetButtonsVisible(bool visible) {
    PrintBtn->setVisible(visible);
    PreviewBtn->setVisible(visible);
    NextBtn->setVisible(visible);
    PreviousBtn->setVisible(visible);
}

void TAwardStatementDlg::ClearTheForm() {
    shown_ = false;
    statement_ = StatementSession::Statement{};
    SG->setRowCount(0);
    SG->setRowCount(1);
    SGFixed->clearContents();
    StatementRow headings{"", "Q/YY", "Code", "Description", "Gold", "Red", "Green", "Total"};
    FillRow(SGFixed, 0, headings);
    for (QLabel* l : {NameLB, ClubLB, RankLB})
        l->clear();
    for (auto& row : Values)
        for (QLabel* l : row)
            l->clear();
}

void TAwardStatementDlg::FocusNumber() {
    QMRNoEB->setFocus();
    QMRNoEB->selectAll();
}

void TAwardStatementDlg::GetBtnClick() {
    if (QMRNoEB->text().isEmpty())
        return;
    PrintBtn->hide();
    PreviewBtn->hide();
    ClearTheForm();
    if (!session_.Loaded()) {
        platform_.Error(Latin1(loadError_.empty() ? kAwardFilesNotLoaded : loadError_));
        return;
    }
    const std::string typed = ToLatin1(QMRNoEB->text());
    line_ = state_.National.FindPlayerByNumber(typed);
    if (line_ == 0) {
        platform_.Beep();
        platform_.Message(QString::fromLatin1(kNoPlayerWithNumber));
        FocusNumber();
        return;
    }
    state_.CurrentPlayer = state_.National.GetPlayer(line_);
    statementClub_ = state_.CurrentPlayer.HomeClub;
    if (IsInactive(state_.CurrentPlayer)) {
        platform_.Beep();
        platform_.Message(QString::fromLatin1(kInactivePlayer));
        FocusNumber();
        return;
    }
    platform_.Busy([&] {
        statement_ =
            session_.Build(state_.CurrentPlayer, typed, rankIndex_, state_.GetClubDescription,
                           DoTheDateStuff(state_.RegisterDate, state_.Formats));
        PlaceDataOnForm();
        platform_.ProcessEvents(); // the panels repaint, and a run's Cancel can be pressed
        ShowGrid();
    });
    if (!statement_.Error.empty()) {
        // A statement stopped part-way is never printed or stepped from.
        SetButtonsVisible(false);
        platform_.Error(Latin1(statement_.Error));
        FocusNumber();
        return;
    }
    shown_ = true;
    SetButtonsVisible(true);
    NextBtn->setEnabled(true);
    PreviousBtn->setEnabled(true);
    FocusNumber();
}

void TAwardStatementDlg::PlaceDataOnForm() {
    const rPlayer& p = statement_.Player;
    const Promotion& r = statement_.Requirements;
    NameLB->setText(Latin1(p.GivenName + " " + p.Surname));
    ClubLB->setText(Latin1(StatementClubText(statement_.ClubDescription)));
    RankLB->setText(Latin1(r.CurrentRankText));
    NextRankLB->setText(Latin1(r.NextRankText));
    const std::string* rows[3] = {r.MustHave, r.NowHave, r.StillNeed};
    for (int row = 0; row < 3; ++row)
        for (int c = 0; c < 3; ++c)
            Values[row][c]->setText(Latin1(rows[row][c]));
    for (int n = 0; n < 2; ++n)
        NoteLB[n]->setText(Latin1(r.ScreenNote[n]));
}

void TAwardStatementDlg::ShowGrid() {
    const auto& rows = statement_.Rows;
    if (rows.size() > 1)
        FillRow(SGFixed, 1, rows[1]);
    SG->setRowCount(rows.size() > 2 ? static_cast<int>(rows.size() - 2) : 0);
    for (std::size_t r = 2; r < rows.size(); ++r)
        FillRow(SG, static_cast<int>(r - 2), rows[r]);
}

std::vector<StatementRow> TAwardStatementDlg::GridRows() const {
    std::vector<StatementRow> rows;
    auto take = [&rows](const QTableWidget* grid) {
        for (int r = 0; r < grid->rowCount(); ++r) {
            StatementRow row;
            for (int c = 1; c < 8; ++c)
                if (const QTableWidgetItem* item = grid->item(r, c))
                    row[static_cast<std::size_t>(c)] = ToLatin1(item->text());
            rows.push_back(row);
        }
    };
    take(SGFixed);
    take(SG);
    return rows;
}

void TAwardStatementDlg::ShowMember(bool forward) {
    const std::size_t last = state_.National.NumberIndexCount();
    for (;;) {
        line_ = forward ? line_ + 1 : line_ - 1;
        if (line_ == 0)
            break;
        state_.CurrentPlayer = state_.National.GetPlayer(line_);
        if (state_.CurrentPlayer.HomeClub == statementClub_) {
            if (!IsInactive(state_.CurrentPlayer)) {
                NextBtn->setEnabled(false);
                PreviousBtn->setEnabled(false);
                const std::size_t at = line_;
                SetBoxText(QMRNoEB, Latin1(state_.CurrentPlayer.QMRNo));
                GetBtnClick();
                line_ = at;
            }
            break;
        }
        if (forward && line_ == last)
            break;
    }
}

void TAwardStatementDlg::NextBtnClick() {
    const std::size_t last = state_.National.NumberIndexCount();
    if (line_ == last) {
        platform_.Beep();
        return;
    }
    for (QPushButton* b : {NextBtn, PreviousBtn})
        b->setStyleSheet(QString());
    if (line_ == 0)
        line_ = state_.National.FindPlayerByNumber(ToLatin1(QMRNoEB->text()));
    ShowMember(true);
    if (line_ == last) {
        NextBtn->setEnabled(true);
        PreviousBtn->setEnabled(true);
        NextBtn->setStyleSheet(QStringLiteral("color: red"));
        platform_.Beep();
    }
}

void TAwardStatementDlg::PreviousBtnClick() {
    if (line_ == 0) {
        platform_.Beep();
        return;
    }
    for (QPushButton* b : {NextBtn, PreviousBtn})
        b->setStyleSheet(QString());
    if (line_ == state_.National.NumberIndexCount())
        line_ = state_.National.FindPlayerByNumber(ToLatin1(QMRNoEB->text()));
    ShowMember(false);
    if (line_ == 0) {
        NextBtn->setEnabled(true);
        PreviousBtn->setEnabled(true);
        PreviousBtn->setStyleSheet(QStringLiteral("color: red"));
        platform_.Beep();
    }
}

ComposedDocument TAwardStatementDlg::ComposeThisStatement() const {
    return StatementSession::Compose(statement_, ToLatin1(QMRNoEB->text()));
}

void TAwardStatementDlg::GMPrintThisStatement() {
    platform_.Busy([&] { platform_.PrintDocument(ComposeThisStatement()); });
    FocusNumber();
}

void TAwardStatementDlg::PrintBtnClick() {
    if (shown_ && platform_.ChoosePrinter(this))
        GMPrintThisStatement();
}

void TAwardStatementDlg::PreviewBtnClick() {
    if (shown_)
        platform_.PreviewDocument(ComposeThisStatement(), this);
}

bool TAwardStatementDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched != QMRNoEB)
        return false;
    if (event->type() == QEvent::MouseButtonRelease) {
        QTimer::singleShot(0, QMRNoEB, &QLineEdit::selectAll);
        return false;
    }
    return FilterTypedKey(
        event, platform_, [](QChar c) { return c >= '0' && c <= '9'; }, [this] { GetBtnClick(); });
}

} // namespace mpsec
