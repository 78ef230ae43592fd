#include "cli/EmailCommand.h"

#include "cli/Cli.h"
#include "cli/CurrentFolder.h"
#include "core/Dates.h"
#include "core/FileReading.h"
#include "core/Files.h"
#include "core/SystemCalls.h"
#include "core/TextHelpers.h"
#include "email/AddressList.h"
#include "email/ClubEmail.h"
#include "email/CurlTransport.h"
#include "email/EmailRun.h"
#include "email/EmailSettingsChecks.h"
#include "email/MessageFolder.h"
#include "statements/ClubRun.h"
#include "statements/StatementSession.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

void ShowSettings(const EmailSettings& s, std::ostream& out) {
    const char* security = s.Security == MailSecurity::Ssl    ? "SSL/TLS"
                           : s.Security == MailSecurity::None ? "None"
                                                              : "STARTTLS";
    out << "Outgoing server:   " << (s.Host.empty() ? "(not set)" : s.Host) << " port " << s.Port
        << ", " << security << "\n"
        << "User name:         " << (s.User.empty() ? "(none: no login)" : s.User) << "\n"
        << "Sender:            " << s.SenderName << " <" << s.SenderAddress << ">\n"
        << "Addresses:         " << (s.AddressesFile.empty() ? "(not set)" : s.AddressesFile)
        << "\n"
        << "Certificate file:  "
        << (s.CaFile.empty() ? "(none: the system's trusted certificates)" : s.CaFile) << "\n"
        << "Password:          kept in the system's credential store, never in mpsec's files;\n"
        << "                   MPSEC_SMTP_PASSWORD, when set, is used instead\n"
        << "Subject:           " << s.Subject << "\n"
        << "Body:\n";
    // The body indented, one line of it a line.
    std::size_t start = 0;
    while (start < s.Body.size()) {
        std::size_t end = s.Body.find('\n', start);
        if (end == std::string::npos)
            end = s.Body.size();
        out << (end > start ? "    " : "") << s.Body.substr(start, end - start) << "\n";
        start = end + 1;
    }
    const FederationAddresses& f = s.Federation;
    out << "Federation:        " << (f.Default.empty() ? "(not set)" : f.Default) << "\n";
    for (const auto& [label, own] : {std::pair{"  player details:  ", &f.PlayerDetails},
                                     std::pair{"  awards:          ", &f.Awards},
                                     std::pair{"  adjustments:     ", &f.Adjustments},
                                     std::pair{"  cancellations:   ", &f.Cancellations}})
        if (!own->empty())
            out << label << *own << "\n";
}

// The federation's address an option sets; none for another option.
std::string* FederationAddress(FederationAddresses& f, const std::string& option) {
    return option == "--federation"                  ? &f.Default
           : option == "--federation-player-details" ? &f.PlayerDetails
           : option == "--federation-awards"         ? &f.Awards
           : option == "--federation-adjustments"    ? &f.Adjustments
           : option == "--federation-cancellations"  ? &f.Cancellations
                                                     : nullptr;
}

// A file name given on the command line, as the settings keep it: a full path, a relative
// one taken in the command's folder.
std::string FullPath(const fs::path& folder, const std::string& name) {
    if (name.empty())
        return name; // none
    return PathText(folder / PathFromText(name));
}

bool ReadFromTerminal(std::string& line) {
    return os::ReadLineUnechoed(line);
}

} // namespace

std::optional<std::string> CommandLinePassword(const EmailSettings& s, CredentialStore* credentials,
                                               std::ostream& err, const UnechoedReader& readLine) {
    if (s.User.empty())
        return std::string();
    if (std::optional<std::string> given = os::EnvironmentValue("MPSEC_SMTP_PASSWORD"))
        return given;
    if (!credentials) {
        err << "No credential store can be reached: the password is asked for this run only "
               "(MPSEC_SMTP_PASSWORD gives it without asking).\n";
    } else if (const Result<std::optional<std::string>> kept =
                   credentials->ReadPassword(s.Host, s.User);
               !kept) {
        err << "The password cannot be read from the credential store: " << kept.Message()
            << ".\nIt is asked for this run only (MPSEC_SMTP_PASSWORD gives it "
               "without asking).\n";
    } else if (kept->has_value()) {
        return **kept;
    } else {
        err << "No password of " << s.User << " at " << s.Host
            << " is kept in the credential store (the e-mail settings window keeps it): it is "
               "asked for this run only.\n";
    }
    err << "Password of " << s.User << " at " << s.Host << ": " << std::flush;
    std::string password;
    if (!readLine(password)) {
        err << "\n";
        return std::nullopt;
    }
    return password;
}

int RunEmailCommand(const fs::path& folder, const std::vector<std::string>& args,
                    SettingsStore* store, std::ostream& out, std::ostream& err,
                    CredentialStore* credentials) {
    if (!store) {
        err << "mpsec email: the settings cannot be reached\n";
        return 2;
    }
    EmailSettings s = ReadEmailSettings(*store);
    bool test = false, changed = false, portGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--test") {
            test = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            err << CommandUsage("email");
            return 2;
        }
        const std::string& value = args[++i];
        changed = true;
        if (option == "--server")
            s.Host = value;
        else if (option == "--port") {
            const int port = value.size() <= 5 && !value.empty() &&
                                     value.find_first_not_of("0123456789") == std::string::npos
                                 ? std::stoi(value)
                                 : 0;
            if (port < 1 || port > 65535) {
                err << "mpsec email: --port takes a port number from 1 to 65535, not '" << value
                    << "'\n";
                return 2;
            }
            s.Port = port;
            portGiven = true;
        } else if (option == "--security") {
            const auto security = SecurityNamed(value);
            if (!security) {
                err << "mpsec email: --security is starttls, ssl or none, not '" << value << "'\n";
                return 2;
            }
            s.Security = *security;
            if (!portGiven)
                s.Port = DefaultPort(*security);
        } else if (option == "--user")
            s.User = value;
        else if (option == "--sender")
            s.SenderAddress = value;
        else if (option == "--sender-name")
            s.SenderName = value;
        else if (option == "--addresses")
            s.AddressesFile = FullPath(folder, value);
        else if (option == "--ca-file")
            s.CaFile = FullPath(folder, value);
        else if (option == "--subject")
            s.Subject = value;
        else if (option == "--body-file") {
            std::string body;
            if (Status read = ReadFileBytes(folder / PathFromText(value), body); !read) {
                err << "mpsec email: cannot read the body file " << value << ": " << read.Message()
                    << "; nothing changed\n";
                return 2;
            }
            // The settings keep line feeds alone, as the window does.
            std::string lines;
            for (std::size_t i = 0; i < body.size(); ++i)
                if (body[i] != '\r' || i + 1 >= body.size() || body[i + 1] != '\n')
                    lines += body[i];
            s.Body = lines;
        } else if (std::string* federation = FederationAddress(s.Federation, option)) {
            // An empty address sends the kind to the one address again.
            if (!value.empty() && !IsAddressShape(value)) {
                err << "mpsec email: " << option << " takes an e-mail address, not '" << value
                    << "'; nothing changed\n";
                return 2;
            }
            *federation = value;
        } else {
            err << CommandUsage("email");
            return 2;
        }
    }
    if (changed) {
        if (!s.SenderAddress.empty() && !IsAddressShape(s.SenderAddress)) {
            err << "mpsec email: the sender's address '" << s.SenderAddress
                << "' is not an e-mail address; nothing changed\n";
            return 2;
        }
        if (s.Security == MailSecurity::None && !s.Host.empty() && !IsLocalHost(s.Host)) {
            err << "mpsec email: " << CheckForSending(s).Message() << " Nothing changed.\n";
            return 2;
        }
        if (Status valid = CheckEmailSettings(s); !valid) {
            err << "mpsec email: " << valid.Message() << " Nothing changed.\n";
            return 2;
        }
        WriteEmailSettings(*store, s);
    }
    ShowSettings(s, out);
    if (!test)
        return 0;
    if (Status ready = CheckForSending(s); !ready) {
        err << "mpsec email: " << ready.Message() << "\n";
        return 1;
    }
    const std::optional<std::string> password =
        CommandLinePassword(s, credentials, err, ReadFromTerminal);
    if (!password) {
        err << "mpsec email: no password given; no test message sent\n";
        return 1;
    }
    CurlTransport transport(s, *password);
    const SendOutcome sent = transport.Send(TestMessage(s));
    if (sent.What != SendOutcome::Kind::Accepted) {
        err << "mpsec email: the test message was not sent: " << sent.Problem << "\n";
        return 1;
    }
    out << "Test message sent to " << s.SenderAddress << " (" << sent.Reply << ")\n";
    return 0;
}

int RunStatementsEmail(const fs::path& where, const std::vector<std::string>& args,
                       const PdfWriter& writePdf, SettingsStore* store, std::ostream& out,
                       std::ostream& err, CredentialStore* credentials) {
    constexpr const char* usage =
        "Usage: mpsec statements --club CLUB --email [--from A] [--to Z] [--dry-run DIR]\n";
    std::string club, from = "A", to = "Z", dryRun;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--email")
            continue;
        std::string* value = args[i] == "--club"      ? &club
                             : args[i] == "--from"    ? &from
                             : args[i] == "--to"      ? &to
                             : args[i] == "--dry-run" ? &dryRun
                                                      : nullptr;
        if (!value || i + 1 >= args.size()) {
            err << usage;
            return 2;
        }
        *value = args[++i];
    }
    for (const std::string* letter : {&from, &to})
        if (letter->size() != 1 || (*letter)[0] < 'A' || (*letter)[0] > 'Z') {
            err << "mpsec statements: --from and --to take one capital letter A to Z\n" << usage;
            return 2;
        }
    if (club.empty()) {
        err << usage;
        return 2;
    }
    if (!store) {
        err << "mpsec statements: the e-mail settings cannot be reached\n";
        return 2;
    }
    const EmailSettings settings = ReadEmailSettings(*store);
    if (Status ready = dryRun.empty() ? CheckForSending(settings) : Status(); !ready) {
        err << "mpsec statements: " << ready.Message() << " (mpsec email --help)\n";
        return 2;
    }
    if (settings.AddressesFile.empty()) {
        err << "mpsec statements: no address list is set: mpsec email --addresses FILE\n";
        return 2;
    }

    CurrentFolder folder;
    if (!folder.Load(where, err, "statements"))
        return 2;
    StatementSession session;
    if (Status loaded = session.Load(folder.Folder, folder.Folder); !loaded) {
        err << "mpsec statements: " << loaded.Message() << "\n";
        return 2;
    }
    if (const Status members =
            ClubRunCanPrint(folder.National, folder.ClubDescription(), club, from, to);
        !members) {
        err << "mpsec statements: " << members.Message() << " No statement sent.\n";
        return 1;
    }
    const auto registerDate = FileDate(FindFileNoCase(folder.Folder, PlayerRegister::FileName));
    const StatementDates dates = StatementPeriod(registerDate, DateFormats{});
    const Result<ClubEmail> prepared =
        PrepareClubEmail(settings, folder.National, folder.ClubDescription(), club, from, to,
                         folder.Folder, registerDate, Today());
    if (!prepared) {
        err << "mpsec statements: " << prepared.Message() << "\n";
        return 2;
    }
    for (const AddressProblem& problem : prepared->AddressProblems)
        err << settings.AddressesFile << " line " << problem.Line << ": " << problem.Why << "\n";
    const EmailPlan& plan = prepared->Plan;
    out << PlanText(plan);

    std::optional<std::string> password;
    if (dryRun.empty() && !plan.ToSend.empty()) {
        password = CommandLinePassword(settings, credentials, err, ReadFromTerminal);
        if (!password) {
            err << "mpsec statements: no password given; nothing sent\n";
            return 1;
        }
    }
    std::unique_ptr<MailTransport> transport;
    if (dryRun.empty()) {
        transport = std::make_unique<CurlTransport>(settings, password.value_or(""));
    } else {
        if (os::CreateFolders(folder.Named(dryRun)) != 0) {
            err << "mpsec statements: cannot make the folder " << dryRun << ": "
                << os::ErrorText(errno) << "\n";
            return 2;
        }
        transport = std::make_unique<MessageFolder>(folder.Named(dryRun));
    }

    // Each statement is written as the PDF run writes it, into a folder of its own that
    // goes with the run, then attached.
    const StatementScratchFolder scratch;
    if (!scratch.Problem().empty()) {
        err << "mpsec statements: " << scratch.Problem() << "\n";
        return 2;
    }
    int rankIndex = 0;
    const StatementPdf pdf = StatementPdfThroughFolder(
        scratch.Path(),
        [&](const PlayerRecord& member) -> Result<ComposedDocument> {
            const auto statement =
                session.Build(member, member.QMRNo, rankIndex, folder.ClubDescription(), dates);
            if (statement.StoppedBy)
                return Failure{statement.StoppedBy->Message};
            return StatementSession::Compose(statement, member.QMRNo);
        },
        [&](const ComposedDocument& document, const fs::path& file) {
            return writePdf(document, PathText(file));
        });
    const EmailRunReport report =
        RunEmail(plan, prepared->Setup, *transport, dryRun.empty() ? &prepared->Log : nullptr, pdf,
                 {}, SendLogTimeNow);
    std::string said = ReportText(report);
    // A dry run wrote its messages; it sent none.
    if (!dryRun.empty() && said.starts_with("Sent: "))
        said.replace(0, 6, "Written as .eml files (nothing sent): ");
    out << "\n" << said;
    return report.AllSent() ? 0 : 1;
}

} // namespace mpsec
