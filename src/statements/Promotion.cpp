#include "statements/Promotion.h"

#include "core/TextHelpers.h"

#include "core/NumberFormats.h"
#include "statements/RankTable.h"

#include <cstdio>

namespace mpsec {

namespace {

std::string NoteLine(int percent, Amount pre82) {
    return "* " + std::to_string(percent) + "% of " + Fixed2(pre82) + "  (" +
           Fixed2(pre82.Percent(percent)) + ")  red points earned prior to 1982";
}

} // namespace

std::optional<int> RankLookup(std::string_view registerRank) {
    for (int i = 0; i < static_cast<int>(RankTable.size()); ++i)
        if (registerRank == RankTable[i].RegisterForm)
            return i == 21 ? 20 : i;
    return std::nullopt;
}

bool Promotion::PrintedNoteApplies() const {
    return RankIndex >= 11 && GoldShortfall && *GoldShortfall > Amount{};
}

std::string Promotion::PrintedNote(int line) const {
    return line == 0 ? NoteLine(RatePercent, Pre82) : "count as additional gold points.";
}

std::string Promotion::PrintedGoldHave(const PlayerRecord& player) const {
    return player.OverallGold + (PrintedNoteApplies() ? " *" : "");
}

std::string Promotion::PrintedGoldNeed() const {
    return PrintedNoteApplies() ? Fixed2(*GoldShortfall - Pre82.Percent(RatePercent))
                                : StillNeed[2];
}

Promotion PromotionRequirements(const PlayerRecord& player, int rankIndex,
                                const std::function<Result<Amount>()>& pre82) {
    Promotion p;
    p.RankIndex = rankIndex;
    const RankRow& next = RankTable[static_cast<std::size_t>(rankIndex) + 1];
    p.CurrentRankText = player.Rank + " Master";
    p.NextRankText = std::string(next.FullName) + " Master.";
    const Amount totalRequired = Amount::Whole(next.TotalRequired);
    const Amount goldRedRequired = Amount::Whole(next.GoldRedRequired);
    const Amount goldRequired = Amount::Whole(next.GoldRequired);
    p.MustHave[0] = Fixed2(totalRequired);
    p.MustHave[1] = Fixed2(goldRedRequired);
    p.MustHave[2] = Fixed2(goldRequired);

    const auto total = DecimalAmount(player.OverallTotal);
    const auto gold = DecimalAmount(player.OverallGold);
    const auto red = DecimalAmount(player.OverallRed);
    for (const auto& [value, text] :
         {std::pair{total, &player.OverallTotal}, std::pair{gold, &player.OverallGold},
          std::pair{red, &player.OverallRed}})
        if (!value) {
            p.StoppedBy =
                Failure{"'" + Latin1ToUtf8(*text) + "' is not a valid floating point value"};
            return p;
        }
    p.NowHave[0] = player.OverallTotal;
    p.NowHave[1] = GeneralFormat(*gold + *red);
    p.NowHave[2] = player.OverallGold;

    const Amount totalNeed = totalRequired - *total;
    p.StillNeed[0] = totalNeed >= Amount{} ? Fixed2(totalNeed) : "0.00";
    if (rankIndex <= 6) {
        p.StillNeed[1] = "n/a";
    } else {
        const Amount need = goldRedRequired - (*gold + *red);
        p.StillNeed[1] = need >= Amount{} ? Fixed2(need) : "0.00";
    }
    if (rankIndex <= 10) {
        p.StillNeed[2] = "n/a";
        return p;
    }
    p.GoldShortfall = goldRequired - *gold;
    p.RatePercent = rankIndex <= 15 ? 20 : 40;
    if (*p.GoldShortfall < Amount{}) {
        p.StillNeed[2] = "0.00";
        return p;
    }
    const Result<Amount> points = pre82 ? pre82() : Result<Amount>(Amount{});
    if (!points) {
        p.StoppedBy = Failure{points.Message()};
        return p;
    }
    p.Pre82 = *points;
    p.StillNeed[2] = Fixed2(*p.GoldShortfall - p.Pre82.Percent(p.RatePercent));
    if (p.Pre82 != Amount{}) {
        p.ScreenNote[0] = NoteLine(p.RatePercent, p.Pre82);
        p.ScreenNote[1] = "count as additional gold points";
        p.NowHave[2] += " *";
    }
    return p;
}

} // namespace mpsec
