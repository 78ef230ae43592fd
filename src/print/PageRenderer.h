#pragma once
#include "core/Result.h"
#include "print/ComposedPage.h"

#include <QString>
#include <filesystem>
#include <functional>

class QPagedPaintDevice;
class QPrinter;

namespace mpsec {

// Makes the program's resources (pictures, the user's guide) readable; they live in a
// static library, whose resources must be asked for.
void LoadProgramResources();

// Asked before each page of a job is drawn, with the pages drawn so far and the job's page
// count; false stops the job there (a printer's job is aborted).
using PageProgress = std::function<bool(int pagesDone, int pageCount)>;

// Draws a composed document on a paged device (a printer, a PDF writer or a preview), one
// device page after another. The device's page is taken as the paper, positions from its
// top-left corner. Returns the number of pages drawn; 0 when the device cannot be painted
// or the job was stopped before its first page.
int RenderDocument(QPagedPaintDevice& device, const ComposedDocument& document,
                   const PageProgress& progress = {});

// After a job stopped part way: the PDF file a "print to file" printer was writing holds
// only part of the job, and is removed. False when it could not be removed.
bool DiscardStoppedPdf(QPrinter& printer);

// Prints on a printer chosen in the print dialog. A job stopped by `progress` leaves no
// PDF file.
int PrintDocument(QPrinter& printer, const ComposedDocument& document,
                  const PageProgress& progress = {});

// Writes the document as a PDF file, drawn as the printer draws it; a file that cannot be
// written is reported and any earlier one left as it was.
Status WriteDocumentPdf(const ComposedDocument& document, const QString& path);
// The same at a path of the system's own bytes, as the command line gives it: the file made
// is the one named, whatever its bytes.
Status WriteDocumentPdf(const ComposedDocument& document, const std::filesystem::path& path);

} // namespace mpsec
