#pragma once
#include "core/AsciiText.h"

#include <array>
#include <optional>
#include <string_view>

namespace mpsec {

// The states as the club and extraction screens offer them. A club number, and a player's
// home club, begins with its state's digit. The club screen lists the choices in the
// order of their digits; the extraction screen has its own order.
struct StateChoice {
    char Digit;                 // '\0' for "All": every state
    const char* ClubCaption;    // the club screen's caption
    const char* ExtractCaption; // the extraction screen's caption, also used in its titles
    const char* FileNamePart;   // in the extraction's file names
    int ExtractPosition;        // the choice's place on the extraction screen
};

// Index i is the club screen's choice i; "All" first, then the digits 1 to 8.
inline constexpr std::array<StateChoice, 9> kStateChoices{{
    {'\0', "All", "All", "ALL", 0},
    {'1', "ACT", "ACT", "ACT", 6},
    {'2', "NSW", "NSW", "NSW", 1},
    {'3', "Vic", "VIC", "VIC", 2},
    {'4', "Qld", "QLD", "QLD", 3},
    {'5', "SA", "SA", "SA", 8},
    {'6', "WA", "WA", "WA", 4},
    {'7', "Tas", "TAS", "TAS", 7},
    {'8', "NT", "NT", "NT", 5},
}};

inline const StateChoice& AllStates() {
    return kStateChoices[0];
}

// The choice at `position` on the extraction screen.
inline const StateChoice& StateAtExtractPosition(int position) {
    for (const StateChoice& s : kStateChoices)
        if (s.ExtractPosition == position)
            return s;
    return AllStates();
}

// The choice named by a file-name part ("ALL", "NSW" ...), in any letter case.
inline std::optional<StateChoice> StateNamed(std::string_view name) {
    for (const StateChoice& s : kStateChoices)
        if (EqualNoCase(s.FileNamePart, name))
            return s;
    return std::nullopt;
}

} // namespace mpsec
