#include "support/FakePlatform.h"
#include "platform/Paths.h"

#include <fstream>

#include <QCoreApplication>
#include <QDialog>
#include <QThread>
#include <gtest/gtest.h>

namespace mpsec {

FakePlatform::~FakePlatform() {
    VerifyAllShown();
}

void FakePlatform::VerifyAllShown() {
    for (const Prompt& p : expected_)
        ADD_FAILURE() << "expected " << p.kind.toStdString() << " never shown: \""
                      << p.text.toStdString() << "\"";
    expected_.clear();
}

void FakePlatform::ExpectWarning(const QString& text, bool answerYes) {
    expected_.push_back({"warning", text, answerYes, {}, {}, {}});
}
void FakePlatform::ExpectError(const QString& text) {
    expected_.push_back({"error", text, false, {}, {}, {}});
}
void FakePlatform::ExpectInformation(const QString& text, bool showInFolder) {
    expected_.push_back({"information", text, showInFolder, {}, {}, {}});
}
void FakePlatform::ExpectMessage(const QString& text, bool showInFolder) {
    expected_.push_back({"message", text, showInFolder, {}, {}, {}});
}
void FakePlatform::ExpectOpenFiles(const QStringList& chosen,
                                   std::function<void(const OpenFileRequest&)> during) {
    expected_.push_back({"open", QString(), false, chosen, std::move(during), {}});
}
void FakePlatform::ExpectSaveFile(const QString& chosen) {
    expected_.push_back({"save", QString(), false, {chosen}, {}, {}});
}
void FakePlatform::ExpectFolder(const QString& title, const QString& chosen) {
    expected_.push_back({"folder", title, false, {chosen}, {}, {}});
}
void FakePlatform::ExpectPrinterSetup(bool accept) {
    expected_.push_back({"printer setup", QString(), accept, {}, {}, {}});
}
void FakePlatform::ExpectPrintDialog(bool accept) {
    expected_.push_back({"print dialog", QString(), accept, {}, {}, {}});
}
void FakePlatform::ExpectPassword(const QString& text, std::optional<QString> typed) {
    expected_.push_back({"password", text, typed.has_value(), {typed.value_or(QString())}, {}, {}});
}
void FakePlatform::ExpectDialog(const QString& caption, std::function<int(QDialog&)> drive) {
    expected_.push_back({"dialog", caption, false, {}, {}, std::move(drive)});
}

bool FakePlatform::Take(const QString& kind, const QString& text, Prompt& out) {
    shown_.push_back(kind + ": " + text);
    if (expected_.empty()) {
        ADD_FAILURE() << "unexpected " << kind.toStdString() << ": \"" << text.toStdString()
                      << "\"";
        return false;
    }
    const Prompt& next = expected_.front();
    if (next.kind != kind || (!next.text.isNull() && next.text != text)) {
        ADD_FAILURE() << "expected " << next.kind.toStdString() << " \"" << next.text.toStdString()
                      << "\" but got " << kind.toStdString() << " \"" << text.toStdString() << "\"";
        expected_.pop_front();
        return false;
    }
    out = next;
    expected_.pop_front();
    return true;
}

bool FakePlatform::WarningYesNo(const QString& text) {
    Prompt p;
    return Take("warning", text, p) && p.yes;
}
void FakePlatform::Error(const QString& text) {
    Prompt p;
    Take("error", text, p);
}
void FakePlatform::Information(const QString& text) {
    Prompt p;
    Take("information", text, p);
}
void FakePlatform::Message(const QString& text) {
    Prompt p;
    Take("message", text, p);
}

bool FakePlatform::WrittenMessage(MessageKind kind, const QString& text, const QString& detail) {
    writtenDetails_.push_back(detail);
    Prompt p;
    return Take(kind == MessageKind::Information ? "information" : "message", text, p) && p.yes;
}

bool FakePlatform::OpenFolder(const QString& folder) {
    openedFolders_.push_back(folder);
    return !openFolderFails_;
}

QStringList FakePlatform::ChooseOpenFiles(const OpenFileRequest& request) {
    Prompt p;
    if (!Take("open", QString(), p))
        return {};
    shown_.back() =
        "open: " + request.Title + " | " + request.Filter + " | " + request.InitialFolder;
    if (p.during)
        p.during(request);
    return p.files;
}

QString FakePlatform::ChooseSaveFile(const SaveFileRequest& request) {
    lastSave_ = request;
    Prompt p;
    if (!Take("save", QString(), p))
        return {};
    shown_.back() = "save: " + request.Title;
    return p.files.value(0);
}

QString FakePlatform::ChooseFolder(const FolderRequest& request) {
    LastFolderRequest = request;
    Prompt p;
    if (!Take("folder", request.Title, p))
        return {};
    return p.files.value(0);
}

bool FakePlatform::PrinterSetup(QWidget*) {
    Prompt p;
    return Take("printer setup", QString(), p) && p.yes;
}

bool FakePlatform::ChoosePrinter(QWidget*) {
    Prompt p;
    return Take("print dialog", QString(), p) && p.yes;
}

void FakePlatform::PrintLines(const QStringList& lines, const QString& fontFamily, int pointSize,
                              const QString& jobTitle) {
    printed_.push_back({jobTitle, fontFamily, pointSize, lines});
}

void FakePlatform::PrintDocument(const ComposedDocument& document) {
    documents_.push_back(document);
    if (AfterPrint)
        AfterPrint();
}

Status FakePlatform::WritePdf(const ComposedDocument& document, const QString& path) {
    {
        std::lock_guard lock(pdfsMutex_);
        pdfs_.push_back({path, document});
    }
    if (WritePdfFiles) {
        std::ofstream file(PathFromQString(path), std::ios::binary);
        file << "%PDF " << document.Title;
        if (!file)
            return Failure{"cannot write " + path.toStdString()};
    }
    if (AfterPrint) {
        if (QThread::currentThread() == qApp->thread())
            AfterPrint();
        else
            QMetaObject::invokeMethod(qApp, AfterPrint, Qt::QueuedConnection);
    }
    return {};
}

void FakePlatform::PreviewDocument(const ComposedDocument& document, QWidget*) {
    previewed_.push_back(document);
}

int FakePlatform::RunModal(QDialog& dialog) {
    Prompt p;
    if (!Take("dialog", dialog.windowTitle(), p))
        return QDialog::Rejected;
    dialog.show();
    int result = p.drive ? p.drive(dialog) : QDialog::Rejected;
    if (dialog.isVisible())
        dialog.done(result);
    return dialog.result();
}

std::optional<QString> FakePlatform::AskPassword(const QString& text) {
    Prompt p;
    if (!Take("password", text, p) || !p.yes)
        return std::nullopt;
    return p.files.value(0);
}

std::unique_ptr<MailTransport> FakePlatform::MailServer(const EmailSettings& settings,
                                                        const std::string& password) {
    MailServerPasswords.push_back(password);
    if (!MailServerMaker) {
        ADD_FAILURE() << "a message was sent, but the test gave no mail server";
        return nullptr;
    }
    return MailServerMaker(settings);
}

Result<std::optional<std::string>>
FakePlatform::MemoryCredentials::ReadPassword(const std::string& host, const std::string& user) {
    if (Unavailable)
        return Failure{*Unavailable};
    auto it = Passwords.find(user + "@" + host);
    if (it == Passwords.end())
        return std::optional<std::string>();
    return std::optional<std::string>(it->second);
}

Status FakePlatform::MemoryCredentials::WritePassword(const std::string& host,
                                                      const std::string& user,
                                                      const std::string& password) {
    if (Unavailable)
        return Failure{*Unavailable};
    Passwords[user + "@" + host] = password;
    return {};
}

Status FakePlatform::MemoryCredentials::ForgetPassword(const std::string& host,
                                                       const std::string& user) {
    if (Unavailable)
        return Failure{*Unavailable};
    Passwords.erase(user + "@" + host);
    return {};
}

void FakePlatform::Busy(const std::function<void()>& work) {
    ++busy_;
    work();
}

} // namespace mpsec
