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
#include <optional>
#include <set>
#include <sstream>
#include <utility>

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

// The number of --jobs, from 1 to 999; none when it is not such a number.
std::optional<unsigned> JobsNumber(const std::string& jobs) {
    if (jobs.empty() || jobs.size() > 3 ||
        jobs.find_first_not_of("0123456789") != std::string::npos || std::stoi(jobs) < 1)
        return std::nullopt;
    return static_cast<unsigned>(std::stoi(jobs));
}

// The options as given, each once, or a message saying what is wrong with them (empty:
// only the usage).
Result<StatementsRun> ReadStatementsOptions(const std::vector<std::string>& args) {
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
            const std::optional<unsigned> workers = JobsNumber(jobs);
            if (!workers)
                return Failure{"--jobs takes a number of workers from 1 to 999, not '" + jobs +
                               "'"};
            run.Jobs = *workers;
        }
    }
    return run;
}

// `run` with its state as the first digit of its club numbers, or a message saying what is
// wrong with its options (empty: only the usage).
Result<StatementsRun> CheckStatementsRun(StatementsRun run) {
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

// The options, or a message saying what is wrong with them (empty: only the usage).
Result<StatementsRun> ParseStatementsRun(const std::vector<std::string>& args) {
    Result<StatementsRun> read = ReadStatementsOptions(args);
    if (!read)
        return read;
    return CheckStatementsRun(std::move(read).Value());
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

// The register lines of the members `run` writes statements for, in order; none, after
// saying why on `err`, when the club or the range has no active member.
std::optional<std::vector<std::size_t>> RunMembers(const AwardFolder& folder,
                                                   const StatementsRun& run, std::ostream& err) {
    if (!run.Club.empty()) {
        // A club the club register does not name, or a range without an active member,
        // writes nothing, as on the screen.
        if (const Status members = ClubRunCanPrint(folder.National, folder.ClubDescription(),
                                                   run.Club, run.From, run.To);
            !members) {
            err << "mpsec statements: " << members.Message() << " No statement written.\n";
            return std::nullopt;
        }
        return ClubRunLines(folder.National, run.Club, run.From, run.To);
    }
    std::vector<std::size_t> lines = StateRunLines(folder.National, run.State, run.From, run.To);
    if (lines.empty()) {
        err << "mpsec statements: "
            << (run.All ? std::string("The register") : "State " + run.State)
            << " has no active member with a surname from " << run.From << " to " << run.To
            << ". No statement written.\n";
        return std::nullopt;
    }
    return lines;
}

// Writes the statements of a run, member by member, and counts what it did.
class StatementsWriting {
  public:
    StatementsWriting(AwardFolder& folder, const StatementsRun& run, const fs::path& dir,
                      const PdfWriter& writePdf, std::size_t members, std::ostream& out,
                      std::ostream& err)
        : folder_(folder), run_(run), dir_(dir), clubRun_(!run.Club.empty()), out_(out), err_(err),
          writers_(writePdf, run.Jobs ? run.Jobs : StatementWriters::DefaultWorkers()),
          progress_(err, members, !clubRun_) {}

    // Writes the members' statements until one cannot be written, a club's run stops at
    // a member, or the run is interrupted; then waits for the files being written. Whether
    // it was interrupted.
    bool WriteAll(const std::vector<std::size_t>& lines, const InterruptWatch& interrupt) {
        int rankIndex = 0;
        for (std::size_t line : lines) {
            if (interrupt.Interrupted() || ExitStatus != 0)
                break;
            if (!WriteMember(line, rankIndex))
                break;
        }
        const bool interrupted = interrupt.Interrupted();
        if (interrupted)
            writers_.Stop();
        writers_.Finish();
        Collect();
        progress_.Update(Done, Written, true);
        return interrupted;
    }

    double Seconds() const { return progress_.Seconds(); }

    std::set<std::string> ClubFolders;
    std::size_t Done = 0, Written = 0, Skipped = 0, Failed = 0;
    // 1: a club's run stopped at a member; 2: a file or a folder could not be written.
    int ExitStatus = 0;

  private:
    // Hands the member's statement to the writers, or skips it; false when the run stops.
    bool WriteMember(std::size_t line, int& rankIndex) {
        const PlayerRecord player = folder_.National.GetPlayer(line);
        const fs::path clubFolder = clubRun_ ? dir_ : dir_ / PathFromText(player.HomeClub);
        const fs::path file = clubFolder / StatementPdfName(player);
        ++Done;
        if (!clubRun_ && ClubFolders.insert(player.HomeClub).second) {
            if (os::CreateFolders(clubFolder) != 0) {
                err_ << "\nmpsec statements: cannot make the folder " << PathText(clubFolder)
                     << ": " << os::ErrorText(errno) << "\n";
                ExitStatus = 2;
                return false;
            }
            RemoveLeftTemporaryFiles(clubFolder);
        }
        std::error_code ec;
        if (run_.Resume && fs::exists(file, ec)) {
            ++Skipped;
            progress_.Update(Done, Written);
            return true;
        }
        const auto statement = folder_.Session.Build(player, player.QMRNo, rankIndex,
                                                     folder_.ClubDescription(), folder_.Dates);
        if (statement.StoppedBy) {
            // A club's run stops at the member, as the screen does; a long run names him
            // and goes on with the others.
            err_ << (clubRun_ ? "" : "\n") << "mpsec statements: " << player.QMRNo << ": "
                 << statement.StoppedBy->Message << "\n";
            ++Failed;
            if (clubRun_) {
                ExitStatus = 1;
                return false;
            }
            return true;
        }
        writers_.Submit(StatementSession::Compose(statement, player.QMRNo), PathText(file));
        Collect();
        progress_.Update(Done, Written);
        return true;
    }

    // Counts the files the writers have finished; a club's run lists them as it goes.
    void Collect() {
        for (StatementWriters::Written& file : writers_.TakeWritten()) {
            if (!file.Result) {
                if (ExitStatus != 2)
                    err_ << (clubRun_ ? "" : "\n") << "mpsec statements: cannot write " << file.Path
                         << ": " << file.Result.Message() << "\n";
                ExitStatus = 2;
                writers_.Stop();
                continue;
            }
            ++Written;
            if (clubRun_)
                out_ << file.Path << "\n";
        }
    }

    AwardFolder& folder_;
    const StatementsRun& run_;
    const fs::path& dir_;
    const bool clubRun_;
    std::ostream& out_;
    std::ostream& err_;
    StatementWriters writers_;
    RunProgress progress_;
};

// What the run did, said when it is over; the command's exit status.
int ReportStatementsRun(const StatementsRun& run, const StatementsWriting& writing,
                        bool interrupted, std::ostream& out, std::ostream& err) {
    if (writing.ExitStatus == 2)
        return 2;
    if (interrupted) {
        err << "mpsec statements: interrupted; " << Counted(writing.Written, "statement")
            << " written. Run it again with --resume to write the others.\n";
        return 130;
    }
    if (!run.Club.empty()) {
        if (writing.ExitStatus == 0)
            out << Counted(writing.Written, "statement") << " written\n";
        return writing.ExitStatus;
    }
    const double seconds = writing.Seconds();
    out << Counted(writing.Written, "statement") << " written in "
        << Counted(writing.ClubFolders.size(), "club folder") << " of " << run.Dir << " in "
        << MinutesAndSeconds(seconds) << " ("
        << std::lround(writing.Written / std::max(seconds, 1e-9)) << " members/s)";
    if (writing.Skipped)
        out << "; " << writing.Skipped << " already written, skipped";
    out << "\n";
    if (writing.Failed)
        err << "mpsec statements: " << writing.Failed
            << (writing.Failed == 1 ? " member has" : " members have")
            << " no statement: a line of history.txt could not be read (named above).\n";
    return writing.Failed ? 1 : 0;
}

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
    const std::optional<std::vector<std::size_t>> lines = RunMembers(folder, run, err);
    if (!lines)
        return 1;
    // DIR is taken in the folder the command runs in, like every file named to a command.
    const fs::path dir = folder.Named(run.Dir);
    if (os::CreateFolders(dir) != 0) {
        err << "mpsec statements: cannot make the folder " << run.Dir << ": "
            << os::ErrorText(errno) << "\n";
        return 2;
    }
    // What a run that was killed left half written goes; its statements are written again.
    if (!run.Club.empty())
        RemoveLeftTemporaryFiles(dir);

    InterruptWatch interrupt;
    StatementsWriting writing(folder, run, dir, writePdf, lines->size(), out, err);
    const bool interrupted = writing.WriteAll(*lines, interrupt);
    return ReportStatementsRun(run, writing, interrupted, out, err);
}

} // namespace mpsec
