#include "enquiries/Extraction.h"

#include "core/AsciiText.h"
#include "core/Columns.h"
#include "core/FileReading.h"
#include "core/Files.h"
#include "core/NumberFormats.h"
#include "core/TextHelpers.h"
#include "enquiries/TextOrder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace mpsec {

namespace {

// Deleted players (9997) and the federation's own holding clubs.
constexpr std::string_view kExcludedClubs[] = {"9997", "9953", "9952", "9951"};
constexpr std::size_t kMaxOutputLine = 255;
constexpr int kRankWidth = 4;
constexpr int kKeyWidth = 9;

int TypeNumber(OutputType type) {
    return static_cast<int>(type);
}

// The register line's first column is the blank before a number of up to six digits,
// dropped from the written lines. A seven-digit number fills it: a list that holds one keeps
// the column on every line, so every field stays at the same column on every line.
bool FirstColumnKept(std::string_view text) {
    return !text.empty() && text[0] != ' ';
}

// Compares key1+text1 with key2+text2 in the sorted lists' order, without joining them.
int CompareJoinedNoCase(std::string_view a1, std::string_view a2, std::string_view b1,
                        std::string_view b2) {
    const std::size_t common = std::min(a1.size(), b1.size());
    if (const int c = CompareTextNoCase(a1.substr(0, common), b1.substr(0, common)); c != 0)
        return c;
    if (a1.size() == b1.size())
        return CompareTextNoCase(a2, b2);
    // One key is longer: its tail meets the start of the other's text.
    if (a1.size() > b1.size()) {
        const std::string_view tail = a1.substr(common);
        const std::size_t n = std::min(tail.size(), b2.size());
        if (const int c = CompareTextNoCase(tail.substr(0, n), b2.substr(0, n)); c != 0)
            return c;
        if (n < tail.size())
            return 1; // b's whole text matched part of a's key tail
        return CompareTextNoCase(a2, b2.substr(n));
    }
    return -CompareJoinedNoCase(b1, b2, a1, a2);
}

std::uint64_t BigEndian(const unsigned char* p) {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v = (v << 8) | p[i];
    return v;
}

// A count right-justified in `width` characters; a longer one is written whole.
std::string RightJustified(std::size_t n, int width) {
    const std::string digits = std::to_string(n);
    return digits.size() >= static_cast<std::size_t>(width) ? digits : PadLeft(digits, width, ' ');
}

// The players and lines of types 4 to 6 name each player; 4 and 5 are read by other
// programs as comma-separated values.
std::string NamesLine(std::string_view line) {
    constexpr ColumnWindow surnameAndBlank{PlayerColumns::Surname.From,
                                           PlayerColumns::Surname.Width + 1};
    return std::string(TrimLeft(Cols(line, PlayerColumns::QMRNo))) + "," +
           std::string(TrimRight(Cols(line, surnameAndBlank))) + "," +
           std::string(Cols(line, PlayerColumns::ComparedGivenName));
}

} // namespace

std::string_view Extraction::Line(std::size_t k) const {
    const std::size_t begin = k == 0 ? 0 : ends_[k - 1] + 2;
    return std::string_view(bytes_).substr(begin, ends_[k] - begin);
}

std::vector<std::string> Extraction::FileLines() const {
    std::vector<std::string> lines;
    lines.reserve(LineCount());
    for (std::size_t k = 0; k < LineCount(); ++k)
        lines.emplace_back(Line(k));
    return lines;
}

std::vector<std::string> Extraction::ListLines() const {
    return Listed ? FileLines() : std::vector<std::string>{};
}

void Extraction::End() {
    ends_.push_back(bytes_.size());
    bytes_ += "\r\n";
}

void Extraction::Add(std::string_view line) {
    bytes_.append(line);
    End();
}

void Extraction::Reserve(std::size_t bytes, std::size_t lines) {
    bytes_.reserve(bytes);
    ends_.reserve(lines);
}

bool ListShown(OutputType type) {
    return type != OutputType::AllPlayers && type != OutputType::HomeClub;
}

bool ClubOnlyApplies(const ExtractChoices& choices) {
    return choices.ClubOnly && choices.Type != OutputType::InactiveFile;
}

bool AlternateFileCounts(const ExtractChoices& choices) {
    return ClubOnlyApplies(choices) && choices.AllMembers &&
           TypeNumber(choices.Type) <= TypeNumber(OutputType::MostImproved);
}

bool PlayerQualifies(const PlayerRecord& player, const ExtractChoices& choices,
                     const AlternateMembers& alternate) {
    std::string_view home = player.HomeClub;
    const OutputType type = choices.Type;
    if (TypeNumber(type) <= TypeNumber(OutputType::HomeClub)) {
        if (home.size() > 1 && home[1] == 'i')
            return false;
        for (std::string_view excluded : kExcludedClubs)
            if (home == excluded)
                return false;
    }
    // A total that is not a number meets no minimum.
    auto atLeast = [](const std::string& total, double minimum) {
        const auto value = DecimalValue(total);
        return value && *value >= minimum;
    };
    bool inactive = false;
    std::string lastClub;
    switch (type) {
    case OutputType::TopPerformers:
        if (!atLeast(player.OverallTotal, choices.TopMinimum))
            return false;
        break;
    case OutputType::TopThisYear:
        if (!atLeast(player.TotalThisYear, choices.YearMinimum))
            return false;
        break;
    case OutputType::MostImproved:
        if (!atLeast(player.TotalThisYear, kMostImprovedMinimum))
            return false;
        break;
    case OutputType::InactiveClub:
        if (const auto i = home.find('i'); i != std::string_view::npos) {
            lastClub = std::string(home.substr(0, i)) + std::string(home.substr(i + 1));
            home = lastClub;
            inactive = true;
        }
        break;
    default:
        break;
    }
    if (ClubOnlyApplies(choices)) {
        if (AlternateFileCounts(choices))
            return alternate.IsMember(player.QMRNo, choices.ClubNo);
        const bool wanted = type == OutputType::InactiveClub;
        return home == choices.ClubNo && inactive == wanted;
    }
    return choices.State.Digit == '\0' || (!home.empty() && home[0] == choices.State.Digit);
}

std::string Improvement(const PlayerRecord& player) {
    const double thisYear = DecimalValue(player.TotalThisYear).value_or(0);
    const double overall = DecimalValue(player.OverallTotal).value_or(0);
    double value = overall + 100 == 0 ? 0 : thisYear * 100 / (overall + 100) * 100;
    value = std::round(value);
    if (value == 0)
        value = 0; // no "-0"
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", value);
    return PadLeft(text, 8, ' ');
}

std::string ExtractLine(OutputType type, std::string_view line, const PlayerRecord& player,
                        std::string_view clubDescription) {
    // The pieces of the register line the ranked lists copy as they stand: the home club
    // with its "-" or "i" (and the two columns after the line's end), the rank name without
    // its last column, the total and the this-year total with the column before each.
    constexpr ColumnWindow names = Through(PlayerColumns::Surname, PlayerColumns::GivenName);
    constexpr ColumnWindow homeClub{PlayerColumns::HomeClub.From, 7};
    constexpr ColumnWindow rank{PlayerColumns::Rank.From, PlayerColumns::Rank.Width - 1};
    constexpr ColumnWindow total{PlayerColumns::OverallTotal.From,
                                 PlayerColumns::OverallTotal.Width + 1};
    constexpr ColumnWindow thisYear{PlayerColumns::TotalThisYear.From,
                                    PlayerColumns::TotalThisYear.Width + 1};
    auto ranked = [&](std::string_view between) {
        return std::string(Cols(line, PlayerColumns::QMRNo)) + " " +
               std::string(Cols(line, names)) + std::string(Cols(line, homeClub)) +
               std::string(between) + std::string(Cols(line, rank));
    };
    switch (type) {
    case OutputType::AllPlayers:
        return std::string(line);
    case OutputType::TopPerformers:
        return ranked(" ") + std::string(Cols(line, total));
    case OutputType::TopThisYear:
        return ranked(" ") + std::string(Cols(line, thisYear));
    case OutputType::MostImproved:
        return ranked("  ") + " " + Improvement(player);
    case OutputType::HomeClub:
    case OutputType::InactiveClub:
        return NamesLine(line);
    case OutputType::InactiveFile:
        return NamesLine(line) + " " + std::string(Cols(clubDescription, 11, 40));
    }
    return {};
}

std::string OutputFileName(const ExtractChoices& choices) {
    std::string name = Info(choices.Type).Prefix;
    if (ClubOnlyApplies(choices))
        name += choices.ClubNo;
    else if (choices.Type != OutputType::InactiveFile)
        name += choices.State.FileNamePart;
    return name + ".TXT";
}

std::string ExtractTitle(const ExtractChoices& choices) {
    std::string title = std::string(Info(choices.Type).Caption) + " - ";
    if (ClubOnlyApplies(choices))
        return title + "Club " + choices.ClubNo;
    return title + choices.State.ExtractCaption;
}

Status CheckClubChoice(const ExtractChoices& choices, const ClubRegister& clubs) {
    if (!ClubOnlyApplies(choices))
        return {};
    if (choices.ClubNo.empty())
        return Failure{kClubNumberMissing};
    if (clubs.GetClubDescription(choices.ClubNo).empty())
        return Failure{kNoClubWithNumber};
    return {};
}

namespace {

// The inactive players of the numbers listed in `inputLines`, in their order, with the
// club each was last in.
void ExtractInactiveListed(const PlayerRegister& national, const ClubRegister& clubs,
                           const LineList& inputLines, Extraction& out) {
    const LineList& lines = national.NationalList();
    for (std::size_t k = 0; k < inputLines.Count(); ++k) {
        const std::string_view number = Cols(inputLines[k], PlayerColumns::QMRNo);
        if (Trim(number).empty())
            continue;
        const std::size_t index = national.FindPlayerByNumber(number);
        if (index == 0)
            continue;
        const PlayerRecord player = national.GetPlayer(index);
        if (!IsInactive(player))
            continue;
        out.Add(ExtractLine(OutputType::InactiveFile, lines[index], player,
                            clubs.GetClubDescription(player.HomeClub)));
        out.Players.push_back(index);
    }
}

// An entry of the sorted list: a key, then the line it orders (the raw register line for
// type 0).
struct SortEntry {
    std::string Key;
    std::string Built;
    std::string_view Raw;
    std::size_t Line;
    std::string_view Text() const { return Built.empty() ? Raw : std::string_view(Built); }
};

// The qualifying players: the ranked types and type 0 as entries to sort, the club lists
// added to `out` as they come. False when a player's total stops the run (its StoppedBy
// says why).
bool CollectQualifying(const PlayerRegister& national, const ExtractChoices& choices,
                       const AlternateMembers& alternate, std::vector<SortEntry>& sorted,
                       Extraction& out) {
    const OutputType type = choices.Type;
    const LineList& lines = national.NationalList();
    if (TypeNumber(type) <= TypeNumber(OutputType::MostImproved))
        sorted.reserve(lines.Count());
    for (std::size_t i = 1; i < lines.Count(); ++i) {
        const PlayerRecord player = national.GetPlayer(i);
        if (!PlayerQualifies(player, choices, alternate))
            continue;
        switch (type) {
        case OutputType::AllPlayers:
            sorted.push_back({player.HomeClub, {}, lines[i], i});
            break;
        case OutputType::TopPerformers:
        case OutputType::TopThisYear:
        case OutputType::MostImproved: {
            // Its overall total is divided by: one that is not a number stops the run, as
            // a total that does not convert does on every other screen.
            if (type == OutputType::MostImproved && !DecimalValue(player.OverallTotal)) {
                out.StoppedBy =
                    Failure{"'" + player.OverallTotal + "' is not a valid floating point value"};
                return false;
            }
            const std::string key = type == OutputType::TopPerformers ? player.OverallTotal
                                    : type == OutputType::TopThisYear ? player.TotalThisYear
                                                                      : Improvement(player);
            sorted.push_back(
                {PadLeft(key, kKeyWidth, '0'), ExtractLine(type, lines[i], player), {}, i});
            break;
        }
        case OutputType::HomeClub:
        case OutputType::InactiveClub:
            out.Add(ExtractLine(type, lines[i], player));
            out.Players.push_back(i);
            break;
        case OutputType::InactiveFile:
            break;
        }
    }
    return true;
}

// A place in the order of the sorted list: the first 16 folded characters of its entry,
// and the entry.
struct SortPlace {
    std::uint64_t High, Low;
    std::uint32_t Entry;
};

// Highest first; equal keys by the rest of the entry, so the higher player number first.
// The entries stay where they are: an order of small records is sorted, each with the
// first 16 folded characters of its entry, so most comparisons never reach the texts.
std::vector<SortPlace> HighestFirst(const std::vector<SortEntry>& sorted) {
    std::vector<SortPlace> order;
    order.reserve(sorted.size());
    for (std::size_t k = 0; k < sorted.size(); ++k) {
        unsigned char head[16] = {};
        std::size_t n = 0;
        for (std::string_view part : {std::string_view(sorted[k].Key), sorted[k].Text()})
            for (std::size_t j = 0; j < part.size() && n < 16; ++j)
                head[n++] = static_cast<unsigned char>(UpperAscii(part[j]));
        order.push_back({BigEndian(head), BigEndian(head + 8), static_cast<std::uint32_t>(k)});
    }
    std::stable_sort(order.begin(), order.end(), [&](const SortPlace& a, const SortPlace& b) {
        if (a.High != b.High)
            return a.High > b.High;
        if (a.Low != b.Low)
            return a.Low > b.Low;
        const SortEntry& x = sorted[a.Entry];
        const SortEntry& y = sorted[b.Entry];
        return CompareJoinedNoCase(x.Key, x.Text(), y.Key, y.Text()) > 0;
    });
    return order;
}

// The sorted entries as the lines of `out`, numbered by rank but for type 0.
void AppendInOrder(OutputType type, const std::vector<SortEntry>& sorted,
                   const std::vector<SortPlace>& order, Extraction& out) {
    std::size_t rank = 0;
    std::size_t bytes = 0;
    for (const SortEntry& e : sorted)
        bytes += e.Text().size() + 10;
    out.Reserve(bytes, sorted.size());
    out.Players.reserve(sorted.size());
    const bool keepFirstColumn = std::any_of(
        sorted.begin(), sorted.end(), [](const SortEntry& e) { return FirstColumnKept(e.Text()); });
    for (const SortPlace& place : order) {
        const SortEntry& e = sorted[place.Entry];
        out.Players.push_back(e.Line);
        const std::string_view text =
            (keepFirstColumn ? e.Text()
                             : e.Text().substr(std::min<std::size_t>(1, e.Text().size())))
                .substr(0, kMaxOutputLine);
        if (type != OutputType::AllPlayers) {
            out.Append(RightJustified(++rank, kRankWidth));
            out.Append(". ");
        }
        out.Append(text);
        out.End();
    }
}

} // namespace

Extraction ExtractPlayers(const PlayerRegister& national, const ClubRegister& clubs,
                          const ExtractChoices& choices, const AlternateMembers& alternate,
                          const LineList& inputLines) {
    Extraction out;
    out.FileName = OutputFileName(choices);
    out.Listed = ListShown(choices.Type);
    const OutputType type = choices.Type;
    if (type == OutputType::InactiveFile) {
        ExtractInactiveListed(national, clubs, inputLines, out);
        return out;
    }
    std::vector<SortEntry> sorted;
    if (!CollectQualifying(national, choices, alternate, sorted, out))
        return out;
    if (type == OutputType::HomeClub || type == OutputType::InactiveClub)
        return out;
    const std::vector<SortPlace> order = HighestFirst(sorted);
    out.NoPlayersFound = sorted.empty();
    AppendInOrder(type, sorted, order, out);
    return out;
}

Result<Extraction> RunExtraction(const PlayerRegister& national, const ClubRegister& clubs,
                                 const ExtractChoices& choices, const std::filesystem::path& folder,
                                 const std::filesystem::path& inputFile) {
    if (Status club = CheckClubChoice(choices, clubs); !club)
        return Failure{club.Message()};
    AlternateMembers alternate;
    if (AlternateFileCounts(choices)) {
        if (Status read = alternate.LoadFrom(folder); !read)
            return Failure{std::string("Cannot read ") + AlternateMembers::FileName + " (" +
                           read.Message() + "): it is needed to include all members."};
    }
    LineList input;
    if (choices.Type == OutputType::InactiveFile) {
        if (Status read = ReadLines(inputFile, input); !read)
            return Failure{"Cannot read " + PathText(inputFile) + ": " + read.Message() + "."};
    }
    Extraction result = ExtractPlayers(national, clubs, choices, alternate, input);
    if (result.StoppedBy)
        return *result.StoppedBy;
    if (Status written =
            WriteFileAtomically(folder / PathFromText(result.FileName), result.Bytes());
        !written)
        return Failure{"Cannot write " + result.FileName + ": " + written.Message() + "."};
    return result;
}

} // namespace mpsec
