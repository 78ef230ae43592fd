#include "print/PlainText.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <cmath>

namespace mpsec {

namespace {

// The rows a line takes on a page `width` wide: the whole line when it fits, otherwise
// pieces of as many characters as fit (at least one each).
void AddRows(const QString& line, const QFontMetricsF& metrics, double width, QStringList& rows) {
    if (metrics.horizontalAdvance(line) <= width) {
        rows << line;
        return;
    }
    const double charWidth = std::max(1.0, metrics.horizontalAdvance(QLatin1Char('M')));
    qsizetype from = 0;
    while (from < line.size()) {
        qsizetype n = std::max<qsizetype>(1, static_cast<qsizetype>(width / charWidth));
        while (n > 1 && metrics.horizontalAdvance(line.mid(from, n)) > width)
            --n;
        rows << line.mid(from, n);
        from += n;
    }
}

} // namespace

PlainTextJob PrintPlainText(QPrinter& printer, const QStringList& lines, const QFont& font,
                            const PageProgress& progress) {
    PlainTextJob job;
    // The painter's origin is then the printable area's corner (statements print full-page
    // and measure from the paper's edge instead).
    printer.setFullPage(false);
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect paper = layout.fullRectPixels(dpi);
    const QRect printable = layout.paintRectPixels(dpi);
    const int margin = static_cast<int>(std::ceil(kPlainTextMarginMm * dpi / 25.4));
    // The text area in the painter's coordinates.
    const QRect area = printable.intersected(paper.adjusted(margin, margin, -margin, -margin))
                           .translated(-printable.topLeft());

    QPainter painter;
    if (!painter.begin(&printer))
        return job;
    job.Started = true;
    painter.setFont(font);
    const QFontMetricsF metrics(painter.font(), &printer);
    QStringList rows;
    rows.reserve(lines.size());
    for (const QString& line : lines)
        AddRows(line, metrics, area.width(), rows);
    const double lineHeight = metrics.lineSpacing();
    const double firstBaseline = area.top() + metrics.ascent();
    const int rowsPerPage = std::max(
        1,
        static_cast<int>((area.height() - metrics.ascent() - metrics.descent()) / lineHeight) + 1);
    const int pageCount =
        std::max<int>(1, static_cast<int>((rows.size() + rowsPerPage - 1) / rowsPerPage));

    for (int page = 0; page < pageCount; ++page) {
        if (progress && !progress(page, pageCount)) {
            job.Cancelled = true;
            break;
        }
        if (page > 0)
            printer.newPage();
        const qsizetype first = static_cast<qsizetype>(page) * rowsPerPage;
        const qsizetype end = std::min<qsizetype>(rows.size(), first + rowsPerPage);
        for (qsizetype r = first; r < end; ++r)
            painter.drawText(QPointF(area.left(), firstBaseline + (r - first) * lineHeight),
                             rows[r]);
        ++job.Pages;
    }
    if (job.Cancelled)
        printer.abort();
    painter.end();
    if (job.Cancelled)
        job.PartLeft = !DiscardStoppedPdf(printer);
    return job;
}

} // namespace mpsec
