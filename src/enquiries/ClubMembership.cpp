#include "enquiries/ClubMembership.h"

#include "core/AsciiText.h"
#include "core/Columns.h"
#include "core/TextHelpers.h"
#include "enquiries/TextOrder.h"

#include <algorithm>
#include <optional>

namespace mpsec {

namespace {

constexpr int kFirstClub = 1000;
constexpr int kLastClub = 10000;
constexpr int kDescriptionWidth = 60;
constexpr int kCountWidth = 6;

// A club number 1000-10000 written in digits only; nothing for anything else.
std::optional<int> ClubNumber(std::string_view text) {
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < kFirstClub || n > kLastClub)
        return std::nullopt;
    return n;
}

// A count right-justified in `width` blanks; a longer count is shown whole.
std::string CountText(std::uint64_t count, int width) {
    const std::string digits = std::to_string(count);
    return digits.size() >= static_cast<std::size_t>(width) ? digits : PadLeft(digits, width, ' ');
}

} // namespace

bool IsKeyWordCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '\'';
}

std::vector<std::string> KeyWordSearch(const ClubRegister& clubs, std::string_view keyWord) {
    std::vector<std::string> list;
    if (keyWord.empty())
        return list;
    const LineList& lines = clubs.ClubList();
    for (std::size_t j = 0; j < lines.Count(); ++j) {
        if (lines[j].find(keyWord) == std::string_view::npos)
            continue;
        for (std::string& line : SecretaryEntry(clubs.ParseTheClubList(j)))
            list.push_back(std::move(line));
    }
    return list;
}

MembershipCount CountHomeClubMembers(const PlayerRegister& national, const ClubRegister& clubs,
                                     const StateChoice& state) {
    std::vector<std::uint64_t> members(kLastClub - kFirstClub + 1, 0);
    const LineList& register_ = national.NationalList();
    for (std::size_t i = 1; i < register_.Count(); ++i) {
        // An inactive member's "3i104" and any field naming no club number count nowhere.
        if (const auto club = ClubNumber(HomeClubCode(HomeClubField(register_[i]))))
            ++members[static_cast<std::size_t>(*club - kFirstClub)];
    }

    MembershipCount result;
    const LineList& clubLines = clubs.ClubList();
    for (std::size_t j = 0; j < clubLines.Count(); ++j) {
        const std::string_view code = clubLines.Head(j, 4);
        if (state.Digit != '\0' && (code.empty() || code[0] != state.Digit))
            continue;
        const auto club = ClubNumber(code);
        if (!club)
            continue; // no counter for a club line that does not begin with a club number
        const std::uint64_t count = members[static_cast<std::size_t>(*club - kFirstClub)];
        result.Lines.push_back(PadRight(clubs.GetClubDescription(code), kDescriptionWidth, ' ') +
                               CountText(count, kCountWidth));
        if (code != "9999")
            result.Total += count;
    }
    return result;
}

std::string TotalActiveMembershipText(std::uint64_t total) {
    return "Total Active Membership: " + std::to_string(total);
}

std::vector<std::string> SortMembershipLines(const std::vector<std::string>& lines) {
    struct Entry {
        std::string Key; // the count in 10 digits, a blank, the description
        std::uint64_t Count;
    };
    std::vector<Entry> entries;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '9')
            continue;
        const std::string_view countText = TrimBlanks(Cols(line, 61, 8));
        std::uint64_t count = 0;
        for (char c : countText)
            if (c >= '0' && c <= '9')
                count = count * 10 + static_cast<std::uint64_t>(c - '0');
        entries.push_back(
            {PadLeft(countText, 10, '0') + " " + std::string(Cols(line, 1, kDescriptionWidth)),
             count});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return CompareTextNoCase(a.Key, b.Key) > 0;
    });
    std::vector<std::string> sorted;
    sorted.reserve(entries.size());
    for (const Entry& e : entries)
        sorted.push_back(PadRight(Cols(e.Key, 12, kDescriptionWidth), kDescriptionWidth, ' ') +
                         " " + CountText(e.Count, kCountWidth));
    return sorted;
}

} // namespace mpsec
