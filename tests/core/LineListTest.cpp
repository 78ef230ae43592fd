#include "core/LineList.h"
#include "core/AsciiText.h"
#include "core/Columns.h"
#include "core/LargeArray.h"

#include <gtest/gtest.h>

using namespace mpsec;

TEST(LineList, SplitsOnCrLfLfAndBareCrWithoutATrailingEmptyLine) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb\n", {"a", "", "b"}},
        {"\r\n", {""}},
        {"x\ry\n", {"x", "y"}},
        {"\xE9t\xE9\n", {"\xE9t\xE9"}},
        // Bare CR line ends, alone and mixed with the others.
        {"a\rb\r", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"\r", {""}},
        {"a\r\r", {"a", ""}},
        {"a\r\r\nb\r\n", {"a", "", "b"}},
        {"a\n\rb\r\n\r", {"a", "", "b", ""}},
        {"a\r\n\nb\rc\r\n", {"a", "", "b", "c"}},
        // A CR LF split across sixteen-byte blocks, and long lines between.
        {std::string(15, 'a') + "\r\n" + std::string(40, 'b') + "\r" + std::string(17, 'c'),
         {std::string(15, 'a'), std::string(40, 'b'), std::string(17, 'c')}},
        {std::string(31, 'a') + "\r\r\n\n" + std::string(16, 'b') + "\n",
         {std::string(31, 'a'), "", "", std::string(16, 'b')}},
        // ... and between the last block and the tail.
        {std::string(15, 'a') + "\r\n", {std::string(15, 'a')}},
        {std::string(31, 'a') + "\r\nb", {std::string(31, 'a'), "b"}},
    };
    for (const auto& c : cases) {
        LineList list(c.text);
        ASSERT_EQ(list.Count(), c.lines.size()) << c.text;
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            EXPECT_EQ(list[i], c.lines[i]) << c.text;
            EXPECT_EQ(list.Head(i, 1), c.lines[i].substr(0, 1)) << c.text;
        }
        // The lines handed out while splitting are the same.
        std::vector<std::string> seen;
        LineList().Assign(c.text, [&](std::size_t, std::string_view l) { seen.emplace_back(l); });
        EXPECT_EQ(seen, c.lines) << c.text;
        // And by the one-pass split, each with where it starts.
        seen.clear();
        ForEachLine(c.text, [&](std::size_t at, std::string_view l) {
            EXPECT_EQ(c.text.data() + at, l.data());
            seen.emplace_back(l);
        });
        EXPECT_EQ(seen, c.lines) << c.text;
    }
}

TEST(Columns, NeverReadPastTheEnd) {
    EXPECT_EQ(Cols("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Cols("abcdef", 5, 10), "ef");
    EXPECT_EQ(Cols("abc", 4, 2), "");
    EXPECT_EQ(Cols("abc", 9, 2), "");
    EXPECT_EQ(Trim(" \t x y \x01"), "x y");
    EXPECT_EQ(Trim("\xE9 "), "\xE9");
}

// A large array never writes past its room: a full one and one whose memory was refused
// take nothing more.
TEST(LargeArray, TakesNothingBeyondItsRoom) {
    LargeArray<std::uint32_t> two(2);
    EXPECT_TRUE(two.PushBack(1) && two.PushBack(2));
    EXPECT_FALSE(two.PushBack(3));
    EXPECT_EQ(two.Size(), 2u);
    LargeArray<std::uint32_t> refused;
    EXPECT_FALSE(refused.Reserve(SIZE_MAX / 2));
    EXPECT_EQ(refused.Capacity(), 0u);
    EXPECT_FALSE(refused.PushBack(1));
}
