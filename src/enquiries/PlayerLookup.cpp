#include "enquiries/PlayerLookup.h"

#include "core/NumberFormats.h"
#include "core/TextHelpers.h"

#include <charconv>

namespace mpsec {

namespace {

double NumberOrZero(std::string_view text) {
    return DecimalValue(text).value_or(0.0);
}

} // namespace

std::string QuarterTotalText(const PlayerRecord& p) {
    return FixedSignificant(NumberOrZero(p.GoldQ) + NumberOrZero(p.RedQ) + NumberOrZero(p.GreenQ),
                            4);
}

std::vector<std::string> SurnameSelection(const PlayerRegister& national, std::size_t position) {
    std::vector<std::string> entries;
    if (position == 0)
        return entries;
    for (std::size_t line = position; line <= position + 100 && line < national.Count(); ++line) {
        const PlayerRecord p = national.GetPlayer(line);
        entries.push_back(p.Surname + " " + p.GivenName + "  " + p.Rank + "  " + p.HomeClub);
    }
    return entries;
}

std::optional<std::size_t> MovePosition(PlayerMove move, std::size_t position,
                                        std::size_t players) {
    if ((move == PlayerMove::Previous || move == PlayerMove::Next) && position == 0)
        return std::nullopt;
    if ((move == PlayerMove::Next || move == PlayerMove::Last) && position == players)
        return std::nullopt;
    if ((move == PlayerMove::First || move == PlayerMove::Previous) && position == 1)
        return std::nullopt;
    if (players == 0)
        return std::nullopt;
    switch (move) {
    case PlayerMove::First:
        return 1;
    case PlayerMove::Last:
        return players;
    case PlayerMove::Next:
        return position + 1;
    case PlayerMove::Previous:
        return position - 1;
    }
    return std::nullopt;
}

std::string ClubLineText(const PlayerRecord& player,
                         const std::function<std::string(std::string_view)>& clubDescription) {
    return clubDescription ? clubDescription(player.HomeClub).substr(0, 62) : std::string();
}

std::vector<std::string>
PlayerViewText(const PlayerRecord& p,
               const std::function<std::string(std::string_view)>& clubDescription) {
    auto row = [](const std::string& head, const std::string& gold, const std::string& red,
                  const std::string& green, const std::string& total) {
        return PadRight(head, 15, ' ') + PadLeft(gold, 10, ' ') + PadLeft(red, 10, ' ') +
               PadLeft(green, 10, ' ') + PadLeft(total, 11, ' ');
    };
    return {
        "QMR Number: " + p.QMRNo,
        "Name: " + p.GivenName + " " + p.Surname,
        "Home Club: " + ClubLineText(p, clubDescription),
        "Rank " + p.Rank,
        "",
        row("Points Earned", "Gold", "Red", "Green", "Total"),
        row("Last Quarter", p.GoldQ, p.RedQ, p.GreenQ, QuarterTotalText(p)),
        row("This Year:", "", "", "", p.TotalThisYear),
        row("Last Year:", "", "", "", p.TotalLastYear),
        row("Prior Years:", "", "", "", p.TotalPriorYears),
        row("Accumulated:", p.OverallGold, p.OverallRed, p.OverallGreen, p.OverallTotal),
    };
}

} // namespace mpsec
