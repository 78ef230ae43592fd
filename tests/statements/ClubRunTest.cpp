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
    }));
    struct Case {
        const char *state, *from, *to;
        std::vector<std::size_t> lines;
    } cases[] = {
        {"3", "A", "Z", {1, 6, 7}}, {"", "A", "Z", {1, 3, 6, 7}}, {"3", "E", "M", {6, 7}},
        {"2", "D", "Z", {}},        {"9", "A", "Z", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StateRunLines(national, c.state, c.from, c.to), c.lines)
            << "'" << c.state << "' " << c.from << c.to;
}
