#include "statements/StatementSession.h"

#include "core/FileReading.h"
#include "core/Files.h"

#include <cctype>
#include <memory>
#include <system_error>

namespace mpsec {

namespace {

// A whole file's bytes in large pages (with one byte more, so the text is never empty for
// the index's view of it).
Status ReadIntoLargePages(const OpenedFile& file, LargeArray<char>& out) {
    out = LargeArray<char>();
    std::size_t got = 0;
    Status read = file.ReadInto(
        [&out](std::size_t size) { return out.Reserve(size + 1) ? &out[0] : nullptr; }, got);
    out.Resize(got);
    return read;
}

Failure CannotOpen(const char* name, const Status& read) {
    // A sentence of its own: the program's own words ("it is not a plain file") start small.
    std::string reason = read.Message();
    if (!reason.empty())
        reason[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(reason[0])));
    return Failure{"Cannot open file \"" + std::string(name) + "\". " + reason};
}

} // namespace

Status StatementSession::Load(const std::filesystem::path& folder,
                              const std::filesystem::path& programFolder) {
    Release();
    auto cannotOpen = [this](const char* name, const Status& read) {
        Release();
        return CannotOpen(name, read);
    };
    if (Status read = ReadLines(FindFileNoCase(folder, kEventsFileName), events_); !read)
        return cannotOpen(kEventsFileName, read);
    // PRE82.TXT may be absent (no player has points from before 1982); one that is there
    // and cannot be read is said, never taken for none.
    const std::filesystem::path pre82 = FindFileNoCase(programFolder, kPre82FileName);
    if (Status read = ReadLines(pre82, pre82_); !read) {
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(pre82, ec)))
            return cannotOpen(kPre82FileName, read);
    }
    OpenedFile history;
    if (Status opened = history.Open(FindFileNoCase(folder, kHistoryFileName)); !opened)
        return cannotOpen(kHistoryFileName, opened);
    auto file = std::make_shared<OpenedFile>(std::move(history));
    auto readAndIndex = [this, file]() -> Status {
        if (Status read = ReadIntoLargePages(*file, history_); !read) {
            history_ = LargeArray<char>();
            return CannotOpen(kHistoryFileName, read);
        }
        if (Status built = index_.Build(std::string_view(&history_[0], history_.Size())); !built)
            return CannotOpen(kHistoryFileName, built);
        return {};
    };
    try {
        historyRead_ = std::async(std::launch::async, readAndIndex).share();
    } catch (const std::system_error&) {
        // No thread to be had: the history is read here and now.
        std::promise<Status> read;
        read.set_value(readAndIndex());
        historyRead_ = read.get_future().share();
    }
    loaded_ = true;
    return {};
}

Status StatementSession::HistoryReady() const {
    if (!historyRead_.valid())
        return {}; // nothing loaded: no player has a line
    return historyRead_.get();
}

void StatementSession::Release() {
    if (historyRead_.valid())
        historyRead_.wait(); // the worker writes into this session until it ends
    historyRead_ = {};
    history_ = LargeArray<char>();
    events_.Clear();
    pre82_.Clear();
    index_ = HistoryIndex();
    loaded_ = false;
}

StatementSession::Statement
StatementSession::Build(const PlayerRecord& player, std::string_view typedNumber, int& rankIndex,
                        const std::function<std::string(std::string_view)>& clubDescription,
                        const StatementDates& dates) const {
    Statement s;
    s.Player = player;
    s.Dates = dates;
    s.ClubDescription = clubDescription ? clubDescription(player.HomeClub) : std::string();
    if (auto index = RankLookup(player.Rank))
        rankIndex = *index;
    s.Requirements = PromotionRequirements(player, rankIndex,
                                           [&] { return GetPre82RedPoints(pre82_, typedNumber); });
    if (s.Requirements.StoppedBy) {
        s.StoppedBy = s.Requirements.StoppedBy;
        return s;
    }
    if (Status ready = HistoryReady(); !ready) {
        s.StoppedBy = Failure{ready.Message()};
        return s;
    }
    StatementGrid grid =
        BuildStatementGrid(player, PlayerLines(typedNumber), events_, clubDescription, dates);
    s.Rows = std::move(grid.Rows);
    s.StoppedBy = std::move(grid.StoppedBy);
    return s;
}

ComposedDocument StatementSession::Compose(const Statement& s, std::string_view typedNumber) {
    StatementPrint print{
        s.Player, std::string(typedNumber), s.ClubDescription, s.Requirements, s.Dates, s.Rows};
    return ComposeStatementPage(print);
}

} // namespace mpsec
