#pragma once
#include "core/LargeArray.h"
#include "core/LineList.h"
#include "statements/History.h"
#include "statements/Statement.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace mpsec {

// The award files loaded for the statement screen (or a whole club's run) and the building
// of one player's statement from them.
class StatementSession {
  public:
    // Loads "history.txt" and "events.txt" from `folder` and indexes the history; reads
    // "PRE82.TXT" from `programFolder` when it is there. Fails with the file error text
    // ("Cannot open file "history.txt". No such file or directory").
    Status Load(const std::filesystem::path& folder, const std::filesystem::path& programFolder);
    void Release();
    bool Loaded() const { return loaded_; }

    const LineList& Events() const { return events_; }
    std::vector<std::string_view> PlayerLines(std::string_view typedNumber) const {
        return index_.PlayerLines(typedNumber);
    }

    struct Statement {
        rPlayer Player;
        Promotion Requirements;
        StatementDates Dates;
        std::string ClubDescription; // the full look-up text
        std::vector<StatementRow> Rows;
        // The conversion failure the statement stopped at; what was built before it stays.
        std::optional<Failure> StoppedBy;
    };
    // Builds the statement of `player`, typed as `typedNumber`. `rankIndex` is kept from
    // the previous player when the register's rank is no register form.
    Statement Build(const rPlayer& player, std::string_view typedNumber, int& rankIndex,
                    const std::function<std::string(std::string_view)>& clubDescription,
                    const StatementDates& dates) const;

    // The composed page of a built statement.
    static ComposedDocument Compose(const Statement& statement, std::string_view typedNumber);

  private:
    bool loaded_ = false;
    // The history's bytes, which the index points into: read into large pages (a few page
    // faults for the whole file), not mapped: a mapped file cut short in place by another
    // program (a copy over it while the screen is open) would end the program at the next
    // statement.
    LargeArray<char> history_;
    LineList events_, pre82_;
    HistoryIndex index_;
};

} // namespace mpsec
