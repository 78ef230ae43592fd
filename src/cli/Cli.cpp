#include "cli/Cli.h"

#include "cli/CancellationsCommand.h"
#include "cli/CheckCommand.h"
#include "cli/MergeCommand.h"
#include "cli/PlayerCommand.h"
#include "core/ProgramInfo.h"
#include "core/Settings.h"

namespace mpsec {

namespace {

constexpr const char* kUsage =
    "Usage: mpsec [COMMAND] [OPTIONS]\n"
    "\n"
    "With no command, mpsec opens its main window on the federation files in the current\n"
    "folder (National.TXT, NATIONAL.CLB, history.txt, events.txt, PRE82.TXT ...).\n"
    "\n"
    "Commands (they work in the current folder, like the program):\n"
    "  check FILE...   list masterpoint files against the register like the viewer, write\n"
    "                  each file's .TXT report beside it; exit status 1 when a file has errors\n"
    "  player NUMBER   show a player as the player view does (name, club, rank, points)\n"
    "  player SURNAME [INITIAL]\n"
    "                  list the players from where a surname search lands (up to 101)\n"
    "  statement NUMBER [--pdf FILE]\n"
    "                  a player's statement of awards as text, and as a printed page in a PDF\n"
    "  statements --club CLUB [--from A] [--to Z] --pdf-dir DIR\n"
    "                  one PDF statement per active member of the club (surnames From-To)\n"
    "  merge --type gld|red|grn|gar|rag [--output FILE] [--yes] FILE FILE...\n"
    "                  join masterpoint files of one type into one, as the merge window does\n"
    "  cancellations --club NUMBER [--yes] PLAYER...\n"
    "                  write the club's cancellation file with the players named marked\n"
    "\n"
    "Options:\n"
    "  -h, --help      show this help and exit\n"
    "  -v, --version   show the version and exit\n";

} // namespace

bool IsCommandLine(const std::vector<std::string>& args) {
    return args.size() > 1;
}

namespace {

// What some commands take from the program besides their arguments.
struct CommandContext {
    AppSettings Settings;
    CivilDate Today;
};

// A headless command: its name, its --help text, and how it runs on the arguments after
// its name (with the program's settings and today's date, for the commands that use them).
struct Command {
    const char* Name;
    const char* Help;
    int (*Run)(const std::vector<std::string>& rest, const PdfWriter& writePdf, std::ostream& out,
               std::ostream& err);
    int (*RunInContext)(const std::vector<std::string>& rest, const CommandContext& context,
                        std::ostream& out, std::ostream& err) = nullptr;
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
     [](const std::vector<std::string>& rest, const PdfWriter&, std::ostream& out,
        std::ostream& err) { return RunCheckCommand(rest, out, err); }},
    {"player",
     "Usage: mpsec player NUMBER | SURNAME [INITIAL]\n"
     "With a number (leading zeros or not), shows that player from National.TXT in the\n"
     "current folder: name, home club, rank and the points table. With a surname (a\n"
     "partial one will do without an initial), lists the players from where the search\n"
     "lands, each with its number. Exit status 1 when no player is found.\n",
     [](const std::vector<std::string>& rest, const PdfWriter&, std::ostream& out,
        std::ostream& err) { return RunPlayerCommand(rest, out, err); }},
    {"statement",
     "Usage: mpsec statement NUMBER [--pdf FILE]\n"
     "Prints the statement of awards of an active player from National.TXT, history.txt,\n"
     "events.txt and PRE82.TXT in the current folder: name, club, rank, what is still\n"
     "needed for promotion and the year's awards by quarter. With --pdf, also writes the\n"
     "printed page(s) to FILE.\n",
     RunStatementCommand},
    {"statements",
     "Usage: mpsec statements --club CLUB [--from A] [--to Z] --pdf-dir DIR\n"
     "Writes the statement of every active member of the club whose surname begins with\n"
     "a letter from A to Z into DIR, one PDF per member named by number and surname.\n"
     "CLUB is the four-digit club number, such as 3104; --from and --to take one capital\n"
     "letter each.\n"
     "Exit status: 0 statements written, 1 the club is not in NATIONAL.CLB, no active\n"
     "member's surname lies in the range, or a statement stops at a bad history line,\n"
     "2 bad options, a file that cannot be read or a PDF that cannot be written.\n",
     RunStatementsCommand},
    {"merge",
     "Usage: mpsec merge --type gld|red|grn|gar|rag [--output FILE] [--yes] FILE FILE...\n"
     "Joins two or more masterpoint files of the type into one, in the order given: empty\n"
     "lines are dropped and the first Ctrl-Z of a line removed; a Ctrl-Z at the start of a\n"
     "line ends its file. The output, by default the last club number, the quarter digit,\n"
     "the two-digit year and the extension (1234226.gld), in the current folder, is replaced\n"
     "in one rename, so an input may be the output.\n"
     "Exit status: 0 merged, 1 the output exists and --yes was not given (nothing changed),\n"
     "2 bad options, fewer than two files, or a file that cannot be read or written\n"
     "(nothing changed).\n",
     nullptr,
     [](const std::vector<std::string>& rest, const CommandContext& context, std::ostream& out,
        std::ostream& err) {
         return RunMergeCommand(rest, context.Settings.LastClubNo, context.Today, out, err);
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
     [](const std::vector<std::string>& rest, const CommandContext& context, std::ostream& out,
        std::ostream& err) { return RunCancellationsCommand(rest, context.Today, out, err); }},
};

} // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const PdfWriter& writePdf, SettingsStore* settings) {
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
        if (command.RunInContext) {
            CommandContext context{
                settings ? ReadSettings(*settings, AppSettings{}) : AppSettings{}, Today()};
            return command.RunInContext(rest, context, out, err);
        }
        const PdfWriter writer =
            writePdf ? writePdf : [](const ComposedDocument&, const std::string&) {
                return Status(Failure{"PDF output needs the print layer"});
            };
        return command.Run(rest, writer, out, err);
    }
    err << "mpsec: unknown command '" << name << "'\n" << kUsage;
    return 2;
}

} // namespace mpsec
