#pragma once
#include "enquiries/StateChoices.h"
#include "register/ClubRegister.h"
#include "register/PlayerRegister.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// The secretaries list for a key word: the three-line entry (with its empty line) of every
// club line holding the key word anywhere, case-sensitively, in register order. An empty
// key word finds nothing.
std::vector<std::string> KeyWordSearch(const ClubRegister& clubs, std::string_view keyWord);

// Whether a character may be typed into the key word: letters, digits and the apostrophe.
bool IsKeyWordCharacter(char c);
inline constexpr int kKeyWordLength = 18;

// The active home-club members of every club of a state (of every club for "All"), one
// line a club in club register order, with 0 too: the club's description in 60 columns,
// then its count right-justified in 6.
struct MembershipCount {
    std::vector<std::string> Lines;
    // The sum of the listed counts but those of club 9999; wide, so a national total
    // is shown as it is.
    std::uint64_t Total = 0;
};
MembershipCount CountHomeClubMembers(const PlayerRegister& national, const ClubRegister& clubs,
                                     const StateChoice& state);

// The label under the counts.
std::string TotalActiveMembershipText(std::uint64_t total);

// The counted lines largest count first (equal counts by descending description), without
// the clubs whose number begins with 9: the description in 60 columns, a blank, the count
// right-justified in 6. Sorting sorted lines changes nothing.
std::vector<std::string> SortMembershipLines(const std::vector<std::string>& lines);

inline constexpr const char* kMembershipFileName = "MEMBERSHIP.TXT";
inline constexpr const char* kMembershipSavedText = " Done - Saved in File 'MEMBERSHIP.TXT' ";
// Save with no club listed: MEMBERSHIP.TXT is left as it is.
inline constexpr const char* kMembershipNothingToSaveText =
    "There is nothing to save: no club is listed. MEMBERSHIP.TXT is left as it is.";

} // namespace mpsec
