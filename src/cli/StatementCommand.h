#pragma once
#include "core/Result.h"
#include "print/ComposedPage.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// Writes a composed document as a PDF file; false when it cannot.
// Writes a composed document as a PDF file, or says why it could not.
using PdfWriter = std::function<Status(const ComposedDocument& document, const std::string& path)>;

// mpsec statement NUMBER [--pdf FILE]
int RunStatementCommand(const std::vector<std::string>& args, const PdfWriter& writePdf,
                        std::ostream& out, std::ostream& err);
// mpsec statements --club CLUB [--from A] [--to Z] --pdf-dir DIR
int RunStatementsCommand(const std::vector<std::string>& args, const PdfWriter& writePdf,
                         std::ostream& out, std::ostream& err);

} // namespace mpsec
