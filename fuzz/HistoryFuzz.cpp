// The award history, the events and the pre-1982 points read from any bytes: every history
// line parses or fails as its fields say, amounts are read strictly, a player's lines are
// found by the index as a walk over the file finds them, and the pre-1982 points of a
// number are those of its first line.
#include "FuzzSupport.h"

#include "core/AsciiText.h"
#include "core/Columns.h"
#include "core/TextHelpers.h"
#include "register/ClubRegister.h"
#include "statements/History.h"

#include <cmath>
#include <cstdlib>
#include <optional>

using namespace mpsec;
using mpsec::fuzz::Check;

namespace {

// How a number field of the award files reads: blanks around an optional sign and digits
// with an optional decimal point. `strict` asks for digits on both sides of a point; the
// loose form also takes "5." and ".5". Nothing when it is no number of that form.
std::optional<double> NumberField(std::string_view text, bool strict) {
    text = TrimBlanks(text);
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    const std::size_t wholeStart = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9')
        ++at;
    const std::size_t whole = at - wholeStart;
    std::size_t fraction = 0;
    bool point = false;
    if (at < text.size() && text[at] == '.') {
        point = true;
        ++at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9')
            ++at, ++fraction;
    }
    if (at != text.size() || whole + fraction == 0)
        return std::nullopt;
    if (strict && (whole == 0 || (point && fraction == 0)))
        return std::nullopt;
    return std::strtod(std::string(text).c_str(), nullptr);
}

// An amount that was read: a number of the loose form, with the value of its digits held
// to four decimals.
void CheckAmount(std::string_view field, Amount amount, const std::string& line) {
    const auto loose = NumberField(field, false);
    Check(loose.has_value(), "only a number of digits is read as an amount",
          "'" + std::string(field) + "' in '" + line + "'");
    const double read = amount.ToDouble();
    Check(std::fabs(read - *loose) <= 0.00005 + std::fabs(*loose) * 1e-15,
          "an amount reads as its digits", line);
}

std::string Typed(std::string_view seven) {
    while (seven.size() > 1 && seven.front() == '0')
        seven.remove_prefix(1);
    return std::string(seven);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::SplitInput input = fuzz::Split(fuzz::AsText(data, size));
    const std::string historyText = input.Get(kHistoryFileName);
    const LineList history(historyText);
    const LineList events(input.Get(kEventsFileName));
    const LineList pre82(input.Get(kPre82FileName));
    ClubRegister clubs;
    clubs.Assign(input.Get(ClubRegister::FileName));
    const auto describe = [&clubs](std::string_view code) {
        return clubs.GetClubDescription(code);
    };

    for (std::size_t i = 0; i < history.Count() && i < 200; ++i) {
        const std::string_view line = history[i];
        const std::string shown(line);
        const Result<AwardLine> award = ParseHistoryLine(line, events, describe);
        const std::string_view kindText = Cols(line, 12, 1);
        const bool kindIsDigit = !kindText.empty() && kindText[0] >= '0' && kindText[0] <= '9';
        if (!kindIsDigit) {
            Check(!award, "a point kind that is not a digit fails", shown);
            continue;
        }
        const int kind = kindText[0] - '0';
        const std::string_view first = Cols(line, 17, 8), second = Cols(line, 26, 7);
        if (kind < 1 || kind > 5) {
            Check(award.Ok() && award->Kind == PointKind::None && award->Gold == Amount{} &&
                      award->Red == Amount{} && award->Green == Amount{},
                  "a point kind outside 1-5 carries nothing", shown);
            continue;
        }
        if (!award) {
            // Only a bad amount fails the line: the first, or else the second of two.
            Check(!NumberField(first, true) || (kind >= 4 && !NumberField(second, true)),
                  "a line of good amounts is read", shown);
            continue;
        }
        CheckAmount(first,
                    kind == 1 || kind == 4 ? award->Gold : (kind == 3 ? award->Green : award->Red),
                    shown);
        if (kind >= 4)
            CheckAmount(second, kind == 4 ? award->Red : award->Green, shown);
        Check(award->Period == std::string(line.substr(0, 1)) + "/" + std::string(Cols(line, 2, 2)),
              "the period is the quarter and the year", shown);
    }

    // A player's lines, by the index and by a walk over the file.
    HistoryIndex index;
    if (!index.Build(historyText))
        return 0;
    for (std::size_t i : fuzz::Spread(0, history.Count(), 6)) {
        const std::string_view seven = Cols(history[i], 4, 7);
        for (const std::string& typed : {Typed(seven), std::string(seven)}) {
            if (typed.empty() || typed.size() > 7)
                continue;
            const std::string key = PadLeft(typed, 7, '0');
            std::vector<std::string_view> walked;
            for (std::size_t j = 0; j < history.Count(); ++j)
                if (history[j].size() >= 10 && history[j].substr(3, 7) == key)
                    walked.push_back(history[j]);
            const std::vector<std::string_view> found = index.PlayerLines(typed);
            bool same = found == walked;
            Check(same, "the index finds a player's lines as a walk does",
                  "number '" + typed + "': " + std::to_string(found.size()) + " found, " +
                      std::to_string(walked.size()) + " walked");
        }
    }

    // The pre-1982 points of a number: those of its first line, read strictly.
    for (std::size_t i : fuzz::Spread(1, pre82.Count(), 6)) {
        const std::string typed = Typed(Cols(pre82[i], 1, 7));
        std::size_t first = 0;
        for (std::size_t j = 1; j < pre82.Count() && first == 0; ++j)
            if (Typed(Cols(pre82[j], 1, 7)) == typed)
                first = j;
        const Result<Amount> points = GetPre82RedPoints(pre82, typed);
        const std::string_view field = Cols(pre82[first], 9, 6);
        if (points)
            CheckAmount(field, *points, std::string(pre82[first]));
        else
            Check(!NumberField(field, true), "pre-1982 points of digits are read",
                  std::string(pre82[first]));
    }
    return 0;
}
