#pragma once
#include "core/Result.h"
#include "register/PlayerRegister.h"
#include "statements/History.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mpsec {

// The ladder row of a register rank text; "Diamond G" gives the row of "Emerald G".
// Nothing when the text is no register form.
std::optional<int> RankLookup(std::string_view registerRank);

// The promotion block of a statement.
struct Promotion {
    int RankIndex = 0;
    std::string CurrentRankText; // "Club Master"
    std::string NextRankText;    // "Local Master."
    // Total, gold and red together, gold.
    std::string MustHave[3];
    std::string NowHave[3];
    std::string StillNeed[3];
    // The screen's note: shown when the player has pre-1982 red points and a gold need.
    std::string ScreenNote[2];
    std::optional<Amount> GoldShortfall;
    Amount Pre82;
    int RatePercent = 0; // 20 or 40
    // The conversion failure the block stopped at; the fields after it stay empty.
    std::optional<Failure> StoppedBy;

    // The printed note applies whenever the gold need is above 0 on the higher ranks.
    bool PrintedNoteApplies() const;
    std::string PrintedNote(int line) const;
    std::string PrintedGoldHave(const PlayerRecord& player) const;
    std::string PrintedGoldNeed() const;
};

// `pre82` gives the player's pre-1982 red points; it is asked only when the player has a
// gold need.
Promotion PromotionRequirements(const PlayerRecord& player, int rankIndex,
                                const std::function<Result<Amount>()>& pre82);

} // namespace mpsec
