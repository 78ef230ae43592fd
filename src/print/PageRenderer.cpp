#include "print/PageRenderer.h"

#include "core/Files.h"
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

QString Latin1Text(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

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

class Page {
  public:
    Page(QPainter& painter, double dotsPerMm) : p_(painter), k_(dotsPerMm) {}
    double Px(double mm) const { return mm * k_; }

    void Text(const PageText& t) {
        QFont font(Latin1Text(t.Font));
        font.setStyleHint(QFont::Serif);
        font.setPointSizeF(t.PointSize);
        font.setBold(t.Bold);
        p_.setFont(font);
        const double wide = Px(400);
        const QRectF box = t.Centred ? QRectF(Px(t.X) - wide / 2, Px(t.Y), wide, Px(40))
                                     : QRectF(Px(t.X), Px(t.Y), wide, Px(40));
        p_.drawText(box, (t.Centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop,
                    Latin1Text(t.Text));
    }

    void Picture(const PagePicture& pic) {
        const QImage image = ProgramPicture(Latin1Text(pic.Resource));
        p_.drawImage(
            QRectF(Px(pic.Left), Px(pic.Top), Px(pic.Right - pic.Left), Px(pic.Bottom - pic.Top)),
            image);
    }

    // Rows [first, end) of the grid from `top`, after the heading rows when `heading`.
    void GridPart(const PageGrid& g, const GridPage& part) {
        const double scale = GridScale(g); // mm per unit
        QFont font(Latin1Text(g.Font));
        font.setStyleHint(QFont::Serif);
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(Px(g.CharHeight * scale)))));

        p_.setPen(QPen(Qt::black, Px(0.2)));
        double y = part.Top;
        for (std::size_t r : RowsOnPage(g, part)) {
            const double h = GridRowHeight(g, r);
            font.setBold(r < g.BoldRows.size() && g.BoldRows[r]);
            p_.setFont(font);
            double x = g.X;
            for (std::size_t c = 0; c < g.ColumnWidths.size(); ++c) {
                const double w = g.ColumnWidths[c] * scale;
                if (w <= 0)
                    continue;
                const bool right = c < g.RightAligned.size() && g.RightAligned[c];
                const QRectF cell(Px(x + 2 * scale), Px(y + 2 * scale), Px(w - 6 * scale),
                                  Px(h - 2 * scale));
                if (c < g.Rows[r].size())
                    p_.drawText(cell, (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop,
                                Latin1Text(g.Rows[r][c]));
                x += w;
            }
            y += h;
        }
        // A border around the part and lines between the columns.
        p_.drawRect(QRectF(Px(g.X), Px(part.Top), Px(g.Width), Px(y - part.Top)));
        double x = g.X;
        for (std::size_t c = 0; c + 1 < g.ColumnWidths.size(); ++c) {
            x += g.ColumnWidths[c] * scale;
            if (g.ColumnWidths[c] > 0)
                p_.drawLine(QPointF(Px(x), Px(part.Top)), QPointF(Px(x), Px(y)));
        }
    }

  private:
    QPainter& p_;
    double k_;
};

} // namespace

int RenderDocument(QPagedPaintDevice& device, const ComposedDocument& doc,
                   const PageProgress& progress) {
    LoadPictures();
    std::vector<std::vector<GridPage>> gridParts;
    int pageCount = 1;
    for (const PageGrid& grid : doc.Grids) {
        gridParts.push_back(PaginateGrid(grid, doc));
        pageCount += std::max(0, static_cast<int>(gridParts.back().size()) - 1);
    }
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    int pages = 0;
    // Before each page: false stops the job, and a printer's job is aborted rather than
    // sent with the pages drawn so far.
    auto nextPage = [&] {
        if (progress && !progress(pages, pageCount)) {
            if (auto* printer = dynamic_cast<QPrinter*>(&device))
                printer->abort();
            return false;
        }
        if (pages > 0)
            device.newPage();
        ++pages;
        return true;
    };
    if (nextPage()) {
        Page page(painter, device.logicalDpiX() / 25.4);
        for (const PagePicture& pic : doc.Pictures)
            page.Picture(pic);
        for (const PageText& text : doc.Texts)
            page.Text(text);
        for (std::size_t g = 0; g < doc.Grids.size(); ++g) {
            const std::vector<GridPage>& parts = gridParts[g];
            std::size_t i = 0;
            for (; i < parts.size(); ++i) {
                if (i > 0 && !nextPage())
                    break;
                page.GridPart(doc.Grids[g], parts[i]);
            }
            if (i < parts.size())
                break;
        }
    }
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
    if (stopped)
        DiscardStoppedPdf(printer);
    return pages;
}

void DiscardStoppedPdf(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
}

Status WriteDocumentPdf(const ComposedDocument& document, const QString& path) {
    // Composed whole in memory first, then written beside the file and renamed over it: a
    // failure leaves any old PDF as it was and never a truncated one.
    return WriteDocumentPdf(document, std::filesystem::path(QFile::encodeName(path).toStdString()));
}

Status WriteDocumentPdf(const ComposedDocument& document, const std::filesystem::path& path) {
    return WriteFileAtomically(path, DocumentPdfBytes(document));
}

} // namespace mpsec
