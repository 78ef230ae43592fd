#include "SampleData.h"

#include "core/AsciiText.h"
#include "core/TextHelpers.h"
#include "register/PlayerRegister.h"
#include "statements/RankTable.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace mpsec::sample {

namespace {

// splitmix64: the same numbers on every machine and library.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <class T, std::size_t N> const T& Pick(const T (&items)[N]) { return items[Below(N)]; }

  private:
    std::uint64_t state_;
};

const char* const kSyllables[] = {"KAR", "VEL", "LO",  "MIN", "DOR", "SAN", "TEL", "BRO", "WIK",
                                  "ZAN", "PER", "OLI", "NAS", "TRU", "GEN", "FAL", "MOR", "QUIN",
                                  "RED", "HAL", "BER", "STO", "LAN", "VIC", "DAL", "PEN", "JOR",
                                  "MAC", "ELL", "ROS", "TAV", "KEN", "BEL", "GAR", "NOR", "FEW"};
const char* const kGivenStarts[] = {"AL", "BRE", "CAR", "DE", "EL",  "FA", "GRE", "HEL",
                                    "IS", "JA",  "KA",  "LU", "MA",  "NO", "OR",  "PA",
                                    "RO", "SI",  "TE",  "VA", "WIN", "YU", "ZO",  "ME"};
const char* const kGivenEnds[] = {"NA", "RIN", "VIN", "LA",  "TON", "RA",  "SSA", "DRIC",
                                  "NE", "MON", "LIE", "NTH", "RDA", "VEN", "SEL", "TTA"};
const char* const kPlaces[] = {"ARDEN",     "BELLMORE",    "CASTLETON",  "DUNVALE",    "EASTWICK",
                               "FERNHILL",  "GLENORA",     "HARTWELL",   "IRONBARK",   "JARRAH",
                               "KELVALE",   "LINDEN",      "MARLOW",     "NORTHCLIFF", "OAKBANK",
                               "PINEGROVE", "QUARRY HILL", "REDCLIFF",   "SILVERDALE", "TALLOWOOD",
                               "UPTON",     "VALEVIEW",    "WATTLEBANK", "YARRABEND"};
const char* const kStates[] = {"ACT", "NSW", "VIC", "QLD", "SA", "WA", "TAS", "NT"};
const char* const kTitles[] = {"MR", "MRS", "MS", "DR"};
const char* const kEvents[] = {"SPRING CONGRESS PAIRS",  "AUTUMN TEAMS",        "STATE OPEN PAIRS",
                               "NATIONAL SENIORS TEAMS", "WINTER SWISS PAIRS",  "COUNTRY CONGRESS",
                               "GOLD COAST TEAMS",       "SUMMER FESTIVAL",     "INTERSTATE TEAMS",
                               "RESTRICTED PAIRS",       "NOVICE CHAMPIONSHIP", "MIXED PAIRS"};

constexpr int kMissingNumber = 80004;
constexpr int kNewZealandNumber = 6688;
constexpr int kUKNumber = 2119;
constexpr int kPicturePlayer = 126799; // the player view shows a picture for this one

struct Club {
    std::string Number; // 4 characters
    std::string Name;
};

struct Player {
    int Number = 0;
    PlayerRecord Fields;
    std::string RawHomeClub; // 3-104, 3i104 or 9-997
    int Rank = 0;
};

std::string Fixed(double value, int decimals = 2) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string Digits(int value, int width) {
    return PadLeft(std::to_string(value), width, '0');
}

void WriteLines(const fs::path& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string MakeSurname(Random& r) {
    std::string s = r.Pick(kSyllables);
    s += LowerAscii(r.Pick(kSyllables));
    if (r.Chance(35))
        s += LowerAscii(r.Pick(kSyllables));
    s = UpperAscii(s);
    if (r.Chance(3))
        s = "O'" + s;
    return s;
}

std::string MakeGivenName(Random& r) {
    return std::string(r.Pick(kGivenStarts)) + r.Pick(kGivenEnds);
}

std::vector<Club> MakeClubs(Random& r, int perState) {
    std::vector<Club> clubs;
    for (int state = 1; state <= 8; ++state)
        for (int i = 0; i < perState; ++i) {
            std::string name = std::string(kPlaces[(state * 7 + i) % std::size(kPlaces)]);
            if (i >= static_cast<int>(std::size(kPlaces)) / 3)
                name += " " + std::string(r.Pick(kPlaces)).substr(0, 4);
            clubs.push_back(
                {std::to_string(state) + Digits(101 + i * 3, 3), name + " BRIDGE CLUB"});
        }
    clubs.push_back({"9997", "DELETED PLAYERS"});
    clubs.push_back({"9998", "OVERSEAS AND UNKNOWN PLAYERS"});
    clubs.push_back({"9999", "UNATTACHED PLAYERS"});
    return clubs;
}

std::string ClubLine(Random& r, const Club& club) {
    const int state = club.Number[0] - '0';
    const char* stateName = state >= 1 && state <= 8 ? kStates[state - 1] : "AUS";
    const std::string postcode = Digits(r.Between(800, 7999), 4);
    const std::string phone = "0" + std::to_string(r.Between(2, 8)) + " " +
                              Digits(r.Between(0, 9999), 4) + " " + Digits(r.Between(0, 9999), 4);
    const std::string secretary = MakeSurname(r);
    const std::string street =
        std::to_string(r.Between(1, 250)) + " " + TitleCase(r.Pick(kPlaces)) + " Road";
    std::vector<std::string> fields = {
        club.Number,
        club.Name,
        street,                                               // 3
        TitleCase(r.Pick(kPlaces)),                           // 4
        stateName,                                            // 5
        postcode,                                             // 6
        phone,                                                // 7
        TitleCase(r.Pick(kTitles)),                           // 8: secretary, first part
        "S",                                                  // 9
        std::string(1, static_cast<char>('A' + r.Below(26))), // 10
        TitleCase(secretary),                                 // 11
        std::to_string(r.Between(1, 90)) + " " + TitleCase(r.Pick(kPlaces)) + " Street", // 12
        TitleCase(r.Pick(kPlaces)),                                                      // 13
        stateName,                                                                       // 14
        postcode,                                                                        // 15
        phone,                                                                           // 16
        LowerAscii(secretary) + "@example.org",                                          // 17
        "A",                                                                             // 18
    };
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + fields[i];
    return line + ",";
}

// Points for a rank: enough to hold it, short of the next where the ladder allows.
void FillPoints(Random& r, Player& p, double thisYearShare) {
    const RankRow& row = RankTable[p.Rank];
    const double next = p.Rank + 1 < static_cast<int>(RankTable.size())
                            ? RankTable[p.Rank + 1].TotalRequired
                            : row.TotalRequired * 1.5;
    const double lo = row.TotalRequired;
    const double hi = std::max(lo + 1.0, next);
    const double total = lo + (hi - lo) * (r.Below(1000) / 1000.0);
    double gold = std::max<double>(row.GoldRequired, total * r.Between(5, 30) / 100.0);
    double red = std::max<double>(row.GoldRedRequired - gold, total * r.Between(10, 40) / 100.0);
    if (gold + red > total)
        red = std::max(0.0, total - gold);
    double green = std::max(0.0, total - gold - red);
    gold = static_cast<int>(gold * 100) / 100.0;
    red = static_cast<int>(red * 100) / 100.0;
    green = static_cast<int>(green * 100) / 100.0;
    const double sum = gold + red + green;
    const double thisYear = static_cast<int>(sum * thisYearShare * 100) / 100.0;
    const double lastYear = static_cast<int>((sum - thisYear) * 0.3 * 100) / 100.0;
    const double prior = sum - thisYear - lastYear;
    PlayerRecord& f = p.Fields;
    f.OverallTotal = Fixed(sum);
    f.OverallGold = Fixed(gold);
    f.OverallRed = Fixed(red);
    f.OverallGreen = Fixed(green);
    f.TotalThisYear = Fixed(thisYear);
    f.TotalLastYear = Fixed(lastYear);
    f.TotalPriorYears = Fixed(prior);
    f.GoldQ = Fixed(thisYear * 0.1);
    f.RedQ = Fixed(thisYear * 0.2);
    f.GreenQ = Fixed(thisYear * 0.3);
    f.Rank = row.RegisterForm;
}

int WeightedRank(Random& r) {
    // Most players hold the lower ranks.
    static const int weights[22] = {60, 40, 40, 35, 30, 28, 26, 24, 20, 18, 15,
                                    12, 10, 9,  8,  7,  6,  5,  3,  2,  1,  1};
    int total = 0;
    for (int w : weights)
        total += w;
    int pick = r.Below(total);
    for (int i = 0; i < 22; ++i) {
        if (pick < weights[i])
            return i;
        pick -= weights[i];
    }
    return 0;
}

std::vector<Player> MakePlayers(Random& r, const SampleOptions& o, const std::vector<Club>& clubs) {
    std::vector<std::string> surnames;
    const int poolSize = std::max(8, o.Players / 6);
    for (int i = 0; i < poolSize; ++i)
        surnames.push_back(MakeSurname(r));

    std::set<int> used = {kMissingNumber, kNewZealandNumber, kUKNumber, kPicturePlayer};
    std::vector<Player> players;
    const int realClubs = static_cast<int>(clubs.size()) - 3;
    for (int i = 0; i < o.Players; ++i) {
        Player p;
        do
            p.Number = r.Between(1000, 2999999);
        while (!used.insert(p.Number).second);
        p.Fields.QMRNo = std::to_string(p.Number);
        p.Fields.Surname = surnames[r.Below(poolSize)];
        p.Fields.GivenName = MakeGivenName(r);
        p.Rank = i < 22 ? i : WeightedRank(r);
        const Club& club = clubs[r.Below(realClubs)];
        const int kind = i < 22 ? 0 : r.Below(100);
        if (kind < 8 && i >= 22)
            p.RawHomeClub = club.Number.substr(0, 1) + "i" + club.Number.substr(1);
        else if (kind < 9 && i >= 22)
            p.RawHomeClub = "9-997";
        else
            p.RawHomeClub = club.Number.substr(0, 1) + "-" + club.Number.substr(1);
        FillPoints(r, p, r.Between(0, 40) / 100.0);
        p.Fields.HomeClub = p.RawHomeClub;
        players.push_back(p);
    }
    // The one register name that needs the given-name correction.
    players[22].Fields.Surname = ShippedGivenNameCorrection().Surname;
    players[22].Fields.GivenName = ShippedGivenNameCorrection().GivenName;
    players[23].Number = kPicturePlayer;
    players[23].Fields.QMRNo = std::to_string(kPicturePlayer);
    // Placeholder numbers for players without a register number of their own.
    auto special = [&](int number, const char* surname, const char* given) {
        Player p;
        p.Number = number;
        p.Fields.QMRNo = std::to_string(number);
        p.Fields.Surname = surname;
        p.Fields.GivenName = given;
        p.RawHomeClub = p.Fields.HomeClub = "9-998";
        FillPoints(r, p, 0.0);
        players.push_back(p);
    };
    special(kMissingNumber, "NUMBER MISSING", "QMR");
    special(kNewZealandNumber, "NEW ZEALAND", "PLAYER");
    special(kUKNumber, "UNITED KINGDOM", "PLAYER");

    std::sort(players.begin(), players.end(), [](const Player& a, const Player& b) {
        std::string ka =
            PadRight(a.Fields.Surname, 18, ' ') + PadRight(a.Fields.GivenName, 10, ' ');
        std::string kb =
            PadRight(b.Fields.Surname, 18, ' ') + PadRight(b.Fields.GivenName, 10, ' ');
        return ka != kb ? ka < kb : a.Number < b.Number;
    });
    return players;
}

std::string MPLine(int number, int points1, int points2 = -1) {
    std::string line = Digits(number, 7) + Digits(points1, 6);
    if (points2 >= 0)
        line += Digits(points2, 6);
    return line;
}

const Player& PickActive(Random& r, const std::vector<Player>& players) {
    for (;;) {
        const Player& p = players[r.Below(static_cast<int>(players.size()))];
        if (p.RawHomeClub[1] == '-' && p.RawHomeClub != "9-997" && p.RawHomeClub != "9-998")
            return p;
    }
}

const Player& PickWhere(const std::vector<Player>& players, bool (*test)(const Player&)) {
    for (const Player& p : players)
        if (test(p))
            return p;
    return players.front();
}

std::vector<std::string> CleanMPFile(Random& r, const std::vector<Player>& players, int lines,
                                     bool twoColours) {
    std::vector<std::string> out;
    for (int i = 0; i < lines; ++i) {
        const Player& p = PickActive(r, players);
        out.push_back(MPLine(p.Number, r.Between(6, 450), twoColours ? r.Between(0, 300) : -1));
    }
    return out;
}

// A file with one of every problem the viewer reports.
std::vector<std::string> FaultyMPFile(Random& r, const std::vector<Player>& players,
                                      bool twoColours) {
    std::vector<std::string> out = CleanMPFile(r, players, 6, twoColours);
    const int second = twoColours ? 40 : -1;
    out.push_back(MPLine(9999999, 100, second)); // not in the register
    out.push_back("");                           // blank line
    out.push_back(MPLine(kMissingNumber, 50, second));
    out.push_back(MPLine(kNewZealandNumber, 75, second));
    out.push_back(MPLine(kUKNumber, 25, second));
    const Player& inactive =
        PickWhere(players, [](const Player& p) { return p.RawHomeClub[1] == 'i'; });
    out.push_back(MPLine(inactive.Number, 120, second));
    const Player& deleted =
        PickWhere(players, [](const Player& p) { return p.RawHomeClub == "9-997"; });
    out.push_back(MPLine(deleted.Number, 60, second));
    if (twoColours)
        out.push_back(MPLine(PickActive(r, players).Number, 90)); // short line: second value 0
    out.push_back(PadLeft(std::to_string(PickActive(r, players).Number), 7, ' ') +
                  "000150"); // blanks, not zeros
    std::vector<std::string> more = CleanMPFile(r, players, 4, twoColours);
    out.insert(out.end(), more.begin(), more.end());
    return out;
}

// The year's awards of each player, gold, red and green, so the register can hold them.
using YearSums = std::map<int, std::array<double, 3>>;

std::vector<std::string> History(Random& r, const SampleOptions& o,
                                 const std::vector<Player>& players, const std::vector<Club>& clubs,
                                 int eventCount, YearSums& sums) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(o.HistoryLines));
    const char kinds[] = {'C', 'C', 'C', 'C', 'C', 'C', 'D', 'V', 'X', 'Y', 'A', 'H', 'M', 'N'};
    const int realClubs = static_cast<int>(clubs.size()) - 3;
    for (int i = 0; i < o.HistoryLines; ++i) {
        const int quarter =
            1 + static_cast<int>(static_cast<long long>(i) * 4 / std::max(1, o.HistoryLines));
        const Player& p = i == o.HistoryLines - 1 ? players[1] : PickActive(r, players);
        const char kind = kinds[r.Below(static_cast<int>(sizeof kinds))];
        const int pointKind = r.Between(1, 5);
        std::string line =
            std::to_string(quarter) + "26" + Digits(p.Number, 7) + kind + std::to_string(pointKind);
        if (kind == 'C' || kind == 'D' || kind == 'V')
            line += clubs[r.Below(realClubs)].Number;
        else if (kind == 'X' || kind == 'Y')
            line += " E" + Digits(r.Below(eventCount), 2);
        else
            line += "    ";
        const double first = r.Between(10, 2500) / 100.0;
        const double second = pointKind >= 4 ? r.Between(0, 1500) / 100.0 : 0.0;
        line += PadLeft(Fixed(first), 8, ' ');
        if (pointKind >= 4)
            line += " " + PadLeft(Fixed(second), 7, ' ');
        // Point kinds: 1 gold, 2 red, 3 green, 4 gold and red, 5 red and green.
        static const int firstColour[] = {0, 0, 1, 2, 0, 1};
        auto& sum = sums[p.Number];
        sum[static_cast<std::size_t>(firstColour[pointKind])] += first;
        if (pointKind >= 4)
            sum[pointKind == 4 ? 1 : 2] += second;
        out.push_back(line);
    }
    return out;
}

} // namespace

SampleOptions NationalSize() {
    SampleOptions o;
    o.Players = 150000;
    o.ClubsPerState = 60;
    o.HistoryLines = 2000000;
    o.BigMPFileLines = 100000;
    o.AlternateEvery = 1;
    return o;
}

void WriteSampleFolder(const fs::path& folder, const SampleOptions& o) {
    fs::create_directories(folder);
    Random r(o.Seed);

    const std::vector<Club> clubs = MakeClubs(r, o.ClubsPerState);
    std::vector<std::string> clubLines;
    for (const Club& club : clubs)
        clubLines.push_back(ClubLine(r, club));
    WriteLines(folder / "NATIONAL.CLB", clubLines);

    std::vector<Player> players = MakePlayers(r, o, clubs);
    std::vector<std::string> alternates;
    for (std::size_t i = 0; i < players.size(); i += static_cast<std::size_t>(o.AlternateEvery)) {
        const Player& p = players[i];
        std::string line = PadLeft(p.Fields.QMRNo, 7, ' ') + " " +
                           PadRight(p.Fields.Surname, 18, ' ') +
                           PadRight(p.Fields.GivenName, 10, ' ') + " " +
                           p.RawHomeClub.substr(0, 1) + p.RawHomeClub.substr(2, 3);
        const int others = r.Between(1, 3);
        for (int k = 0; k < 10; ++k)
            line += " " + (k < others ? clubs[r.Below(static_cast<int>(clubs.size()) - 3)].Number
                                      : std::string(4, ' '));
        alternates.push_back(line);
    }
    WriteLines(folder / "ALTERNAT.TXT", alternates);

    const int eventCount = static_cast<int>(std::size(kEvents));
    std::vector<std::string> events;
    for (int i = 0; i < eventCount; ++i)
        events.push_back("E" + Digits(i, 2) + "2026 " + kEvents[i]);
    WriteLines(folder / "events.txt", events);
    YearSums sums;
    WriteLines(folder / "history.txt", History(r, o, players, clubs, eventCount, sums));

    // The register's totals include the year's awards.
    for (Player& p : players) {
        auto it = sums.find(p.Number);
        if (it == sums.end())
            continue;
        PlayerRecord& f = p.Fields;
        const auto& [gold, red, green] = it->second;
        f.OverallGold = Fixed(std::stod(f.OverallGold) + gold);
        f.OverallRed = Fixed(std::stod(f.OverallRed) + red);
        f.OverallGreen = Fixed(std::stod(f.OverallGreen) + green);
        f.OverallTotal = Fixed(std::stod(f.OverallTotal) + gold + red + green);
        f.TotalThisYear = Fixed(std::stod(f.TotalThisYear) + gold + red + green);
    }
    std::vector<std::string> register_ = {
        "QMR NATIONAL MASTERPOINT REGISTER - MADE-UP SAMPLE DATA"};
    for (const Player& p : players)
        register_.push_back(MakePlayerLine(p.Fields));
    WriteLines(folder / "National.TXT", register_);

    std::vector<std::string> pre82 = {"QMR NO. PRE-1982 RED POINTS"};
    std::vector<int> pre82Players;
    for (const Player& p : players)
        if (p.Rank >= 13 && r.Chance(40))
            pre82Players.push_back(p.Number);
    std::sort(pre82Players.begin(), pre82Players.end());
    for (int number : pre82Players)
        pre82.push_back(Digits(number, 7) + " " +
                        PadLeft(Fixed(r.Between(100, 20000) / 100.0), 6, ' '));
    WriteLines(folder / "PRE82.TXT", pre82);

    // Masterpoint files of the five types, named club number, quarter, year.
    WriteLines(folder / "3104326.gld", CleanMPFile(r, players, 24, false));
    WriteLines(folder / "3104326.red", FaultyMPFile(r, players, false));
    WriteLines(folder / "2101326.grn", CleanMPFile(r, players, 30, false));
    WriteLines(folder / "3104326.gar", CleanMPFile(r, players, 18, true));
    WriteLines(folder / "5107326.rag", FaultyMPFile(r, players, true));
    // Old-style names: one beside the register (renamed at start-up), the rest in a
    // scorer's folder (renamed when browsed, after the warning).
    WriteLines(folder / "4101326.MP2", CleanMPFile(r, players, 10, false));
    fs::create_directories(folder / "old-scorer");
    WriteLines(folder / "old-scorer" / "6101326.MP1", CleanMPFile(r, players, 12, false));
    WriteLines(folder / "old-scorer" / "6101326.mp3", CleanMPFile(r, players, 12, false));
    WriteLines(folder / "old-scorer" / "6101326.MP5", CleanMPFile(r, players, 12, true));
    WriteLines(folder / "old-scorer" / "6104326.MP2", CleanMPFile(r, players, 8, false));
    WriteLines(folder / "old-scorer" / "6104326.red", CleanMPFile(r, players, 8, false));
    WriteLines(folder / "old-scorer" / "6101326.MP12", CleanMPFile(r, players, 4, false));

    if (o.BigMPFileLines > 0)
        WriteLines(folder / "NATIONAL-SIZE.gld", CleanMPFile(r, players, o.BigMPFileLines, false));
}

} // namespace mpsec::sample
