#pragma once
#include "email/EmailSettings.h"

#include <QString>
#include <functional>
#include <string>

class QBoxLayout;
class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace mpsec {

struct AppState;
class Platform;
struct SubmissionFile;
class ShowInFolderButton;

// What the three forms for the federation share: their buttons, the file they append to,
// clearing it.
struct SubmissionButtons {
    QPushButton* Append = nullptr;
    QPushButton* Close = nullptr; // also Escape
    QPushButton* Clear = nullptr;
    QPushButton* Delete = nullptr;
    QPushButton* Send = nullptr; // enabled while the file can be sent
    ShowInFolderButton* Show = nullptr;

    // Whether focus moving to `next` leaves the fields behind (Close, Clear All, Clear
    // File), so what was typed needs no checking.
    bool LeaveTheFields(const QWidget* next) const;
    // "Show in Folder" offered while the file is in the data folder, "Send to Federation"
    // while it holds something.
    void OfferFile(const SubmissionFile& file, const AppState& state) const;
};

// The foot of a form, added to `layout`: "Filename in use NAME" (set in `fileNameLabel`),
// then a row of "Append to &File", "&Close", "Clear &All", "Cl&ear File", "Se&nd to
// Federation" and "Show in Folder" with their hints. Append runs `append`, Clear All
// `clearFields`, Clear File asks and deletes the file (ClearSubmissionFile), Send to
// Federation sends it as a file of `kind` (SendSubmissionFile), Close closes the dialog.
SubmissionButtons AddSubmissionSection(QDialog& dialog, QBoxLayout& layout,
                                       const SubmissionFile& file, FederationFile kind,
                                       const AppState& state, Platform& platform,
                                       QLabel*& fileNameLabel, const std::function<void()>& append,
                                       const std::function<void()>& clearFields,
                                       const QString& closeHint = QString());

// A form whose fields are not all filled in says so ("One or more necessary fields have been
// left blank") with a beep; returns `complete`.
bool SayWhenBlank(bool complete, Platform& platform);

// Appends the block to the file in the data folder; a failure is said in an error box and
// false returned, the form keeping its fields. The file is then offered by "Show in Folder".
bool AppendSubmission(const SubmissionFile& file, const AppState& state, Platform& platform,
                      const std::string& block, const SubmissionButtons& buttons);

// The box said after a block was appended: `text`, the file's full path on a second line,
// and "Show in Folder".
void SayAppended(const SubmissionFile& file, const AppState& state, Platform& platform,
                 const QString& text);

// Sends the file to the federation; once the server took it, offers to clear the file
// (ClearSubmissionFile, which asks the form's own question) for the next requests.
void SendSubmissionFile(const SubmissionFile& file, FederationFile kind, const AppState& state,
                        Platform& platform, const SubmissionButtons& buttons);

// Asks the form's question, then deletes the file (when it exists) after a Yes.
void ClearSubmissionFile(const SubmissionFile& file, const AppState& state, Platform& platform,
                         const SubmissionButtons& buttons);

} // namespace mpsec
