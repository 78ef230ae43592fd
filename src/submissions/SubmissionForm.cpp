#include "submissions/SubmissionForm.h"

#include "core/Files.h"
#include "platform/Latin1.h"
#include "platform/Platform.h"
#include "submissions/SubmissionFiles.h"
#include "ui/AppState.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace fs = std::filesystem;

namespace mpsec {

bool SubmissionButtons::LeaveTheFields(const QWidget* next) const {
    return next && (next == Close || next == Clear || next == Delete);
}

SubmissionButtons AddSubmissionButtons(QDialog& dialog, QBoxLayout& row, const SubmissionFile& file,
                                       const QString& closeHint) {
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
    QObject::connect(buttons.Close, &QPushButton::clicked, &dialog, &QDialog::reject);
    return buttons;
}

QLabel* FileInUseLabel(const SubmissionFile& file, QWidget* parent) {
    return new QLabel("Filename in use " + QString::fromLatin1(file.FileName), parent);
}

bool SayWhenBlank(bool complete, Platform& platform) {
    if (!complete) {
        platform.Beep();
        platform.Error(QString::fromLatin1(kFieldsLeftBlank));
    }
    return complete;
}

bool AppendSubmission(const SubmissionFile& file, const AppState& state, Platform& platform,
                      const std::string& block) {
    const Status appended = AppendToFile(FindFileNoCase(state.DataFolder, file.FileName), block);
    if (!appended)
        platform.Error(Latin1(AppendFailedMessage(file, appended.Message())));
    return appended.Ok();
}

void ClearSubmissionFile(const SubmissionFile& file, const AppState& state, Platform& platform) {
    platform.Beep();
    if (!platform.WarningYesNo(Latin1(file.ClearQuestion)))
        return;
    const fs::path path = FindFileNoCase(state.DataFolder, file.FileName);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec)))
        return;
    if (!fs::remove(path, ec) || ec)
        platform.Error(Latin1(CannotDeleteSubmissionMessage(file)));
}

} // namespace mpsec
