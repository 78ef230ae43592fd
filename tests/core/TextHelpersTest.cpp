#include "core/TextHelpers.h"

#include "core/AsciiText.h"

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

// Only the ASCII letters change case and only blanks (or blanks and control characters)
// are trimmed; Latin-1 letters are text.
TEST(TextHelpers, AsciiCaseAndTrims) {
    EXPECT_EQ(UpperAscii("nsw a-z \xE9\xFF"), "NSW A-Z \xE9\xFF");
    EXPECT_EQ(LowerAscii("BRIDGE \xC9@[`{"), "bridge \xC9@[`{");
    EXPECT_TRUE(EqualNoCase("Vic", "VIC"));
    EXPECT_FALSE(EqualNoCase("VI", "VIC"));
    EXPECT_FALSE(EqualNoCase("\xE9", "\xC9"));
    struct Case {
        std::string_view in, trim, blanks, left, right;
    } cases[] = {
        {" \t x y \x01", "x y", "\t x y \x01", "x y \x01", " \t x y"},
        {"\xE9 ", "\xE9", "\xE9", "\xE9 ", "\xE9"},
        {"   ", "", "", "", ""},
        {"", "", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Trim(c.in), c.trim) << c.in;
        EXPECT_EQ(TrimBlanks(c.in), c.blanks) << c.in;
        EXPECT_EQ(TrimLeft(c.in), c.left) << c.in;
        EXPECT_EQ(TrimRight(c.in), c.right) << c.in;
    }
}

// A path in the program's one form: absolute, without . or .. or doubled or final
// separators, with the system's separators; and the same place as the system compares names.
TEST(TextHelpers, WholePathsAndTheSamePlace) {
#if defined(_WIN32)
    const char* root = "C:\\";
    const char* sep = "\\";
#else
    const char* root = "/";
    const char* sep = "/";
#endif
    const std::string aug = std::string(root) + "club" + sep + "aug";
    struct Case {
        std::string given;
        std::string whole;
    } cases[] = {
        {std::string(root) + "club/aug/.", aug},
        {std::string(root) + "club//aug//", aug},
        {std::string(root) + "club/sep/../aug", aug},
        {std::string(root) + "club" + sep + "aug" + sep, aug},
        {root, root},
#if defined(_WIN32)
        {"C:/users/Z\xC3\xB6"
         "e/Donn\xC3\xA9"
         "es du club/",
         "C:\\users\\Z\xC3\xB6"
         "e\\Donn\xC3\xA9"
         "es du club"},
#endif
    };
    for (const Case& c : cases)
        EXPECT_EQ(PathText(WholePath(PathFromText(c.given))), c.whole) << c.given;
    // A relative path is taken in the current folder.
    EXPECT_EQ(WholePath(PathFromText("x/./y")), std::filesystem::current_path() / "x" / "y");

    struct Same {
        std::string a, b;
        bool same;
    } pairs[] = {
        {aug, std::string(root) + "club/./aug/", true},
        {aug, std::string(root) + "club" + sep + "sep", false},
#if defined(_WIN32)
        {"C:\\Donn\xC3\xA9"
         "es",
         "c:/DONN\xC3\x89"
         "ES",
         true},
#else
        {"/Donn\xC3\xA9"
         "es",
         "/DONN\xC3\x89"
         "ES",
         false},
#endif
    };
    for (const Same& p : pairs)
        EXPECT_EQ(SamePath(PathFromText(p.a), PathFromText(p.b)), p.same) << p.a << " " << p.b;
}
