#pragma once
#include "core/Result.h"
#include "print/ComposedPage.h"

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// Writes a composed document as a PDF file, or says why it could not. A run of statements
// calls it first on the calling thread, then from several worker threads at once.
using PdfWriter = std::function<Status(const ComposedDocument& document, const std::string& path)>;

// mpsec statement NUMBER [--pdf FILE]
int RunStatementCommand(const std::filesystem::path& folder, const std::vector<std::string>& args,
                        const PdfWriter& writePdf, std::ostream& out, std::ostream& err);
// mpsec statements (--club CLUB | --state STATE | --all) [--from A] [--to Z] --pdf-dir DIR
//                  [--resume] [--jobs N]
int RunStatementsCommand(const std::filesystem::path& folder, const std::vector<std::string>& args,
                         const PdfWriter& writePdf, std::ostream& out, std::ostream& err);

} // namespace mpsec
