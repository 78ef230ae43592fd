#pragma once
#include "core/Result.h"
#include "core/SettingsStore.h"
#include "email/Credentials.h"
#include "email/EmailSettings.h"
#include "email/MailTransport.h"
#include "print/ComposedPage.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QDialog;
class QWidget;

namespace mpsec {

struct OpenFileRequest {
    QString Title;
    QString Filter; // "Description|*.a;*.b"
    QString InitialFolder;
    bool Multiple = false;
    // Called with the folder now browsed every time the user moves to another folder.
    std::function<void(const QString&)> OnFolderChange;
};

struct SaveFileRequest {
    QString Title;
    QString Filter;
    QString InitialFolder;
    QString FileName;
    bool AskOverwrite = true;
};

// The box a window shows after writing a file: an information box or a plain message.
enum class MessageKind { Information, Plain };

struct FolderRequest {
    QString Title;
    QString InitialFolder;
    QStringList Sidebar; // folders offered beside the usual places
};

// The program's only way to the desktop's modal services, so that a test can script the
// user's answers and see every text shown.
class Platform {
  public:
    virtual ~Platform() = default;

    // A warning box with Yes and No; true for Yes.
    virtual bool WarningYesNo(const QString& text) = 0;
    virtual void Error(const QString& text) = 0;
    virtual void Information(const QString& text) = 0;
    virtual void Message(const QString& text) = 0;
    virtual void Beep() = 0;
    // The box said after a file was written: `text` as the window says it, `detail` (the
    // file's full path) on a second line, and a "Show in Folder" button beside OK; true
    // when "Show in Folder" was pressed.
    virtual bool WrittenMessage(MessageKind kind, const QString& text, const QString& detail) = 0;
    // Opens the desktop's file manager on `folder`; false when the desktop could not.
    virtual bool OpenFolder(const QString& folder) = 0;

    // The chosen files; empty when cancelled.
    virtual QStringList ChooseOpenFiles(const OpenFileRequest& request) = 0;
    virtual QString ChooseSaveFile(const SaveFileRequest& request) = 0;
    // The chosen folder; empty when cancelled.
    virtual QString ChooseFolder(const FolderRequest& request) = 0;

    // The printer set-up dialog on the program's printer; false when cancelled.
    virtual bool PrinterSetup(QWidget* parent) = 0;
    // The print dialog; false when cancelled. The printer chosen (or a PDF file, with
    // "print to file") serves the next print.
    virtual bool ChoosePrinter(QWidget* parent) = 0;
    // Prints lines of plain text in a fixed-pitch font, page after page, as one job.
    virtual void PrintLines(const QStringList& lines, const QString& fontFamily, int pointSize,
                            const QString& jobTitle) = 0;
    // Prints a composed document on the chosen printer as one job.
    virtual void PrintDocument(const ComposedDocument& document) = 0;
    // The PDF file the chosen printer writes to ("print to file"), or empty.
    virtual QString PrinterPdfFile() = 0;
    // Writes a composed document as a PDF file, or says why it could not.
    virtual Status WritePdf(const ComposedDocument& document, const QString& path) = 0;
    // Shows the document's pages in a print preview, from which it can be printed.
    virtual void PreviewDocument(const ComposedDocument& document, QWidget* parent) = 0;

    // Shows a dialog of the program modally and returns its result.
    virtual int RunModal(QDialog& dialog) = 0;

    virtual SettingsStore& Settings() = 0;

    // Asks for a password in a box that does not show what is typed; none when cancelled.
    virtual std::optional<QString> AskPassword(const QString& text) = 0;
    // The system's credential store, where the outgoing server's password is kept.
    virtual CredentialStore& Credentials() = 0;
    // The outgoing server of the settings, as the transport messages are sent through.
    virtual std::unique_ptr<MailTransport> MailServer(const EmailSettings& settings,
                                                      const std::string& password) = 0;

    // Runs `work` under the busy cursor.
    virtual void Busy(const std::function<void()>& work) = 0;
    virtual void ProcessEvents() = 0;
};

} // namespace mpsec
