#include "support/FakePlatform.h"
#include "platform/QtPlatform.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace mpsec;

TEST(FakePlatform, AnswersExpectedPromptsInOrder) {
    FakePlatform p;
    p.ExpectWarning("Sure?", true);
    p.ExpectWarning("Really?", false);
    p.ExpectInformation("Done");
    EXPECT_TRUE(p.WarningYesNo("Sure?"));
    EXPECT_FALSE(p.WarningYesNo("Really?"));
    p.Information("Done");
    p.Beep();
    EXPECT_EQ(p.Beeps(), 1);
    EXPECT_EQ(p.Shown(), (QStringList{"warning: Sure?", "warning: Really?", "information: Done"}));
}

TEST(FakePlatform, UnexpectedWrongOrMissingPromptsFail) {
    EXPECT_NONFATAL_FAILURE(
        {
            FakePlatform p;
            p.Error("surprise");
        },
        "unexpected error");
    EXPECT_NONFATAL_FAILURE(
        {
            FakePlatform p;
            p.ExpectError("one");
            p.Error("two");
        },
        "expected error \"one\" but got error \"two\"");
    EXPECT_NONFATAL_FAILURE(
        {
            FakePlatform p;
            p.ExpectInformation("never");
        },
        "never shown");
}

TEST(QtPlatform, NameFilterConversion) {
    EXPECT_EQ(QtNameFilter("QMR Master Point Files|*.gld;*.red"),
              "QMR Master Point Files (*.gld *.red)");
    EXPECT_EQ(QtNameFilter("*.txt"), "*.txt");
}
