#include "register/ClubRegister.h"

#include <gtest/gtest.h>

using namespace mpsec;

namespace {

const char* kClubs =
    "1101,CANBERRA BRIDGE CLUB,x,x,x,x,x,Mrs,S,J,Karvel,1 Road,Town,ACT,2600,02 1234 "
    "5678,a@b.org,A,\r\n"
    "3104,ARDEN, BRIDGE,x,x,x,x,x,Mr,S,P,Doran,2 Street,Vale,VIC,3000,03 1111 2222,c@d.org,\r\n"
    "9999,UNATTACHED PLAYERS\r\n"
    "5107\r\n"
    "3104,DUPLICATE LATER LINE,\r\n"
    "8201,top end club,\r\n";

} // namespace

TEST(ClubRegister, CommaTableFields) {
    CommaTable t("a,b,,d");
    EXPECT_EQ(t.Positions(), (std::vector<std::size_t>{2, 4, 5}));
    EXPECT_EQ(t.Field(1), "a");
    EXPECT_EQ(t.Field(2), "b");
    EXPECT_EQ(t.Field(3), "");
    EXPECT_EQ(t.Field(4), ""); // its closing comma is missing
    EXPECT_EQ(CommaTable("no commas").Field(1), "");
    EXPECT_EQ(CommaTable("").Field(2), "");
    CommaTable last("1,2,3,4,5,6,7,8,9,10,11,a,b,c,d,e,f,g,");
    EXPECT_EQ(last.Fields(12, 17), "a,b,c,d,e,f");
    EXPECT_EQ(last.Field(18), "g");
    EXPECT_EQ(CommaTable("1,2,3,4,5,6,7,8,9,10,11,a,b").Fields(12, 17), "");
}

TEST(ClubRegister, ClubDescriptions) {
    ClubRegister clubs;
    clubs.Assign(kClubs);
    struct Case {
        const char* code;
        const char* description;
    } cases[] = {
        {"1101", "1101 CANBERRA BRIDGE CLUB"},
        {"1-101", "1101 CANBERRA BRIDGE CLUB"},
        {"3-104", "3104 ARDEN"}, // a comma in the name cuts it
        {"3104", "3104 ARDEN"},  // the first line with the number wins
        {"3i104", "Inactive - Last Club: 3104 Arden"},
        {"8i201", "Inactive - Last Club: 8201 Top End Club"},
        {"9999", "9999 "}, // no closing comma after the name
        {"5107", " "},     // no comma at all
        {"31045", ""},
        {"310", ""},
        {"", ""},
        {"7777", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(clubs.GetClubDescription(c.code), c.description) << c.code;
}

TEST(ClubRegister, SecretaryEntryHasThreeLines) {
    ClubRegister clubs;
    clubs.Assign(kClubs);
    auto entry = SecretaryEntry(clubs.ParseTheClubList(0));
    ASSERT_EQ(entry.size(), 3u);
    EXPECT_EQ(entry[0], "1-101,  CANBERRA BRIDGE CLUB,   Mrs. J Karvel");
    EXPECT_EQ(entry[1], "1 Road,Town,ACT,2600,02 1234 5678,a@b.org");
    EXPECT_EQ(entry[2], "");
    auto sparse = SecretaryEntry(clubs.ParseTheClubList(3));
    EXPECT_EQ(sparse[0], ",  ,   .  ");
    EXPECT_EQ(SecretaryEntry(clubs.ParseTheClubList(99))[0], ",  ,   .  ");
}
