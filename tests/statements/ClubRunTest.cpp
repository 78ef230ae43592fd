#include "statements/ClubRun.h"
#include "support/Players.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(ClubRun, ClubRunSelection) {
    struct Case {
        const char *surname, *club, *from, *to;
        bool in;
    } cases[] = {
        {"MARTIN", "3104", "A", "Z", true},  {"MARTIN", "3i104", "A", "Z", false},
        {"MARTIN", "3104", "M", "M", true},  {"ADAMS", "3104", "M", "M", false},
        {"MARTIN", "3104", "Z", "A", false}, {"", "3104", "A", "Z", false},
        {"MARTIN", "2101", "A", "Z", false},
    };
    for (const auto& c : cases) {
        PlayerRecord p = test::TestPlayer("1", c.surname, "A", c.club);
        p.HomeClub = c.club;
        EXPECT_EQ(InClubRun(p, "3104", c.from, c.to), c.in)
            << c.surname << " " << c.club << " " << c.from << c.to;
    }
    PlayerRecord odd = test::TestPlayer("7", "O'DAR/VEN");
    EXPECT_EQ(StatementPdfName(odd), "7 O'DAR_VEN.pdf");
}

// A surname is filed under its first letter's base letter, a small letter under its
// capital, so From A To Z takes every surname that begins with a letter; a surname that
// begins with no letter (or is empty) is in no range of letters.
TEST(ClubRun, SurnamesAreFiledUnderTheirBaseLetter) {
    struct Case {
        const char *surname, *letter; // Latin-1; the letter filed under, "" for none
    } cases[] = {
        {"\311COLE", "E"},    {"\310VE", "E"},   {"\312TRE", "E"},  {"\313LA", "E"},
        {"\321U\321EZ", "N"}, {"\326ZAL", "O"},  {"\330STER", "O"}, {"\305SE", "A"},
        {"\306SIR", "A"},     {"\307A", "C"},    {"\334BER", "U"},  {"\335R", "Y"},
        {"\337A", "S"},       {"\351cole", "E"}, {"\361and", "N"},  {"\377ves", "Y"},
        {"\346sir", "A"},     {"de vries", "D"}, {"MARTIN", "M"},   {"\327X", ""},
        {"\367X", ""},        {"'ASH", ""},      {"", ""},
    };
    for (const auto& c : cases) {
        PlayerRecord p = test::TestPlayer("1", c.surname, "A", "3-104");
        p.Surname = c.surname;
        const bool letter = *c.letter != '\0';
        EXPECT_EQ(InLetterRange(p, "A", "Z"), letter) << c.surname;
        if (letter) {
            EXPECT_TRUE(InLetterRange(p, c.letter, c.letter)) << c.surname;
            const std::string before(1, static_cast<char>(c.letter[0] - 1));
            const std::string after(1, static_cast<char>(c.letter[0] + 1));
            EXPECT_FALSE(InLetterRange(p, after, "Z")) << c.surname;
            EXPECT_FALSE(InLetterRange(p, "A", before)) << c.surname;
        }
    }
}

TEST(ClubRun, ClubRunRefusalsAndDoneText) {
    PlayerRegister national;
    national.Assign(test::RegisterText({test::TestPlayer("2488258", "MARTIN", "A", "3-104"),
                                        test::TestPlayer("44", "NASH", "B", "3i104")}));
    const auto describe = [](std::string_view code) {
        return code == "3104" || code == "2101" ? std::string(code) + " A CLUB" : std::string();
    };
    struct Case {
        const char *club, *from, *to, *refusal;
    } cases[] = {
        {"3104", "A", "Z", ""},
        {"3104", "M", "M", ""},
        {"3104", "N", "N", "Club 3104 has no active member with a surname from N to N."},
        {"3104", "Z", "A", "Club 3104 has no active member with a surname from Z to A."},
        {"2101", "A", "Z", "Club 2101 has no active member with a surname from A to Z."},
        {"9876", "A", "Z", "Club 9876 is not in the club register."},
        {"3i104", "A", "Z", "Enter a club number of four digits, eg 6785."},
        {"31a4", "A", "Z", "Enter a club number of four digits, eg 6785."},
        {"", "A", "Z", "Enter a club number of four digits, eg 6785."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClubRunCanPrint(national, describe, c.club, c.from, c.to).Message(), c.refusal)
            << c.club;

    EXPECT_EQ(ClubRunDoneText(1, false, ""), "1 statement printed.");
    EXPECT_EQ(ClubRunDoneText(3, true, ""), "Cancelled. 3 statements printed.");
    EXPECT_EQ(ClubRunDoneText(2, false, "/home/sec/out"),
              "2 statements written as PDF files in /home/sec/out.");
    EXPECT_EQ(ClubRunDoneText(1, false, "/home/sec/out"),
              "1 statement written as a PDF file in /home/sec/out.");
}

TEST(ClubRun, StepThroughClubLandsOnTheNextMember) {
    PlayerRegister national;
    national.Assign(test::RegisterText({
        test::TestPlayer("1", "ADAMS", "A", "3-104"),
        test::TestPlayer("2", "BROWN", "B", "2-101"),
        test::TestPlayer("3", "CARTER", "C", "3i104"),
        test::TestPlayer("4", "DAVIS", "D", "3-104"),
        test::TestPlayer("5", "EVANS", "E", "2-101"),
    }));
    struct Case {
        std::size_t from;
        const char* club;
        bool forward;
        std::size_t line;
        bool show;
    } cases[] = {
        {1, "3104", true, 4, true},   {4, "3104", true, 5, false},  // the end: the last line
        {4, "3104", false, 1, true},  {1, "3104", false, 0, false}, // the start: line 0
        {1, "3i104", true, 3, false}, // an inactive member is reached, not shown
        {5, "2101", true, 5, false},  {0, "3104", false, 0, false},
    };
    for (const auto& c : cases) {
        const ClubStep step = StepThroughClub(national, c.from, c.club, c.forward);
        EXPECT_EQ(step.Line, c.line) << c.from << c.club << c.forward;
        EXPECT_EQ(step.Show, c.show) << c.from << c.club << c.forward;
    }
}

TEST(ClubRun, StateRunTakesTheActiveMembersOfTheStateInRegisterOrder) {
    PlayerRegister national;
    national.Assign(test::RegisterText({
        test::TestPlayer("1", "ADAMS", "A", "3-104"), // line 1
        test::TestPlayer("2", "BAKER", "A", "3i104"), // inactive
        test::TestPlayer("3", "CARR", "A", "2-101"),  // another state
        test::TestPlayer("4", "", "A", "3-107"),      // no surname: before every letter
        test::TestPlayer("5", "DUNN", "A", "3-1"),    // no four-digit club
        test::TestPlayer("6", "EVANS", "A", "3-999"), // line 6
        test::TestPlayer("7", "MOORE", "A", "3-104"), // line 7
        test::TestPlayer("8", "NOLAN", "A", "9-997"), // a deleted player
        test::TestPlayer("9", "OWEN", "A", "9-999"),  // line 9
    }));
    struct Case {
        const char *state, *from, *to;
        std::vector<std::size_t> lines;
    } cases[] = {
        {"3", "A", "Z", {1, 6, 7}}, {"", "A", "Z", {1, 3, 6, 7}}, {"3", "E", "M", {6, 7}},
        {"2", "D", "Z", {}},        {"9", "A", "Z", {8, 9}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StateRunLines(national, c.state, c.from, c.to), c.lines)
            << "'" << c.state << "' " << c.from << c.to;
}
