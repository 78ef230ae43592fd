#include "submissions/SubmissionForm.h"

#include "core/Files.h"
#include "core/SystemCalls.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "submissions/SubmissionFiles.h"
#include "ui/AppState.h"
#include "ui/FederationSend.h"
#include "ui/WrittenFiles.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace fs = std::filesystem;

namespace mpsec {

bool SubmissionButtons::LeaveTheFields(const QWidget* next) const {
    return next && (next == Close || next == Clear || next == Delete);
}

void SubmissionButtons::OfferFile(const SubmissionFile& file, const AppState& state) const {
    const fs::path path = FindFileNoCase(state.DataFolder, file.FileName);
    std::error_code ec;
    Show->setWrittenFile(fs::exists(path, ec) ? path : fs::path());
    OfferToSend(Send, path);
}

namespace {

SubmissionButtons AddButtons(QDialog& dialog, QBoxLayout& row, const SubmissionFile& file,
                             Platform& platform, const QString& closeHint) {
    auto button = [&](const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, &dialog);
        b->setToolTip(hint);
        // Enter in a box never presses a button.
        b->setAutoDefault(false);
        row.addWidget(b);
        return b;
    };
    const QString name = QString::fromLatin1(file.FileName);
    SubmissionButtons buttons;
    buttons.Append = button(QStringLiteral("Append to &File"), "Append to File " + name);
    buttons.Close = button(QStringLiteral("&Close"), closeHint);
    buttons.Clear = button(QStringLiteral("Clear &All"), QStringLiteral("Clear All Fields"));
    buttons.Delete = button(QStringLiteral("Cl&ear File"), "Clear File " + name);
    buttons.Send = MakeSendToFederationButton(&dialog);
    row.addWidget(buttons.Send);
    buttons.Show = new ShowInFolderButton(platform, &dialog);
    row.addWidget(buttons.Show);
    QObject::connect(buttons.Close, &QPushButton::clicked, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace

SubmissionButtons AddSubmissionSection(QDialog& dialog, QBoxLayout& layout,
                                       const SubmissionFile& file, FederationFile kind,
                                       const AppState& state, Platform& platform,
                                       QLabel*& fileNameLabel, const std::function<void()>& append,
                                       const std::function<void()>& clearFields,
                                       const QString& closeHint) {
    fileNameLabel = new QLabel("Filename in use " + QString::fromLatin1(file.FileName), &dialog);
    layout.addWidget(fileNameLabel);
    auto* row = new QHBoxLayout;
    const SubmissionButtons buttons = AddButtons(dialog, *row, file, platform, closeHint);
    layout.addLayout(row);
    QObject::connect(buttons.Append, &QPushButton::clicked, &dialog, [append] { append(); });
    QObject::connect(buttons.Clear, &QPushButton::clicked, &dialog,
                     [clearFields] { clearFields(); });
    QObject::connect(buttons.Delete, &QPushButton::clicked, &dialog,
                     [&file, &state, &platform, buttons] {
                         ClearSubmissionFile(file, state, platform, buttons);
                     });
    QObject::connect(buttons.Send, &QPushButton::clicked, &dialog,
                     [&file, kind, &state, &platform, buttons] {
                         SendSubmissionFile(file, kind, state, platform, buttons);
                     });
    return buttons;
}

bool SayWhenBlank(bool complete, Platform& platform) {
    if (!complete) {
        platform.Beep();
        platform.Error(QString::fromLatin1(kFieldsLeftBlank));
    }
    return complete;
}

bool AppendSubmission(const SubmissionFile& file, const AppState& state, Platform& platform,
                      const std::string& block, const SubmissionButtons& buttons) {
    const Status appended = AppendToFile(FindFileNoCase(state.DataFolder, file.FileName), block);
    if (!appended)
        platform.Error(MessageText(AppendFailedMessage(file, appended.Message())));
    buttons.OfferFile(file, state);
    return appended.Ok();
}

void SayAppended(const SubmissionFile& file, const AppState& state, Platform& platform,
                 const QString& text) {
    SayWritten(platform, MessageKind::Plain, text, FindFileNoCase(state.DataFolder, file.FileName));
}

void SendSubmissionFile(const SubmissionFile& file, FederationFile kind, const AppState& state,
                        Platform& platform, const SubmissionButtons& buttons) {
    const fs::path path = FindFileNoCase(state.DataFolder, file.FileName);
    const std::optional<QString> sent =
        SendToFederation(platform, state, kind, path, state.Settings.LastClubNo);
    const QString name = QString::fromLatin1(file.FileName);
    if (sent &&
        platform.WarningYesNo(*sent + "\n\nClear " + name + " now, ready for the next requests?"))
        ClearSubmissionFile(file, state, platform, buttons);
    buttons.OfferFile(file, state);
}

void ClearSubmissionFile(const SubmissionFile& file, const AppState& state, Platform& platform,
                         const SubmissionButtons& buttons) {
    platform.Beep();
    if (platform.WarningYesNo(Latin1(file.ClearQuestion))) {
        const fs::path path = FindFileNoCase(state.DataFolder, file.FileName);
        std::error_code ec;
        if (fs::exists(fs::symlink_status(path, ec)) && os::Remove(path) != 0)
            platform.Error(Latin1(CannotDeleteSubmissionMessage(file)));
    }
    buttons.OfferFile(file, state);
}

} // namespace mpsec
