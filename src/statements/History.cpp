#include "statements/History.h"

#include "core/Files.h"
#include "core/LargeArray.h"

#include "core/Columns.h"
#include "core/TextHelpers.h"

#include <cerrno>
#include <charconv>
#include <cstring>

namespace mpsec {

namespace {

Failure FloatError(std::string_view text) {
    return {"'" + std::string(text) + "' is not a valid floating point value"};
}

} // namespace

char GetEventType(std::string_view line) {
    return line.size() >= 11 ? line[10] : '\0';
}

namespace {

// The quarter of the award as the statement shows it: "3/24" for "324".
std::string AwardPeriod(std::string_view line) {
    const std::string_view period = Cols(line, 1, 3);
    return period.empty() ? std::string()
                          : std::string(period.substr(0, 1)) + "/" + std::string(period.substr(1));
}

// The code and the description of the award's event, as its event type finds them: in the
// club register, in the events file, or fixed.
void NameAwardEvent(std::string_view line, const LineList& events,
                    const std::function<std::string(std::string_view)>& clubDescription,
                    AwardLine& award) {
    switch (GetEventType(line)) {
    case 'A':
    case 'H':
        award.Code = "SPC";
        award.Description = "Adjustment";
        break;
    case 'C':
    case 'D':
    case 'V': {
        award.Code = std::string(Cols(line, 13, 4));
        const std::string description =
            clubDescription ? clubDescription(award.Code) : std::string();
        award.Description = description.size() > 5 ? description.substr(5, 40) : std::string();
        break;
    }
    case 'M':
        award.Description = "Merged Player Points";
        break;
    case 'N':
        award.Description = "Manual Adjustment";
        break;
    case 'X':
    case 'Y': {
        award.Code = std::string(Cols(line, 14, 3));
        for (std::size_t i = 0; i < events.Count(); ++i)
            if (Cols(events[i], 1, 3) == award.Code) {
                award.Description = std::string(Cols(events[i], 4, 62));
                break;
            }
        break;
    }
    default:
        break; // an unknown kind names nothing
    }
}

// The award's points in the colours of its kind (1 to 5; another kind has none), or why
// the kind or an amount is not a number.
Status AddAwardPoints(std::string_view line, AwardLine& award) {
    const std::string_view kindText = Cols(line, 12, 1);
    if (kindText.empty() || kindText[0] < '0' || kindText[0] > '9')
        return Failure{"'" + Latin1ToUtf8(kindText) + "' is not a valid integer value"};
    const int kind = kindText[0] - '0';
    if (kind < 1 || kind > 5)
        return {};
    const std::string_view firstText = Cols(line, 17, 8);
    const auto first = DecimalAmount(firstText);
    if (!first)
        return FloatError(firstText);
    Amount second;
    if (kind >= 4) {
        const std::string_view secondText = Cols(line, 26, 7);
        const auto value = DecimalAmount(secondText);
        if (!value)
            return FloatError(secondText);
        second = *value;
    }
    // The kinds 1 to 5 and the colours their first and second amounts go to.
    struct KindColours {
        PointKind Kind;
        Amount AwardLine::*First;
        Amount AwardLine::*Second;
    };
    static constexpr KindColours kKinds[] = {
        {PointKind::Gold, &AwardLine::Gold, nullptr},
        {PointKind::Red, &AwardLine::Red, nullptr},
        {PointKind::Green, &AwardLine::Green, nullptr},
        {PointKind::GoldRed, &AwardLine::Gold, &AwardLine::Red},
        {PointKind::RedGreen, &AwardLine::Red, &AwardLine::Green},
    };
    const KindColours& colours = kKinds[kind - 1];
    award.Kind = colours.Kind;
    award.*colours.First = *first;
    if (colours.Second)
        award.*colours.Second = second;
    return {};
}

} // namespace

Result<AwardLine>
ParseHistoryLine(std::string_view line, const LineList& events,
                 const std::function<std::string(std::string_view)>& clubDescription) {
    AwardLine award;
    award.Period = AwardPeriod(line);
    NameAwardEvent(line, events, clubDescription, award);
    if (Status points = AddAwardPoints(line, award); !points)
        return Failure{points.Message()};
    return award;
}

namespace {

constexpr std::uint32_t kNoGroup = UINT32_MAX;

// The 7 characters as a number, or -1 when they are not all digits.
std::int64_t Number7(std::string_view seven) {
    std::int64_t value = 0;
    for (char c : seven) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::size_t SlotOfNumber(std::int64_t number, std::uint64_t mask) {
    return static_cast<std::size_t>((static_cast<std::uint64_t>(number) * 0x9E3779B97F4A7C15ull) >>
                                    24) &
           mask;
}

std::uint64_t SlotKey(std::uint64_t slot) {
    return slot >> 32;
}

// The number of a line whose number field is not 7 digits.
constexpr std::uint32_t kOtherNumber = UINT32_MAX;

// One pass over the bytes: the start and the number of every line that holds one
// (number + 1; kOtherNumber for a field that is not 7 digits). False when there is not the
// memory for them.
bool NumberedLines(std::string_view text, LargeArray<std::uint32_t>& starts,
                   LargeArray<std::uint32_t>& numbers) {
    // A line with a number takes 11 bytes or more, its line end included.
    const std::size_t most = text.size() / 11 + 1;
    if (!starts.Reserve(most) || !numbers.Reserve(most))
        return false;
    bool full = false;
    ForEachLine(text, [&](std::size_t offset, std::string_view line) {
        if (line.size() < 10)
            return;
        const std::int64_t number = Number7(line.substr(3, 7));
        full =
            !starts.PushBack(static_cast<std::uint32_t>(offset)) ||
            !numbers.PushBack(number < 0 ? kOtherNumber : static_cast<std::uint32_t>(number + 1)) ||
            full;
    });
    return !full;
}

} // namespace

void HistoryIndex::Grow(std::size_t capacity) {
    std::vector<std::uint64_t> old = std::move(slots_);
    slots_.assign(capacity, 0);
    mask_ = capacity - 1;
    for (std::uint64_t slot : old) {
        if (slot == 0)
            continue;
        std::size_t at = SlotOfNumber(static_cast<std::int64_t>(SlotKey(slot) - 1), mask_);
        while (slots_[at] != 0)
            at = (at + 1) & mask_;
        slots_[at] = slot;
    }
}

std::uint32_t HistoryIndex::Insert(std::string_view seven) {
    const std::int64_t number = Number7(seven);
    if (number >= 0)
        return Insert(number);
    auto [it, added] = others_.try_emplace(std::string(seven), groups_);
    if (added)
        ++groups_;
    return it->second;
}

std::uint32_t HistoryIndex::Insert(std::int64_t number) {
    const std::uint64_t key = static_cast<std::uint64_t>(number) + 1;
    std::size_t at = SlotOfNumber(number, mask_);
    while (slots_[at] != 0 && SlotKey(slots_[at]) != key)
        at = (at + 1) & mask_;
    if (slots_[at] != 0)
        return static_cast<std::uint32_t>(slots_[at]);
    if ((groups_ + 1) * 10ull > slots_.size() * 7ull) {
        Grow(slots_.size() * 2);
        return Insert(number);
    }
    slots_[at] = key << 32 | groups_;
    return groups_++;
}

Status HistoryIndex::Build(std::string_view text) {
    text_ = text;
    // A national file has about a dozen lines a player; the table grows when it must.
    std::size_t capacity = 1024;
    while (capacity < text.size() / 256)
        capacity <<= 1;
    slots_.clear();
    others_.clear();
    groups_ = 0;
    Grow(capacity);

    LargeArray<std::uint32_t> starts, numbers;
    const Failure noMemory{std::strerror(ENOMEM)};
    if (!NumberedLines(text, starts, numbers))
        return noMemory;

    // Each number to its group, in place. The slot of the line a little ahead is fetched
    // before it is needed: the table is larger than the cache, and waiting for each slot
    // in turn would dominate.
    LargeArray<std::uint32_t>& lineGroups = numbers;
    std::vector<std::uint32_t> counts;
    constexpr std::size_t kAhead = 16;
    for (std::size_t i = 0; i < numbers.Size(); ++i) {
        if (i + kAhead < numbers.Size() && numbers[i + kAhead] != kOtherNumber)
            __builtin_prefetch(&slots_[SlotOfNumber(numbers[i + kAhead] - 1, mask_)]);
        const std::uint32_t group = numbers[i] == kOtherNumber
                                        ? Insert(text.substr(starts[i] + 3, 7))
                                        : Insert(numbers[i] - 1);
        if (group >= counts.size())
            counts.resize(group + 1, 0);
        ++counts[group];
        lineGroups[i] = group;
    }

    // Then the starts placed group after group, each group in file order.
    groupStarts_.assign(groups_ + 1, 0);
    for (std::uint32_t g = 0; g < groups_; ++g)
        groupStarts_[g + 1] = groupStarts_[g] + counts[g];
    std::vector<std::uint32_t>& next = counts; // where each group's next start goes
    std::copy(groupStarts_.begin(), groupStarts_.end() - 1, next.begin());
    if (!lineStarts_.Reserve(starts.Size()))
        return noMemory;
    lineStarts_.Resize(starts.Size());
    for (std::size_t i = 0; i < starts.Size(); ++i)
        lineStarts_[next[lineGroups[i]]++] = starts[i];
    return {};
}

std::uint32_t HistoryIndex::Group(std::string_view seven) const {
    const std::int64_t value = Number7(seven);
    if (value < 0) {
        auto it = others_.find(std::string(seven));
        return it == others_.end() ? kNoGroup : it->second;
    }
    const std::uint64_t key = static_cast<std::uint64_t>(value) + 1;
    for (std::size_t at = SlotOfNumber(value, mask_); slots_[at] != 0; at = (at + 1) & mask_)
        if (SlotKey(slots_[at]) == key)
            return static_cast<std::uint32_t>(slots_[at]);
    return kNoGroup;
}

std::string_view HistoryIndex::LineAt(std::uint32_t offset) const {
    std::size_t end = offset;
    while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r')
        ++end;
    return text_.substr(offset, end - offset);
}

std::vector<std::string_view> HistoryIndex::PlayerLines(std::string_view number) const {
    std::vector<std::string_view> result;
    const std::string padded = PadLeft(number, 7, '0');
    if (slots_.empty() || padded.size() != 7)
        return result;
    const std::uint32_t group = Group(padded);
    if (group == kNoGroup)
        return result;
    for (std::uint32_t i = groupStarts_[group]; i < groupStarts_[group + 1]; ++i)
        result.push_back(LineAt(lineStarts_[i]));
    return result;
}

Result<Amount> GetPre82RedPoints(const LineList& pre82, std::string_view typedNumber) {
    for (std::size_t i = 1; i < pre82.Count(); ++i) {
        std::string_view number = Cols(pre82[i], 1, 7);
        while (number.size() > 1 && number.front() == '0')
            number.remove_prefix(1);
        if (number != typedNumber)
            continue;
        const std::string_view pointsText = Cols(pre82[i], 9, 6);
        const auto points = DecimalAmount(pointsText);
        if (!points)
            return FloatError(pointsText);
        return *points;
    }
    return Amount{};
}

bool AwardFilesPresent(const std::filesystem::path& folder) {
    return FileExistsNoCase(folder, kHistoryFileName) && FileExistsNoCase(folder, kEventsFileName);
}

} // namespace mpsec
