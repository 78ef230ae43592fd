#include "register/PlayerRegister.h"

#include "core/AsciiText.h"
#include "core/Columns.h"
#include "core/FileReading.h"
#include "core/TextHelpers.h"

#include <algorithm>
#include <cstring>

namespace mpsec {

namespace {

// The fifteen fields, in PlayerRecord order.
constexpr ColumnWindow kFields[15] = {
    PlayerColumns::QMRNo,           PlayerColumns::Surname,       PlayerColumns::GivenName,
    PlayerColumns::OverallTotal,    PlayerColumns::OverallGold,   PlayerColumns::OverallRed,
    PlayerColumns::OverallGreen,    PlayerColumns::TotalThisYear, PlayerColumns::TotalLastYear,
    PlayerColumns::TotalPriorYears, PlayerColumns::GoldQ,         PlayerColumns::RedQ,
    PlayerColumns::GreenQ,          PlayerColumns::Rank,          PlayerColumns::HomeClub};

std::string* FieldOf(PlayerRecord& p, int i) {
    std::string* fields[15] = {
        &p.QMRNo,      &p.Surname,      &p.GivenName,     &p.OverallTotal,  &p.OverallGold,
        &p.OverallRed, &p.OverallGreen, &p.TotalThisYear, &p.TotalLastYear, &p.TotalPriorYears,
        &p.GoldQ,      &p.RedQ,         &p.GreenQ,        &p.Rank,          &p.HomeClub};
    return fields[i];
}

constexpr std::size_t kSurnameWidth = PlayerColumns::Surname.Width;

std::uint64_t PackNumber(std::string_view seven) {
    std::uint64_t key = 0;
    std::memcpy(&key, seven.data(), 7);
    return key | (std::uint64_t{1} << 63); // never 0, which marks an empty slot
}

std::size_t HashSlot(std::uint64_t key, std::uint64_t mask) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 17) & mask;
}

constexpr std::uint32_t kLineMask = (1u << 25) - 1;
// A register larger than this (33 million players) is not indexed beyond it.
constexpr std::size_t kMaxIndexedLine = kLineMask;

std::uint32_t HashTag(std::uint64_t key) {
    return static_cast<std::uint32_t>((key * 0x9E3779B97F4A7C15ull) >> 57) << 25;
}

int CompareBytes(std::string_view a, std::string_view b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::uint64_t BigEndian64(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return __builtin_bswap64(v);
}

// Ordinal comparison of two surname windows; whole 18-character windows, by far the most
// common, compare as three big-endian words.
int CompareWindows(std::string_view a, std::string_view b) {
    if (a.size() != kSurnameWidth || b.size() != kSurnameWidth)
        return CompareBytes(a, b);
    for (std::size_t at : {std::size_t{0}, std::size_t{8}}) {
        const std::uint64_t x = BigEndian64(a.data() + at), y = BigEndian64(b.data() + at);
        if (x != y)
            return x < y ? -1 : 1;
    }
    const unsigned x = (static_cast<unsigned char>(a[16]) << 8) | static_cast<unsigned char>(a[17]);
    const unsigned y = (static_cast<unsigned char>(b[16]) << 8) | static_cast<unsigned char>(b[17]);
    return x < y ? -1 : (x > y ? 1 : 0);
}

} // namespace

PlayerRecord ParsePlayerLine(std::string_view line, const GivenNameCorrection& correction) {
    PlayerRecord p;
    for (int i = 0; i < 15; ++i)
        *FieldOf(p, i) = std::string(Trim(Cols(line, kFields[i])));
    if (p.Surname == correction.Surname && p.GivenName == correction.GivenName)
        p.GivenName = correction.Replacement;
    p.HomeClub = HomeClubCode(p.HomeClub);
    return p;
}

// The register holds the given name cut to its first five letters.
const GivenNameCorrection& ShippedGivenNameCorrection() {
    static const GivenNameCorrection correction{"VANDERKOLK", "MARIE", "MARIE-THERES"};
    return correction;
}

std::string_view HomeClubField(std::string_view line) {
    return Trim(Cols(line, PlayerColumns::HomeClub));
}

std::string HomeClubCode(std::string_view field) {
    std::string code(field);
    if (code.size() > 1 && code[1] == '-')
        code.erase(1, 1);
    return code;
}

bool IsInactive(const PlayerRecord& player) {
    return player.HomeClub.size() >= 2 && player.HomeClub[1] == 'i';
}

std::string MakePlayerLine(const PlayerRecord& p) {
    std::string line(PlayerColumns::LineLength, ' ');
    auto put = [&line](ColumnWindow at, const std::string& text, bool right) {
        std::string cell = right ? PadLeft(text, static_cast<int>(at.Width), ' ')
                                 : PadRight(text, static_cast<int>(at.Width), ' ');
        line.replace(at.From - 1, at.Width, cell);
    };
    // A column shared by two windows, or before the given name, stays blank.
    auto after = [](ColumnWindow w) { return ColumnWindow{w.From + 1, w.Width - 1}; };
    auto before = [](ColumnWindow w) { return ColumnWindow{w.From, w.Width - 1}; };
    put(PlayerColumns::QMRNo, p.QMRNo, true);
    put(PlayerColumns::Surname, p.Surname, false);
    put(after(PlayerColumns::GivenName), p.GivenName, false); // searches compare from 28
    put(PlayerColumns::OverallTotal, p.OverallTotal, true);
    put(PlayerColumns::OverallGold, p.OverallGold, true);
    put(PlayerColumns::OverallRed, p.OverallRed, true);
    put(before(PlayerColumns::OverallGreen), p.OverallGreen, true); // column 70 is shared
    put(after(PlayerColumns::TotalThisYear), p.TotalThisYear, true);
    put(PlayerColumns::TotalLastYear, p.TotalLastYear, true);
    put(PlayerColumns::TotalPriorYears, p.TotalPriorYears, true);
    put(PlayerColumns::GoldQ, p.GoldQ, true);
    put(PlayerColumns::RedQ, p.RedQ, true);
    put(PlayerColumns::GreenQ, p.GreenQ, true);
    put(PlayerColumns::Rank, p.Rank, false);
    put(before(PlayerColumns::HomeClub), p.HomeClub, false);
    return line;
}

Status PlayerRegister::Load(const std::filesystem::path& path) {
    std::string bytes;
    Status read = ReadFileBytes(path, bytes);
    if (read)
        Assign(std::move(bytes));
    else
        Clear();
    return read;
}

void PlayerRegister::Assign(std::string text) {
    // The number of each line is taken while the split has the line in the cache.
    keys_.clear();
    keys_.reserve(text.size() / 100 + 16);
    lines_.Assign(std::move(text), [this](std::size_t, std::string_view line) {
        keys_.push_back(line.size() >= 7 ? PackNumber(line) : 0);
    });
    BuildIndexes();
}

void PlayerRegister::Clear() {
    lines_.Clear();
    keys_.clear();
    BuildIndexes();
}

std::string_view PlayerRegister::NumberIndex(std::size_t k) const {
    return lines_[k + 1].substr(0, 7);
}

void PlayerRegister::BuildIndexes() {
    const std::vector<std::uint64_t>& keys = keys_;
    const std::size_t players = NumberIndexCount();

    std::size_t capacity = 16;
    while (capacity < players + players / 4)
        capacity <<= 1;
    numberSlots_.assign(capacity, 0);
    numberMask_ = capacity - 1;

    // The slots of the lines a few ahead are fetched before they are needed: the table is
    // larger than the cache, and waiting for each slot in turn would dominate the load.
    constexpr std::size_t kAhead = 8;
    const std::size_t indexed = std::min<std::size_t>(players, kMaxIndexedLine);
    for (std::size_t line = 1; line <= indexed; ++line) {
        if (line + kAhead <= indexed && keys[line + kAhead] != 0)
            __builtin_prefetch(&numberSlots_[HashSlot(keys[line + kAhead], numberMask_)], 1);
        const std::uint64_t key = keys[line];
        if (key == 0)
            continue;
        const std::uint32_t tag = HashTag(key);
        for (std::size_t slot = HashSlot(key, numberMask_);; slot = (slot + 1) & numberMask_) {
            const std::uint32_t entry = numberSlots_[slot];
            if (entry == 0) {
                numberSlots_[slot] = static_cast<std::uint32_t>(line) | tag;
                break;
            }
            // The first entry with a number wins.
            if ((entry & ~kLineMask) == tag && keys[entry & kLineMask] == key)
                break;
        }
    }

    surnameIndexBuilt_ = false;
    runningMax_.clear();
    suffixMin_.clear();
}

void PlayerRegister::BuildSurnameIndex() const {
    const std::size_t players = NumberIndexCount();
    runningMax_.resize(players);
    suffixMin_.resize(players);
    for (std::size_t j = 0; j < players; ++j) {
        std::uint32_t line = static_cast<std::uint32_t>(j + 1);
        runningMax_[j] =
            (j == 0 || CompareWindows(SurnameWindow(line), SurnameWindow(runningMax_[j - 1])) > 0)
                ? line
                : runningMax_[j - 1];
    }
    for (std::size_t j = players; j-- > 0;) {
        std::uint32_t line = static_cast<std::uint32_t>(j + 1);
        suffixMin_[j] = (j + 1 == players ||
                         CompareWindows(SurnameWindow(line), SurnameWindow(suffixMin_[j + 1])) < 0)
                            ? line
                            : suffixMin_[j + 1];
    }
}

std::string_view PlayerRegister::SurnameWindow(std::size_t line) const {
    return Cols(lines_[line], PlayerColumns::Surname);
}

int PlayerRegister::CompareSurname(std::size_t line, std::string_view key) const {
    return CompareWindows(SurnameWindow(line), key);
}

PlayerRecord PlayerRegister::GetPlayer(std::size_t index) const {
    if (index == 0 || index >= lines_.Count())
        return PlayerRecord{};
    return ParsePlayerLine(lines_[index], correction_);
}

namespace {

// The packed key a typed or filed number is looked up by: leading zeros dropped (one kept),
// right-aligned in seven characters as the register writes it; 0 for no number.
std::uint64_t LookupKey(std::string_view number) {
    if (number.empty())
        return 0;
    while (number.size() > 1 && number.front() == '0')
        number.remove_prefix(1);
    char seven[7];
    std::memset(seven, ' ', sizeof seven);
    if (number.size() >= 7)
        std::memcpy(seven, number.data(), 7);
    else
        std::memcpy(seven + 7 - number.size(), number.data(), number.size());
    return PackNumber(std::string_view(seven, 7));
}

} // namespace

std::size_t PlayerRegister::Probe(std::uint64_t key) const {
    const std::uint32_t tag = HashTag(key);
    for (std::size_t slot = HashSlot(key, numberMask_); numberSlots_[slot] != 0;
         slot = (slot + 1) & numberMask_) {
        const std::uint32_t entry = numberSlots_[slot];
        if ((entry & ~kLineMask) == tag && keys_[entry & kLineMask] == key)
            return entry & kLineMask;
    }
    return 0;
}

std::size_t PlayerRegister::FindPlayerByNumber(std::string_view number) const {
    const std::uint64_t key = LookupKey(number);
    return key == 0 || NumberIndexCount() == 0 ? 0 : Probe(key);
}

std::vector<std::size_t>
PlayerRegister::FindPlayersByNumber(const std::vector<std::string_view>& numbers) const {
    std::vector<std::size_t> found(numbers.size(), 0);
    if (NumberIndexCount() == 0)
        return found;
    std::vector<std::uint64_t> keys(numbers.size());
    for (std::size_t i = 0; i < numbers.size(); ++i)
        keys[i] = LookupKey(numbers[i]);
    // Three steps apart: the slot of a number is fetched, then the key of the line in that
    // slot, then the number is looked up with both at hand.
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i + 2 * kAhead < keys.size() && keys[i + 2 * kAhead] != 0)
            __builtin_prefetch(&numberSlots_[HashSlot(keys[i + 2 * kAhead], numberMask_)]);
        if (i + kAhead < keys.size() && keys[i + kAhead] != 0) {
            const std::uint32_t entry = numberSlots_[HashSlot(keys[i + kAhead], numberMask_)];
            __builtin_prefetch(&keys_[entry & kLineMask]);
        }
        if (keys[i] != 0)
            found[i] = Probe(keys[i]);
    }
    return found;
}

std::size_t PlayerRegister::FindPlayerBySurname(std::string_view surname,
                                                std::string_view givenName) const {
    const std::size_t players = NumberIndexCount();
    if (players == 0)
        return 0;
    if (!surnameIndexBuilt_) {
        BuildSurnameIndex();
        surnameIndexBuilt_ = true;
    }
    const std::string key = PadRight(surname, static_cast<int>(kSurnameWidth), ' ');
    // First line whose surname is >= the key: the first point where the running maximum
    // reaches the key.
    auto lo = std::partition_point(runningMax_.begin(), runningMax_.end(), [&](std::uint32_t line) {
        return CompareSurname(line, key) < 0;
    });
    if (lo == runningMax_.end())
        return 0;
    const std::size_t first = static_cast<std::size_t>(lo - runningMax_.begin()) + 1;
    if (givenName.empty())
        return first;

    // Lines whose surname equals the key lie before the first point where every later
    // surname is greater than the key.
    auto hi = std::partition_point(suffixMin_.begin(), suffixMin_.end(), [&](std::uint32_t line) {
        return CompareSurname(line, key) <= 0;
    });
    const std::size_t last = static_cast<std::size_t>(hi - suffixMin_.begin()); // 1-based
    const std::string given = PadRight(givenName, 10, ' ');
    for (std::size_t line = first; line <= last && line <= players; ++line) {
        if (CompareSurname(line, key) == 0 &&
            CompareBytes(Cols(lines_[line], PlayerColumns::ComparedGivenName), given) >= 0)
            return line;
    }
    return 0;
}

} // namespace mpsec
