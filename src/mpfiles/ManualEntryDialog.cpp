#include "mpfiles/ManualEntryDialog.h"

#include "core/Files.h"
#include "enquiries/AlternateMembers.h"
#include "enquiries/PlayerLookup.h"
#include "mpfiles/ClubMembers.h"
#include "mpfiles/MPMerge.h"
#include "mpfiles/ManualEntry.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "ui/AppState.h"
#include "ui/DigitsBox.h"
#include "ui/MemberGrid.h"
#include "ui/TextStyles.h"
#include "ui/TypedKeys.h"
#include "ui/WrittenFiles.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <functional>

namespace mpsec {

namespace {

constexpr int kNameColumn = 1;
constexpr int kNumberColumn = 2;
constexpr int kPointsColumn = 3;
constexpr int kEmptyRows = 18;

// A cell is edited when typed into (or double-clicked), not merely made current: an editor
// opened by a move the grid keeps the focus from would stay open unseen, and an editor
// still open when the window closes leaves the grid refusing every typed key the next time.
constexpr QAbstractItemView::EditTriggers kTypingTriggers = QAbstractItemView::AnyKeyPressed |
                                                            QAbstractItemView::DoubleClicked |
                                                            QAbstractItemView::EditKeyPressed;

const MPColour kColours[3] = {MPColour::Gold, MPColour::Red, MPColour::Green};

} // namespace

// The cell editors of the grid: digits only, at most seven for a number and six for points,
// so nothing typed is cut on saving. The grid's key filter sees their keys before the
// delegate's own handling of Enter and Tab.
class ManualEntryCells : public QStyledItemDelegate {
  public:
    ManualEntryCells(std::function<bool(QObject*, QEvent*)> keyFilter, QObject* parent)
        : QStyledItemDelegate(parent), keyFilter_(std::move(keyFilter)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        auto* editor =
            static_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
        const int digits =
            index.column() == kNumberColumn ? kManualNumberDigits : kManualPointsDigits;
        editor->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), editor));
        editor_ = editor;
        return editor;
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        if (editor == editor_)
            editor_ = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    // Ends the edit under way, keeping what was typed.
    void finishEditing() {
        if (QWidget* editor = editor_.data()) {
            emit commitData(editor);
            emit closeEditor(editor);
        }
    }

    // The dialog going away: its filter must no longer be called (closing it sends the
    // editor its last focus events).
    void stopFiltering() { keyFilter_ = nullptr; }

  protected:
    bool eventFilter(QObject* editor, QEvent* event) override {
        return (keyFilter_ && keyFilter_(editor, event)) ||
               QStyledItemDelegate::eventFilter(editor, event);
    }

  private:
    std::function<bool(QObject*, QEvent*)> keyFilter_;
    mutable QPointer<QWidget> editor_;
};

ManualEntryDialog::ManualEntryDialog(AppState& state, Platform& platform, QWidget* parent)
    : ProgramDialog(parent), state_(state), platform_(platform) {
    setWindowTitle(QStringLiteral("Manual Entry of Master Points"));
    QLabel& banner = buildBanner();
    QGroupBox& colourBox = buildColourChoice();
    const MemberGridButtons made = buildClubChoice();
    buildGrid(made);
    arrangeSections(banner, colourBox);
    connectSignals();
}

QLabel& ManualEntryDialog::buildBanner() {
    QLabel* banner = BoldLabel(QStringLiteral("This facilty is primarily for clubs which do not "
                                              "use the YUX scoring program."),
                               this);
    QFont underlined = banner->font();
    underlined.setUnderline(true);
    banner->setFont(underlined);
    return *banner;
}

QGroupBox& ManualEntryDialog::buildColourChoice() {
    auto* colourBox = new QGroupBox(QStringLiteral("Master Point Type"), this);
    auto* colourLayout = new QHBoxLayout(colourBox);
    const char* colourNames[3] = {"Gold", "Red", "Green"};
    for (int i = 0; i < 3; ++i) {
        colourChoices_[i] = new QRadioButton(QString::fromLatin1(colourNames[i]), colourBox);
        colourLayout->addWidget(colourChoices_[i]);
    }
    colourChoices_[2]->setChecked(true);
    return *colourBox;
}

MemberGridButtons ManualEntryDialog::buildClubChoice() {
    alternatePanel_ = new QWidget(this);
    auto* alternateLayout = new QHBoxLayout(alternatePanel_);
    alternateBox_ =
        new QCheckBox(QStringLiteral(" Include Non Home Club Members"), alternatePanel_);
    alternateLayout->addWidget(alternateBox_);

    clubPanel_ = new QWidget(this);
    auto* clubLayout = new QHBoxLayout(clubPanel_);
    clubLayout->addWidget(new QLabel(QStringLiteral(" Enter Club Number:"), clubPanel_));
    clubBox_ = new DigitsBox(4, platform_, clubPanel_);
    clubBox_->setToolTip(QStringLiteral("Enter Club No. eg 6785 "));
    clubLayout->addWidget(clubBox_);
    const MemberGridButtons made = MakeMemberGridButtons(this);
    getButton_ = made.Get;
    saveButton_ = made.Save;
    closeButton_ = made.Close;
    countLabel_ = BoldLabel(QString(), this);
    return made;
}

void ManualEntryDialog::buildGrid(const MemberGridButtons& made) {
    grid_ = MemberGrid(QStringLiteral("Points"), this);
    grid_->setToolTip(QStringLiteral("TAB and Shift-TAB to navigate"));
    grid_->setMinimumHeight(340);
    cells_ = new ManualEntryCells(
        [this](QObject* editor, QEvent* event) { return eventFilter(editor, event); }, grid_);
    grid_->setItemDelegate(cells_);
    grid_->installEventFilter(this);
    SetMemberGridTabOrder(made, grid_);
    showFolderButton_ = new ShowInFolderButton(platform_, this);
}

void ManualEntryDialog::arrangeSections(QLabel& banner, QGroupBox& colourBox) {
    auto* top = new QHBoxLayout;
    top->addWidget(&colourBox);
    top->addWidget(alternatePanel_);
    auto* club = new QHBoxLayout;
    club->addWidget(clubPanel_);
    club->addWidget(getButton_);
    club->addWidget(countLabel_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(showFolderButton_);
    buttons->addWidget(saveButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&banner);
    layout->addLayout(top);
    layout->addLayout(club);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
}

void ManualEntryDialog::connectSignals() {
    connect(clubBox_, &DigitsBox::enterPressed, this, &ManualEntryDialog::getMembers);
    connect(getButton_, &QPushButton::clicked, this, &ManualEntryDialog::getMembers);
    connect(saveButton_, &QPushButton::clicked, this, &ManualEntryDialog::save);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
}

ManualEntryDialog::~ManualEntryDialog() {
    cells_->stopFiltering();
    grid_->removeEventFilter(this);
}

QString ManualEntryDialog::cell(int row, int column) const {
    return CellText(grid_, row, column);
}

int ManualEntryDialog::rowCount() const {
    return grid_->rowCount();
}

void ManualEntryDialog::setCellText(int row, int column, const QString& text) {
    QTableWidgetItem* item = grid_->item(row, column);
    if (item)
        item->setText(text);
}

void ManualEntryDialog::setRow(int row, const QString& name, const QString& number) {
    const bool visitors = entryMode_ == Visitors;
    const QString texts[4] = {QString(), name, number, QString()};
    for (int column = 0; column < 4; ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        const bool editable = column == kPointsColumn || (visitors && column == kNumberColumn);
        item->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid_->setItem(row, column, item);
    }
}

void ManualEntryDialog::resetGrid(int rows) {
    cells_->finishEditing();
    grid_->clearContents();
    grid_->setRowCount(rows);
    for (int row = 0; row < rows; ++row)
        setRow(row, QString(), QString());
    if (rows > 0) {
        grid_->setCurrentCell(0, entryMode_ == Visitors ? kNumberColumn : kPointsColumn);
        grid_->scrollToTop();
    }
}

void ManualEntryDialog::onOpen() {
    const bool visitors = entryMode_ == Visitors;
    resetGrid(kEmptyRows);
    showFolderButton_->setWrittenFile({});
    clubPanel_->setVisible(!visitors);
    getButton_->setVisible(!visitors);
    alternatePanel_->setVisible(!visitors);
    countLabel_->setVisible(!visitors);
    countLabel_->clear();
    if (visitors) {
        saveButton_->setEnabled(true);
        grid_->setEditTriggers(kTypingTriggers);
        grid_->setFocus();
        return;
    }
    alternateBox_->setChecked(false);
    saveButton_->setEnabled(false);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SetBoxText(clubBox_, QString::fromStdString(state_.Settings.LastClubNo));
    const bool alternateFile = FileExistsNoCase(state_.DataFolder, AlternateMembers::FileName);
    alternateBox_->setEnabled(alternateFile);
    alternatePanel_->setToolTip(alternateFile ? QString()
                                              : QStringLiteral("Needs file ALTERNAT.TXT"));
    clubBox_->setFocus();
}

void ManualEntryDialog::getMembers() {
    if (entryMode_ == Visitors)
        return;
    resetGrid(0);
    countLabel_->clear();
    const std::optional<std::string> club = ClubToList(clubBox_, platform_, state_.Settings);
    if (!club)
        return;
    std::vector<ListedMember> members;
    const bool alternates = alternateBox_->isEnabled() && alternateBox_->isChecked();
    Status read;
    platform_.Busy([&] {
        if (alternates) {
            AlternateMembers file;
            read = file.LoadFrom(state_.DataFolder);
            if (read)
                members = AlternateClubMembers(file, *club);
        } else {
            members = HomeClubMembers(state_.National, *club);
        }
        grid_->setRowCount(static_cast<int>(members.size()));
        for (std::size_t i = 0; i < members.size(); ++i)
            setRow(static_cast<int>(i), Latin1(members[i].Name), Latin1(members[i].Number));
    });
    if (!read) {
        platform_.Error("Cannot read " + QString::fromLatin1(AlternateMembers::FileName) + ": " +
                        MessageText(read.Message()) + ".");
        return;
    }
    countLabel_->setText(Latin1(MemberCountText(members.size(), alternates)));
    grid_->setEditTriggers(kTypingTriggers);
    grid_->setFocus();
    if (!members.empty())
        grid_->setCurrentCell(0, kPointsColumn);
    grid_->scrollToTop();
    saveButton_->setEnabled(true);
}

void ManualEntryDialog::save() {
    cells_->finishEditing();
    int colour = 2;
    for (int i = 0; i < 3; ++i)
        if (colourChoices_[i]->isChecked())
            colour = i;
    const bool visitors = entryMode_ == Visitors;
    std::vector<ManualRow> rows;
    for (int row = 0; row < grid_->rowCount(); ++row)
        rows.push_back({ToLatin1(cell(row, kNumberColumn)), ToLatin1(cell(row, kPointsColumn))});
    // Said before a file is asked for: nothing would be written to it.
    if (Status complete = CheckManualRows(rows); !complete) {
        platform_.Error(MessageText(complete.Message()) + ". Nothing was written.");
        return;
    }
    // A visitor's number is looked up when Enter or Tab leaves it; one left with the mouse
    // is looked up here, so that no award goes to a number the register does not hold.
    if (Status known = visitors ? CheckVisitorNumbers(rows, state_.National) : Status(); !known) {
        platform_.Beep();
        platform_.Error(Latin1(known.Message()) + ". Nothing was written.");
        return;
    }
    SaveFileRequest request;
    request.Title = QStringLiteral("Select Masterpoint File");
    request.Filter = Latin1(MPTypeFilter(ManualEntryType(kColours[colour])));
    request.InitialFolder = QStringFromPath(state_.ProgramFolder);
    if (!visitors)
        request.FileName =
            Latin1(ManualEntryProposal(ToLatin1(clubBox_->text()), kColours[colour]));
    request.AskOverwrite = !visitors;
    const QString chosen = platform_.ChooseSaveFile(request);
    if (chosen.isEmpty())
        return;
    if (Status saved = SaveManualEntry(PathFromQString(chosen), rows, visitors); !saved) {
        platform_.Error(MessageText(saved.Message()) + ". Nothing was written.");
        return;
    }
    showFolderButton_->setWrittenFile(PathFromQString(chosen));
}

void ManualEntryDialog::moveTo(int row, int column) {
    cells_->finishEditing();
    if (row >= 0 && row < grid_->rowCount())
        grid_->setCurrentCell(row, column);
    grid_->setFocus();
}

void ManualEntryDialog::enterKey() {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    if (entryMode_ == ClubMembers) {
        moveTo(row + 1, column);
        return;
    }
    if (column == kPointsColumn)
        moveTo(row + 1, kNumberColumn);
    else
        moveTo(row, kPointsColumn);
    lookUpVisitor();
}

void ManualEntryDialog::tabKey(bool forward) {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    if (entryMode_ == ClubMembers) {
        moveTo(forward ? row + 1 : row - 1, kPointsColumn);
        return;
    }
    if (forward)
        column == kPointsColumn ? moveTo(row + 1, kNumberColumn) : moveTo(row, kPointsColumn);
    else
        column == kPointsColumn ? moveTo(row, kNumberColumn) : moveTo(row - 1, kPointsColumn);
    lookUpVisitor();
}

void ManualEntryDialog::repeatPoints() {
    const int row = grid_->currentRow();
    if (row <= 0)
        return;
    cells_->finishEditing();
    setCellText(row, kPointsColumn, cell(row - 1, kPointsColumn));
    moveTo(row + 1, grid_->currentColumn());
}

void ManualEntryDialog::lookUpVisitor() {
    const int row = grid_->currentRow();
    if (grid_->currentColumn() != kPointsColumn || cell(row, kNumberColumn).isEmpty())
        return;
    const PlayerRegister& national = state_.National;
    const std::size_t line = national.FindPlayerByNumber(ToLatin1(cell(row, kNumberColumn)));
    if (line == 0) {
        platform_.Beep();
        platform_.Message(QString::fromLatin1(kNoPlayerWithNumber));
        setCellText(row, kNumberColumn, QString());
        moveTo(row, kNumberColumn);
        return;
    }
    const PlayerRecord player = national.GetPlayer(line);
    setCellText(row, kNameColumn, Latin1(VisitorName(player.GivenName, player.Surname)));
    const int last = grid_->rowCount();
    grid_->setRowCount(last + 1);
    setRow(last, QString(), QString());
}

bool ManualEntryDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress ||
        (watched != grid_ && watched->parent() != grid_->viewport()))
        return ProgramDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (grid_->editTriggers() == QAbstractItemView::NoEditTriggers && watched == grid_) {
        // Read-only until Get: only moving keys pass.
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint() && !(key->modifiers() & Qt::ControlModifier)) {
            platform_.Beep();
            return true;
        }
        return false;
    }
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        enterKey();
        return true;
    case Qt::Key_Tab:
        tabKey(true);
        return true;
    case Qt::Key_Backtab:
        tabKey(false);
        return true;
    default:
        break;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false; // Backspace, Delete, arrows, Escape
    const QChar typed = text.at(0);
    if (typed == ' ' && entryMode_ == ClubMembers) {
        repeatPoints();
        return true;
    }
    if (typed >= '0' && typed <= '9')
        return false;
    platform_.Beep();
    return true;
}

} // namespace mpsec
