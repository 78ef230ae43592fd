#pragma once
#include "core/LargeArray.h"
#include "core/LineList.h"
#include "core/NumberFormats.h"
#include "core/Result.h"

#include <filesystem>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mpsec {

inline constexpr const char* kHistoryFileName = "history.txt";
inline constexpr const char* kEventsFileName = "events.txt";
inline constexpr const char* kPre82FileName = "PRE82.TXT";

// The award statements are offered only when both award files are present in `folder`.
bool AwardFilesPresent(const std::filesystem::path& folder);

// Which amounts a history line carries. None: a point kind outside 1-5, which adds nothing.
enum class PointKind { None, Gold, Red, Green, GoldRed, RedGreen };

// One award of the history file as the statement shows it.
struct AwardLine {
    std::string Period; // "3/07"
    std::string Code;
    std::string Description;
    PointKind Kind = PointKind::None;
    Amount Gold, Red, Green;
};

// Column 11 of a history line (0 when the line is shorter).
char GetEventType(std::string_view line);

// A history line parsed; fails with the conversion message when its point kind is not a
// digit or an amount is not a number. Event kinds other than A, H, C, D, V, M, N, X and Y
// give an empty code and description; a point kind outside 1-5 carries no amounts.
Result<AwardLine>
ParseHistoryLine(std::string_view line, const LineList& events,
                 const std::function<std::string(std::string_view)>& clubDescription);

// "history.txt" indexed by player number (columns 4-10), so a statement takes its player's
// lines without walking the whole file. Every line is examined, the last one included.
// Built in one pass over the file's bytes (split into lines as LineList splits them),
// without a string per line: the index keeps where each player's lines start, player by
// player, in file order.
class HistoryIndex {
  public:
    // `text` is the whole file; it must stay unchanged while the index is used. Fails, with
    // the reason, when the memory for the index is refused.
    Status Build(std::string_view text);
    // The lines of the player typed as `number` (padded with zeros to 7), in file order.
    std::vector<std::string_view> PlayerLines(std::string_view number) const;

  private:
    void Grow(std::size_t capacity);
    std::uint32_t Insert(std::string_view seven);
    std::uint32_t Insert(std::int64_t number);
    std::uint32_t Group(std::string_view seven) const;
    std::string_view LineAt(std::uint32_t offset) const;

    std::string_view text_;
    // Open addressing on the 7 digits as a number: a slot is (number + 1) << 32 | group,
    // 0 when empty. Eight bytes a slot keep the table in the cache. The rare number field
    // that is not 7 digits has its group in `others_`.
    std::vector<std::uint64_t> slots_;
    std::uint64_t mask_ = 0;
    std::uint32_t groups_ = 0;
    std::unordered_map<std::string, std::uint32_t> others_;
    // The start of every line of group g, in file order:
    // lineStarts_[groupStarts_[g] .. groupStarts_[g + 1]).
    std::vector<std::uint32_t> groupStarts_;
    LargeArray<std::uint32_t> lineStarts_;
};

// The pre-1982 red points of the number as typed (compared without removing its leading
// zeros), from the lines of "PRE82.TXT" (the first is a header). 0 when none; fails with
// the conversion message when the matching line's points are not a number.
Result<Amount> GetPre82RedPoints(const LineList& pre82, std::string_view typedNumber);

} // namespace mpsec
