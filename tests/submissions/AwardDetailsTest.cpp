#include "submissions/AwardDetails.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(AwardDetails, LineIsTheFieldsAsTypedEachFollowedByAComma) {
    struct Case {
        AwardDetailsFields fields;
        const char* line;
    } cases[] = {
        {{"6785", "P SAMPLE", "CLUB MIXED TEAMS", "03", "B", "Y3MCC298.MP3", "12.5"},
         "6-785,P SAMPLE,CLUB MIXED TEAMS,03,B,Y3MCC298.MP3,12.5,"},
        {{"6", "P SAMPLE", "PAIRS", "3", "B4s", "a.gld", "12.50"},
         "6-,P SAMPLE,PAIRS,3,B4s,a.gld,12.50,"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AwardDetailsLine(c.fields), c.line);
}

TEST(AwardDetails, EveryFieldIsNeeded) {
    const AwardDetailsFields full{"6785", "P SAMPLE", "PAIRS", "03", "B", "a.gld", "1"};
    EXPECT_TRUE(AwardDetailsComplete(full));
    std::string AwardDetailsFields::*fields[] = {
        &AwardDetailsFields::ClubNo,      &AwardDetailsFields::RequestedBy,
        &AwardDetailsFields::Description, &AwardDetailsFields::Month,
        &AwardDetailsFields::EventType,   &AwardDetailsFields::FileName,
        &AwardDetailsFields::Points};
    for (auto field : fields) {
        AwardDetailsFields f = full;
        f.*field = "";
        EXPECT_FALSE(AwardDetailsComplete(f));
        f.*field = " "; // only emptiness counts
        EXPECT_TRUE(AwardDetailsComplete(f));
    }
}
