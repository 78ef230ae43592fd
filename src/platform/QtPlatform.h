#pragma once
#include "platform/Platform.h"
#include "platform/QtSettingsStore.h"

#include <QPrinter>

namespace mpsec {

// "Description|*.a;*.b" as a Qt name filter, "Description (*.a *.b)".
QString QtNameFilter(const QString& filter);

class QtPlatform : public Platform {
  public:
    explicit QtPlatform(const QString& settingsFile = {});

    bool WarningYesNo(const QString& text) override;
    void Error(const QString& text) override;
    void Information(const QString& text) override;
    void Message(const QString& text) override;
    void Beep() override;
    bool WrittenMessage(MessageKind kind, const QString& text, const QString& detail) override;
    bool OpenFolder(const QString& folder) override;
    QStringList ChooseOpenFiles(const OpenFileRequest& request) override;
    QString ChooseSaveFile(const SaveFileRequest& request) override;
    QString ChooseFolder(const FolderRequest& request) override;
    bool PrinterSetup(QWidget* parent) override;
    bool ChoosePrinter(QWidget* parent) override;
    void PrintLines(const QStringList& lines, const QString& fontFamily, int pointSize,
                    const QString& jobTitle) override;
    void PrintDocument(const ComposedDocument& document) override;
    QString PrinterPdfFile() override;
    Status WritePdf(const ComposedDocument& document, const QString& path) override;
    void PreviewDocument(const ComposedDocument& document, QWidget* parent) override;
    int RunModal(QDialog& dialog) override;
    SettingsStore& Settings() override { return settings_; }
    std::optional<QString> AskPassword(const QString& text) override;
    CredentialStore& Credentials() override;
    std::unique_ptr<MailTransport> MailServer(const EmailSettings& settings,
                                              const std::string& password) override;
    void Busy(const std::function<void()>& work) override;
    void ProcessEvents() override;

    QPrinter& Printer() { return printer_; }

  private:
    QtSettingsStore settings_;
    QPrinter printer_;
    std::unique_ptr<CredentialStore> credentials_;
};

} // namespace mpsec
