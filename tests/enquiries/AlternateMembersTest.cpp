#include "enquiries/AlternateMembers.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace mpsec;

namespace {

// number (7), blank, surname (18), given name (10), blank, home club, then the ten further
// club slots each followed by one unread column.
std::string AltLine(const std::string& number, const std::string& surname, const std::string& given,
                    const std::string& home, const std::vector<std::string>& others) {
    auto pad = [](std::string s, std::size_t n) {
        s.resize(n, ' ');
        return s;
    };
    std::string line =
        pad(number, 7) + " " + pad(surname, 18) + pad(given, 10) + " " + pad(home, 4) + " ";
    for (const auto& o : others)
        line += pad(o, 4) + " ";
    return line;
}

} // namespace

TEST(AlternateMembers, ParsesFixedColumnsAndShortLines) {
    const std::string full = AltLine("  12345", "SMITH", "JOHN", "6785",
                                     {"6001", "    ", "3104", "", "", "", "", "", "", "9999"});
    struct Case {
        std::string line;
        std::string number, surname, given, home, first, third, tenth;
    } cases[] = {
        {full, "12345", "SMITH", "JOHN", "6785", "6001", "3104", "9999"},
        {"", "", "", "", "", "", "", ""},
        {"1234567", "1234567", "", "", "", "", "", ""},
        {full.substr(0, 40), "12345", "SMITH", "JOHN", "678", "", "", ""},
        {full.substr(0, 44), "12345", "SMITH", "JOHN", "6785", "60", "", ""},
        {"1234567XSURNAME_OF_EIGHTEENGIVEN_NAMEX", "1234567", "SURNAME_OF_EIGHTEE", "NGIVEN_NAM",
         "X", "", "", ""},
    };
    for (const auto& c : cases) {
        const AlternateRecord p = ParseAlternateLine(c.line);
        EXPECT_EQ(p.QMRNo, c.number) << c.line;
        EXPECT_EQ(p.Surname, c.surname) << c.line;
        EXPECT_EQ(p.GivenName, c.given) << c.line;
        EXPECT_EQ(p.HomeClub, c.home) << c.line;
        EXPECT_EQ(p.OtherClubs[0], c.first) << c.line;
        EXPECT_EQ(p.OtherClubs[2], c.third) << c.line;
        EXPECT_EQ(p.OtherClubs[9], c.tenth) << c.line;
    }
    EXPECT_EQ(ParseAlternateLine(full).OtherClubs[1], "    "); // a blank slot is kept as is
}

TEST(AlternateMembers, MembershipIsAnExactFourCharacterMatch) {
    const std::string line =
        AltLine("12345", "SMITH", "JOHN", "6785", {"6001", "", "", "", "", "", "", "", "", "3104"});
    struct Case {
        std::string club;
        bool member;
    } cases[] = {
        {"6785", true}, {"6001", true},  {"3104", true},
        {"678", false}, {"    ", false}, // the blank slots
        {"", false},    {"2000", false}, {" 6785", false},
    };
    const AlternateRecord p = ParseAlternateLine(line);
    for (const auto& c : cases) {
        EXPECT_EQ(p.IsMemberOf(c.club), c.member) << "'" << c.club << "'";
        EXPECT_EQ(AlternateLineNamesClub(line, c.club), c.member) << "'" << c.club << "'";
    }
    // A home club that is not a number never matches a typed club number, and a short line
    // matches nothing it does not hold.
    EXPECT_FALSE(AlternateLineNamesClub(AltLine("1", "A", "B", "X-12", {}), "6785"));
    EXPECT_FALSE(AlternateLineNamesClub("1234567", "    "));
}

TEST(AlternateMembers, FileNumbersAndClubMembers) {
    AlternateMembers alt;
    alt.Assign(AltLine("12345", "SMITH", "JOHN", "6785", {}) + "\r\n" + "\r\n" +
               AltLine("22222", "JONES", "ANN", "3104", {"6785"}) + "\r\n" +
               AltLine("12345", "SMITH", "JOHN", "2000", {}) + "\r\n" + "7\r\n" +
               AltLine("33333", "BROWN", "BOB", "2000", {}) + "\r\n");
    ASSERT_EQ(alt.Count(), 6u);
    EXPECT_EQ(alt.Number(2), "22222");
    EXPECT_EQ(alt.Number(1), "");
    EXPECT_EQ(alt.GetAlternatePlayer(2).OtherClubs[0], "6785");

    struct Case {
        std::string number, club;
        bool member;
    } cases[] = {
        {"12345", "6785", true},   {"12345", "2000", false}, // only the player's first line counts
        {"  22222", "6785", true}, {"22222", "3104", true},
        {"33333", "6785", false},  {"44444", "6785", false}, // not in the file
    };
    for (const auto& c : cases)
        EXPECT_EQ(alt.IsMember(c.number, c.club), c.member) << c.number << " " << c.club;

    EXPECT_EQ(alt.ClubMembers("6785"), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(alt.ClubMembers("2000"), (std::vector<std::size_t>{3, 5})); // once per line
    EXPECT_TRUE(alt.ClubMembers("9999").empty());
}

TEST(AlternateMembers, MissingFileIsAFailure) {
    test::TempFolder folder;
    AlternateMembers alt;
    alt.Assign("1234567\r\n");
    const Status missing = alt.LoadFrom(folder.Path());
    EXPECT_FALSE(missing.Ok());
    EXPECT_EQ(missing.Message(), "No such file or directory");
    EXPECT_EQ(alt.Count(), 0u);

    folder.Write("Alternat.txt", AltLine("12345", "SMITH", "JOHN", "6785", {}) + "\r\n");
    ASSERT_TRUE(alt.LoadFrom(folder.Path()).Ok());
    EXPECT_EQ(alt.Count(), 1u);
    EXPECT_TRUE(alt.IsMember("12345", "6785"));
}
