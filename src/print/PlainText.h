#pragma once
#include <QStringList>

class QFont;
class QPrinter;

namespace mpsec {

// At least this much paper is left blank on every side of plain-text pages.
constexpr double kPlainTextMarginMm = 10;

struct PlainTextJob {
    bool Started = false; // false: the printer could not be started
    int Pages = 0;        // pages drawn
};

// Prints lines of plain text on a printer, page after page, inside the printer's printable
// area and at least kPlainTextMarginMm from every edge of the paper. A line too long for
// the page goes on in the next row rather than off the paper.
PlainTextJob PrintPlainText(QPrinter& printer, const QStringList& lines, const QFont& font);

} // namespace mpsec
