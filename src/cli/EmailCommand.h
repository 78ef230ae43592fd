#pragma once
#include "cli/StatementCommand.h"
#include "core/SettingsStore.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// mpsec email [--server HOST --port N --security starttls|ssl|none --user NAME
//              --sender ADDRESS --sender-name NAME --addresses FILE --ca-file FILE] [--test]
int RunEmailCommand(const std::filesystem::path& folder, const std::vector<std::string>& args,
                    SettingsStore* store, std::ostream& out, std::ostream& err);

// mpsec statements --club N --email [--from A --to Z] [--dry-run DIR]
int RunStatementsEmail(const std::filesystem::path& folder, const std::vector<std::string>& args,
                       const PdfWriter& writePdf, SettingsStore* store, std::ostream& out,
                       std::ostream& err);

} // namespace mpsec
