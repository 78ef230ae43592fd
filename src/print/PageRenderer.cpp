#include "print/PageRenderer.h"

#include "core/Files.h"
#include "core/SystemCalls.h"
#include "core/TextHelpers.h"
#include "print/Latin1.h"
#include "print/PageCanvas.h"
#include "print/PdfFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <cmath>
#include <map>
#include <mutex>

// The pictures live in this library; a static library's resources must be asked for.
static void LoadPictures() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(mpsec);
        return true;
    }();
    (void)loaded;
}

namespace mpsec {

void LoadProgramResources() {
    LoadPictures();
}

namespace {

// A picture of the program, decoded once however many pages (and threads) draw it.
QImage ProgramPicture(const QString& resource) {
    static std::mutex mutex;
    static std::map<QString, QImage> pictures;
    std::lock_guard lock(mutex);
    auto [it, added] = pictures.try_emplace(resource);
    if (added)
        it->second = QImage(":/images/" + resource.toLower() + ".png");
    return it->second;
}

// The printer's and the preview's canvas: the device's pages through Qt's painter.
class PainterCanvas : public PageCanvas {
  public:
    PainterCanvas(QPainter& painter, QPagedPaintDevice& device, const PageProgress& progress)
        : p_(painter), device_(device), progress_(progress), k_(device.logicalDpiX() / 25.4) {}

    // Before each page: false stops the job, and a printer's job is aborted rather than
    // sent with the pages drawn so far.
    bool StartPage(int page, int pageCount) override {
        if (progress_ && !progress_(page, pageCount)) {
            if (auto* printer = dynamic_cast<QPrinter*>(&device_))
                printer->abort();
            return false;
        }
        if (page > 0)
            device_.newPage();
        p_.setPen(QPen(Qt::black, Px(0.2)));
        return true;
    }

    void Text(const TextFont& f, double x, double y, Anchor anchor, std::string_view text,
              std::optional<TextRoom> room) override {
        QFont font(Latin1(f.Family));
        font.setStyleHint(QFont::Serif);
        if (f.CharHeight) // in whole dots of the device
            font.setPixelSize(std::max(1, static_cast<int>(std::lround(Px(*f.CharHeight)))));
        else
            font.setPointSizeF(f.PointSize);
        font.setBold(f.Bold);
        p_.setFont(font);
        // A text without room of its own is given more than any text of a page takes.
        const double wide = Px(room ? room->Width : 400), high = Px(room ? room->Height : 40);
        double left = Px(x);
        if (anchor != Anchor::Left)
            left -= anchor == Anchor::Right ? wide : wide / 2;
        const Qt::Alignment across = anchor == Anchor::Left     ? Qt::AlignLeft
                                     : anchor == Anchor::Centre ? Qt::AlignHCenter
                                                                : Qt::AlignRight;
        p_.drawText(QRectF(left, Px(y), wide, high), across | Qt::AlignTop, Latin1(text));
    }

    void Line(double x1, double y1, double x2, double y2) override {
        p_.drawLine(QPointF(Px(x1), Px(y1)), QPointF(Px(x2), Px(y2)));
    }
    void Rectangle(double x, double y, double width, double height) override {
        p_.drawRect(QRectF(Px(x), Px(y), Px(width), Px(height)));
    }
    void Picture(std::string_view resource, double left, double top, double right,
                 double bottom) override {
        p_.drawImage(QRectF(Px(left), Px(top), Px(right - left), Px(bottom - top)),
                     ProgramPicture(Latin1(resource)));
    }

  private:
    double Px(double mm) const { return mm * k_; }
    QPainter& p_;
    QPagedPaintDevice& device_;
    const PageProgress& progress_;
    double k_;
};

} // namespace

int RenderDocument(QPagedPaintDevice& device, const ComposedDocument& doc,
                   const PageProgress& progress) {
    LoadPictures();
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    PainterCanvas canvas(painter, device, progress);
    const int pages = DrawDocument(doc, canvas);
    painter.end();
    return pages;
}

int PrintDocument(QPrinter& printer, const ComposedDocument& document,
                  const PageProgress& progress) {
    printer.setFullPage(true); // positions are measured from the paper's edge
    printer.setDocName(QString::fromLatin1(document.Title.c_str()));
    bool stopped = false;
    PageProgress watched;
    if (progress)
        watched = [&](int done, int count) {
            stopped = !progress(done, count);
            return !stopped;
        };
    const int pages = RenderDocument(printer, document, watched);
    if (stopped && !DiscardStoppedPdf(printer))
        return 0; // the stopped job's pages stay in the file: not a job done
    return pages;
}

bool DiscardStoppedPdf(QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return true;
    const std::filesystem::path pdf = PathFromText(printer.outputFileName().toStdString());
    return os::Remove(pdf) == 0 || os::EntryAt(pdf) == os::Entry::None;
}

Status WriteDocumentPdf(const ComposedDocument& document, const QString& path) {
    // Composed whole in memory first, then written beside the file and renamed over it: a
    // failure leaves any old PDF as it was and never a truncated one.
    return WriteDocumentPdf(document, PathFromText(path.toStdString()));
}

Status WriteDocumentPdf(const ComposedDocument& document, const std::filesystem::path& path) {
    const Result<std::string> bytes = DocumentPdfBytes(document);
    if (!bytes)
        return Failure{bytes.Message()};
    return WriteFileAtomically(path, *bytes);
}

} // namespace mpsec
