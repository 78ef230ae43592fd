#include "mpfiles/ClubMembers.h"

#include "core/Columns.h"

namespace mpsec {

bool HomeClubIs(std::string_view registerLine, std::string_view club) {
    return HomeClubCode(HomeClubField(registerLine)) == club;
}

std::vector<ListedMember> HomeClubMembers(const PlayerRegister& national, std::string_view club) {
    std::vector<ListedMember> members;
    const LineList& lines = national.NationalList();
    for (std::size_t i = 1; i < lines.Count(); ++i) {
        if (!HomeClubIs(lines[i], club))
            continue;
        const PlayerRecord player = national.GetPlayer(i);
        members.push_back({player.Surname + " " + player.GivenName, player.QMRNo});
    }
    return members;
}

std::vector<ListedMember> AlternateClubMembers(const AlternateMembers& alternates,
                                               std::string_view club) {
    std::vector<ListedMember> members;
    for (std::size_t line : alternates.ClubMembers(club)) {
        const AlternateRecord player = alternates.GetAlternatePlayer(line);
        members.push_back({player.Surname + " " + player.GivenName, player.QMRNo});
    }
    return members;
}

std::string MemberCountText(std::size_t count, bool fromAlternateFile) {
    return " " + std::to_string(count) +
           (fromAlternateFile ? " Club Members." : " Home Club Members.");
}

} // namespace mpsec
