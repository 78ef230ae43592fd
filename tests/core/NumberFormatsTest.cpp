#include "core/NumberFormats.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(NumberFormats, PointsText) {
    struct Case {
        std::uint32_t hundredths;
        const char* text;
    } cases[] = {
        {0, " 0.00"},         {50, " 0.50"},        {125, " 1.25"},       {1200, "12.00"},
        {9999, "99.99"},      {10000, "100.00"},    {12346, "123.50"},    {12344, "123.40"},
        {12345, "123.50"},    {99996, "1,000.00"},  {123456, "1,235.00"}, {999999, "10,000.00"},
        {100049, "1,000.00"}, {100050, "1,001.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PointsText(c.hundredths), c.text) << c.hundredths;
}

TEST(NumberFormats, GeneralTextAndLineNumbers) {
    EXPECT_EQ(GeneralText(12345), "123.45");
    EXPECT_EQ(GeneralText(12350), "123.5");
    EXPECT_EQ(GeneralText(12300), "123");
    EXPECT_EQ(GeneralText(0), "0");
    EXPECT_EQ(GeneralText(5), "0.05");
    EXPECT_EQ(GeneralText(4294967295ull + 100), "42949673.95");
    EXPECT_EQ(LineNumberText(3), "   3");
    EXPECT_EQ(LineNumberText(9999), "9999");
    EXPECT_EQ(LineNumberText(70000), "7000");
}
