#pragma once
#include "enquiries/AlternateMembers.h"
#include "register/PlayerRegister.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// A club member as the manual entry and cancellation lists show him: "SURNAME GIVEN" and
// the player number as the file holds it.
struct ListedMember {
    std::string Name;
    std::string Number;
    bool operator==(const ListedMember&) const = default;
};

// Whether a register line's home club (trimmed columns 128-133 without their "-") is
// `club` exactly; an inactive member's "i" never matches a typed number.
bool HomeClubIs(std::string_view registerLine, std::string_view club);

// The active home-club members of `club`, in register order.
std::vector<ListedMember> HomeClubMembers(const PlayerRegister& national, std::string_view club);

// Every line of the alternate-membership file naming `club` as home club or further club,
// in file order: a player with several such lines is listed once per line.
std::vector<ListedMember> AlternateClubMembers(const AlternateMembers& alternates,
                                               std::string_view club);

// The count label of the manual entry: " 25 Home Club Members." from the register,
// " 25 Club Members." from the alternate-membership file.
std::string MemberCountText(std::size_t count, bool fromAlternateFile);

} // namespace mpsec
