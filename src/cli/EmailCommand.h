#pragma once
#include "cli/StatementCommand.h"
#include "core/SettingsStore.h"
#include "email/EmailSettings.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// mpsec email [--server HOST --port N --security starttls|ssl|none --user NAME
//              --sender ADDRESS --sender-name NAME --addresses FILE --ca-file FILE
//              --federation ADDRESS --federation-KIND ADDRESS] [--test]
int RunEmailCommand(const std::filesystem::path& folder, const std::vector<std::string>& args,
                    SettingsStore* store, std::ostream& out, std::ostream& err);

// The outgoing server's password for a command that sends, as `mpsec email --test` gets it;
// none when none was given.
std::optional<std::string> CommandLinePassword(const EmailSettings& settings, std::ostream& err);

// mpsec statements --club N --email [--from A --to Z] [--dry-run DIR]
int RunStatementsEmail(const std::filesystem::path& folder, const std::vector<std::string>& args,
                       const PdfWriter& writePdf, SettingsStore* store, std::ostream& out,
                       std::ostream& err);

} // namespace mpsec
