#include "platform/QtPlatform.h"
#include "print/Latin1.h"

#include "core/Files.h"

#include "core/Settings.h"
#include "email/CurlTransport.h"
#include "platform/KeychainStore.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <memory>

#include "platform/Paths.h"
#include "print/PageRenderer.h"
#include "print/PlainText.h"
#include <QPrintDialog>

namespace mpsec {

QString QtNameFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf('|');
    if (bar < 0)
        return filter;
    QString patterns = filter.mid(bar + 1);
    patterns.replace(';', ' ');
    return filter.left(bar) + " (" + patterns + ")";
}

namespace {

// A print job's busy cursor and, once the job has run for about a second, a progress box
// whose Cancel stops the job before its next page.
class PrintProgress {
  public:
    PrintProgress()
        : box_(QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0, 1,
               QApplication::activeWindow()) {
        QApplication::setOverrideCursor(Qt::BusyCursor); // busy, but Cancel can be pressed
        box_.setWindowTitle(QStringLiteral("Printing"));
        box_.setWindowModality(Qt::ApplicationModal);
        box_.setMinimumDuration(1000);
        box_.setAutoClose(false);
        box_.setAutoReset(false);
    }
    ~PrintProgress() { QApplication::restoreOverrideCursor(); }
    PrintProgress(const PrintProgress&) = delete;
    PrintProgress& operator=(const PrintProgress&) = delete;

    PageProgress Callback() {
        return [this](int done, int count) {
            box_.setMaximum(count);
            box_.setLabelText(QStringLiteral("Printing page %1 of %2").arg(done + 1).arg(count));
            box_.setValue(done);
            QCoreApplication::processEvents(); // where a press of Cancel arrives
            return !box_.wasCanceled();
        };
    }
    bool Cancelled() const { return box_.wasCanceled(); }

  private:
    QProgressDialog box_;
};

} // namespace

QtPlatform::QtPlatform(const QString& settingsFile)
    : settings_(QString::fromLatin1(kSettingsKey), settingsFile),
      printer_(QPrinter::HighResolution) {}

bool QtPlatform::WarningYesNo(const QString& text) {
    return QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Warning"), text,
                                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtPlatform::Error(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Error"), text,
                          QMessageBox::Ok);
}

void QtPlatform::Information(const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Information"), text,
                             QMessageBox::Ok);
}

void QtPlatform::Message(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtPlatform::WrittenMessage(MessageKind kind, const QString& text, const QString& detail) {
    const bool information = kind == MessageKind::Information;
    QMessageBox box(information ? QMessageBox::Information : QMessageBox::NoIcon,
                    information ? QStringLiteral("Information") : QApplication::applicationName(),
                    text, QMessageBox::Ok, QApplication::activeWindow());
    box.setInformativeText(detail);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton* show = box.addButton(QStringLiteral("Show in Folder"), QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok); // Escape closes the box, as OK does
    box.exec();
    return box.clickedButton() == show;
}

bool QtPlatform::OpenFolder(const QString& folder) {
    // The desktop's handler for folders: the file manager (on Linux through xdg-open).
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void QtPlatform::Beep() {
    QApplication::beep();
}

QStringList QtPlatform::ChooseOpenFiles(const OpenFileRequest& request) {
    // Qt's own dialog, because it reports every change of the browsed folder.
    QFileDialog dialog(QApplication::activeWindow(), request.Title, request.InitialFolder,
                       QtNameFilter(request.Filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.Multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (request.OnFolderChange) {
        // Every folder the chooser shows: the one it opens in, then each change of its
        // model's root, which also follows typed paths, Back/Forward and the sidebar
        // (directoryEntered misses typed paths).
        auto reported = std::make_shared<QString>();
        auto report = [&request, reported](const QString& folder) {
            const QString clean = QDir::cleanPath(folder);
            if (clean.isEmpty() || clean == *reported)
                return;
            *reported = clean;
            request.OnFolderChange(clean);
        };
        if (auto* model = dialog.findChild<QFileSystemModel*>())
            QObject::connect(model, &QFileSystemModel::rootPathChanged, &dialog, report);
        QObject::connect(&dialog, &QFileDialog::directoryEntered, &dialog, report);
        QTimer::singleShot(0, &dialog,
                           [&dialog, report] { report(dialog.directory().absolutePath()); });
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString QtPlatform::ChooseSaveFile(const SaveFileRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), request.Title, request.InitialFolder,
                       QtNameFilter(request.Filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.AskOverwrite);
    if (!request.FileName.isEmpty())
        dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString QtPlatform::ChooseFolder(const FolderRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), request.Title, request.InitialFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::Directory);
    // The files are shown too: the secretary sees which folder holds the registers.
    dialog.setOption(QFileDialog::ShowDirsOnly, false);
    QList<QUrl> places = dialog.sidebarUrls();
    for (const QString& folder : request.Sidebar)
        places.append(QUrl::fromLocalFile(folder));
    dialog.setSidebarUrls(places);
    // The places are named whole ("mpsec-sample", not "mpsec-sa...").
    if (auto* sidebar = dialog.findChild<QListView*>(QStringLiteral("sidebar"))) {
        int widest = 0;
        for (int row = 0; row < sidebar->model()->rowCount(); ++row)
            widest = std::max(widest, sidebar->fontMetrics().horizontalAdvance(
                                          sidebar->model()->index(row, 0).data().toString()));
        sidebar->setMinimumWidth(widest + sidebar->iconSize().width() + 48);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

bool QtPlatform::PrinterSetup(QWidget* parent) {
    QPrintDialog dialog(&printer_, parent);
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    // Set-up only chooses the printer, so its button reads OK rather than Print. (Windows'
    // own dialog has no buttons of Qt's.)
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    return dialog.exec() == QDialog::Accepted;
}

bool QtPlatform::ChoosePrinter(QWidget* parent) {
    QPrintDialog dialog(&printer_, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    return dialog.exec() == QDialog::Accepted;
}

void QtPlatform::PrintLines(const QStringList& lines, const QString& fontFamily, int pointSize,
                            const QString& jobTitle) {
    printer_.setDocName(jobTitle);
    QFont font(fontFamily, pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    PrintProgress progress;
    const QString pdf = PrinterPdfFile();
    if (pdf.isEmpty()) {
        // A cancelled job is the user's choice, not an error.
        if (!PrintPlainText(printer_, lines, font, progress.Callback()).Started)
            Error(QStringLiteral("The printer could not be started."));
        return;
    }
    // "Print to file": the pages go to a new file beside the one named, which replaces it
    // only when the job is complete, so a failure never leaves half a PDF or loses the old.
    FileReplacement replacement(PathFromQString(pdf));
    Status written = replacement.Open();
    if (written) {
        printer_.setOutputFileName(QStringFromPath(replacement.TemporaryPath()));
        const PlainTextJob job = PrintPlainText(printer_, lines, font, progress.Callback());
        printer_.setOutputFileName(pdf);
        if (job.Cancelled)
            return;
        if (!job.Started || printer_.printerState() == QPrinter::Error)
            written = Failure{"the pages could not be written"};
        else
            written = replacement.Commit();
    }
    if (!written)
        Error("Cannot write " + pdf + ": " + MessageText(written.Message()) + ".");
}

void QtPlatform::PrintDocument(const ComposedDocument& document) {
    if (const QString pdf = PrinterPdfFile(); !pdf.isEmpty()) {
        if (Status written = WriteDocumentPdf(document, pdf); !written)
            Error("Cannot write " + pdf + ": " + MessageText(written.Message()) + ".");
        return;
    }
    PrintProgress progress;
    if (mpsec::PrintDocument(printer_, document, progress.Callback()) == 0 && !progress.Cancelled())
        Error(QStringLiteral("The printer could not be started."));
}

QString QtPlatform::PrinterPdfFile() {
    return printer_.outputFormat() == QPrinter::PdfFormat ? printer_.outputFileName() : QString();
}

Status QtPlatform::WritePdf(const ComposedDocument& document, const QString& path) {
    return WriteDocumentPdf(document, path);
}

void QtPlatform::PreviewDocument(const ComposedDocument& document, QWidget* parent) {
    QPrintPreviewDialog preview(&printer_, parent);
    preview.setWindowTitle(QStringLiteral("Preview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&document](QPrinter* printer) { mpsec::PrintDocument(*printer, document); });
    preview.exec();
}

int QtPlatform::RunModal(QDialog& dialog) {
    return dialog.exec();
}

void QtPlatform::Busy(const std::function<void()>& work) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    work();
}

std::optional<QString> QtPlatform::AskPassword(const QString& text) {
    bool ok = false;
    QString typed = QInputDialog::getText(QApplication::activeWindow(), QStringLiteral("Password"),
                                          text, QLineEdit::Password, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return typed;
}

CredentialStore& QtPlatform::Credentials() {
    if (!credentials_)
        credentials_ = std::make_unique<KeychainStore>();
    return *credentials_;
}

std::unique_ptr<MailTransport> QtPlatform::MailServer(const EmailSettings& settings,
                                                      const std::string& password) {
    return std::make_unique<CurlTransport>(settings, password);
}

void QtPlatform::ProcessEvents() {
    QCoreApplication::processEvents();
}

} // namespace mpsec
