#include "cli/StatementCommand.h"

#include "cli/CurrentFolder.h"
#include "core/Columns.h"
#include "core/Files.h"
#include "core/TextHelpers.h"
#include "enquiries/PlayerLookup.h"
#include "register/ClubRegister.h"
#include "statements/ClubRun.h"
#include "statements/StatementSession.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

// The registers and award files of the current folder.
struct AwardFolder : CurrentFolder {
    StatementSession Session;
    StatementDates Dates;

    bool Load(std::ostream& err, const char* command) {
        if (!CurrentFolder::Load(err, command))
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

void PrintStatement(const StatementSession::Statement& s, std::ostream& out) {
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
}

} // namespace

int RunStatementCommand(const std::vector<std::string>& args, const PdfWriter& writePdf,
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
    if (!folder.Load(err, "statement"))
        return 2;
    const std::size_t line = folder.National.FindPlayerByNumber(number);
    if (line == 0) {
        err << "mpsec statement: " << std::string(TrimBlanks(kNoPlayerWithNumber)) << "\n";
        return 1;
    }
    const rPlayer player = folder.National.GetPlayer(line);
    if (IsInactive(player)) {
        err << "mpsec statement: " << std::string(TrimBlanks(kInactivePlayer)) << "\n";
        return 1;
    }
    int rankIndex = 0;
    const auto statement =
        folder.Session.Build(player, number, rankIndex, folder.ClubDescription(), folder.Dates);
    PrintStatement(statement, out);
    if (statement.StoppedBy) {
        err << "mpsec statement: " << statement.StoppedBy->Message << "\n";
        return 1;
    }
    if (!pdf.empty()) {
        if (Status written = writePdf(StatementSession::Compose(statement, number), pdf);
            !written) {
            err << "mpsec statement: cannot write " << pdf << ": " << written.Message() << "\n";
            return 2;
        }
    }
    return 0;
}

int RunStatementsCommand(const std::vector<std::string>& args, const PdfWriter& writePdf,
                         std::ostream& out, std::ostream& err) {
    std::string club, from = "A", to = "Z", dir;
    std::vector<std::string> seen;
    for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
        // An option given twice is ambiguous (which folder?): refused, not guessed.
        if (std::find(seen.begin(), seen.end(), args[i]) != seen.end()) {
            club.clear();
            break;
        }
        seen.push_back(args[i]);
        if (args[i] == "--club")
            club = args[i + 1];
        else if (args[i] == "--from")
            from = args[i + 1];
        else if (args[i] == "--to")
            to = args[i + 1];
        else if (args[i] == "--pdf-dir")
            dir = args[i + 1];
        else
            club.clear(), dir.clear(), i = args.size();
    }
    if (club.empty() || dir.empty() || args.size() % 2 != 0) {
        err << "Usage: mpsec statements --club CLUB [--from A] [--to Z] --pdf-dir DIR\n";
        return 2;
    }
    // The club number as the screen takes it; an active member's home club holds it so.
    // Anything else (3-104, or 3i104, which only inactive members hold) is refused.
    if (club.size() != 4 || club.find_first_not_of("0123456789") != std::string::npos) {
        err << "mpsec statements: the club number is four digits, such as 3104, not '" << club
            << "'\n";
        return 2;
    }
    for (const auto& [option, letter] : {std::pair{"--from", &from}, std::pair{"--to", &to}})
        if (letter->size() != 1 || (*letter)[0] < 'A' || (*letter)[0] > 'Z') {
            err << "mpsec statements: " << option << " takes one capital letter A to Z, not '"
                << *letter << "'\n";
            return 2;
        }
    AwardFolder folder;
    if (!folder.Load(err, "statements"))
        return 2;
    // A club the club register does not name, or a range without an active member, writes
    // nothing, as on the screen.
    if (const Status members =
            ClubRunCanPrint(folder.National, folder.ClubDescription(), club, from, to);
        !members) {
        err << "mpsec statements: " << members.Message() << " No statement written.\n";
        return 1;
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    int rankIndex = 0, written = 0;
    for (std::size_t line : ClubRunLines(folder.National, club, from, to)) {
        const rPlayer player = folder.National.GetPlayer(line);
        const auto statement = folder.Session.Build(player, player.QMRNo, rankIndex,
                                                    folder.ClubDescription(), folder.Dates);
        if (statement.StoppedBy) {
            err << "mpsec statements: " << player.QMRNo << ": " << statement.StoppedBy->Message
                << "\n";
            return 1;
        }
        const fs::path file = fs::path(dir) / StatementPdfName(player);
        if (Status written =
                writePdf(StatementSession::Compose(statement, player.QMRNo), file.string());
            !written) {
            err << "mpsec statements: cannot write " << file.string() << ": " << written.Message()
                << "\n";
            return 2;
        }
        out << file.string() << "\n";
        ++written;
    }
    out << written << " statements written\n";
    return 0;
}

} // namespace mpsec
