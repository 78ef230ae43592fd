#pragma once
#include "register/PlayerRegister.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// The sum of the three last-quarter values in fixed form with two decimals after rounding
// to four significant digits (120.5 + 3.456 gives "124.00"). A value that is not a number
// counts as 0.
std::string QuarterTotalText(const PlayerRecord& player);

// The selection list after a surname search found `position`: that line and up to 100
// more, each "SURNAME GIVEN  Rank  HomeClub" as the register parse leaves them.
std::vector<std::string> SurnameSelection(const PlayerRegister& national, std::size_t position);

enum class PlayerMove { First, Previous, Next, Last };

// The new position after a move from `position` among `players` register lines, or
// nothing when the move is refused (Previous/Next with no player, Next/Last on the last
// line, First/Previous on the first).
std::optional<std::size_t> MovePosition(PlayerMove move, std::size_t position, std::size_t players);

inline constexpr const char* kNoPlayerWithNumber = "        No player has this number.       ";

// What the player view shows for one player, row by row, for the headless command.
std::vector<std::string>
PlayerViewText(const PlayerRecord& player,
               const std::function<std::string(std::string_view)>& clubDescription);

// The club line: the first 62 characters of the club's description.
std::string ClubLineText(const PlayerRecord& player,
                         const std::function<std::string(std::string_view)>& clubDescription);

} // namespace mpsec
