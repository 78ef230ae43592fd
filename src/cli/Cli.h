#pragma once
#include "cli/StatementCommand.h"
#include "core/SettingsStore.h"

#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// Whether the arguments ask for a headless command rather than the main window.
bool IsCommandLine(const std::vector<std::string>& args);

// Runs a headless command in the current folder; returns the exit status.
// `writePdf` writes the composed statements as PDF files (it needs the print layer);
// `settings` is the program's settings store, which the merge reads its default name from
// (none: the settings' first-run values).
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const PdfWriter& writePdf = {}, SettingsStore* settings = nullptr);

} // namespace mpsec
