#include "mpfiles/MPFileEditorDialog.h"

#include "core/Files.h"
#include "mpfiles/MPFileEditing.h"
#include "mpfiles/OldExtensions.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "ui/AppState.h"
#include "ui/MPFileChooser.h"
#include "ui/TextStyles.h"
#include "ui/WrittenFiles.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>
#include <new>

namespace mpsec {

MPFileEditorDialog::MPFileEditorDialog(AppState& state, Platform& platform, QWidget* parent)
    : ProgramDialog(parent), state_(state), platform_(platform) {
    setWindowTitle(QStringLiteral("Edit MP File"));
    resize(372, 448);
    editor_ = new QPlainTextEdit(this);
    editor_->setMinimumSize(312, 358);
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor_->setFont(FixedPitchFont(9));

    closeButton_ = new QPushButton(QStringLiteral("&Close"), this);
    anotherButton_ = new QPushButton(QStringLiteral("Another"), this);
    anotherButton_->setToolTip(QStringLiteral("Load another file."));
    saveButton_ = new QPushButton(QStringLiteral("&Save"), this);
    for (QPushButton* button : {closeButton_, anotherButton_, saveButton_})
        button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(anotherButton_);
    buttons->addWidget(saveButton_);
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoldLabel(QStringLiteral("Edit Master Point File - Use with Care."), this));
    layout->addWidget(editor_, 1);
    layout->addLayout(buttons);

    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(anotherButton_, &QPushButton::clicked, this, &MPFileEditorDialog::chooseAnotherFile);
    connect(saveButton_, &QPushButton::clicked, this, &MPFileEditorDialog::saveFile);
}

void MPFileEditorDialog::setChosenFile(const QString& file) {
    file_ = file;
    // The chooser as the main window left it, for Another's first showing.
    chooserTitle_ = QStringLiteral("Select Masterpoint File");
    chooserFolder_ = QString::fromStdString(state_.Settings.LastMPFolderUsed);
}

void MPFileEditorDialog::showFile() {
    editor_->clear();
    if (file_.isEmpty())
        return;
    LineList lines;
    if (Status read = ReadMPFile(PathFromQString(file_), lines, sizeLimit_); !read) {
        platform_.Error("Cannot read the masterpoint file " + QFileInfo(file_).fileName() + ": " +
                        MessageText(read.Message()) + ".");
        return;
    }
    bool shown = true;
    platform_.Busy([&] {
        try {
            editor_->setPlainText(Latin1(ShownEditorText(lines)));
        } catch (const std::bad_alloc&) {
            editor_->clear();
            shown = false;
        }
    });
    if (!shown)
        platform_.Error("Cannot show the masterpoint file " + QFileInfo(file_).fileName() +
                        ": there is not enough memory.");
}

void MPFileEditorDialog::chooseAnotherFile() {
    const QString chosen = ChooseMPFile(platform_, chooserTitle_, chooserFolder_);
    if (chosen.isEmpty())
        return;
    file_ = chosen;
    chooserTitle_ = ChooserTitleAfter(file_);
    chooserFolder_ = QStringFromPath(state_.ProgramFolder);
    showFile();
}

QStringList MPFileEditorDialog::editorLines() const {
    // Block by block: the document's plain text would turn non-breaking spaces (Latin-1
    // 0xA0) into blanks.
    QStringList lines;
    if (editor_->document()->isEmpty())
        return lines;
    for (QTextBlock block = editor_->document()->begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines;
}

void MPFileEditorDialog::saveFile() {
    SaveFileRequest request;
    request.Title = QStringLiteral("Select Master Point File");
    request.InitialFolder = QFileInfo(file_).absolutePath();
    request.FileName = saveName_;
    request.AskOverwrite = true;
    const QString chosen = platform_.ChooseSaveFile(request);
    if (chosen.isEmpty())
        return;
    saveName_ = chosen;
    std::vector<std::string> lines;
    for (const QString& line : editorLines())
        lines.push_back(ToLatin1(line));
    if (Status saved = WriteFileAtomically(PathFromQString(chosen), SavedEditorText(lines));
        !saved) {
        platform_.Error("Cannot write " + QFileInfo(chosen).fileName() + ": " +
                        MessageText(saved.Message()) + ". The file is unchanged.");
        return;
    }
    editor_->clear();
    platform_.Beep();
    SayWritten(platform_, MessageKind::Plain, QString::fromLatin1(kEditorSavedMessage),
               PathFromQString(chosen));
}

void MPFileEditorDialog::onOpen() {
    showFile();
}

} // namespace mpsec
