#pragma once
#include "print/PageRenderer.h"

#include <QStringList>

class QFont;
class QPrinter;

namespace mpsec {

// At least this much paper is left blank on every side of plain-text pages.
constexpr double kPlainTextMarginMm = 10;

struct PlainTextJob {
    bool Started = false;   // false: the printer could not be started
    bool Cancelled = false; // `progress` stopped the job
    int Pages = 0;          // pages drawn
    bool PartLeft = false;  // a stopped job's PDF file could not be removed
};

// Prints lines of plain text on a printer, page after page, inside the printer's printable
// area and at least kPlainTextMarginMm from every edge of the paper. A line too long for
// the page goes on in the next row rather than off the paper. `progress` is asked before
// each page; when it stops the job, the printer's job is aborted and a PDF file it was
// writing is removed, so no half job is left.
PlainTextJob PrintPlainText(QPrinter& printer, const QStringList& lines, const QFont& font,
                            const PageProgress& progress = {});

} // namespace mpsec
