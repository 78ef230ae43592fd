#include "submissions/AwardAdjustment.h"

#include <gtest/gtest.h>

using namespace mpsec;

namespace {

AwardAdjustmentFields Example() {
    return {"6785", "P SAMPLE", "BTR", "3rd", "05", "1234567", "12345", "1.25", "", ""};
}

} // namespace

TEST(AwardAdjustment, BlockOfElevenLabelledLines) {
    AwardAdjustmentFields typedQuarter = Example();
    typedQuarter.Quarter = "4";
    typedQuarter.Year = "26";
    typedQuarter.Red = "0.5";
    struct Case {
        AwardAdjustmentFields fields;
        CivilDate date;
        std::vector<std::string> block;
    } cases[] = {
        {Example(),
         {2026, 12, 7},
         {"DATE:              07-12-26", "REQUESTED BY CLUB: 6-785", "AUTHORIZED BY:     P SAMPLE",
          "EVENT CODE:        BTR", "REPORTED AT:       305", "DEDUCT FROM QMR#:  1234567",
          "ADD TO QMR#:       12345", "GOLD POINTS:       1.25",
          "RED POINTS:        ", "GREEN POINTS:      ", ""}},
        {typedQuarter,
         {2031, 1, 15},
         {"DATE:              15-01-31", "REQUESTED BY CLUB: 6-785", "AUTHORIZED BY:     P SAMPLE",
          "EVENT CODE:        BTR", "REPORTED AT:       426", "DEDUCT FROM QMR#:  1234567",
          "ADD TO QMR#:       12345", "GOLD POINTS:       1.25", "RED POINTS:        0.5",
          "GREEN POINTS:      ", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AwardAdjustmentBlock(c.fields, c.date), c.block);
}

TEST(AwardAdjustment, NeedsEveryFieldAndPointsOfOneColour) {
    using F = AwardAdjustmentFields;
    EXPECT_TRUE(AwardAdjustmentComplete(Example())); // gold alone
    F greenOnly = Example();
    greenOnly.Gold = "";
    greenOnly.Green = "2";
    EXPECT_TRUE(AwardAdjustmentComplete(greenOnly));
    for (auto field : {&F::ClubNo, &F::AuthorisedBy, &F::Code, &F::Quarter, &F::Year,
                       &F::DeductFrom, &F::AddTo, &F::Gold}) {
        F f = Example();
        f.*field = "";
        EXPECT_FALSE(AwardAdjustmentComplete(f));
        f.*field = " "; // only emptiness counts
        EXPECT_TRUE(AwardAdjustmentComplete(f));
    }
}

TEST(AwardAdjustment, YearsRunFrom97ToTheCurrentYear) {
    const std::vector<std::string> old{"97", "98", "99", "00", "01", "02", "03", "04", "05"};
    EXPECT_EQ(ReportedYears(2003), old);
    std::vector<std::string> now = old;
    for (const char* y : {"06", "07", "08", "09", "10", "11", "12", "13", "14", "15", "16",
                          "17", "18", "19", "20", "21", "22", "23", "24", "25", "26"})
        now.push_back(y);
    EXPECT_EQ(ReportedYears(2026), now);
}
