#include "core/Dates.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(Dates, FormatsPatterns) {
    struct Case {
        const char* pattern;
        CivilDate date;
        char separator;
        const char* expected;
    } cases[] = {
        {"dddd mmmm dd yyyy", {2026, 12, 7}, '/', "Monday December 07 2026"},
        {"mmmm dd yyyy", {}, '/', "December 30 1899"},
        {"dddd mmmm dd yyyy", {}, '/', "Saturday December 30 1899"},
        {"dd/mm/yyyy", {2024, 2, 29}, '/', "29/02/2024"},
        {"dd/mm/yyyy", {2024, 2, 29}, '-', "29-02-2024"},
        {"d/m/yy", {2005, 3, 4}, '.', "4.3.05"},
        {"ddd mmm", {2026, 1, 1}, '/', "Thu Jan"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDate(c.pattern, c.date, c.separator), c.expected) << c.pattern;
}
