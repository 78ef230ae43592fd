// Extraction over a register made from the input: the first line holds the choices
// ("TYPE STATE CLUB-ONLY ALL-MEMBERS TOP YEAR CLUB", numbers but the club), each further line
// a player ("NUMBER SURNAME OVERALL THIS-YEAR HOME-CLUB RANK"), then the files ALTERNAT.TXT,
// NATIONAL.CLB and INPUT.TXT (the numbers of the inactive-file list). A run refuses
// exactly what it should, writes the list it returns, and lists exactly the players a
// plain walk over the made players selects, each once, ranked lists in rank order.
#include "FuzzSupport.h"

#include "enquiries/Extraction.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

using namespace mpsec;
using mpsec::fuzz::Check;

namespace {

// A made player: the fields as the register holds them (cut to their columns).
struct Made {
    std::string Number, Surname, Overall, ThisYear, HomeClub, Rank;
};

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    for (char c : line) {
        if (static_cast<unsigned char>(c) <= 32) {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
        text.pop_back();
    std::size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    return text.substr(first);
}

// A total as the screens read it: one sign at most, digits and one decimal point.
std::optional<double> Points(const std::string& text) {
    std::size_t at = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    int digits = 0, points = 0;
    for (std::size_t k = at; k < text.size(); ++k) {
        if (text[k] >= '0' && text[k] <= '9')
            ++digits;
        else if (text[k] == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    return std::strtod(text.c_str(), nullptr);
}

// The club a register home-club field names: its "-" after the state digit dropped.
std::string ClubOf(const std::string& field) {
    std::string club = field;
    if (club.size() > 1 && club[1] == '-')
        club.erase(1, 1);
    return club;
}

bool InactiveField(const std::string& club) {
    return club.size() > 1 && club[1] == 'i';
}

std::string NumberIn(const std::string& number, std::size_t width) {
    const std::string cut = number.substr(0, width);
    return std::string(width - cut.size(), ' ') + cut;
}

// Whether the first alternate line of the player's number names the club.
bool AlternateMember(const std::vector<std::string>& alternate, const std::string& number,
                     const std::string& club) {
    for (const std::string& line : alternate) {
        if (Trimmed(line.substr(0, 7)) != number)
            continue;
        if (Trimmed(club).empty())
            return false;
        for (std::size_t column : {38, 43, 48, 53, 58, 63, 68, 73, 78, 83, 88})
            if (line.size() >= column && line.substr(column - 1, 4) == club)
                return true;
        return false;
    }
    return false;
}

bool Selected(const Made& p, const ExtractChoices& c, const std::vector<std::string>& alternate) {
    const int type = static_cast<int>(c.Type);
    std::string club = ClubOf(p.HomeClub);
    if (type <= 4 && (InactiveField(club) || club == "9997" || club == "9953" || club == "9952" ||
                      club == "9951"))
        return false;
    if (type == 1 && !(Points(p.Overall) && *Points(p.Overall) >= c.TopMinimum))
        return false;
    if (type == 2 && !(Points(p.ThisYear) && *Points(p.ThisYear) >= c.YearMinimum))
        return false;
    if (type == 3 && !(Points(p.ThisYear) && *Points(p.ThisYear) >= 10))
        return false;
    bool inactive = false;
    if (type == 5 && club.find('i') != std::string::npos) {
        club.erase(club.find('i'), 1);
        inactive = true;
    }
    if (c.ClubOnly) {
        if (c.AllMembers && type <= 3)
            return AlternateMember(alternate, p.Number, c.ClubNo);
        return club == c.ClubNo && inactive == (type == 5);
    }
    return c.State.Digit == '\0' || (!club.empty() && club[0] == c.State.Digit);
}

double Minimum(const std::string& word, double otherwise) {
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos ||
        word.size() > 5)
        return otherwise;
    return std::clamp(std::atoi(word.c_str()), 2, 20000);
}

std::string Detail(const ExtractChoices& c, std::size_t got, std::size_t expected) {
    return std::string(Info(c.Type).CommandName) + " state '" + c.State.FileNamePart +
           "' club-only " + std::to_string(c.ClubOnly) + " all " + std::to_string(c.AllMembers) +
           " club '" + c.ClubNo + "': " + std::to_string(got) + " listed, " +
           std::to_string(expected) + " expected";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::SplitInput input = fuzz::Split(fuzz::AsText(data, size));
    const std::vector<std::string> preamble = fuzz::PlainLines(input.Preamble);
    if (preamble.empty())
        return 0;

    const std::vector<std::string> first = Words(preamble[0]);
    auto word = [&first](std::size_t k) { return k < first.size() ? first[k] : std::string(); };
    auto number = [&word](std::size_t k) {
        return static_cast<unsigned>(std::strtoul(word(k).substr(0, 4).c_str(), nullptr, 10));
    };
    ExtractChoices choices;
    choices.Type = static_cast<OutputType>(number(0) % kOutputTypeCount);
    choices.State = kStateChoices[number(1) % kStateChoices.size()];
    choices.ClubOnly = number(2) % 2 == 1;
    choices.AllMembers = number(3) % 2 == 1;
    choices.TopMinimum = Minimum(word(4), kDefaultTopMinimum);
    choices.YearMinimum = Minimum(word(5), kDefaultYearMinimum);
    choices.ClubNo = word(6).substr(0, 4);
    const int type = static_cast<int>(choices.Type);

    // The register: a header, then a line of 132 columns for each made player.
    std::vector<Made> made;
    std::string national = "QMR NATIONAL MASTERPOINT REGISTER\r\n";
    for (std::size_t k = 1; k < preamble.size() && made.size() < 300; ++k) {
        const std::vector<std::string> w = Words(preamble[k]);
        auto field = [&w](std::size_t i, std::size_t width) {
            return i < w.size() ? w[i].substr(0, width) : std::string();
        };
        const Made p{field(0, 7), field(1, 18), field(2, 8), field(3, 8), field(4, 5), field(5, 9)};
        made.push_back(p);
        PlayerRecord record;
        record.QMRNo = p.Number;
        record.Surname = p.Surname;
        record.OverallTotal = p.Overall;
        record.TotalThisYear = p.ThisYear;
        record.HomeClub = p.HomeClub;
        record.Rank = p.Rank;
        national += MakePlayerLine(record) + "\r\n";
    }
    PlayerRegister players;
    players.Assign(national);
    Check(players.Count() == made.size() + 1, "the made register holds every made player");
    ClubRegister clubs;
    clubs.Assign(input.Get(ClubRegister::FileName));

    const fuzz::ScratchFolder& folder = fuzz::Folder();
    folder.Empty();
    for (const char* name : {AlternateMembers::FileName, "INPUT.TXT"})
        if (const std::string* bytes = input.Find(name))
            folder.Write(name, *bytes);
    const Result<Extraction> run =
        RunExtraction(players, clubs, choices, folder.Path(), folder.Path() / "INPUT.TXT");

    // What a run refuses before it reads or writes anything.
    const bool clubOnly = choices.ClubOnly && choices.Type != OutputType::InactiveFile;
    std::string refusal;
    if (clubOnly && choices.ClubNo.empty())
        refusal = "Club Number must be entered.";
    else if (clubOnly && clubs.GetClubDescription(choices.ClubNo).empty())
        refusal = "No Club has this Number.";
    else if (clubOnly && choices.AllMembers && type <= 3 && !input.Find("ALTERNAT.TXT"))
        refusal = "Cannot read ALTERNAT.TXT";
    else if (choices.Type == OutputType::InactiveFile && !input.Find("INPUT.TXT"))
        refusal = "Cannot read ";
    if (!refusal.empty()) {
        Check(!run && run.Message().rfind(refusal, 0) == 0, "a run refuses what it should",
              refusal + " / " + (run ? std::string("success") : run.Message()));
        return 0;
    }
    const std::vector<std::string> alternate = fuzz::PlainLines(input.Get("ALTERNAT.TXT"));
    // The first most improved player, in register order, whose overall total is not a
    // number stops the run with the conversion message.
    if (type == 3)
        for (const Made& p : made)
            if (Selected(p, choices, alternate) && !Points(p.Overall)) {
                const std::string message =
                    "'" + p.Overall + "' is not a valid floating point value";
                Check(!run && run.Message() == message,
                      "a total that is not a number stops the run",
                      message + " / " + (run ? std::string("success") : run.Message()));
                return 0;
            }
    Check(static_cast<bool>(run), "a run with its files succeeds", run ? "" : run.Message());
    const Extraction& out = *run;
    Check(folder.Read(folder.Path() / out.FileName) == out.Bytes(),
          "the file written holds the list returned", out.FileName);
    Check(out.Players.size() == out.LineCount(), "each line is one player's");
    std::size_t endings = 0;
    for (std::size_t at = out.Bytes().find("\r\n"); at != std::string::npos;
         at = out.Bytes().find("\r\n", at + 2))
        ++endings;
    Check(endings == out.LineCount(), "each line of the file ends in CR LF");

    std::vector<std::size_t> expected; // register lines, in register order
    if (choices.Type == OutputType::InactiveFile) {
        // Each input line whose number (columns 1-7) is an inactive player's, in input order.
        for (const std::string& line : fuzz::PlainLines(input.Get("INPUT.TXT"))) {
            std::string typed = line.substr(0, 7);
            if (Trimmed(typed).empty())
                continue;
            while (typed.size() > 1 && typed[0] == '0')
                typed.erase(0, 1);
            for (std::size_t i = 0; i < made.size(); ++i)
                if (NumberIn(made[i].Number, 7) == NumberIn(typed, 7)) {
                    if (InactiveField(ClubOf(made[i].HomeClub)))
                        expected.push_back(i + 1);
                    break;
                }
        }
        Check(out.Players == expected, "the inactive-file list is the inactive players typed",
              Detail(choices, out.Players.size(), expected.size()));
        return 0;
    }
    for (std::size_t i = 0; i < made.size(); ++i)
        if (Selected(made[i], choices, alternate))
            expected.push_back(i + 1);
    std::vector<std::size_t> listed = out.Players;
    std::sort(listed.begin(), listed.end());
    Check(listed == expected, "a list holds exactly the selected players, each once",
          Detail(choices, listed.size(), expected.size()));
    if (type <= 3)
        Check(out.NoPlayersFound == expected.empty(), "no players found is an empty list");
    if (type >= 1 && type <= 3)
        for (std::size_t k = 0; k < out.LineCount(); ++k) {
            std::ostringstream rank;
            rank << k + 1 << ". ";
            std::string head = rank.str();
            head.insert(0, head.size() < 6 ? 6 - head.size() : 0, ' ');
            Check(out.Line(k).substr(0, head.size()) == head, "a ranked list counts its lines",
                  std::string(out.Line(k)));
        }
    return 0;
}
