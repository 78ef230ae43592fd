#include "mpfiles/MPListing.h"
#include "register/PlayerRegister.h"
#include "support/Players.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace mpsec;

namespace {

PlayerRecord Player(const std::string& number, const std::string& surname,
                    const std::string& club) {
    return test::TestPlayer(number, surname, "ANNE", club);
}

PlayerRegister Register() {
    PlayerRegister reg;
    reg.Assign(test::RegisterText(
        {Player("12345", "KARVEL", "3-104"), Player("80004", "NUMBER MISSING", "9i998"),
         Player("6688", "NEW ZEALAND", "9-998"), Player("2119", "UK", "9-998"),
         Player("777", "GONE", "9-997"), Player("888", "RESTING", "3i104")}));
    return reg;
}

MPListing List(const std::string& text, int type) {
    static const PlayerRegister reg = Register();
    return ListMPFile(LineList(text), static_cast<MPType>(type), reg);
}

} // namespace

TEST(MPListing, TypeFromExtension) {
    struct Case {
        const char* name;
        int type;
    } cases[] = {{"a.gld", 1}, {"A.RED", 2}, {"x/y.Grn", 3}, {"b.gar", 4},
                 {"c.rag", 5}, {"d.MP1", 0}, {"e.txt", 0},   {"noext", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int>(FindMPType(c.name)), c.type) << c.name;
}

TEST(MPListing, GoldFileOfAnActivePlayer) {
    MPListing l = List("0012345000125\r\n0012345000075\r\n", 1);
    ASSERT_EQ(l.Entries.size(), 2u);
    EXPECT_EQ(l.Entries[0], "   1.   12345 KARVEL             ANNE      3-104  1.25");
    EXPECT_EQ(l.Entries[1].substr(l.Entries[1].size() - 5), " 0.75");
    EXPECT_TRUE(l.Errors.empty());
    EXPECT_EQ(l.FirstLabel(), "Gold Master Points 2");
    EXPECT_EQ(l.SecondLabel(), "");
    EXPECT_EQ(l.Report().back(), "  Total Gold: 2");
    EXPECT_FALSE(l.StoppedBy);
}

TEST(MPListing, TwoColourFiles) {
    MPListing gar = List("0012345000150000025\r\n", 4);
    EXPECT_EQ(gar.Entries[0].substr(gar.Entries[0].size() - 12), "  1.50  0.25");
    EXPECT_EQ(gar.Gold, 150u);
    EXPECT_EQ(gar.Red, 25u);
    EXPECT_EQ(gar.TotalLines(),
              (std::vector<std::string>{"  Total Gold: 1.5", "  Total Red: 0.25"}));
    MPListing rag = List("0012345000150\r\n", 5); // short line: green 0
    EXPECT_EQ(rag.Red, 150u);
    EXPECT_EQ(rag.Green, 0u);
    EXPECT_EQ(rag.SecondLabel(), "Green Master Points 0");
}

TEST(MPListing, ErrorsInOrder) {
    const std::string text = "0012345000100\r\n"
                             "0080004000100\r\n" // special number, inactive club too
                             "\r\n"              // blank
                             "0006688000100\r\n"
                             "0002119000100\r\n"
                             "0000777000100\r\n"  // deleted
                             "0099999000100\r\n"  // not in the register
                             "    888000100\r\n"; // blanks: matches, not a special number
    MPListing l = List(text, 2);
    EXPECT_EQ(l.Errors, (std::vector<std::string>{
                            "Missing QMR No. Line 2", "Inactive Player at Line 2",
                            "Blank line in File Line 3", "New Zealand Player at Line 4",
                            "UK Player at Line 5", "Deleted Player at Line 6",
                            "Illegal QMR No. in File Line 7", "Inactive Player at Line 8"}));
    EXPECT_EQ(l.Entries[2], "   3. Blank Line in File.");
    EXPECT_EQ(l.Entries[6], "   7. 0099999" + std::string(35, ' ') + " 1.00");
    EXPECT_EQ(l.Red, 700u); // unknown numbers still count
}

TEST(MPListing, CtrlZEndsTheFileAndEmptyFileHasZeroTotals) {
    MPListing l = List("0012345000100\r\n\x1A\r\n0012345000100\r\n", 1);
    EXPECT_EQ(l.Entries.size(), 1u);
    MPListing empty = List("", 1);
    EXPECT_TRUE(empty.Entries.empty());
    EXPECT_EQ(empty.FirstLabel(), "Gold Master Points 0");
    EXPECT_EQ(empty.Report(), (std::vector<std::string>{"  Total Gold: 0"}));
}

// A points field that is not a whole number stops the listing at its line; the entries,
// errors and totals of the lines before it stay.
TEST(MPListing, BadPointsStopTheListing) {
    struct Case {
        std::string text;
        int type;
        std::size_t entries;
        std::vector<std::string> errors;
        std::uint64_t total; // of the type's first colour
        const char* message;
    } cases[] = {
        {"0012345000100\r\n0012345\r\n0012345000100\r\n",
         1,
         1,
         {},
         100,
         "'' is not a valid integer value"},
        {"0012345ABC100\r\n", 1, 0, {}, 0, "'ABC100' is not a valid integer value"},
        {"0012345000100000X00\r\n", 4, 0, {}, 0, "'000X00' is not a valid integer value"},
        {"0012345-00100\r\n", 2, 0, {}, 0, "'-00100' is not a valid integer value"},
        {"\r\n0099999000100\r\n0012345ABC\r\n0000777000100\r\n",
         2,
         2,
         {"Blank line in File Line 1", "Illegal QMR No. in File Line 2"},
         100,
         "'ABC' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        MPListing l = List(c.text, c.type);
        ASSERT_TRUE(l.StoppedBy) << c.text;
        EXPECT_EQ(l.StoppedBy->Message, c.message);
        EXPECT_EQ(l.Entries.size(), c.entries) << c.text;
        EXPECT_EQ(l.Errors, c.errors) << c.text;
        EXPECT_EQ(l.Total(c.type == 2 ? MPColour::Red : MPColour::Gold), c.total) << c.text;
    }
}

TEST(MPListing, LineNumbersPast65535StayRight) {
    std::string text;
    for (int i = 0; i < 70000; ++i)
        text += "0012345000001\r\n";
    text += "0099999000001\r\n";
    MPListing l = List(text, 1);
    EXPECT_EQ(l.Errors, (std::vector<std::string>{"Illegal QMR No. in File Line 70001"}));
    EXPECT_EQ(l.Gold, 70001u);
}

TEST(MPListing, UntypedFilesHaveNoPointsAndNoTotals) {
    MPListing l = List("0012345000100\r\n", 0);
    EXPECT_EQ(l.Entries[0].back(), ' ');
    EXPECT_TRUE(l.TotalLines().empty());
    EXPECT_EQ(l.FirstLabel(), "");
}

TEST(MPListing, ReportNeverReplacesTheListedFile) {
    EXPECT_EQ(ReportPath("/d/1234326.gld"), std::filesystem::path("/d/1234326.TXT"));
    EXPECT_EQ(ReportPath("/d/SOMETHING.TXT"), std::nullopt);
    EXPECT_EQ(ReportPath("/d/list.txt"), std::nullopt);
    EXPECT_EQ(ReportPath("noext"), std::filesystem::path("noext.TXT"));

    test::TempFolder dir;
    dir.Write("LIST.TXT", "0012345000125\r\n");
    EXPECT_EQ(WriteMPReport(dir / "LIST.TXT", List("0012345000125\r\n", 1)).Message(),
              "The report was not written: its name LIST.TXT is the listed file's own name.");
    EXPECT_EQ(dir.Read("LIST.TXT"), "0012345000125\r\n");
}

TEST(MPListing, AReportThatCannotBeWrittenIsSaid) {
    test::TempFolder dir;
    const auto gone = dir / "gone";
    EXPECT_EQ(WriteMPReport(gone / "a.gld", List("0012345000125\r\n", 1)).Message(),
              "The report a.TXT could not be written in " + gone.string() +
                  ": No such file or directory.");
    EXPECT_TRUE(dir.Names().empty());
}

// A report replaces only an earlier report or nothing: the federation's files named like a
// listed file's report are kept, in any letter case, and no second name is made.
TEST(MPListing, ReportReplacesOnlyAnEarlierReport) {
    const std::string national = test::RegisterText({Player("12345", "KARVEL", "3-104")});
    struct Case {
        const char* existing; // the file already there, or none
        std::string content;
        bool kept;
    } cases[] = {
        {nullptr, "", false},
        {"National.TXT", "", false},
        {"National.TXT", "   1. old\r\n  99. old\r\n1234. old\r\n  Total Gold: 1.5\r\n", false},
        {"NATIONAL.txt", "   3. Blank Line in File.\r\n  Total Red: 0\r\n  Total Green: 12\r\n",
         false},
        {"National.TXT", national, true},
        {"national.txt", national, true},
        {"National.TXT", "QMR NO. PRE-1982 RED POINTS\r\n0005682  76.67\r\n", true},
        {"National.TXT", "   1. entry\r\nnote\r\n", true}, // one line not a report's
        {"National.TXT", "   1. entry\r\n\r\n", true},     // nor is an empty line
        {"National.TXT", "  1 . x\r\n", true},
        {"National.TXT", "  1  . x\r\n", true},
        {"National.TXT", "  Total Gold: two\r\n", true},
    };
    const MPListing listing = List("0012345000125\r\n", 1);
    for (const auto& c : cases) {
        test::TempFolder dir;
        if (c.existing)
            dir.Write(c.existing, c.content);
        const std::string name = c.existing ? c.existing : "National.TXT";
#if defined(_WIN32)
        // Names that differ only in letter case are one file there: the name asked is said.
        const std::string said = "National.TXT";
#else
        const std::string said = name;
#endif
        EXPECT_EQ(WriteMPReport(dir / "National.gld", listing).Message(),
                  c.kept ? "The report was not written: " + said +
                               " already exists and is not an earlier report, so it was kept."
                         : "")
            << c.content;
        EXPECT_EQ(dir.Read(name), c.kept ? c.content
                                         : "   1.   12345 KARVEL             ANNE      3-104  "
                                           "1.25\r\n  Total Gold: 1.25\r\n");
        EXPECT_EQ(dir.Names(), std::vector<std::string>{name});
    }
}

TEST(MPListing, LinesOfEveryLength) {
    struct Case {
        std::string line;
        std::uint64_t red, green;
        bool conversionError;
    } cases[] = {
        {"0", 0, 0, true},                       // no points field at all
        {"0012345", 0, 0, true},                 // 7: still none
        {"00123450001", 1, 0, false},            // 11: a short first field reads as it is
        {"0012345000125", 125, 0, false},        // 13: one colour only, second is 0
        {"001234500012500007", 125, 0, false},   // 18: second field not read
        {"0012345000125000075", 125, 75, false}, // 19
        {"0012345000125000075" + std::string(181, 'x'), 125, 75, false}, // 200: the rest ignored
        {std::string("0012345\0\0\0\0\0\0", 13), 0, 0, true},            // binary
    };
    for (const auto& c : cases) {
        MPListing l = List(c.line + "\r\n", 5);
        EXPECT_EQ(l.StoppedBy.has_value(), c.conversionError) << c.line.size();
        EXPECT_EQ(l.Red, c.red) << c.line.size();
        EXPECT_EQ(l.Green, c.green) << c.line.size();
    }
}

TEST(MPListing, FileSizeText) {
    struct Case {
        std::uint64_t bytes;
        const char* text;
    } cases[] = {{0, "0 bytes"},
                 {30, "30 bytes"},
                 {1048575, "1,048,575 bytes"},
                 {1048576, "1 MB"},
                 {1048577, "2 MB"},
                 {std::uint64_t{32} << 20, "32 MB"},
                 {std::uint64_t{2} << 30, "2,048 MB"},
                 {(std::uint64_t{1000000} << 20) - 1, "1,000,000 MB"}};
    for (const auto& c : cases)
        EXPECT_EQ(FileSizeText(c.bytes), c.text) << c.bytes;
}

// A file of the limit is read; one byte more is refused with both sizes, and the lines of
// a file read before are not left behind. Other failures are said in the system's words.
TEST(MPListing, ReadMPFileRefusesAFileLargerThanTheLimit) {
    test::TempFolder dir;
    dir.Write("a.gld", "0012345000125\r\n0012345000075"); // 28 bytes
    struct Case {
        const char* file;
        std::uint64_t limit;
        const char* reason; // empty: read
        std::size_t lines;
    } cases[] = {
        {"a.gld", 28, "", 2},
        {"a.gld", 27, "it is 28 bytes, and the program reads masterpoint files of at most 27 bytes",
         0},
        {"a.gld", 0, "it is 28 bytes, and the program reads masterpoint files of at most 0 bytes",
         0},
        {"gone.gld", 100, "No such file or directory", 0},
    };
    LineList lines(std::string("left\r\nfrom before\r\n"));
    for (const auto& c : cases) {
        const Status read = ReadMPFile(dir / c.file, lines, c.limit);
        EXPECT_EQ(read.Ok() ? "" : read.Message(), c.reason) << c.file << " " << c.limit;
        EXPECT_EQ(lines.Count(), c.lines) << c.file << " " << c.limit;
    }
    EXPECT_EQ(lines.Count(), 0u);
    ASSERT_TRUE(ReadMPFile(dir / "a.gld", lines).Ok());
    EXPECT_EQ(lines[1], "0012345000075");
}
