#include "statements/StatementSession.h"

#include "core/Files.h"

namespace mpsec {

Status StatementSession::Load(const std::filesystem::path& folder,
                              const std::filesystem::path& programFolder) {
    Release();
    auto cannotOpen = [this](const char* name, const Status& read) {
        Release();
        return Failure{"Cannot open file \"" + std::string(name) + "\". " + read.Message()};
    };
    if (Status read = ReadLines(FindFileNoCase(folder, kEventsFileName), events_); !read)
        return cannotOpen(kEventsFileName, read);
    if (Status read = history_.Open(FindFileNoCase(folder, kHistoryFileName)); !read)
        return cannotOpen(kHistoryFileName, read);
    index_.Build(history_.Bytes());
    (void)ReadLines(FindFileNoCase(programFolder, kPre82FileName), pre82_); // may be absent
    loaded_ = true;
    return {};
}

void StatementSession::Release() {
    history_.Close();
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
