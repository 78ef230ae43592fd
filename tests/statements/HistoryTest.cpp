#include "statements/History.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace mpsec;

namespace {

const LineList
    kEvents("ABCSPRING CONGRESS PAIRS\r\nABCSECOND WITH THE SAME CODE\r\nXYZWINTER TEAMS     \r\n");

std::string Club(std::string_view code) {
    return code == "3104" ? "3104 ARDEN BRIDGE CLUB" : "";
}

Result<AwardLine> Parse(const std::string& line) {
    return ParseHistoryLine(line, kEvents, Club);
}

} // namespace

TEST(History, ParsesEventAndPointKinds) {
    struct Case {
        std::string line;
        const char* period;
        const char* code;
        const char* description;
        PointKind kind;
        double gold, red, green;
    } cases[] = {
        {"3070012345X1 ABC    2.50", "3/07", "ABC", "SPRING CONGRESS PAIRS", PointKind::Gold, 2.5,
         0, 0},
        {"1070012345Y2 XYZ    1.00", "1/07", "XYZ", "WINTER TEAMS     ", PointKind::Red, 0, 1, 0},
        {"4100012345X3 QQQ    1.00", "4/10", "QQQ", "", PointKind::Green, 0, 0, 1},
        {"1080012345A19999    0.75", "1/08", "SPC", "Adjustment", PointKind::Gold, 0.75, 0, 0},
        {"1080012345H2        0.75", "1/08", "SPC", "Adjustment", PointKind::Red, 0, 0.75, 0},
        {"2080012345C43104    3.00    1.50", "2/08", "3104", "ARDEN BRIDGE CLUB",
         PointKind::GoldRed, 3, 1.5, 0},
        {"2080012345D53104    3.00    1.50", "2/08", "3104", "ARDEN BRIDGE CLUB",
         PointKind::RedGreen, 0, 3, 1.5},
        {"2080012345V17777    1.00", "2/08", "7777", "", PointKind::Gold, 1, 0, 0},
        {"2080012345M1        1.00", "2/08", "", "Merged Player Points", PointKind::Gold, 1, 0, 0},
        {"2080012345N3        1.00", "2/08", "", "Manual Adjustment", PointKind::Green, 0, 0, 1},
        {"2080012345c1        1.00", "2/08", "", "", PointKind::Gold, 1, 0,
         0}, // lower case: unknown
        {"2080012345Q1        1.00", "2/08", "", "", PointKind::Gold, 1, 0, 0},
        // A kind outside 1-5 carries no amounts; the event is still named.
        {"2080012345C03104    1.00", "2/08", "3104", "ARDEN BRIDGE CLUB", PointKind::None, 0, 0, 0},
        {"2080012345C9        1.00", "2/08", "    ", "", PointKind::None, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const Result<AwardLine> p = Parse(c.line);
        ASSERT_TRUE(p) << c.line << ": " << p.Message();
        EXPECT_EQ(p->Period, c.period) << c.line;
        EXPECT_EQ(p->Code, c.code) << c.line;
        EXPECT_EQ(p->Description, c.description) << c.line;
        EXPECT_EQ(p->Kind, c.kind) << c.line;
        EXPECT_DOUBLE_EQ(p->Gold.ToDouble(), c.gold) << c.line;
        EXPECT_DOUBLE_EQ(p->Red.ToDouble(), c.red) << c.line;
        EXPECT_DOUBLE_EQ(p->Green.ToDouble(), c.green) << c.line;
    }
}

TEST(History, BadFieldsGiveTheConversionMessage) {
    struct Case {
        std::string line;
        const char* error;
    } cases[] = {
        {"3070012345X  ABC    2.50", "' ' is not a valid integer value"},
        {"3070012345X", "'' is not a valid integer value"},
        {"3070012345X1 ABC    2,50", "'    2,50' is not a valid floating point value"},
        {"3070012345X4 ABC    2.50",
         "'' is not a valid floating point value"}, // second amount missing
        {"3070012345X1 ABC", "'' is not a valid floating point value"},
    };
    for (const auto& c : cases) {
        const Result<AwardLine> p = Parse(c.line);
        EXPECT_FALSE(p) << c.line;
        EXPECT_EQ(p.Message(), c.error) << c.line;
    }
}

TEST(History, PlayerLinesInFileOrderIncludingTheLastLine) {
    // Lines ended by CR LF, a bare CR and LF; the last one unended.
    const std::string history = "1070012345X1 ABC    1.00\r\n"
                                "1070001234X1 ABC    9.00\r"
                                "4070012345X1 ABC    2.00\n"
                                "short\r\n"
                                "1080012345X1 ABC    3.00";
    HistoryIndex index;
    ASSERT_TRUE(index.Build(history).Ok());
    for (const char* typed : {"12345", "012345", "0012345"}) {
        auto lines = index.PlayerLines(typed);
        ASSERT_EQ(lines.size(), 3u) << typed;
        EXPECT_EQ(lines[0].substr(0, 3), "107");
        EXPECT_EQ(lines[1].substr(0, 3), "407");
        EXPECT_EQ(lines[1], "4070012345X1 ABC    2.00");
        EXPECT_EQ(lines[2], "1080012345X1 ABC    3.00"); // the file's last line counts
    }
    EXPECT_EQ(index.PlayerLines("1234"), std::vector<std::string_view>{"1070001234X1 ABC    9.00"});
    EXPECT_EQ(index.PlayerLines("999").size(), 0u);
    EXPECT_EQ(index.PlayerLines("").size(), 0u);
    HistoryIndex empty;
    ASSERT_TRUE(empty.Build("").Ok());
    EXPECT_EQ(empty.PlayerLines("12345").size(), 0u);
}

TEST(History, IndexGrowsPastItsFirstSize) {
    std::string text;
    for (int i = 0; i < 5000; ++i) { // more players than the first table holds
        char line[64];
        std::snprintf(line, sizeof line, "107%07dX1 ABC    1.00\r\n", i);
        text += line;
    }
    HistoryIndex index;
    ASSERT_TRUE(index.Build(text).Ok());
    for (int i : {0, 1, 2047, 4999}) {
        auto lines = index.PlayerLines(std::to_string(i));
        ASSERT_EQ(lines.size(), 1u) << i;
    }
}

TEST(History, Pre82RedPoints) {
    LineList pre82("0012345 HEADER\r\n0012345  12.50\r\n0000007   1.25\r\n0099999  bad  \r\n");
    struct Case {
        const char* typed;
        double points;
        const char* error;
    } cases[] = {
        {"12345", 12.5, ""},
        {"012345", 0, ""},
        {"7", 1.25, ""},
        {"54321", 0, ""},
        {"99999", 0, "' bad  ' is not a valid floating point value"},
    };
    for (const auto& c : cases) {
        const Result<Amount> r = GetPre82RedPoints(pre82, c.typed);
        EXPECT_EQ(r.Message(), c.error) << c.typed;
        EXPECT_DOUBLE_EQ(r ? r->ToDouble() : 0, c.points) << c.typed;
    }
    EXPECT_EQ(*GetPre82RedPoints(LineList("HEADER ONLY\r\n"), "12345"), Amount{});
    EXPECT_EQ(*GetPre82RedPoints(LineList(""), "12345"), Amount{});
}

TEST(History, NumberFieldsThatAreNotDigitsMatchNobodyTyped) {
    HistoryIndex index;
    ASSERT_TRUE(index
                    .Build("107  12345X1 ABC    1.00\r\n1070012345X1 ABC    2.00\r\n107ABCDEFGX1 "
                           "ABC    3.00\r\n")
                    .Ok());
    auto lines = index.PlayerLines("12345");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(20), "2.00");
    EXPECT_EQ(index.PlayerLines("ABCDEFG").size(), 1u); // compared as it stands
}

TEST(History, AwardFilesPresentNeedsBothFiles) {
    struct Case {
        std::vector<std::string> files;
        bool present;
    } cases[] = {
        {{}, false},
        {{"history.txt"}, false},
        {{"events.txt", "HISTORY.TXT"}, true}, // letter case does not matter
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        for (const auto& f : c.files)
            dir.Write(f, "x\r\n");
        EXPECT_EQ(AwardFilesPresent(dir.Path()), c.present);
    }
}
