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

TEST(NumberFormats, StatementMoneyAndGeneralForms) {
    struct Case {
        double value;
        const char* fixed2;
    } cases[] = {{300, "300.00"},     {12.3, "12.30"},      {1234.567, "1234.60"},
                 {15000, "15000.00"}, {1265.44, "1265.40"}, {-2, "-2.00"},
                 {0, "0.00"},         {0.005, "0.01"},      {99999.5, "100000.00"},
                 {-0.001, "0.00"}};
    for (const auto& c : cases)
        EXPECT_EQ(Fixed2(c.value), c.fixed2) << c.value;
    EXPECT_EQ(GeneralFormat(40), "40");
    EXPECT_EQ(GeneralFormat(37.25), "37.25");
    EXPECT_EQ(GeneralFormat(0.1 + 0.2), "0.3");
}

TEST(NumberFormats, DecimalValueTakesOnlyDecimalNumbers) {
    struct Case {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"12", 12},    {" -3.5 ", -3.5}, {"+2.25", 2.25}, {".25", 0.25}, {"7.", 7},
        {"  0.00", 0}, {"", {}},         {"   ", {}},     {".", {}},     {"-", {}},
        {"inf", {}},   {"nan", {}},      {"1e+300", {}},  {"1E5", {}},   {"0x1p3", {}},
        {"2,50", {}},  {"1.2.3", {}},    {"+-5", {}},     {"--5", {}},   {"5-", {}},
        {"1 2", {}},   {"infinity", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecimalValue(c.text), c.value) << '"' << c.text << '"';
}
