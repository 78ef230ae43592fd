#pragma once
#include "core/LargeArray.h"
#include "core/LineList.h"
#include "core/Result.h"
#include "statements/History.h"
#include "statements/Statement.h"

#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <string>

namespace mpsec {

// The award files loaded for the statement screen (or a whole club's run) and the building
// of one player's statement from them.
class StatementSession {
  public:
    // Loads "events.txt" from `folder`, opens "history.txt" there and reads "PRE82.TXT" from
    // `programFolder` when it is there. Fails with the file error text ("Cannot open file
    // "history.txt". No such file or directory"). The history is read and indexed on a
    // worker thread, so the screen is up at once; the first statement waits for it.
    Status Load(const std::filesystem::path& folder, const std::filesystem::path& programFolder);
    ~StatementSession() { Release(); }
    void Release();
    bool Loaded() const { return loaded_; }

    // Waits for the history; a failure to read it is said as a failed Load would say it.
    Status HistoryReady() const;
    // The player's history lines in file order (none when the history could not be read).
    std::vector<std::string_view> PlayerLines(std::string_view typedNumber) const {
        return HistoryReady() ? index_.PlayerLines(typedNumber) : std::vector<std::string_view>{};
    }

    struct Statement {
        PlayerRecord Player;
        Promotion Requirements;
        StatementDates Dates;
        std::string ClubDescription; // the full look-up text
        std::vector<StatementRow> Rows;
        // The conversion failure the statement stopped at; what was built before it stays.
        std::optional<Failure> StoppedBy;
    };
    // Builds the statement of `player`, typed as `typedNumber`. `rankIndex` is kept from
    // the previous player when the register's rank is no register form.
    Statement Build(const PlayerRecord& player, std::string_view typedNumber, int& rankIndex,
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
    // The worker reading and indexing the history; its result, once it has ended.
    std::shared_future<Status> historyRead_;
};

} // namespace mpsec
