#pragma once
#include "core/Result.h"
#include "print/ComposedPage.h"

#include <string>

namespace mpsec {

// The bytes of a PDF file of the document, laid out as the printer draws it (same positions,
// font sizes, pages). Texts use the PDF reader's own Times, Helvetica or Courier faces with the
// widths of the font the printer would use, so nothing is embedded per file; the pictures
// are decoded and compressed once per run. Safe to call from several threads at once; needs
// a Qt GUI application (the widths are measured with Qt's fonts). Refuses a document with a
// paper size, position or size that is not a number or lies beyond what PDF readers must
// handle (32767 points), rather than write a page drawn elsewhere than it was composed.
Result<std::string> DocumentPdfBytes(const ComposedDocument& document);

} // namespace mpsec
