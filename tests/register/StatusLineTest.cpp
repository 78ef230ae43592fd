#include "register/StatusLine.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(StatusLine, DateTexts) {
    EXPECT_EQ(DateLabelText({2026, 12, 7}), " Monday December 07 2026");
    EXPECT_EQ(NationalLabelText(CivilDate{2026, 11, 3}),
              "Using NATIONAL.TXT file dated: November 03 2026");
    EXPECT_EQ(NationalLabelText(std::nullopt), "Using NATIONAL.TXT file dated: December 30 1899");
}
