#pragma once
#include "cli/StatementCommand.h"
#include "core/SettingsStore.h"
#include "email/Credentials.h"
#include "email/EmailSettings.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// mpsec email [--server HOST --port N --security starttls|ssl|none --user NAME
//              --sender ADDRESS --sender-name NAME --addresses FILE --ca-file FILE
//              --subject TEXT --body-file FILE
//              --federation ADDRESS --federation-KIND ADDRESS] [--test]
// `credentials`: the system's credential store the password is read from (none: asked for).
int RunEmailCommand(const std::filesystem::path& folder, const std::vector<std::string>& args,
                    SettingsStore* store, std::ostream& out, std::ostream& err,
                    CredentialStore* credentials = nullptr);

// mpsec statements --club N --email [--from A --to Z] [--dry-run DIR]
int RunStatementsEmail(const std::filesystem::path& folder, const std::vector<std::string>& args,
                       const PdfWriter& writePdf, SettingsStore* store, std::ostream& out,
                       std::ostream& err, CredentialStore* credentials = nullptr);

// Reads a line from the terminal without showing it; false when the input ends first.
using UnechoedReader = std::function<bool(std::string&)>;

// The outgoing server's password for a command: none needed without a user name, else
// MPSEC_SMTP_PASSWORD when set, else the one kept in the credential store, else typed
// (not shown). A store that does not answer is said on `err`, with why, before asking.
// None: the input ended first.
std::optional<std::string> CommandLinePassword(const EmailSettings& settings,
                                               CredentialStore* credentials, std::ostream& err,
                                               const UnechoedReader& readLine);

} // namespace mpsec
