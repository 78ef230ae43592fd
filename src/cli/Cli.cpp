#include "cli/Cli.h"

#include "cli/CancellationsCommand.h"
#include "cli/CheckCommand.h"
#include "cli/ClubCommands.h"
#include "cli/DataFolderOption.h"
#include "cli/EmailCommand.h"
#include "cli/MergeCommand.h"
#include "cli/PlayerCommand.h"
#include "cli/SendCommand.h"
#include "core/ProgramInfo.h"
#include "core/Settings.h"
#include "core/SystemCalls.h"
#include "core/TextHelpers.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>

namespace mpsec {

namespace {

constexpr const char* kUsage =
    "Usage: mpsec [COMMAND] [OPTIONS]\n"
    "       mpsec [DIR]\n"
    "\n"
    "With no command, mpsec opens its main window on the federation files in DIR, or in the\n"
    "current folder (National.TXT, NATIONAL.CLB, history.txt, events.txt, PRE82.TXT ...).\n"
    "When that folder holds no register, it opens the folder used last, or asks for one.\n"
    "\n"
    "Commands (they work in the current folder, like the program, or in --data DIR):\n"
    "  check FILE...   list masterpoint files against the register like the viewer, write\n"
    "                  each file's .TXT report beside it; exit status 1 when a file has errors\n"
    "  player NUMBER   show a player as the player view does (name, club, rank, points)\n"
    "  player SURNAME [INITIAL]\n"
    "                  list the players from where a surname search lands (up to 101)\n"
    "  statement NUMBER [--pdf FILE]\n"
    "                  a player's statement of awards as text, and as a printed page in a PDF\n"
    "  statements --club CLUB [--from A] [--to Z] --pdf-dir DIR\n"
    "                  one PDF statement per active member of the club (surnames From-To)\n"
    "  statements --state STATE | --all --pdf-dir DIR [--resume]\n"
    "                  the same for every club of a state, or of the federation: a folder\n"
    "                  per club; --resume finishes an interrupted run\n"
    "  statements --club CLUB --email [--from A] [--to Z] [--dry-run DIR]\n"
    "                  e-mail each member of the club his statement as a PDF\n"
    "  email [--server HOST ...] [--federation ADDRESS ...] [--test]\n"
    "                  show or set the e-mail settings, send a test message\n"
    "  send player-details|awards|adjustments [--yes] [--dry-run DIR]\n"
    "  send cancellations CLUB [--yes] [--dry-run DIR]\n"
    "                  e-mail PLAYER.TXT, AWARDS.TXT with its masterpoint files, AAAFORM.TXT\n"
    "                  or the club's cancellation file to the federation\n"
    "  clubs KEYWORD   the masterpoint secretaries of the clubs whose line holds KEYWORD\n"
    "  membership [--state STATE] [--sort] [--save] [--csv]\n"
    "                  active home-club members of every club, and MEMBERSHIP.TXT\n"
    "  extract TYPE [--state STATE | --club NUMBER [--all-members]] [--min POINTS]\n"
    "               [--file FILE] [--csv]\n"
    "                  write a list of players to a file, as the extraction screen does\n"
    "  merge --type gld|red|grn|gar|rag [--output FILE] [--yes] FILE FILE...\n"
    "                  join masterpoint files of one type into one, as the merge window does\n"
    "  cancellations --club NUMBER [--yes] PLAYER...\n"
    "                  write the club's cancellation file with the players named marked\n"
    "\n"
    "Options:\n"
    "  --data DIR      work on the federation files in DIR instead of the current folder;\n"
    "                  file names given to a command are then taken in DIR too\n"
    "  -h, --help      show this help and exit\n"
    "  -v, --version   show the version and exit\n";

// What some commands take from the program besides their arguments.
struct CommandContext {
    AppSettings Settings;
    CivilDate Today;
    SettingsStore* Store = nullptr;
    CredentialStore* Credentials = nullptr;
};

// A headless command: its name, its --help text, and how it runs on the arguments after
// its name (with the program's settings and today's date, for the commands that use them).
struct Command {
    const char* Name;
    const char* Help;
    int (*Run)(const std::filesystem::path& folder, const std::vector<std::string>& rest,
               const PdfWriter& writePdf, std::ostream& out, std::ostream& err);
    int (*RunInContext)(const std::filesystem::path& folder, const std::vector<std::string>& rest,
                        const CommandContext& context, std::ostream& out,
                        std::ostream& err) = nullptr;
};

const Command kCommands[] = {
    {"check",
     "Usage: mpsec check FILE...\n"
     "Lists each masterpoint file (.gld .red .grn .gar .rag) against National.TXT in the\n"
     "current folder: entries, errors and totals, and writes the .TXT report beside it.\n"
     "A report replaces only an earlier report: another file of its name (such as\n"
     "National.TXT beside National.gld) is kept and the report is not written.\n"
     "Exit status: 0 no errors, 1 a file has errors, 2 a file or the register cannot be read\n"
     "or a report is not written.\n",
     [](const std::filesystem::path& folder, const std::vector<std::string>& rest, const PdfWriter&,
        std::ostream& out, std::ostream& err) { return RunCheckCommand(folder, rest, out, err); }},
    {"player",
     "Usage: mpsec player NUMBER | SURNAME [INITIAL]\n"
     "With a number (leading zeros or not), shows that player from National.TXT in the\n"
     "current folder: name, home club, rank and the points table. With a surname (a\n"
     "partial one will do without an initial), lists the players from where the search\n"
     "lands, each with its number. Exit status 1 when no player is found.\n",
     [](const std::filesystem::path& folder, const std::vector<std::string>& rest, const PdfWriter&,
        std::ostream& out, std::ostream& err) { return RunPlayerCommand(folder, rest, out, err); }},
    {"statement",
     "Usage: mpsec statement NUMBER [--pdf FILE]\n"
     "Prints the statement of awards of an active player from National.TXT, history.txt,\n"
     "events.txt and PRE82.TXT in the current folder: name, club, rank, what is still\n"
     "needed for promotion and the year's awards by quarter. With --pdf, also writes the\n"
     "printed page(s) to FILE.\n",
     RunStatementCommand},
    {"statements",
     "Usage: mpsec statements (--club CLUB | --state STATE | --all) [--from A] [--to Z]\n"
     "                        --pdf-dir DIR [--resume] [--jobs N]\n"
     "Writes the statement of every active member of the club whose surname begins with\n"
     "a letter from A to Z into DIR, one PDF per member named by number and surname.\n"
     "CLUB is the four-digit club number, such as 3104; --from and --to take one capital\n"
     "letter each.\n"
     "With --state (ACT, NSW, VIC, QLD, SA, WA, TAS, NT, or the first digit of the state's\n"
     "club numbers, such as 3) or --all (the whole federation, without the clubs numbered\n"
     "from 9000, such as 9997 of the deleted players), writes one folder per club\n"
     "in DIR, named by the club number, with the PDF of each of its active members, and\n"
     "shows on standard error how many members are done, how many a second and the time\n"
     "left; a summary ends the run. A member whose statement stops at a bad history line\n"
     "is named and skipped.\n"
     "Ctrl-C stops the run: the statements being written are finished, no PDF is left half\n"
     "written. --resume skips the members whose PDF is already there, so running the same\n"
     "command again with --resume completes the set.\n"
     "The statements are drawn on all cores; --jobs N uses N workers instead.\n"
     "\n"
     "mpsec statements --club CLUB --email [--from A] [--to Z] [--dry-run DIR]\n"
     "e-mails the same members their statement, attached as the PDF the run above writes,\n"
     "through the server of `mpsec email`, to the addresses of its address list. A member\n"
     "without an address is listed, not sent. Each message the server accepts is recorded\n"
     "at once in EMAILLOG.TXT, so a run again for the same club and year sends only to the\n"
     "members not yet sent it (and to those whose address changed since). The password\n"
     "comes from MPSEC_SMTP_PASSWORD, else from the system's credential store, else it is\n"
     "asked for (not shown). --dry-run DIR writes each message as an .eml file into DIR\n"
     "instead, sends and records nothing.\n"
     "Exit status with --email: 0 every member with an address has his statement, 1 a\n"
     "message failed or was not sent, 2 bad options or settings.\n"
     "\n"
     "Exit status: 0 statements written, 1 the club is not in NATIONAL.CLB, no active\n"
     "member's surname lies in the range, or a statement stops at a bad history line,\n"
     "2 bad options, a file that cannot be read or a PDF that cannot be written,\n"
     "130 interrupted.\n",
     RunStatementsCommand},
    {"email",
     "Usage: mpsec email [--server HOST] [--port N] [--security starttls|ssl|none]\n"
     "                   [--user NAME] [--sender ADDRESS] [--sender-name NAME]\n"
     "                   [--addresses FILE] [--ca-file FILE] [--subject TEXT]\n"
     "                   [--body-file FILE] [--test]\n"
     "                   [--federation ADDRESS] [--federation-player-details ADDRESS]\n"
     "                   [--federation-awards ADDRESS] [--federation-adjustments ADDRESS]\n"
     "                   [--federation-cancellations ADDRESS]\n"
     "Shows the e-mail settings the statements are sent with, and sets those given: the\n"
     "outgoing server and its port, its security (starttls, ssl, or none for a server on\n"
     "this computer only), the user name of its login, the sender's address and name, the\n"
     "members' address list (a CSV file: number and address) and the certificate file of\n"
     "a server with its own certificate (the server's certificate is always verified),\n"
     "the message's subject and its body (read from a text file, UTF-8); in both, {name},\n"
     "{year}, {club number}, {club name} and {sender} are replaced for each member.\n"
     "--federation sets the federation's address, where `mpsec send` and the windows'\n"
     "\"Send to Federation\" send its files; --federation-player-details, -awards,\n"
     "-adjustments and -cancellations send that kind of file to another address (an empty\n"
     "one: to the federation's address again).\n"
     "--test sends a test message to the sender's own address and says what failed.\n"
     "The password comes from MPSEC_SMTP_PASSWORD when it is set, else from the system's\n"
     "credential store (where the e-mail settings window keeps it), else it is asked for\n"
     "(not shown); mpsec never writes it to a file.\n"
     "Exit status: 0 done, 1 the test message was not sent, 2 bad options.\n",
     nullptr,
     [](const std::filesystem::path& folder, const std::vector<std::string>& rest,
        const CommandContext& context, std::ostream& out, std::ostream& err) {
         return RunEmailCommand(folder, rest, context.Store, out, err, context.Credentials);
     }},
    {"send",
     "Usage: mpsec send player-details|awards|adjustments [--yes] [--dry-run DIR]\n"
     "       mpsec send cancellations CLUB [--yes] [--dry-run DIR]\n"
     "E-mails a file of the current folder to the federation, through the server and to\n"
     "the address of `mpsec email`: PLAYER.TXT (player-details), AWARDS.TXT with every\n"
     "masterpoint file its lines name (awards), AAAFORM.TXT (adjustments), or the club's\n"
     "cancellation file, such as 6785cncl.txt (cancellations 6785). Each file is attached\n"
     "under its own name, unchanged. The masterpoint files are looked for in the last\n"
     "masterpoint folder, then in the current folder, and listed against National.TXT as\n"
     "the viewer lists them.\n"
     "Before anything is sent, these are said on standard error and stop the command\n"
     "unless --yes is given: a masterpoint file that is not found, one whose total is not\n"
     "the cover page's, one with errors, and files sent before exactly as they are now\n"
     "(with the date they were sent). A message the server accepts is recorded at once in\n"
     "EMAILLOG.TXT with each file's size and SHA-256 digest; the files are not changed.\n"
     "The password comes from MPSEC_SMTP_PASSWORD when it is set, else from the system's\n"
     "credential store, else it is asked for (not shown).\n"
     "--dry-run DIR writes the message as an .eml file into DIR instead (named after the\n"
     "first file, such as PLAYER.TXT.eml), sends and records nothing.\n"
     "Exit status: 0 sent, 1 a question stopped it without --yes, the server refused the\n"
     "message, or it was sent and could not be recorded, 2 bad options or settings, or a\n"
     "file that is missing, empty or cannot be read.\n",
     nullptr,
     [](const std::filesystem::path& folder, const std::vector<std::string>& rest,
        const CommandContext& context, std::ostream& out, std::ostream& err) {
         return RunSendCommand(folder, rest, context.Settings, context.Store, out, err,
                               context.Credentials);
     }},
    {"clubs",
     "Usage: mpsec clubs KEYWORD\n"
     "Lists, from NATIONAL.CLB in the current folder, every club whose line holds KEYWORD\n"
     "(letters, digits and apostrophes, up to 18, read in capitals): the club number and\n"
     "name with its masterpoint secretary, the secretary's details, and an empty line.\n"
     "Exit status: 0 clubs found, 1 none, 2 a bad key word or a register that cannot be\n"
     "read.\n",
     [](const std::filesystem::path& folder, const std::vector<std::string>& rest, const PdfWriter&,
        std::ostream& out, std::ostream& err) { return RunClubsCommand(folder, rest, out, err); }},
    {"membership",
     "Usage: mpsec membership [--state ACT|NSW|VIC|QLD|SA|WA|TAS|NT] [--sort] [--save] [--csv]\n"
     "Counts the active home-club members of every club (of one state's clubs with --state)\n"
     "from National.TXT and NATIONAL.CLB in the current folder: one line a club, in club\n"
     "register order, then the total (clubs 9999 are listed but not totalled). --sort puts\n"
     "the largest first and leaves out the clubs numbered 9xxx. --save also writes the\n"
     "lines to MEMBERSHIP.TXT. --csv prints them as comma-separated values (Club, Name,\n"
     "Members) and the total on standard error.\n"
     "Exit status: 0 counted, 1 --save with no club listed (MEMBERSHIP.TXT is left as it\n"
     "is), 2 bad options, a register that cannot be read or a file not written.\n",
     [](const std::filesystem::path& folder, const std::vector<std::string>& rest, const PdfWriter&,
        std::ostream& out,
        std::ostream& err) { return RunMembershipCommand(folder, rest, out, err); }},
    {"extract",
     "Usage: mpsec extract TYPE [--state STATE | --club NUMBER [--all-members]]\n"
     "                          [--min POINTS] [--file FILE] [--csv]\n"
     "Writes a list of players into the current folder, with the name and bytes the\n"
     "extraction screen gives it, and prints its name and the lines the screen lists.\n"
     "TYPE is one of:\n"
     "  all            all players (ALL.TXT, NSW.TXT ..., 6785.TXT for a club)\n"
     "  top            top performers, overall total at least --min (100) (TOP...)\n"
     "  year           top performers this year, at least --min (50) (YEAR...)\n"
     "  mip            most improved players, at least 10 this year (MIP...)\n"
     "  home           a club's home members, number,surname,given name (HOME6785.TXT)\n"
     "  inactive       a club's inactive members (INAC6785.TXT)\n"
     "  inactive-file  the inactive players among the numbers of --file FILE (INACFILE.TXT)\n"
     "STATE is ALL, NSW, VIC, QLD, WA, NT, ACT, TAS or SA; --all-members counts a club's\n"
     "members through ALTERNAT.TXT too. --csv prints the rows as comma-separated values with\n"
     "a header row, and the file's name on standard error.\n"
     "Exit status: 0 written, 1 no player qualified (the empty file is still written), 2 bad\n"
     "arguments, a file that cannot be read or written.\n",
     [](const std::filesystem::path& folder, const std::vector<std::string>& rest, const PdfWriter&,
        std::ostream& out,
        std::ostream& err) { return RunExtractCommand(folder, rest, out, err); }},
    {"merge",
     "Usage: mpsec merge --type gld|red|grn|gar|rag [--output FILE] [--yes] FILE FILE...\n"
     "Joins two or more masterpoint files of the type, each named with the type's extension,\n"
     "into one, in the order given: empty lines are dropped and the first Ctrl-Z of a line\n"
     "removed; a Ctrl-Z at the start of a line ends its file. The output, by default the\n"
     "last club number, the quarter digit, the two-digit year and the extension\n"
     "(1234226.gld), in the current folder, is replaced in one rename, so an input may be\n"
     "the output.\n"
     "Exit status: 0 merged, 1 the output exists and --yes was not given (nothing changed),\n"
     "2 bad options, fewer than two files, a file of another type, or a file that cannot be\n"
     "read or written (nothing changed).\n",
     nullptr,
     [](const std::filesystem::path& folder, const std::vector<std::string>& rest,
        const CommandContext& context, std::ostream& out, std::ostream& err) {
         return RunMergeCommand(folder, rest, context.Settings.LastClubNo, context.Today, out, err);
     }},
    {"cancellations",
     "Usage: mpsec cancellations --club NUMBER [--yes] PLAYER...\n"
     "Writes NUMBERcncl.txt in the current folder: one line for each player named, who must\n"
     "be an active home-club member of the club in National.TXT, in register order, dated\n"
     "today (yymmdd).\n"
     "Exit status: 0 written, 1 the file exists and --yes was not given (nothing changed),\n"
     "2 bad options, a player who is not an active member of the club, or a file that\n"
     "cannot be read or written (nothing written).\n",
     nullptr,
     [](const std::filesystem::path& folder, const std::vector<std::string>& rest,
        const CommandContext& context, std::ostream& out, std::ostream& err) {
         return RunCancellationsCommand(folder, rest, context.Today, out, err);
     }},
};

bool IsCommandName(const std::string& word) {
    for (const Command& command : kCommands)
        if (word == command.Name)
            return true;
    return word == "help";
}

int RunCommand(const std::filesystem::path& folder, const std::vector<std::string>& args,
               std::ostream& out, std::ostream& err, const PdfWriter& writePdf,
               SettingsStore* settings, CredentialStore* credentials);

} // namespace

const char* CommandLineUsage() {
    return kUsage;
}

std::string CommandUsage(std::string_view name) {
    for (const Command& command : kCommands) {
        if (name != command.Name)
            continue;
        // The "Usage:" line and the lines that go on with it, indented.
        const std::string_view help = command.Help;
        std::size_t end = help.find('\n');
        while (end != std::string_view::npos && end + 1 < help.size() && help[end + 1] == ' ')
            end = help.find('\n', end + 1);
        return std::string(help.substr(0, end == std::string_view::npos ? help.size() : end + 1));
    }
    return kUsage;
}

std::vector<CommandHelp> CommandHelps() {
    std::vector<CommandHelp> helps;
    for (const Command& command : kCommands)
        helps.push_back({command.Name, command.Help});
    return helps;
}

std::optional<std::string> MainWindowFolder(const std::vector<std::string>& args) {
    std::vector<std::string> rest = args;
    auto data = TakeDataOption(rest);
    if (!data)
        return std::nullopt;
    if (*data)
        return rest.size() == 1 ? *data : std::nullopt;
    if (rest.size() != 2 || rest[1].empty() || rest[1][0] == '-' || IsCommandName(rest[1]))
        return std::nullopt;
    std::error_code ec;
    if (rest[1].find('/') != std::string::npos ||
        std::filesystem::is_directory(PathFromText(rest[1]), ec))
        return rest[1];
    return std::nullopt;
}

bool IsCommandLine(const std::vector<std::string>& args) {
    return args.size() > 1 && !MainWindowFolder(args);
}

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const PdfWriter& writePdf, SettingsStore* settings,
                   CredentialStore* credentials) {
    std::vector<std::string> args = arguments;
    auto data = TakeDataOption(args);
    if (!data) {
        err << "mpsec: " << data.Message() << "\n" << kUsage;
        return 2;
    }
    // The folder is taken once, whole: every file of the command is named from it, none
    // read back through the process's current folder (which Windows may give wrong for a
    // long path).
    std::filesystem::path folder;
    if (*data) {
        if (Status checked = CheckDataFolder(**data); !checked) {
            err << checked.Message() << "\n";
            return 2;
        }
        folder = WholePath(PathFromText(**data));
    } else if (std::filesystem::path current; os::CurrentFolder(current) == 0) {
        folder = WholePath(current);
    } else {
        err << "mpsec: cannot read the folder it runs in: " << os::ErrorText(errno) << "\n";
        return 2;
    }
    return RunCommand(folder, args, out, err, writePdf, settings, credentials);
}

namespace {

int RunCommand(const std::filesystem::path& folder, const std::vector<std::string>& args,
               std::ostream& out, std::ostream& err, const PdfWriter& writePdf,
               SettingsStore* settings, CredentialStore* credentials) {
    const std::string name = args.size() > 1 ? args[1] : std::string();
    if (name == "--help" || name == "-h" || name == "help") {
        out << kUsage;
        return 0;
    }
    if (name == "--version" || name == "-v") {
        out << "mpsec " << kVersionText << "\n";
        return 0;
    }
    for (const Command& command : kCommands) {
        if (name != command.Name)
            continue;
        const std::vector<std::string> rest(args.begin() + 2, args.end());
        if (!rest.empty() && (rest[0] == "--help" || rest[0] == "-h")) {
            out << command.Help;
            return 0;
        }
        const PdfWriter writer =
            writePdf ? writePdf : [](const ComposedDocument&, const std::string&) {
                return Status(Failure{"PDF output needs the print layer"});
            };
        if (name == "statements" && std::find(rest.begin(), rest.end(), "--email") != rest.end())
            return RunStatementsEmail(folder, rest, writer, settings, out, err, credentials);
        if (command.RunInContext) {
            CommandContext context{settings ? ReadSettings(*settings, AppSettings{})
                                            : AppSettings{},
                                   Today(), settings, credentials};
            return command.RunInContext(folder, rest, context, out, err);
        }
        return command.Run(folder, rest, writer, out, err);
    }
    err << "mpsec: unknown command '" << name << "'\n" << kUsage;
    return 2;
}

} // namespace

} // namespace mpsec
