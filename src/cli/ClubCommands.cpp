#include "cli/ClubCommands.h"

#include "cli/Csv.h"
#include "cli/CurrentFolder.h"
#include "cli/Terminal.h"
#include "core/AsciiText.h"
#include "core/Columns.h"
#include "core/Files.h"
#include "core/TextHelpers.h"
#include "enquiries/ClubMembership.h"
#include "enquiries/Extraction.h"
#include "register/DataFolder.h"

#include <map>
#include <optional>

namespace mpsec {

namespace {

// The options after a command's name: flags, options with a value, and the other words.
struct Options {
    std::map<std::string, std::string> Values;
    std::vector<std::string> Flags;
    std::vector<std::string> Words;
    bool Has(const std::string& flag) const {
        for (const auto& f : Flags)
            if (f == flag)
                return true;
        return Values.count(flag) != 0;
    }
    std::optional<std::string> Value(const std::string& name) const {
        auto it = Values.find(name);
        return it == Values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
};

// Parses `args`; an unknown option, one given twice or one without its value is refused
// with the reason.
std::optional<Options> ParseOptions(const std::vector<std::string>& args,
                                    const std::vector<std::string>& flags,
                                    const std::vector<std::string>& valued, std::string& why) {
    Options o;
    auto known = [](const std::vector<std::string>& names, const std::string& a) {
        for (const auto& n : names)
            if (n == a)
                return true;
        return false;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            o.Words.push_back(a);
            continue;
        }
        if (o.Has(a)) {
            why = "option " + a + " given twice";
            return std::nullopt;
        }
        if (known(flags, a)) {
            o.Flags.push_back(a);
        } else if (known(valued, a)) {
            if (i + 1 >= args.size()) {
                why = "option " + a + " needs a value";
                return std::nullopt;
            }
            o.Values[a] = args[++i];
        } else {
            why = "unknown option " + a;
            return std::nullopt;
        }
    }
    return o;
}

// The club number, the name and the count of a membership line (as counted or sorted).
std::vector<std::string> MembershipFields(const std::string& line) {
    const std::string description(TrimBlanks(Cols(line, 1, 60)));
    const std::size_t blank = description.find(' ');
    const std::string club = description.substr(0, blank);
    const std::string name = blank == std::string::npos
                                 ? std::string()
                                 : std::string(TrimBlanks(description.substr(blank)));
    return {club, name, std::string(TrimBlanks(Cols(line, 61, 8)))};
}

} // namespace

int RunClubsCommand(const std::filesystem::path& dataFolder, const std::vector<std::string>& args,
                    std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "Usage: mpsec clubs KEYWORD\n";
        return 2;
    }
    const std::string keyWord = UpperAscii(args[0]);
    for (char c : keyWord)
        if (!IsKeyWordCharacter(c)) {
            err << "mpsec clubs: a key word holds letters, digits and apostrophes only\n";
            return 2;
        }
    if (keyWord.empty() || keyWord.size() > static_cast<std::size_t>(kKeyWordLength)) {
        err << "mpsec clubs: a key word has 1 to " << kKeyWordLength << " characters\n";
        return 2;
    }
    CurrentFolder folder;
    if (!folder.Load(dataFolder, err, "clubs"))
        return 2;
    const std::vector<std::string> list = KeyWordSearch(folder.Clubs, keyWord);
    for (const std::string& line : list)
        out << ForTerminal(line) << "\n";
    if (list.empty()) {
        err << "mpsec clubs: no club in " << ClubRegister::FileName << " holds " << keyWord << "\n";
        return 1;
    }
    return 0;
}

int RunMembershipCommand(const std::filesystem::path& dataFolder,
                         const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err) {
    std::string why;
    const auto options = ParseOptions(args, {"--sort", "--save", "--csv"}, {"--state"}, why);
    if (!options || !options->Words.empty()) {
        err << "mpsec membership: " << (options ? "unexpected " + options->Words[0] : why)
            << "\nUsage: mpsec membership [--state STATE] [--sort] [--save] [--csv]\n";
        return 2;
    }
    StateChoice state = AllStates();
    if (const auto name = options->Value("--state")) {
        const auto named = StateNamed(*name);
        if (!named) {
            err << "mpsec membership: unknown state " << *name
                << " (ALL, ACT, NSW, VIC, QLD, SA, WA, TAS or NT)\n";
            return 2;
        }
        state = *named;
    }
    CurrentFolder folder;
    if (!folder.Load(dataFolder, err, "membership"))
        return 2;
    MembershipCount count = CountHomeClubMembers(folder.National, folder.Clubs, state);
    if (options->Has("--sort"))
        count.Lines = SortMembershipLines(count.Lines);
    const bool csv = options->Has("--csv");
    std::ostream& notes = csv ? err : out;
    if (csv) {
        out << CsvRow({"Club", "Name", "Members"});
        for (const std::string& line : count.Lines)
            out << ForTerminal(CsvRow(MembershipFields(line)));
    } else {
        for (const std::string& line : count.Lines)
            out << ForTerminal(line) << "\n";
    }
    notes << TotalActiveMembershipText(count.Total) << "\n";
    if (options->Has("--save")) {
        if (count.Lines.empty()) {
            err << "mpsec membership: " << kMembershipNothingToSaveText << "\n";
            return 1;
        }
        if (Status written = WriteLinesAtomically(folder.Folder / PathFromText(kMembershipFileName),
                                                  count.Lines);
            !written) {
            err << "mpsec membership: cannot write " << kMembershipFileName << ": "
                << written.Message() << "\n";
            return 2;
        }
        notes << TrimBlanks(kMembershipSavedText) << "\n";
    }
    return 0;
}

namespace {

constexpr const char* kExtractUsage =
    "Usage: mpsec extract TYPE [--state STATE | --club NUMBER [--all-members]] [--min POINTS]\n"
    "                          [--file FILE] [--csv]\n";

std::optional<OutputType> TypeNamed(const std::string& name) {
    for (int i = 0; i < kOutputTypeCount; ++i)
        if (name == kOutputTypes[static_cast<std::size_t>(i)].CommandName)
            return static_cast<OutputType>(i);
    return std::nullopt;
}

// The spreadsheet columns of each type, and one file line's fields.
std::vector<std::string> CsvHeader(OutputType type) {
    switch (type) {
    case OutputType::AllPlayers:
        return {"Number", "Surname",   "Given name", "Total",       "Gold", "Red",
                "Green",  "This year", "Last year",  "Prior years", "Rank", "Home club"};
    case OutputType::TopPerformers:
        return {"Place", "Number", "Surname", "Given name", "Home club", "Rank", "Total"};
    case OutputType::TopThisYear:
        return {"Place", "Number", "Surname", "Given name", "Home club", "Rank", "This year"};
    case OutputType::MostImproved:
        return {"Place", "Number", "Surname", "Given name", "Home club", "Rank", "Improvement"};
    case OutputType::HomeClub:
    case OutputType::InactiveClub:
        return {"Number", "Surname", "Given name"};
    case OutputType::InactiveFile:
        return {"Number", "Surname", "Given name", "Last club"};
    }
    return {};
}

std::vector<std::string> CsvFields(OutputType type, std::size_t place, const PlayerRecord& p,
                                   const std::string& lastClub) {
    switch (type) {
    case OutputType::AllPlayers:
        return {p.QMRNo,         p.Surname,         p.GivenName,    p.OverallTotal,
                p.OverallGold,   p.OverallRed,      p.OverallGreen, p.TotalThisYear,
                p.TotalLastYear, p.TotalPriorYears, p.Rank,         p.HomeClub};
    case OutputType::TopPerformers:
    case OutputType::TopThisYear:
    case OutputType::MostImproved: {
        const std::string points = type == OutputType::TopPerformers ? p.OverallTotal
                                   : type == OutputType::TopThisYear
                                       ? p.TotalThisYear
                                       : std::string(TrimBlanks(Improvement(p)));
        return {std::to_string(place), p.QMRNo, p.Surname, p.GivenName, p.HomeClub, p.Rank, points};
    }
    case OutputType::HomeClub:
    case OutputType::InactiveClub:
        return {p.QMRNo, p.Surname, p.GivenName};
    case OutputType::InactiveFile:
        return {p.QMRNo, p.Surname, p.GivenName, lastClub};
    }
    return {};
}

// The choices of the extraction window that the options of a `type` extraction make, or
// why they make none.
Result<ExtractChoices> ExtractChoicesFrom(const Options& options, OutputType type) {
    ExtractChoices choices;
    choices.Type = type;
    const bool fileType = type == OutputType::InactiveFile;
    const auto state = options.Value("--state");
    const auto club = options.Value("--club");
    if (state && club)
        return Failure{"--state and --club exclude each other"};
    if (fileType && (state || club))
        return Failure{"inactive-file takes neither --state nor --club"};
    if (fileType != options.Value("--file").has_value())
        return Failure{fileType ? "inactive-file needs --file FILE"
                                : "--file is for inactive-file"};
    if (type == OutputType::InactiveClub && state)
        return Failure{"inactive lists one club: use --club"};
    if (state) {
        const auto named = StateNamed(*state);
        if (!named)
            return Failure{"unknown state " + *state};
        choices.State = *named;
    }
    // Home and inactive lists are of one club unless a state is asked for.
    const bool clubOnly =
        club.has_value() ||
        (!state && (type == OutputType::HomeClub || type == OutputType::InactiveClub));
    choices.ClubOnly = clubOnly && !fileType;
    choices.ClubNo = club.value_or("");
    if (choices.ClubNo.find_first_not_of("0123456789") != std::string::npos ||
        choices.ClubNo.size() > 4)
        return Failure{"a club number has up to four digits"};
    if (options.Has("--all-members")) {
        if (!club || static_cast<int>(type) > static_cast<int>(OutputType::MostImproved))
            return Failure{"--all-members needs --club and the type all, top, year or mip"};
        choices.AllMembers = true;
    }
    if (const auto min = options.Value("--min")) {
        if (type != OutputType::TopPerformers && type != OutputType::TopThisYear)
            return Failure{"--min is for top and year"};
        int value = 0;
        const bool digits = !min->empty() && min->size() <= 5 &&
                            min->find_first_not_of("0123456789") == std::string::npos;
        if (digits)
            value = std::stoi(*min);
        if (!digits || value < kMinimumSpinnerLowest || value > kMinimumSpinnerHighest)
            return Failure{"--min takes a whole number from " +
                           std::to_string(kMinimumSpinnerLowest) + " to " +
                           std::to_string(kMinimumSpinnerHighest)};
        (type == OutputType::TopPerformers ? choices.TopMinimum : choices.YearMinimum) = value;
    }
    return choices;
}

// The extraction on `out`: as CSV rows, or the lines of its file when it lists them.
void PrintExtraction(const Extraction& run, OutputType type, bool csv, const CurrentFolder& folder,
                     std::ostream& out) {
    if (!csv) {
        if (run.Listed)
            for (std::size_t k = 0; k < run.LineCount(); ++k)
                out << ForTerminal(run.Line(k)) << "\n";
        return;
    }
    out << CsvRow(CsvHeader(type));
    for (std::size_t k = 0; k < run.Players.size(); ++k) {
        const PlayerRecord p = folder.National.GetPlayer(run.Players[k]);
        const std::string lastClub =
            type == OutputType::InactiveFile
                ? std::string(
                      TrimBlanks(Cols(folder.Clubs.GetClubDescription(p.HomeClub), 23, 255)))
                : std::string();
        out << ForTerminal(CsvRow(CsvFields(type, k + 1, p, lastClub)));
    }
}

} // namespace

int RunExtractCommand(const std::filesystem::path& dataFolder, const std::vector<std::string>& args,
                      std::ostream& out, std::ostream& err) {
    std::string why;
    const auto options = ParseOptions(args, {"--all-members", "--csv"},
                                      {"--state", "--club", "--min", "--file"}, why);
    const auto type =
        options && options->Words.size() == 1 ? TypeNamed(options->Words[0]) : std::nullopt;
    auto refuse = [&](const std::string& reason) {
        err << "mpsec extract: " << reason << "\n" << kExtractUsage;
        return 2;
    };
    if (!options)
        return refuse(why);
    if (!type)
        return refuse(options->Words.empty() ? "which type? all, top, year, mip, home, inactive "
                                               "or inactive-file"
                                             : "unknown type " + options->Words[0]);
    const Result<ExtractChoices> choices = ExtractChoicesFrom(*options, *type);
    if (!choices)
        return refuse(choices.Message());

    CurrentFolder folder;
    if (!folder.Load(dataFolder, err, "extract"))
        return 2;
    std::filesystem::path input;
    if (*type == OutputType::InactiveFile) {
        input = PathFromText(*options->Value("--file"));
        if (input.is_relative())
            input = folder.Folder / input;
    }
    const Result<Extraction> run =
        RunExtraction(folder.National, folder.Clubs, *choices, folder.Folder, input);
    if (!run) {
        err << "mpsec extract: " << run.Message() << "\n";
        return 2;
    }
    const bool csv = options->Has("--csv");
    std::ostream& notes = csv ? err : out;
    notes << kOutputSavedAs << run->FileName << "\n";
    PrintExtraction(*run, *type, csv, folder, out);
    if (run->LineCount() == 0) {
        err << "mpsec extract: "
            << (run->NoPlayersFound ? std::string(TrimBlanks(kNoPlayersFound))
                                    : std::string("no player qualified"))
            << " (" << run->FileName << " is empty)\n";
        return 1;
    }
    return 0;
}

} // namespace mpsec
