#include "mpfiles/MergeDialog.h"
#include "core/TextHelpers.h"

#include "mpfiles/MPMerge.h"
#include "mpfiles/OldExtensions.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "ui/AppState.h"
#include "ui/FolderChecks.h"
#include "ui/FormFields.h"
#include "ui/TypedKeys.h"
#include "ui/WrittenFiles.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace fs = std::filesystem;

namespace mpsec {

MergeDialog::MergeDialog(AppState& state, Platform& platform, QWidget* parent)
    : ProgramDialog(parent), state_(state), platform_(platform) {
    setWindowTitle(QStringLiteral("Merge Master Point Files"));
    resize(641, 226);

    auto* typeBox = new QGroupBox(QStringLiteral("Select Master Point Type"), this);
    auto* typeLayout = new QVBoxLayout(typeBox);
    typeGroup_ = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        typeChoices_[i] = new QRadioButton(QString::fromLatin1(kMergeChoices[i].Caption), typeBox);
        typeGroup_->addButton(typeChoices_[i], i);
        typeLayout->addWidget(typeChoices_[i]);
    }

    outputBox_ = new QLineEdit(this);
    UseSilverWhenDisabled(outputBox_);
    saveButton_ = new QPushButton(QStringLiteral("&Save"), this);
    saveButton_->setToolTip(QStringLiteral("Send To File"));
    browseButton_ = new QPushButton(QStringLiteral("&Browse"), this);
    closeButton_ = new QPushButton(QStringLiteral("&Close"), this);
    closeButton_->setToolTip(QStringLiteral("Close Dialog Box"));
    for (QPushButton* button : {saveButton_, browseButton_, closeButton_})
        button->setAutoDefault(false);

    auto* steps = new QVBoxLayout;
    for (const char* text :
         {"1. Select Master Point type.",
          "2. When the dialog box appears select the files you wish to merge.",
          "Multiple files may be selected by holding down the Ctrl key and clicking each file.",
          "3. Click the Save button to save the merged file with the default name. (Recommended)",
          "or Click the Browse Button to select a different file name."})
        steps->addWidget(new QLabel(QString::fromLatin1(text), this));
    steps->addWidget(new QLabel(QStringLiteral("Default File Name:"), this));
    steps->addWidget(outputBox_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton_);
    buttons->addWidget(browseButton_);
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    steps->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(typeBox);
    layout->addLayout(steps, 1);

    connect(typeGroup_, &QButtonGroup::idClicked, this, &MergeDialog::chooseType);
    connect(saveButton_, &QPushButton::clicked, this, &MergeDialog::merge);
    connect(browseButton_, &QPushButton::clicked, this, &MergeDialog::browse);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
}

int MergeDialog::chosenType() const {
    return typeGroup_->checkedId();
}

MPType MergeDialog::type() const {
    const int index = chosenType();
    return index < 0 ? MPType::None : kMergeChoices[index].Type;
}

void MergeDialog::clearChoice() {
    typeGroup_->setExclusive(false);
    for (QRadioButton* choice : typeChoices_)
        choice->setChecked(false);
    typeGroup_->setExclusive(true);
}

void MergeDialog::enableOutput(bool enabled) {
    saveButton_->setEnabled(enabled);
    browseButton_->setEnabled(enabled);
    outputBox_->setEnabled(enabled);
}

void MergeDialog::onOpen() {
    initialFolder_ = QString::fromStdString(state_.Settings.LastMPFolderUsed);
    clearChoice();
    enableOutput(false);
    outputBox_->clear();
    closeButton_->setFocus();
    if (Status renamed = CheckAndConvertMPFiles(state_.DataFolder); !renamed)
        platform_.Error(QString::fromStdString(renamed.Message())); // names in UTF-8
}

void MergeDialog::chooseType(int index) {
    if (index < 0 || index > 4)
        return;
    typeChoices_[index]->setChecked(true);
    inputs_.clear();
    OpenFileRequest request;
    request.Title = QStringLiteral("Select Master Point Files to Merge");
    request.Filter = Latin1(MPTypeFilter(kMergeChoices[index].Type));
    request.InitialFolder = initialFolder_;
    request.Multiple = true;
    request.OnFolderChange = [this](const QString& folder) {
        MergeFolderChange(folder, platform_);
    };
    const QStringList chosen = platform_.ChooseOpenFiles(request);
    // Without files chosen there is nothing to save: the output is offered again only with
    // a new choice of files.
    if (chosen.isEmpty()) {
        clearChoice();
        enableOutput(false);
        return;
    }
    if (chosen.size() == 1) {
        platform_.Beep();
        platform_.Error(QString::fromLatin1(kMergeOneFileMessage));
        clearChoice();
        enableOutput(false);
        closeButton_->setFocus();
        return;
    }
    inputs_ = chosen;
    const fs::path output = DefaultMergeName(state_.ProgramFolder, state_.Settings.LastClubNo,
                                             state_.Today(), kMergeChoices[index].Type);
    enableOutput(true);
    SetBoxText(outputBox_, QStringFromPath(output));
}

void MergeDialog::browse() {
    SaveFileRequest request;
    request.Title = QStringLiteral("Merge Master Point Files");
    request.Filter = Latin1(MPTypeFilter(type()));
    request.InitialFolder = initialFolder_;
    request.FileName = QFileInfo(outputBox_->text()).fileName();
    request.AskOverwrite = false;
    const QString chosen = platform_.ChooseSaveFile(request);
    if (!chosen.isEmpty())
        SetBoxText(outputBox_, QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath()));
}

void MergeDialog::merge() {
    const QString typed = outputBox_->text().trimmed();
    if (typed.isEmpty() || inputs_.size() < 2) {
        platform_.Beep();
        outputBox_->setFocus();
        return;
    }
    // A name typed without a folder lies in the data folder, like every file of the program.
    const fs::path output = state_.DataFolder / PathFromQString(typed);
    const QString name = QStringFromPath(output.filename());
    std::error_code ec;
    if (fs::exists(fs::symlink_status(output, ec))) {
        platform_.Beep();
        if (!platform_.WarningYesNo(Latin1(MergeOverwriteQuestion(ToLatin1(name)))))
            return;
    }
    std::vector<fs::path> inputs;
    for (const QString& input : inputs_)
        inputs.push_back(PathFromQString(input));
    Status merged;
    platform_.Busy([&] { merged = MergeMPFiles(inputs, output); });
    if (!merged) {
        platform_.Error(MessageText(merged.Message()) + ". Nothing was merged.");
        return;
    }
    platform_.Beep();
    SayWritten(platform_, MessageKind::Information, QString::fromLatin1(kMergeDoneMessage), output);
    clearChoice();
    enableOutput(false);
    closeButton_->setFocus();
}

} // namespace mpsec
