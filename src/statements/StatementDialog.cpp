#include "statements/StatementDialog.h"

#include "statements/ClubRun.h"

#include "enquiries/PlayerLookup.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "ui/AppState.h"
#include "ui/Colours.h"
#include "ui/DigitsBox.h"
#include "ui/PlayerPanel.h"
#include "ui/TextStyles.h"
#include "ui/TypedKeys.h"

#include <QEvent>
#include <QFontMetrics>
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
#include <algorithm>
#include <cmath>

namespace mpsec {

namespace {

const QColor kSkyBlue(166, 202, 240);
constexpr const char* kAwardFilesNotLoaded =
    "The award files are not loaded. Close this window and open it again.";

// The grid's sizes in pixels are those of its 8-point font at 96 dots per inch, 13 pixels
// high (rows of 16, fixed rows of 18, the columns' widths). A font drawn larger (144 dots
// per inch, or a wider face standing in for MS Sans Serif) makes them larger in step, so
// no row or heading is cut.
struct GridSizes {
    int Row = 16, FixedRow = 18;
    double Scale = 1;
};

GridSizes SizesFor(const QFont& font) {
    QFont bold = font;
    bold.setBold(true);
    const int high = std::max(QFontMetrics(font).height(), QFontMetrics(bold).height());
    GridSizes sizes;
    sizes.Row = std::max(16, high + 3);
    sizes.FixedRow = std::max(18, high + 5);
    sizes.Scale = std::max(1.0, high / 13.0);
    return sizes;
}

int ScaledWidth(double pixels, const GridSizes& sizes) {
    return static_cast<int>(std::lround(pixels * sizes.Scale));
}

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
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->setColumnHidden(0, true);
    return grid;
}

// Columns 4-7 are bold and right-aligned, gold in yellow, red in red, green in green.
void FillRow(QTableWidget* grid, int row, const StatementRow& cells) {
    static const QColor colours[4] = {ScreenColour(MPColour::Gold), ScreenColour(MPColour::Red),
                                      ScreenColour(MPColour::Green), Qt::black};
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

StatementDialog::StatementDialog(AppState& state, Platform& platform, QWidget* parent)
    : ProgramDialog(parent), state_(state), platform_(platform) {
    setWindowTitle(QStringLiteral("Award Statements"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        BoldLabel(QStringLiteral("Enter QMR number. Press enter or click the Get button"), this));
    buildNumberRow(*layout);
    playerPanel_ = new PlayerPanel(QStringLiteral("Your Current Rank is: "), this);
    layout->addWidget(playerPanel_);
    buildPromotionBlock(*layout);
    const int width = buildGrids(*layout);
    buildButtons(*layout);
    placeOnScreen(width);
    connectSignals();
    clearForm();
}

void StatementDialog::buildNumberRow(QVBoxLayout& layout) {
    auto* top = new QHBoxLayout;
    auto* numberLabel = new QLabel(QStringLiteral(" QMR Number:"), this);
    numberLabel->setToolTip(QStringLiteral("Enter QMR Number"));
    numberBox_ = new DigitsBox(kTypedNumberLength, platform_, this, true);
    numberBox_->setToolTip(QStringLiteral("Enter QMR Number"));
    connect(numberBox_, &DigitsBox::enterPressed, this, &StatementDialog::lookUp);
    getButton_ = new QPushButton(QStringLiteral("Get"), this);
    getButton_->setToolTip(QStringLiteral("Get the player"));
    previousButton_ = new QPushButton(QStringLiteral("<<"), this);
    previousButton_->setToolTip(QStringLiteral("Previous Home Club Member"));
    nextButton_ = new QPushButton(QStringLiteral(">>"), this);
    nextButton_->setToolTip(QStringLiteral("Next Home Club Member"));
    for (QPushButton* b : {getButton_, previousButton_, nextButton_})
        b->setAutoDefault(false);
    top->addWidget(numberLabel);
    top->addWidget(numberBox_);
    top->addWidget(getButton_);
    top->addWidget(previousButton_);
    top->addWidget(nextButton_);
    top->addStretch();
    layout.addLayout(top);
}

void StatementDialog::buildPromotionBlock(QVBoxLayout& layout) {
    auto* promotion = new QGridLayout;
    promotion->addWidget(new QLabel(QStringLiteral("Requirements for Promotion to "), this), 0, 0);
    nextRankLabel_ = BoldLabel(QString(), this);
    promotion->addWidget(nextRankLabel_, 0, 1, 1, 3);
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
            promotionLabels_[r][c] = r == 2 ? BoldLabel(QString(), this) : new QLabel(this);
            promotion->addWidget(promotionLabels_[r][c], r + 2, c + 1, Qt::AlignRight);
        }
    }
    noteLabels_[0] = new QLabel(this);
    noteLabels_[1] = new QLabel(this);
    promotion->addWidget(noteLabels_[0], 5, 0, 1, 4);
    promotion->addWidget(noteLabels_[1], 6, 0, 1, 4);
    promotion->setColumnStretch(4, 1);
    layout.addLayout(promotion);
}

int StatementDialog::buildGrids(QVBoxLayout& layout) {
    fixedGrid_ = MakeGrid(this);
    fixedGrid_->setRowCount(2);
    fixedGrid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_ = MakeGrid(this);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int width = fitGridsToFont();
    fixedGrid_->installEventFilter(this);
    grid_->installEventFilter(this);
    layout.addWidget(fixedGrid_);
    layout.addWidget(grid_, 1);
    layout.setSpacing(4);
    return width;
}

int StatementDialog::fitGridsToFont() {
    const GridSizes sizes = SizesFor(grid_->font());
    int columns = 0;
    for (QTableWidget* grid : {fixedGrid_, grid_}) {
        grid->verticalHeader()->setDefaultSectionSize(sizes.Row);
        columns = 0;
        for (int c = 0; c < 8; ++c) {
            const int w = ScaledWidth(kStatementColumnWidths[static_cast<std::size_t>(c)], sizes);
            grid->setColumnWidth(c, w);
            columns += w;
        }
    }
    for (int r = 0; r < grid_->rowCount(); ++r)
        grid_->setRowHeight(r, sizes.Row);
    fixedGrid_->setRowHeight(0, sizes.FixedRow);
    fixedGrid_->setRowHeight(1, sizes.FixedRow);
    fixedGrid_->setFixedHeight(sizes.FixedRow * 2 + 2 * fixedGrid_->frameWidth());
    const int width =
        columns + grid_->verticalScrollBar()->sizeHint().width() + 2 * grid_->frameWidth();
    fixedGrid_->setFixedWidth(width);
    grid_->setFixedWidth(width);
    return widenColumnsToText();
}

int StatementDialog::widenColumnsToText() {
    int extra = 0;
    for (int c = 1; c < 8; ++c) {
        int need = grid_->columnWidth(c);
        for (const QTableWidget* grid : {fixedGrid_, grid_})
            for (int r = 0; r < grid->rowCount(); ++r)
                if (const QTableWidgetItem* item = grid->item(r, c);
                    item && !item->text().isEmpty()) {
                    const QFont font =
                        item->data(Qt::FontRole).isValid() ? item->font() : grid->font();
                    need = std::max(need, QFontMetrics(font).horizontalAdvance(item->text()) + 6);
                }
        extra += need - grid_->columnWidth(c);
        for (QTableWidget* grid : {fixedGrid_, grid_})
            grid->setColumnWidth(c, need);
    }
    const int width = grid_->minimumWidth() + extra;
    fixedGrid_->setFixedWidth(width);
    grid_->setFixedWidth(width);
    return width;
}

bool StatementDialog::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == grid_ || watched == fixedGrid_) && event->type() == QEvent::FontChange) {
        // Both grids keep one font.
        const QFont font = static_cast<QWidget*>(watched)->font();
        for (QTableWidget* grid : {fixedGrid_, grid_})
            if (grid->font() != font)
                grid->setFont(font);
        fitGridsToFont();
    }
    return ProgramDialog::eventFilter(watched, event);
}

void StatementDialog::buildButtons(QVBoxLayout& layout) {
    auto* bottom = new QHBoxLayout;
    closeButton_ = new QPushButton(QStringLiteral("Close"), this);
    printButton_ = new QPushButton(QStringLiteral(" &Print   "), this);
    previewButton_ = new QPushButton(QStringLiteral("Pre&view"), this);
    previewButton_->setToolTip(QStringLiteral("See the printed pages first"));
    for (QPushButton* b : {closeButton_, printButton_, previewButton_})
        b->setAutoDefault(false);
    bottom->addWidget(closeButton_);
    bottom->addStretch();
    bottom->addWidget(previewButton_);
    bottom->addWidget(printButton_);
    layout.addLayout(bottom);
}

void StatementDialog::placeOnScreen(int width) {
    // Placed as the statement screen always is: centred, a twentieth down, tall.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->availableGeometry();
        resize(width + 40, std::max(400, s.height() - 200));
        move((s.width() - this->width()) / 2, s.height() / 20);
    }
}

void StatementDialog::connectSignals() {
    connect(getButton_, &QPushButton::clicked, this, &StatementDialog::lookUp);
    connect(nextButton_, &QPushButton::clicked, this, &StatementDialog::showNextMember);
    connect(previousButton_, &QPushButton::clicked, this, &StatementDialog::showPreviousMember);
    connect(printButton_, &QPushButton::clicked, this, &StatementDialog::print);
    connect(previewButton_, &QPushButton::clicked, this, &StatementDialog::preview);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void StatementDialog::openAwardFiles() {
    const Status loaded = session_.Load(state_.DataFolder, state_.ProgramFolder);
    loadError_ = loaded.Message();
    if (!loaded)
        platform_.Error(Latin1(loadError_));
    setStatementButtonsVisible(false);
    clearForm();
    numberBox_->clear();
    numberBox_->setEnabled(true);
    numberBox_->setFocus();
}

void StatementDialog::releaseAwardFiles() {
    session_.Release();
}

void StatementDialog::setStatementButtonsVisible(bool visible) {
    printButton_->setVisible(visible);
    previewButton_->setVisible(visible);
    nextButton_->setVisible(visible);
    previousButton_->setVisible(visible);
}

void StatementDialog::clearForm() {
    shown_ = false;
    statement_ = StatementSession::Statement{};
    grid_->setRowCount(0);
    grid_->setRowCount(1);
    fixedGrid_->clearContents();
    StatementRow headings{"", "Q/YY", "Code", "Description", "Gold", "Red", "Green", "Total"};
    FillRow(fixedGrid_, 0, headings);
    playerPanel_->clear();
    for (auto& row : promotionLabels_)
        for (QLabel* l : row)
            l->clear();
}

void StatementDialog::focusNumber() {
    numberBox_->setFocus();
    numberBox_->selectAll();
}

void StatementDialog::lookUp() {
    if (numberBox_->text().isEmpty())
        return;
    printButton_->hide();
    previewButton_->hide();
    clearForm();
    if (!session_.Loaded()) {
        platform_.Error(Latin1(loadError_.empty() ? kAwardFilesNotLoaded : loadError_));
        return;
    }
    const std::string typed = ToLatin1(numberBox_->text());
    line_ = state_.National.FindPlayerByNumber(typed);
    if (line_ == 0) {
        platform_.Beep();
        platform_.Message(QString::fromLatin1(kNoPlayerWithNumber));
        focusNumber();
        return;
    }
    state_.CurrentPlayer = state_.National.GetPlayer(line_);
    statementClub_ = state_.CurrentPlayer.HomeClub;
    if (IsInactive(state_.CurrentPlayer)) {
        platform_.Beep();
        platform_.Message(QString::fromLatin1(kInactivePlayer));
        focusNumber();
        return;
    }
    platform_.Busy([&] {
        statement_ = session_.Build(state_.CurrentPlayer, typed, rankIndex_, state_.ClubLookup(),
                                    StatementPeriod(state_.RegisterDate, state_.Formats));
        showPanels();
        platform_.ProcessEvents(); // the panels repaint, and a run's Cancel can be pressed
        showGrid();
    });
    if (statement_.StoppedBy) {
        // A statement stopped part-way is never printed or stepped from.
        setStatementButtonsVisible(false);
        platform_.Error(MessageText(statement_.StoppedBy->Message));
        focusNumber();
        return;
    }
    shown_ = true;
    setStatementButtonsVisible(true);
    nextButton_->setEnabled(true);
    previousButton_->setEnabled(true);
    focusNumber();
}

void StatementDialog::showPanels() {
    const PlayerRecord& p = statement_.Player;
    const Promotion& r = statement_.Requirements;
    playerPanel_->setPlayer(p, StatementClubText(statement_.ClubDescription), r.CurrentRankText);
    nextRankLabel_->setText(Latin1(r.NextRankText));
    const std::string* rows[3] = {r.MustHave, r.NowHave, r.StillNeed};
    for (int row = 0; row < 3; ++row)
        for (int c = 0; c < 3; ++c)
            promotionLabels_[row][c]->setText(Latin1(rows[row][c]));
    for (int n = 0; n < 2; ++n)
        noteLabels_[n]->setText(Latin1(r.ScreenNote[n]));
}

void StatementDialog::showGrid() {
    const auto& rows = statement_.Rows;
    if (rows.size() > 1)
        FillRow(fixedGrid_, 1, rows[1]);
    grid_->setRowCount(rows.size() > 2 ? static_cast<int>(rows.size() - 2) : 0);
    for (std::size_t r = 2; r < rows.size(); ++r)
        FillRow(grid_, static_cast<int>(r - 2), rows[r]);
    widenColumnsToText();
}

std::vector<StatementRow> StatementDialog::gridRows() const {
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
    take(fixedGrid_);
    take(grid_);
    return rows;
}

void StatementDialog::showMember(bool forward) {
    const ClubStep step = StepThroughClub(state_.National, line_, statementClub_, forward);
    line_ = step.Line;
    if (!step.Show)
        return;
    state_.CurrentPlayer = state_.National.GetPlayer(line_);
    nextButton_->setEnabled(false);
    previousButton_->setEnabled(false);
    SetBoxText(numberBox_, Latin1(state_.CurrentPlayer.QMRNo));
    lookUp();
    line_ = step.Line;
}

void StatementDialog::showNextMember() {
    const std::size_t last = state_.National.NumberIndexCount();
    if (line_ == last) {
        platform_.Beep();
        return;
    }
    for (QPushButton* b : {nextButton_, previousButton_})
        b->setStyleSheet(QString());
    if (line_ == 0)
        line_ = state_.National.FindPlayerByNumber(ToLatin1(numberBox_->text()));
    showMember(true);
    if (line_ == last) {
        nextButton_->setEnabled(true);
        previousButton_->setEnabled(true);
        nextButton_->setStyleSheet(QStringLiteral("color: red"));
        platform_.Beep();
    }
}

void StatementDialog::showPreviousMember() {
    if (line_ == 0) {
        platform_.Beep();
        return;
    }
    for (QPushButton* b : {nextButton_, previousButton_})
        b->setStyleSheet(QString());
    if (line_ == state_.National.NumberIndexCount())
        line_ = state_.National.FindPlayerByNumber(ToLatin1(numberBox_->text()));
    showMember(false);
    if (line_ == 0) {
        nextButton_->setEnabled(true);
        previousButton_->setEnabled(true);
        previousButton_->setStyleSheet(QStringLiteral("color: red"));
        platform_.Beep();
    }
}

StatementSession::Statement StatementDialog::buildStatement(const PlayerRecord& player) {
    return session_.Build(player, player.QMRNo, rankIndex_, state_.ClubLookup(),
                          StatementPeriod(state_.RegisterDate, state_.Formats));
}

ComposedDocument StatementDialog::composedStatement() const {
    return StatementSession::Compose(statement_, ToLatin1(numberBox_->text()));
}

void StatementDialog::printStatement() {
    platform_.Busy([&] { platform_.PrintDocument(composedStatement()); });
    focusNumber();
}

void StatementDialog::print() {
    if (shown_ && platform_.ChoosePrinter(this))
        printStatement();
}

void StatementDialog::preview() {
    if (shown_)
        platform_.PreviewDocument(composedStatement(), this);
}

void StatementDialog::onOpen() {
    openAwardFiles();
}

void StatementDialog::onClose() {
    releaseAwardFiles();
}

} // namespace mpsec
