#pragma once
#include "cli/StatementCommand.h"
#include "core/SettingsStore.h"
#include "email/Credentials.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// The data folder of a command line that opens the main window on it: `mpsec DIR` (a
// single argument that is a folder or a path, not a command) or `mpsec --data DIR`.
std::optional<std::string> MainWindowFolder(const std::vector<std::string>& args);

// Whether the arguments ask for a headless command rather than the main window.
bool IsCommandLine(const std::vector<std::string>& args);

// The usage text `mpsec --help` prints.
const char* CommandLineUsage();

// The usage lines of a command's help ("Usage: mpsec email ..." and the lines that go on
// with it), said after a bad option; the program's usage for an unknown name.
std::string CommandUsage(std::string_view name);

// A command's name and the text its --help prints.
struct CommandHelp {
    const char* Name;
    const char* Help;
};
// Every command's help, in the order of the command table.
std::vector<CommandHelp> CommandHelps();

// Runs a headless command in the current folder, or in the folder of its `--data DIR`
// (given before or after the command's name); returns the exit status.
// `writePdf` writes the composed statements as PDF files (it needs the print layer);
// `settings` is the program's settings store, which the merge reads its default name from
// (none: the settings' first-run values); `credentials` is the system's credential store the
// e-mail commands read the outgoing server's password from (none: it is asked for).
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const PdfWriter& writePdf = {}, SettingsStore* settings = nullptr,
                   CredentialStore* credentials = nullptr);

} // namespace mpsec
