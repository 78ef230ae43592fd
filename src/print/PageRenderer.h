#pragma once
#include "print/ComposedPage.h"

#include <QString>

class QPagedPaintDevice;
class QPrinter;

namespace mpsec {

// Draws a composed document on a paged device (a printer, a PDF writer or a preview), one
// device page after another. The device's page is taken as the paper, positions from its
// top-left corner. Returns the number of pages drawn; 0 when the device cannot be painted.
int RenderDocument(QPagedPaintDevice& device, const ComposedDocument& document);

// Prints on a printer chosen in the print dialog.
int PrintDocument(QPrinter& printer, const ComposedDocument& document);

// Writes the document as a PDF file of A4 pages; false when it cannot be written.
bool WriteDocumentPdf(const ComposedDocument& document, const QString& path);

} // namespace mpsec
