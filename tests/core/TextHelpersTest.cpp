#include "core/TextHelpers.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(TextHelpers, TitleCase) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"INACTIVE - LAST CLUB: 3104 BRIDGE CLUB", "Inactive - Last Club: 3104 Bridge Club"},
        {"O'BRIEN", "O'brien"},
        {"MARY-ANN", "Mary-ann"},
        {"  two  blanks", "  Two  Blanks"},
        {"3104 ARDEN", "3104 Arden"},
        {"", ""},
        {"\xC9MILE ZOLA", "\xC9Mile Zola"}, // only a-z use up the capital
    };
    for (const auto& c : cases)
        EXPECT_EQ(TitleCase(c.in), c.out) << c.in;
}

TEST(TextHelpers, PadLeftAndPadRight) {
    EXPECT_EQ(PadLeft("12345", 7, ' '), "  12345");
    EXPECT_EQ(PadLeft("12345", 3, ' '), "123");
    EXPECT_EQ(PadLeft("7", 4, '0'), "0007");
    EXPECT_EQ(PadLeft("", 0, ' '), "");
    EXPECT_EQ(PadRight("ABCDEFGHIJKLMNOPQRST", 18, ' '), "ABCDEFGHIJKLMNOPQR");
    EXPECT_EQ(PadRight("SMI", 6, ' '), "SMI   ");
    EXPECT_EQ(PadRight("x", 300, ' ').size(), 255u);
    EXPECT_EQ(PadLeft("x", -4, ' '), "");
}
