#include "cli/StatementCommand.h"

#include "cli/CurrentFolder.h"
#include "cli/Terminal.h"
#include "core/AsciiText.h"
#include "core/Files.h"
#include "core/SystemCalls.h"
#include "core/TemporaryFiles.h"
#include "core/TextHelpers.h"
#include "enquiries/PlayerLookup.h"
#include "enquiries/StateChoices.h"
#include "register/ClubRegister.h"
#include "statements/ClubRun.h"
#include "statements/StatementSession.h"
#include "statements/StatementWriters.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

// The registers and award files of the folder the command runs in.
struct AwardFolder : CurrentFolder {
    StatementSession Session;
    StatementDates Dates;

    bool Load(const fs::path& folder, std::ostream& err, const char* command) {
        if (!CurrentFolder::Load(folder, err, command))
            return false;
        if (Status loaded = Session.Load(Folder, Folder); !loaded) {
            err << "mpsec " << command << ": " << loaded.Message() << "\n";
            return false;
        }
        Dates = StatementPeriod(FileDate(FindFileNoCase(Folder, PlayerRegister::FileName)),
                                DateFormats{});
        return true;
    }
};

// The statement as the screen shows it, in the register's Latin-1.
std::string StatementText(const StatementSession::Statement& s) {
    std::ostringstream out;
    const Promotion& p = s.Requirements;
    out << "Name: " << s.Player.GivenName << " " << s.Player.Surname << "\n"
        << "Home Club: " << StatementClubText(s.ClubDescription) << "\n"
        << "Your Current Rank is: " << p.CurrentRankText << "\n\n"
        << "Requirements for Promotion to " << p.NextRankText << "\n";
    auto row = [&](const std::string& head, const std::string* v) {
        out << PadRight(head, 16, ' ') << PadLeft(v[0], 10, ' ') << PadLeft(v[1], 14, ' ')
            << PadLeft(v[2], 10, ' ') << "\n";
    };
    const std::string heads[3] = {"Total", "Inc Gold/Red", "Inc Gold"};
    row("", heads);
    row("You Must Have", p.MustHave);
    row("You Now Have", p.NowHave);
    row("You Still Need", p.StillNeed);
    for (const std::string& note : p.ScreenNote)
        if (!note.empty())
            out << note << "\n";
    out << "\n";
    for (const StatementRow& r : s.Rows)
        out << PadRight(r[1], 5, ' ') << " " << PadRight(r[2], 5, ' ') << " "
            << PadRight(r[3], 40, ' ') << PadLeft(r[4], 9, ' ') << PadLeft(r[5], 9, ' ')
            << PadLeft(r[6], 9, ' ') << PadLeft(r[7], 10, ' ') << "\n";
    return out.str();
}

} // namespace

int RunStatementCommand(const std::filesystem::path& dataFolder,
                        const std::vector<std::string>& args, const PdfWriter& writePdf,
                        std::ostream& out, std::ostream& err) {
    std::string number, pdf;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--pdf" && i + 1 < args.size())
            pdf = args[++i];
        else if (number.empty() && !args[i].empty() &&
                 args[i].find_first_not_of("0123456789") == std::string::npos)
            number = args[i];
        else {
            err << "Usage: mpsec statement NUMBER [--pdf FILE]\n";
            return 2;
        }
    }
    if (number.empty()) {
        err << "Usage: mpsec statement NUMBER [--pdf FILE]\n";
        return 2;
    }
    if (auto typed = CommandLineNumber(number))
        number = *typed;
    else {
        err << "mpsec statement: a player number has at most 7 digits, not '" << number << "'\n";
        return 2;
    }
    AwardFolder folder;
    if (!folder.Load(dataFolder, err, "statement"))
        return 2;
    const std::size_t line = folder.National.FindPlayerByNumber(number);
    if (line == 0) {
        err << "mpsec statement: " << std::string(TrimBlanks(kNoPlayerWithNumber)) << "\n";
        return 1;
    }
    const PlayerRecord player = folder.National.GetPlayer(line);
    if (IsInactive(player)) {
        err << "mpsec statement: " << std::string(TrimBlanks(kInactivePlayer)) << "\n";
        return 1;
    }
    int rankIndex = 0;
    const auto statement =
        folder.Session.Build(player, number, rankIndex, folder.ClubDescription(), folder.Dates);
    out << ForTerminal(StatementText(statement));
    if (statement.StoppedBy) {
        err << "mpsec statement: " << statement.StoppedBy->Message << "\n";
        return 1;
    }
    if (!pdf.empty()) {
        if (Status written =
                writePdf(StatementSession::Compose(statement, number), PathText(folder.Named(pdf)));
            !written) {
            err << "mpsec statement: cannot write " << pdf << ": " << written.Message() << "\n";
            return 2;
        }
    }
    return 0;
}

namespace {

constexpr const char* kStatementsUsage =
    "Usage: mpsec statements (--club CLUB | --state STATE | --all) [--from A] [--to Z]\n"
    "                        --pdf-dir DIR [--resume] [--jobs N]\n";

// What `mpsec statements` was asked to do.
struct StatementsRun {
    std::string Club, State, From = "A", To = "Z", Dir;
    bool All = false, Resume = false;
    unsigned Jobs = 0; // 0: StatementWriters::DefaultWorkers()
};

// The options, or a message saying what is wrong with them (empty: only the usage).
Result<StatementsRun> ParseStatementsRun(const std::vector<std::string>& args) {
    StatementsRun run;
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        // An option given twice is ambiguous (which folder?): refused, not guessed.
        if (std::find(seen.begin(), seen.end(), option) != seen.end())
            return Failure{""};
        seen.push_back(option);
        if (option == "--all") {
            run.All = true;
            continue;
        }
        if (option == "--resume") {
            run.Resume = true;
            continue;
        }
        std::string* value = option == "--club"      ? &run.Club
                             : option == "--state"   ? &run.State
                             : option == "--from"    ? &run.From
                             : option == "--to"      ? &run.To
                             : option == "--pdf-dir" ? &run.Dir
                                                     : nullptr;
        std::string jobs;
        if (option == "--jobs")
            value = &jobs;
        if (!value || i + 1 >= args.size())
            return Failure{""};
        *value = args[++i];
        if (option == "--jobs") {
            if (jobs.empty() || jobs.size() > 3 ||
                jobs.find_first_not_of("0123456789") != std::string::npos || std::stoi(jobs) < 1)
                return Failure{"--jobs takes a number of workers from 1 to 999, not '" + jobs +
                               "'"};
            run.Jobs = static_cast<unsigned>(std::stoi(jobs));
        }
    }
    const int kinds = !run.Club.empty() + !run.State.empty() + run.All;
    if (kinds != 1 || run.Dir.empty())
        return Failure{""};
    // The club number as the screen takes it; an active member's home club holds it so.
    // Anything else (3-104, or 3i104, which only inactive members hold) is refused.
    if (!run.Club.empty() &&
        (run.Club.size() != 4 || run.Club.find_first_not_of("0123456789") != std::string::npos))
        return Failure{"the club number is four digits, such as 3104, not '" + run.Club + "'"};
    // A state by its name, as the other commands take it (NSW), or by the first digit of
    // its club numbers (2), which also names the clubs numbered 9xxx.
    if (!run.State.empty()) {
        if (const auto named = StateNamed(run.State); named && named->Digit != '\0')
            run.State = std::string(1, named->Digit);
        else if (run.State.size() != 1 || run.State[0] < '0' || run.State[0] > '9')
            return Failure{"the state is ACT, NSW, VIC, QLD, SA, WA, TAS, NT or the first "
                           "digit of its club numbers, such as 3, not '" +
                           run.State + "'"};
    }
    for (const auto& [option, letter] :
         {std::pair{"--from", &run.From}, std::pair{"--to", &run.To}})
        if (letter->size() != 1 || (*letter)[0] < 'A' || (*letter)[0] > 'Z')
            return Failure{std::string(option) + " takes one capital letter A to Z, not '" +
                           *letter + "'"};
    return run;
}

// Ctrl-C during a run: no further statement is started, the ones being written are
// finished (each goes to a temporary file renamed when complete), and the run ends.
std::atomic<bool> gInterrupted{false};

void NoteInterrupt() {
    gInterrupted.store(true);
}

class InterruptWatch {
  public:
    InterruptWatch() {
        gInterrupted.store(false);
        os::WatchInterrupt(NoteInterrupt);
    }
    ~InterruptWatch() { os::StopWatchingInterrupt(); }
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;
    bool Interrupted() const { return gInterrupted.load(); }
};

// "1 statement", "2 statements".
std::string Counted(std::size_t count, const std::string& thing) {
    return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

std::string MinutesAndSeconds(double seconds) {
    const long whole = std::lround(std::max(0.0, seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

// The progress line of a long run on standard error, rewritten in place twice a second.
class RunProgress {
  public:
    RunProgress(std::ostream& err, std::size_t total, bool shown)
        : err_(err), total_(total), shown_(shown) {}

    // `done` members dealt with (written or skipped), of which `written` were written.
    void Update(std::size_t done, std::size_t written, bool last = false) {
        const auto now = Clock::now();
        if (!shown_ || (!last && now - shown_at_ < std::chrono::milliseconds(500)))
            return;
        shown_at_ = now;
        const double rate = written / std::max(1e-9, Seconds());
        err_ << "\r" << done << " of " << total_ << " members, " << std::lround(rate)
             << " members/s, "
             << (written == 0 ? std::string("-:--")
                              : MinutesAndSeconds((total_ - done) / std::max(rate, 1e-9)))
             << " left   " << (last ? "\n" : "") << std::flush;
    }
    double Seconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

  private:
    using Clock = std::chrono::steady_clock;
    std::ostream& err_;
    std::size_t total_;
    bool shown_;
    Clock::time_point start_ = Clock::now(), shown_at_ = start_;
};

} // namespace

int RunStatementsCommand(const std::filesystem::path& dataFolder,
                         const std::vector<std::string>& args, const PdfWriter& writePdf,
                         std::ostream& out, std::ostream& err) {
    const Result<StatementsRun> parsed = ParseStatementsRun(args);
    if (!parsed) {
        if (!parsed.Message().empty())
            err << "mpsec statements: " << parsed.Message() << "\n";
        err << kStatementsUsage;
        return 2;
    }
    const StatementsRun& run = parsed.Value();
    AwardFolder folder;
    if (!folder.Load(dataFolder, err, "statements"))
        return 2;

    // A club run lists its files as it writes them, into DIR itself; a state's or the
    // federation's run writes a folder per club and shows its progress instead.
    const bool clubRun = !run.Club.empty();
    std::vector<std::size_t> lines;
    if (clubRun) {
        // A club the club register does not name, or a range without an active member,
        // writes nothing, as on the screen.
        if (const Status members = ClubRunCanPrint(folder.National, folder.ClubDescription(),
                                                   run.Club, run.From, run.To);
            !members) {
            err << "mpsec statements: " << members.Message() << " No statement written.\n";
            return 1;
        }
        lines = ClubRunLines(folder.National, run.Club, run.From, run.To);
    } else {
        lines = StateRunLines(folder.National, run.State, run.From, run.To);
        if (lines.empty()) {
            err << "mpsec statements: "
                << (run.All ? std::string("The register") : "State " + run.State)
                << " has no active member with a surname from " << run.From << " to " << run.To
                << ". No statement written.\n";
            return 1;
        }
    }
    // DIR is taken in the folder the command runs in, like every file named to a command.
    const fs::path dir = folder.Named(run.Dir);
    std::error_code ec;
    if (os::CreateFolders(dir) != 0) {
        err << "mpsec statements: cannot make the folder " << run.Dir << ": "
            << os::ErrorText(errno) << "\n";
        return 2;
    }
    // What a run that was killed left half written goes; its statements are written again.
    if (clubRun)
        RemoveLeftTemporaryFiles(dir);

    InterruptWatch interrupt;
    StatementWriters writers(writePdf, run.Jobs ? run.Jobs : StatementWriters::DefaultWorkers());
    RunProgress progress(err, lines.size(), !clubRun);
    std::set<std::string> clubFolders;
    std::size_t done = 0, written = 0, skipped = 0, failed = 0;
    int status = 0;
    auto collect = [&] {
        for (StatementWriters::Written& file : writers.TakeWritten()) {
            if (!file.Result) {
                if (status != 2)
                    err << (clubRun ? "" : "\n") << "mpsec statements: cannot write " << file.Path
                        << ": " << file.Result.Message() << "\n";
                status = 2;
                writers.Stop();
                continue;
            }
            ++written;
            if (clubRun)
                out << file.Path << "\n";
        }
    };
    int rankIndex = 0;
    for (std::size_t line : lines) {
        if (interrupt.Interrupted() || status != 0)
            break;
        const PlayerRecord player = folder.National.GetPlayer(line);
        const fs::path clubFolder = clubRun ? dir : dir / PathFromText(player.HomeClub);
        const fs::path file = clubFolder / StatementPdfName(player);
        ++done;
        if (!clubRun && clubFolders.insert(player.HomeClub).second) {
            if (os::CreateFolders(clubFolder) != 0) {
                err << "\nmpsec statements: cannot make the folder " << PathText(clubFolder) << ": "
                    << os::ErrorText(errno) << "\n";
                status = 2;
                break;
            }
            RemoveLeftTemporaryFiles(clubFolder);
        }
        if (run.Resume && fs::exists(file, ec)) {
            ++skipped;
            progress.Update(done, written);
            continue;
        }
        const auto statement = folder.Session.Build(player, player.QMRNo, rankIndex,
                                                    folder.ClubDescription(), folder.Dates);
        if (statement.StoppedBy) {
            // A club's run stops at the member, as the screen does; a long run names him
            // and goes on with the others.
            err << (clubRun ? "" : "\n") << "mpsec statements: " << player.QMRNo << ": "
                << statement.StoppedBy->Message << "\n";
            ++failed;
            if (clubRun) {
                status = 1;
                break;
            }
            continue;
        }
        writers.Submit(StatementSession::Compose(statement, player.QMRNo), PathText(file));
        collect();
        progress.Update(done, written);
    }
    const bool interrupted = interrupt.Interrupted();
    if (interrupted)
        writers.Stop();
    writers.Finish();
    collect();
    progress.Update(done, written, true);
    if (status == 2)
        return 2;
    if (interrupted) {
        err << "mpsec statements: interrupted; " << Counted(written, "statement")
            << " written. Run it again with --resume to write the others.\n";
        return 130;
    }
    if (clubRun) {
        if (status == 0)
            out << Counted(written, "statement") << " written\n";
        return status;
    }
    const double seconds = progress.Seconds();
    out << Counted(written, "statement") << " written in "
        << Counted(clubFolders.size(), "club folder") << " of " << run.Dir << " in "
        << MinutesAndSeconds(seconds) << " (" << std::lround(written / std::max(seconds, 1e-9))
        << " members/s)";
    if (skipped)
        out << "; " << skipped << " already written, skipped";
    out << "\n";
    if (failed)
        err << "mpsec statements: " << failed << (failed == 1 ? " member has" : " members have")
            << " no statement: a line of history.txt could not be read (named above).\n";
    return failed ? 1 : 0;
}

} // namespace mpsec
