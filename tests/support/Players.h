#pragma once
#include "register/PlayerRegister.h"
#include "support/TempFolder.h"

#include <string>
#include <vector>

namespace mpsec::test {

// A register player with every field filled, the given ones as stated.
inline PlayerRecord TestPlayer(const std::string& number, const std::string& surname,
                               const std::string& given = "ANNE",
                               const std::string& club = "3-104") {
    PlayerRecord p;
    p.QMRNo = number;
    p.Surname = surname;
    p.GivenName = given;
    p.OverallTotal = "123.45";
    p.OverallGold = "10.00";
    p.OverallRed = "20.00";
    p.OverallGreen = "93.45";
    p.TotalThisYear = "12.50";
    p.TotalLastYear = "30.00";
    p.TotalPriorYears = "80.95";
    p.GoldQ = "1.00";
    p.RedQ = "2.00";
    p.GreenQ = "3.00";
    p.Rank = "*Regional";
    p.HomeClub = club;
    return p;
}

// A test player of a home club with his overall total.
inline PlayerRecord PlayerWithTotal(const std::string& number, const std::string& surname,
                                    const std::string& home, const std::string& total) {
    PlayerRecord p = TestPlayer(number, surname, "ANNE", home);
    p.OverallTotal = total;
    return p;
}

// A register file's text: the header line, then one line per player, CR LF.
inline std::string RegisterText(const std::vector<PlayerRecord>& players) {
    std::string text = "HEADER LINE\r\n";
    for (const auto& p : players)
        text += MakePlayerLine(p) + "\r\n";
    return text;
}

inline void WriteRegister(const TempFolder& dir, const std::vector<PlayerRecord>& players) {
    dir.Write("National.TXT", RegisterText(players));
}

} // namespace mpsec::test
