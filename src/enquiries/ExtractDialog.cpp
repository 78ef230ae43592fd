#include "enquiries/ExtractDialog.h"

#include "platform/Paths.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "ui/AppState.h"
#include "ui/DigitsBox.h"
#include "ui/TextStyles.h"
#include "ui/TypedKeys.h"
#include "ui/WrittenFiles.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringListModel>
#include <QTimer>
#include <QVBoxLayout>

namespace mpsec {

namespace {

// A minimum spinner: emptied by the user, it goes back to its lowest value.
class MinimumSpinBox : public QSpinBox {
  public:
    MinimumSpinBox(int step, QWidget* parent) : QSpinBox(parent) {
        setRange(kMinimumSpinnerLowest, kMinimumSpinnerHighest);
        // A number typed outside the range counts as the nearest one it allows.
        setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
        setSingleStep(step);
        setToolTip(QStringLiteral("Min Points for Output to File."));
        connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
            if (!text.isEmpty())
                return;
            setValue(minimum());
            lineEdit()->setText(QString::number(minimum()));
            lineEdit()->selectAll();
        });
    }
};

QWidget* Panel(QWidget* parent, QWidget* a, QWidget* b = nullptr) {
    auto* panel = new QWidget(parent);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(a);
    if (b)
        row->addWidget(b);
    return panel;
}

} // namespace

ExtractDialog::ExtractDialog(AppState& state, Platform& platform, QWidget* parent)
    : ProgramDialog(parent), state_(state), platform_(platform) {
    setWindowTitle(QStringLiteral("Extract Players"));
    resize(900, 560);
    // Built in the order Tab visits them.
    buildOutputChoice();
    buildStateChoice();
    buildOptions();
    buildList();
    buildButtons();
    arrangeSections();
    connectSignals();
}

void ExtractDialog::buildOutputChoice() {
    outputGroup_ = new QGroupBox(QStringLiteral("Select Output Type "), this);
    auto* outputColumn = new QVBoxLayout(outputGroup_);
    outputButtons_ = new QButtonGroup(this);
    for (int i = 0; i < kOutputTypeCount; ++i) {
        auto* button = new QRadioButton(
            QString::fromLatin1(kOutputTypes[static_cast<std::size_t>(i)].Caption), outputGroup_);
        outputButtons_->addButton(button, i);
        outputColumn->addWidget(button);
    }
}

void ExtractDialog::buildStateChoice() {
    // Three columns, filled column by column.
    stateGroup_ = new QGroupBox(QStringLiteral("Select ALL or State "), this);
    auto* stateGrid = new QGridLayout(stateGroup_);
    stateButtons_ = new QButtonGroup(this);
    for (int position = 0; position < 9; ++position) {
        auto* button = new QRadioButton(
            QString::fromLatin1(StateAtExtractPosition(position).ExtractCaption), stateGroup_);
        stateButtons_->addButton(button, position);
        stateGrid->addWidget(button, position % 3, position / 3);
    }
}

void ExtractDialog::buildOptions() {
    clubOnlyBox_ = new QCheckBox(QStringLiteral("Club Only"), this);
    clubOnlyBox_->setToolTip(QStringLiteral("Click for Club Output Only"));
    clubOnlyPanel_ = Panel(this, clubOnlyBox_);
    alternateBox_ = new QCheckBox(QStringLiteral("Include all Members"), this);
    alternateBox_->setToolTip(
        QStringLiteral("Include Non Home Club Members (needs Altern.txt) & takes longer."));
    alternatePanel_ = Panel(this, alternateBox_);
    clubBox_ = new DigitsBox(4, platform_, this, true);
    clubBox_->setToolTip(QStringLiteral("Enter Club No. eg 6785 "));
    clubPanel_ = Panel(this, new QLabel(QStringLiteral("Club Number      "), this), clubBox_);
    topSpinner_ = new MinimumSpinBox(100, this);
    topPanel_ = Panel(this, new QLabel(QStringLiteral("Min Points"), this), topSpinner_);
    yearSpinner_ = new MinimumSpinBox(10, this);
    yearPanel_ = Panel(this, new QLabel(QStringLiteral("Min Points"), this), yearSpinner_);
}

void ExtractDialog::buildList() {
    listView_ = FixedPitchList(listModel_, 9, this);
    listView_->setMinimumWidth(420);
    outputLabel_ = BoldLabel(QString(), this);
    showFolderButton_ = new ShowInFolderButton(platform_, this);
}

void ExtractDialog::buildButtons() {
    closeButton_ = new QPushButton(QStringLiteral("&Close"), this);
    saveButton_ = new QPushButton(QStringLiteral("&Save"), this);
    saveButton_->setToolTip(QStringLiteral("View & Send To File"));
    printButton_ = new QPushButton(QStringLiteral(" Print   "), this);
    for (QPushButton* b : {closeButton_, saveButton_, printButton_})
        b->setAutoDefault(false);
}

void ExtractDialog::arrangeSections() {
    auto* side = new QVBoxLayout;
    side->addWidget(outputGroup_);
    side->addWidget(stateGroup_);
    side->addWidget(clubOnlyPanel_);
    side->addWidget(alternatePanel_);
    side->addWidget(clubPanel_);
    side->addWidget(topPanel_);
    side->addWidget(yearPanel_);
    side->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton_);
    buttons->addWidget(printButton_);
    buttons->addWidget(closeButton_);
    side->addLayout(buttons);
    auto* main = new QHBoxLayout;
    main->addLayout(side);
    auto* right = new QVBoxLayout;
    right->addWidget(listView_, 1);
    right->addStretch(); // keeps the output line at the foot while no list is shown
    auto* output = new QHBoxLayout;
    output->addWidget(outputLabel_, 1);
    output->addWidget(showFolderButton_);
    right->addLayout(output);
    main->addLayout(right, 1);
    setLayout(main);
}

void ExtractDialog::connectSignals() {
    connect(outputButtons_, &QButtonGroup::idClicked, this, [this](int id) {
        if (static_cast<OutputType>(id) != shownType_)
            chooseOutputType(static_cast<OutputType>(id));
    });
    connect(stateButtons_, &QButtonGroup::idClicked, this, [this](int) {
        printButton_->hide();
        clearOutput();
    });
    connect(clubOnlyBox_, &QCheckBox::clicked, this, &ExtractDialog::setClubOnly);
    connect(clubBox_, &DigitsBox::enterPressed, this, &ExtractDialog::runExtraction);
    connect(clubBox_, &QLineEdit::textChanged, this, [this] { printButton_->hide(); });
    for (QSpinBox* spinner : {topSpinner_, yearSpinner_})
        connect(spinner, &QSpinBox::textChanged, this, [this] { printButton_->hide(); });
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(saveButton_, &QPushButton::clicked, this, &ExtractDialog::runExtraction);
    connect(printButton_, &QPushButton::clicked, this, &ExtractDialog::printList);
}

OutputType ExtractDialog::outputType() const {
    return static_cast<OutputType>(std::max(0, outputButtons_->checkedId()));
}

void ExtractDialog::setOutputType(OutputType type) {
    outputButtons_->button(static_cast<int>(type))->setChecked(true);
    shownType_ = type;
}

void ExtractDialog::onOpen() {
    setOutputType(OutputType::AllPlayers);
    stateButtons_->button(0)->setChecked(true);
    stateGroup_->setEnabled(true);
    topSpinner_->setValue(kDefaultTopMinimum);
    yearSpinner_->setValue(kDefaultYearMinimum);
    clubPanel_->hide();
    alternatePanel_->hide();
    topPanel_->hide();
    yearPanel_->hide();
    clubOnlyPanel_->show();
    clubOnlyBox_->setEnabled(true);
    clubOnlyBox_->setChecked(false);
    alternateBox_->setEnabled(true);
    alternateBox_->setChecked(false);
    showList({});
    listView_->hide();
    printButton_->hide();
    clearOutput();
}

void ExtractDialog::onClose() {
    setOutputType(OutputType::AllPlayers);
    stateButtons_->button(0)->setChecked(true);
    stateGroup_->setEnabled(true);
    clubPanel_->hide();
    topPanel_->hide();
    yearPanel_->hide();
    clubOnlyBox_->setChecked(false);
    listView_->hide();
    printButton_->hide();
}

void ExtractDialog::setClubOnly(bool ticked) {
    const bool newlyTicked = ticked && clubPanel_->isHidden();
    clubOnlyBox_->setChecked(ticked);
    stateGroup_->setEnabled(!ticked);
    clubPanel_->setVisible(ticked);
    alternatePanel_->setVisible(ticked);
    // Ticking it offers the last club number; a number already in the box stays (going
    // from one club list to the other).
    if (newlyTicked) {
        SetBoxText(clubBox_, QString::fromStdString(state_.Settings.LastClubNo));
        clubBox_->setFocus();
        // A choice made with the arrow keys keeps the focus on its button after this
        // handler; the club box takes it once the key has been handled.
        QTimer::singleShot(0, clubBox_, [this] {
            if (!clubPanel_->isHidden())
                clubBox_->setFocus();
        });
    }
}

// The screen of each output type.
void ExtractDialog::applyTypeState(OutputType type) {
    const int t = static_cast<int>(type);
    topPanel_->setVisible(type == OutputType::TopPerformers);
    yearPanel_->setVisible(type == OutputType::TopThisYear);
    listView_->setVisible(ListShown(type));
    clubOnlyPanel_->setVisible(type != OutputType::InactiveFile);
    if (t <= static_cast<int>(OutputType::MostImproved)) {
        clubOnlyBox_->setEnabled(true);
        alternateBox_->setEnabled(true);
        alternateBox_->setChecked(false);
        setClubOnly(false);
    } else if (type == OutputType::InactiveFile) {
        setClubOnly(false);
        stateGroup_->setEnabled(false);
    } else {
        clubOnlyBox_->setEnabled(type == OutputType::HomeClub);
        setClubOnly(true);
        alternateBox_->setEnabled(false);
        stateGroup_->setEnabled(false);
    }
}

void ExtractDialog::chooseOutputType(OutputType type) {
    setOutputType(type);
    clearOutput();
    showList({});
    applyTypeState(type);
    if (type == OutputType::InactiveFile) {
        OpenFileRequest request;
        request.Title = QStringLiteral("Select a Text File");
        request.Filter = QStringLiteral("Text Files|*.*");
        request.InitialFolder = QStringFromPath(state_.DataFolder);
        const QStringList chosen = platform_.ChooseOpenFiles(request);
        if (chosen.isEmpty()) {
            chooseOutputType(OutputType::AllPlayers);
            return;
        }
        inputFile_ = chosen.front();
        runExtraction();
    }
    printButton_->hide();
}

ExtractChoices ExtractDialog::choices() const {
    ExtractChoices c;
    c.Type = outputType();
    c.State = StateAtExtractPosition(std::max(0, stateButtons_->checkedId()));
    c.ClubOnly = clubOnlyBox_->isChecked() && c.Type != OutputType::InactiveFile;
    c.ClubNo = ToLatin1(clubBox_->text());
    c.AllMembers = alternateBox_->isChecked() && alternateBox_->isEnabled();
    c.TopMinimum = topSpinner_->value();
    c.YearMinimum = yearSpinner_->value();
    return c;
}

QString ExtractDialog::title() const {
    return Latin1(ExtractTitle(choices()));
}

void ExtractDialog::runExtraction() {
    showList({});
    printButton_->hide();
    topSpinner_->interpretText();
    yearSpinner_->interpretText();
    const ExtractChoices chosen = choices();
    if (chosen.ClubOnly) {
        if (Status club = CheckClubChoice(chosen, state_.Clubs); !club) {
            platform_.Beep();
            platform_.Error(MessageText(club.Message()));
            return;
        }
        state_.Settings.LastClubNo = chosen.ClubNo;
    }
    clearOutput(); // a run that fails to write names no file
    Result<Extraction> run = Failure{};
    platform_.Busy([&] {
        run = RunExtraction(state_.National, state_.Clubs, chosen, state_.DataFolder,
                            PathFromQString(inputFile_));
    });
    if (!run) {
        platform_.Beep();
        platform_.Error(MessageText(run.Message()));
        return;
    }
    if (run->NoPlayersFound) {
        platform_.Beep();
        platform_.Information(QString::fromLatin1(kNoPlayersFound));
    }
    const bool listed = ListShown(chosen.Type);
    showList(run->ListLines());
    listView_->setVisible(listed);
    printButton_->setVisible(listed);
    platform_.Beep();
    const QString name = Latin1(run->FileName);
    const std::filesystem::path written = state_.DataFolder / PathFromText(run->FileName);
    outputLabel_->setText(QString::fromLatin1(kOutputSavedAs) + name);
    showFolderButton_->setWrittenFile(written);
    if (!listed)
        SayWritten(platform_, MessageKind::Information,
                   QString::fromLatin1(kDoneOutputSavedAs) + name, written);
}

void ExtractDialog::clearOutput() {
    outputLabel_->clear();
    showFolderButton_->setWrittenFile({});
}

void ExtractDialog::printList() {
    if (!platform_.ChoosePrinter(this))
        return;
    QStringList lines{title(), QString()};
    lines << listModel_->stringList();
    platform_.PrintLines(lines, QStringLiteral("Courier"), 10, QStringLiteral(" "));
}

QStringList ExtractDialog::listLines() const {
    return listModel_->stringList();
}

void ExtractDialog::showList(const std::vector<std::string>& lines) {
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        shown << Latin1(line);
    listModel_->setStringList(shown);
}

} // namespace mpsec
