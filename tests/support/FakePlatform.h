#pragma once
#include "platform/Platform.h"
#include "support/MemorySettingsStore.h"

#include <QString>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <vector>

namespace mpsec {

// The path of `name` in `folder` as the windows show it: with the system's separators.
inline QString InFolder(const std::filesystem::path& folder, const std::string& name) {
    return QString::fromStdString((folder / name).string());
}

// A scripted desktop for dialog tests: the test states the prompts it expects, in order,
// each with its answer. A prompt that was not expected, or an expected one that never
// came, fails the test (the latter when the fake is destroyed).
class FakePlatform : public Platform {
  public:
    ~FakePlatform() override;

    void ExpectWarning(const QString& text, bool answerYes);
    void ExpectError(const QString& text);
    // Also the box said after a file was written; `showInFolder` presses its "Show in
    // Folder" button.
    void ExpectInformation(const QString& text, bool showInFolder = false);
    void ExpectMessage(const QString& text, bool showInFolder = false);
    // `during` runs while the chooser is "open" (to move through folders, say).
    void ExpectOpenFiles(const QStringList& chosen,
                         std::function<void(const OpenFileRequest&)> during = {});
    void ExpectSaveFile(const QString& chosen);
    // The folder chooser with this title; `chosen` empty for Cancel.
    void ExpectFolder(const QString& title, const QString& chosen);
    void ExpectPrinterSetup(bool accept);
    void ExpectPrintDialog(bool accept);
    // The password box with this text; `typed` none for Cancel.
    void ExpectPassword(const QString& text, std::optional<QString> typed);
    // The dialog with this caption is shown; `drive` works it and returns its result.
    void ExpectDialog(const QString& caption, std::function<int(QDialog&)> drive);

    // Fails the test for every expected prompt that has not come yet.
    void VerifyAllShown();

    int Beeps() const { return beeps_; }
    // Every text shown, in order, with its kind: "warning: ...", "error: ..." and so on.
    const QStringList& Shown() const { return shown_; }
    int BusyCalls() const { return busy_; }
    // Every printed job: its title, font, and lines.
    struct PrintJob {
        QString Title;
        QString Font;
        int PointSize = 0;
        QStringList Lines;
    };
    const std::vector<PrintJob>& Printed() const { return printed_; }
    // Composed documents printed, previewed and written as PDF (with their paths).
    const std::vector<ComposedDocument>& PrintedDocuments() const { return documents_; }
    const std::vector<ComposedDocument>& Previewed() const { return previewed_; }
    const std::vector<std::pair<QString, ComposedDocument>>& PdfsWritten() const { return pdfs_; }
    // Makes the chosen printer a PDF file, as "print to file" does.
    void SetPrinterPdfFile(const QString& path) { pdfFile_ = path; }
    // Called after each document printed (a test can press Cancel there); after a PDF
    // written by a worker thread, it runs on the window's thread when events are next
    // processed.
    std::function<void()> AfterPrint;
    // Set: each PDF "written" is also a small file at its path, holding "%PDF " and the
    // document's title, for a run that reads the file back.
    bool WritePdfFiles = false;
    MemorySettingsStore& Store() { return store_; }
    // The second lines of the boxes said after a file was written, and the folders opened.
    const QStringList& WrittenDetails() const { return writtenDetails_; }
    const QStringList& OpenedFolders() const { return openedFolders_; }
    // Makes the desktop fail to open the folders asked for ("Show in Folder").
    void FailOpenFolder(bool fail = true) { openFolderFails_ = fail; }
    // The last save chooser's request (its proposed name, filter, folder, question).
    const SaveFileRequest& LastSaveRequest() const { return lastSave_; }

    bool WarningYesNo(const QString& text) override;
    void Error(const QString& text) override;
    void Information(const QString& text) override;
    void Message(const QString& text) override;
    void Beep() override { ++beeps_; }
    bool WrittenMessage(MessageKind kind, const QString& text, const QString& detail) override;
    bool OpenFolder(const QString& folder) override;
    QStringList ChooseOpenFiles(const OpenFileRequest& request) override;
    QString ChooseSaveFile(const SaveFileRequest& request) override;
    QString ChooseFolder(const FolderRequest& request) override;
    // The last folder request (its sidebar, its initial folder).
    FolderRequest LastFolderRequest;
    bool PrinterSetup(QWidget* parent) override;
    bool ChoosePrinter(QWidget* parent) override;
    void PrintLines(const QStringList& lines, const QString& fontFamily, int pointSize,
                    const QString& jobTitle) override;
    void PrintDocument(const ComposedDocument& document) override;
    QString PrinterPdfFile() override { return pdfFile_; }
    Status WritePdf(const ComposedDocument& document, const QString& path) override;
    void PreviewDocument(const ComposedDocument& document, QWidget* parent) override;
    int RunModal(QDialog& dialog) override;
    SettingsStore& Settings() override { return store_; }
    std::optional<QString> AskPassword(const QString& text) override;
    CredentialStore& Credentials() override { return Keychain; }
    std::unique_ptr<MailTransport> MailServer(const EmailSettings& settings,
                                              const std::string& password) override;

    // The credential store: the passwords kept, by "user@host". With `Unavailable` set,
    // every call fails with it, as a store that does not answer.
    struct MemoryCredentials : CredentialStore {
        std::map<std::string, std::string> Passwords;
        std::optional<std::string> Unavailable;
        Result<std::optional<std::string>> ReadPassword(const std::string& host,
                                                        const std::string& user) override;
        Status WritePassword(const std::string& host, const std::string& user,
                             const std::string& password) override;
        Status ForgetPassword(const std::string& host, const std::string& user) override;
    } Keychain;
    // Makes the transport of MailServer; the password each was made with is kept in
    // `MailServerPasswords`. None set: a test that sends fails.
    std::function<std::unique_ptr<MailTransport>(const EmailSettings&)> MailServerMaker;
    std::vector<std::string> MailServerPasswords;
    void Busy(const std::function<void()>& work) override;
    void ProcessEvents() override {}

  private:
    struct Prompt {
        QString kind;
        QString text;
        bool yes = false;
        QStringList files;
        std::function<void(const OpenFileRequest&)> during;
        std::function<int(QDialog&)> drive;
    };
    // The next expected prompt if it is of this kind and text; fails the test otherwise.
    bool Take(const QString& kind, const QString& text, Prompt& out);

    std::deque<Prompt> expected_;
    QStringList shown_;
    QStringList writtenDetails_, openedFolders_;
    int beeps_ = 0;
    int busy_ = 0;
    std::vector<PrintJob> printed_;
    std::vector<ComposedDocument> documents_, previewed_;
    std::vector<std::pair<QString, ComposedDocument>> pdfs_;
    std::mutex pdfsMutex_; // PDFs are written from several threads at once
    QString pdfFile_;
    bool openFolderFails_ = false;
    SaveFileRequest lastSave_;
    MemorySettingsStore store_;
};

} // namespace mpsec
