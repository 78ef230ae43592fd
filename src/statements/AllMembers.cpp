#include "statements/AllMembers.h"

namespace mpsec {

bool InClubRun(const rPlayer& player, std::string_view club, std::string_view from,
               std::string_view to) {
    if (player.HomeClub != club)
        return false;
    const std::string_view first = std::string_view(player.Surname).substr(0, 1);
    return !(first < from) && !(first > to);
}

std::vector<std::size_t> ClubRunLines(const PlayerRegister& national, std::string_view club,
                                      std::string_view from, std::string_view to) {
    std::vector<std::size_t> lines;
    for (std::size_t i = 1; i < national.Count(); ++i)
        if (InClubRun(national.GetPlayer(i), club, from, to))
            lines.push_back(i);
    return lines;
}

std::string StatementPdfName(const rPlayer& player) {
    std::string name = player.QMRNo + " " + player.Surname;
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|' || static_cast<unsigned char>(c) < 32)
            c = '_';
    return name + ".pdf";
}

} // namespace mpsec
