#include "mpfiles/Cancellations.h"
#include "support/Players.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(Cancellations, DateStampAndLines) {
    EXPECT_EQ(CancellationDateStamp({2026, 12, 7}), "261207");
    EXPECT_EQ(CancellationDateStamp({2009, 1, 31}), "090131");
    EXPECT_EQ(CancellationFileName("6785"), "6785cncl.txt");
    EXPECT_EQ(CancellationOverwriteQuestion("6785cncl.txt"),
              "6785cncl.txt has been found. Do you wish to OVERWRITE and lose the OLD "
              "information? ");
    struct Case {
        std::string number, surname, given, line;
    } cases[] = {
        {"12345", "ABCDE", "FGH", "261207I67850012345ABCDE             F      "},
        {"1234567", "ABCDEFGHIJKLMNOPQRSTU", "X", "261207I67851234567ABCDEFGHIJKLMNOPQRX      "},
        {"12", "O'NEIL", "", "261207I67850000012O'NEIL                   "},
    };
    for (const auto& c : cases) {
        const std::string line = CancellationLine("261207", "6785", c.number, c.surname, c.given);
        EXPECT_EQ(line, c.line);
        EXPECT_EQ(line.size(), 43u);
    }
}

TEST(Cancellations, OnlyMembersMarkedNoAreWritten) {
    PlayerRegister national;
    national.Assign(test::RegisterText(
        {test::TestPlayer("12345", "ABCDE", "FGH", "6-785"), test::TestPlayer("7", "SEVEN")}));
    const std::vector<CancellationRow> rows{{"7", false}, {"12345", true}, {"12345", false}};
    EXPECT_EQ(CancellationText(national, rows, "6785", "261207"),
              "261207I67850000007SEVEN             A      \r\n"
              "261207I67850012345ABCDE             F      \r\n");
    EXPECT_EQ(CancellationText(national, {{"7", true}}, "6785", "261207"), "");
}
