#include "statements/StatementSession.h"

#include "core/Files.h"

namespace mpsec {

namespace {

// A whole file's bytes in large pages (with one byte more, so the text is never empty for
// the index's view of it).
Status ReadIntoLargePages(const std::filesystem::path& path, LargeArray<char>& out) {
    out = LargeArray<char>();
    std::size_t got = 0;
    Status read = ReadFileInto(
        path, [&out](std::size_t size) { return out.Reserve(size + 1) ? &out[0] : nullptr; }, got);
    out.Resize(got);
    return read;
}

} // namespace

Status StatementSession::Load(const std::filesystem::path& folder,
                              const std::filesystem::path& programFolder) {
    Release();
    auto cannotOpen = [this](const char* name, const Status& read) {
        Release();
        return Failure{"Cannot open file \"" + std::string(name) + "\". " + read.Message()};
    };
    if (Status read = ReadLines(FindFileNoCase(folder, kEventsFileName), events_); !read)
        return cannotOpen(kEventsFileName, read);
    if (Status read = ReadIntoLargePages(FindFileNoCase(folder, kHistoryFileName), history_); !read)
        return cannotOpen(kHistoryFileName, read);
    index_.Build(std::string_view(&history_[0], history_.Size()));
    (void)ReadLines(FindFileNoCase(programFolder, kPre82FileName), pre82_); // may be absent
    loaded_ = true;
    return {};
}

void StatementSession::Release() {
    history_ = LargeArray<char>();
    events_.Clear();
    pre82_.Clear();
    index_ = HistoryIndex();
    loaded_ = false;
}

StatementSession::Statement
StatementSession::Build(const rPlayer& player, std::string_view typedNumber, int& rankIndex,
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
    StatementGrid grid =
        GetAwardDetails(player, PlayerLines(typedNumber), events_, clubDescription, dates);
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
