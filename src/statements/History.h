#pragma once
#include "core/LineList.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

inline constexpr const char* kPre82FileName = "PRE82.TXT";

// Which amounts a history line carries. None: a point kind outside 1-5, which adds nothing.
enum class PointKind { None, Gold, Red, Green, GoldRed, RedGreen };

// One award of the history file as the statement shows it.
struct AwardLine {
    std::string Period; // "3/07"
    std::string Code;
    std::string Description;
    PointKind Kind = PointKind::None;
    double Gold = 0, Red = 0, Green = 0;
};

// Column 11 of a history line (0 when the line is shorter).
char GetEventType(std::string_view line);

// The number in a text, as the statement's conversions read it: blanks around it allowed.
// Nothing when it is not a number.
std::optional<double> DecimalValue(std::string_view text);

// A history line parsed; or the conversion message when its point kind is not a digit or
// an amount is not a number. Event kinds other than A, H, C, D, V, M, N, X and Y give an
// empty code and description; a point kind outside 1-5 carries no amounts.
struct ParsedAward {
    std::optional<AwardLine> Award;
    std::string Error;
};
ParsedAward ParseInStringData(std::string_view line, const LineList& events,
                              const std::function<std::string(std::string_view)>& clubDescription);

// "history.txt" indexed by player number (columns 4-10), so a statement takes its player's
// lines without walking the whole file. Every line is examined, the last one included.
class HistoryIndex {
  public:
    void Build(const LineList& history);
    // The lines of the player typed as `number` (padded with zeros to 7), in file order.
    std::vector<std::string_view> PlayerLines(const LineList& history,
                                              std::string_view number) const;

  private:
    void Grow(std::size_t capacity);

    std::vector<std::uint64_t> keys_;   // open addressing; 0 = empty
    std::vector<std::uint32_t> groups_; // group of each slot
    std::uint64_t mask_ = 0;
    std::vector<std::uint32_t> starts_; // per group, into lines_; one more at the end
    std::vector<std::uint32_t> lines_;  // line indexes grouped by player, in file order
};

// The pre-1982 red points of the number as typed (compared without removing its leading
// zeros), from the lines of "PRE82.TXT" (the first is a header). 0 when none; the
// conversion message when the matching line's points are not a number.
struct Pre82Result {
    double Points = 0;
    std::string Error;
};
Pre82Result GetPre82RedPoints(const LineList& pre82, std::string_view typedNumber);

} // namespace mpsec
