#include "submissions/PlayerDetails.h"

#include "submissions/SubmissionFiles.h"

namespace mpsec {

const PlayerRequestKind& KindOf(PlayerRequest request) {
    for (const PlayerRequestKind& kind : kPlayerRequestKinds)
        if (kind.Request == request)
            return kind;
    return kPlayerRequestKinds[0];
}

std::vector<std::string> PlayerDetailsBlock(const PlayerDetailsFields& f) {
    const PlayerRequestKind& kind = KindOf(f.Request);
    std::vector<std::string> lines{ClubLine(f.ClubNo), kind.ActionWord};
    if (f.Request == PlayerRequest::Add) {
        lines.push_back(f.Title + "," + f.Initial + "," + f.FirstName + "," + f.Surname);
        lines.push_back(f.DateOfBirth);
        lines.push_back(f.Gender);
        lines.push_back(f.Street + "," + f.Town + "," + f.Postcode);
    } else {
        lines.push_back(f.QMRNo + " " + f.Title + " " + f.Initial + " " + f.FirstName + " " +
                        f.Surname);
        if (f.Request == PlayerRequest::Deceased) {
            lines.push_back("Player Deceased on " + f.DeceasedOn);
        } else if (kind.AllDetailsEnabled) {
            lines.push_back(f.DateOfBirth);
            lines.push_back(f.Gender);
            lines.push_back(f.Street + " " + f.Town + " " + f.Postcode);
        }
    }
    lines.emplace_back();
    return lines;
}

bool DateEntryHasYear(const std::string& text) {
    return text.size() == 8 && IsDigitKey(text[6]) && IsDigitKey(text[7]);
}

} // namespace mpsec
