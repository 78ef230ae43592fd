#include "mpfiles/Cancellations.h"

#include "core/TextHelpers.h"

namespace mpsec {

std::string CancellationDateStamp(const CivilDate& date) {
    return FormatDate("yymmdd", date);
}

std::string CancellationFileName(std::string_view club) {
    return std::string(club) + "cncl.txt";
}

std::string CancellationOverwriteQuestion(std::string_view fileName) {
    return std::string(fileName) +
           " has been found. Do you wish to OVERWRITE and lose the OLD information? ";
}

std::string CancellationLine(std::string_view stamp, std::string_view club, std::string_view number,
                             std::string_view surname, std::string_view givenName) {
    std::string line(stamp);
    line += 'I';
    line += club;
    line += PadLeft(number, 7, '0');
    line += PadRight(surname, 18, ' ');
    line += givenName.empty() ? ' ' : givenName.front();
    line += "      ";
    return line;
}

std::string CancellationText(const PlayerRegister& national,
                             const std::vector<CancellationRow>& rows, std::string_view club,
                             std::string_view stamp) {
    std::string text;
    for (const CancellationRow& row : rows) {
        if (row.Active)
            continue;
        const PlayerRecord player = national.GetPlayer(national.FindPlayerByNumber(row.Number));
        text += CancellationLine(stamp, club, row.Number, player.Surname, player.GivenName);
        text += "\r\n";
    }
    return text;
}

} // namespace mpsec
