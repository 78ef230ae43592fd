#include "statements/History.h"

#include "core/Columns.h"
#include "register/TextHelpers.h"

#include <charconv>
#include <cstring>

namespace mpsec {

namespace {

std::uint64_t PackKey(std::string_view seven) {
    std::uint64_t key = 0;
    std::memcpy(&key, seven.data(), 7);
    return key | (std::uint64_t{1} << 63);
}

std::size_t SlotOf(std::uint64_t key, std::uint64_t mask) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 20) & mask;
}

std::string FloatError(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid floating point value";
}

} // namespace

char GetEventType(std::string_view line) {
    return line.size() >= 11 ? line[10] : '\0';
}

std::optional<double> DecimalValue(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty())
        return std::nullopt;
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

ParsedAward ParseInStringData(std::string_view line, const LineList& events,
                              const std::function<std::string(std::string_view)>& clubDescription) {
    AwardLine award;
    const std::string_view period = Cols(line, 1, 3);
    award.Period = period.empty()
                       ? std::string()
                       : std::string(period.substr(0, 1)) + "/" + std::string(period.substr(1));

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

    const std::string_view kindText = Cols(line, 12, 1);
    if (kindText.empty() || kindText[0] < '0' || kindText[0] > '9')
        return {std::nullopt, "'" + std::string(kindText) + "' is not a valid integer value"};
    const int kind = kindText[0] - '0';
    if (kind < 1 || kind > 5)
        return {award, {}};
    const std::string_view firstText = Cols(line, 17, 8);
    const auto first = DecimalValue(firstText);
    if (!first)
        return {std::nullopt, FloatError(firstText)};
    double second = 0;
    if (kind >= 4) {
        const std::string_view secondText = Cols(line, 26, 7);
        const auto value = DecimalValue(secondText);
        if (!value)
            return {std::nullopt, FloatError(secondText)};
        second = *value;
    }
    switch (kind) {
    case 1:
        award.Kind = PointKind::Gold;
        award.Gold = *first;
        break;
    case 2:
        award.Kind = PointKind::Red;
        award.Red = *first;
        break;
    case 3:
        award.Kind = PointKind::Green;
        award.Green = *first;
        break;
    case 4:
        award.Kind = PointKind::GoldRed;
        award.Gold = *first;
        award.Red = second;
        break;
    case 5:
        award.Kind = PointKind::RedGreen;
        award.Red = *first;
        award.Green = second;
        break;
    }
    return {award, {}};
}

void HistoryIndex::Grow(std::size_t capacity) {
    std::vector<std::uint64_t> oldKeys = std::move(keys_);
    std::vector<std::uint32_t> oldGroups = std::move(groups_);
    keys_.assign(capacity, 0);
    groups_.assign(capacity, 0);
    mask_ = capacity - 1;
    for (std::size_t s = 0; s < oldKeys.size(); ++s) {
        if (oldKeys[s] == 0)
            continue;
        std::size_t slot = SlotOf(oldKeys[s], mask_);
        while (keys_[slot] != 0)
            slot = (slot + 1) & mask_;
        keys_[slot] = oldKeys[s];
        groups_[slot] = oldGroups[s];
    }
}

void HistoryIndex::Build(const LineList& history) {
    const std::size_t count = history.Count();
    // A national file has about a dozen lines a player; the table grows when it must.
    std::size_t capacity = 1024;
    while (capacity < count / 4)
        capacity <<= 1;
    keys_.clear();
    Grow(capacity);

    std::vector<std::uint32_t> groupOfLine(count, UINT32_MAX);
    std::vector<std::uint32_t> sizes;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view line = history[i];
        if (line.size() < 10)
            continue;
        if (i + 8 < count && history[i + 8].size() >= 10)
            __builtin_prefetch(&keys_[SlotOf(PackKey(history[i + 8].substr(3, 7)), mask_)]);
        const std::uint64_t key = PackKey(line.substr(3, 7));
        std::size_t slot = SlotOf(key, mask_);
        while (keys_[slot] != 0 && keys_[slot] != key)
            slot = (slot + 1) & mask_;
        if (keys_[slot] == 0) {
            if ((sizes.size() + 1) * 10 > keys_.size() * 7) {
                Grow(keys_.size() * 2);
                slot = SlotOf(key, mask_);
                while (keys_[slot] != 0)
                    slot = (slot + 1) & mask_;
            }
            keys_[slot] = key;
            groups_[slot] = static_cast<std::uint32_t>(sizes.size());
            sizes.push_back(0);
        }
        groupOfLine[i] = groups_[slot];
        ++sizes[groups_[slot]];
    }
    starts_.assign(sizes.size() + 1, 0);
    for (std::size_t g = 0; g < sizes.size(); ++g)
        starts_[g + 1] = starts_[g] + sizes[g];
    lines_.assign(starts_.back(), 0);
    std::vector<std::uint32_t> next(starts_.begin(), starts_.end() - 1);
    for (std::size_t i = 0; i < count; ++i)
        if (groupOfLine[i] != UINT32_MAX)
            lines_[next[groupOfLine[i]]++] = static_cast<std::uint32_t>(i);
}

std::vector<std::string_view> HistoryIndex::PlayerLines(const LineList& history,
                                                        std::string_view number) const {
    std::vector<std::string_view> result;
    const std::string padded = PadLeft(number, 7, '0');
    if (keys_.empty() || padded.size() != 7)
        return result;
    const std::uint64_t key = PackKey(padded);
    for (std::size_t slot = SlotOf(key, mask_); keys_[slot] != 0; slot = (slot + 1) & mask_) {
        if (keys_[slot] != key)
            continue;
        const std::uint32_t g = groups_[slot];
        for (std::uint32_t k = starts_[g]; k < starts_[g + 1]; ++k)
            result.push_back(history[lines_[k]]);
        break;
    }
    return result;
}

Pre82Result GetPre82RedPoints(const LineList& pre82, std::string_view typedNumber) {
    for (std::size_t i = 1; i < pre82.Count(); ++i) {
        std::string_view number = Cols(pre82[i], 1, 7);
        while (number.size() > 1 && number.front() == '0')
            number.remove_prefix(1);
        if (number != typedNumber)
            continue;
        const std::string_view pointsText = Cols(pre82[i], 9, 6);
        const auto points = DecimalValue(pointsText);
        if (!points)
            return {0, FloatError(pointsText)};
        return {*points, {}};
    }
    return {0, {}};
}

} // namespace mpsec
