#include "mpfiles/MPFileEditing.h"

#include <gtest/gtest.h>

using namespace mpsec;

// The shown form of a line and what it saves as: an unchanged line comes back byte for
// byte; additions the user damaged are removed only where they are.
TEST(MPFileEditing, ShownAndSavedForms) {
    struct Case {
        std::string fileLine;
        std::size_t lineNumber;
        std::string shown;
    } cases[] = {
        {"0012345000125", 1, "   1. 0012345 000125"},
        {"0012345000150000025", 1, "   1. 0012345 000150000025"},
        {"0012345000125", 12, "  12. 0012345 000125"},
        {"0012345000125", 10000, "10000.0012345 000125"},
        {"0012345000125", 123456, "1234560012345 000125"},
        {"0012345", 3, "   3. 0012345 "},
        {"00123", 3, "   3. 00123 "},
        {"", 3, "   3.  "},
        {" 12345\x1a"
         "000\xe9",
         2, "   2.  12345\x1a 000\xe9"},
        {"\x1a", 2, "   2. \x1a "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShownEditorLine(c.fileLine, c.lineNumber), c.shown) << c.fileLine;
        EXPECT_EQ(SavedEditorLine(c.shown, c.lineNumber), c.fileLine) << c.shown;
    }
}

TEST(MPFileEditing, EditedLinesSaveWhatTheUserMeant) {
    struct Case {
        std::string editorLine;
        std::size_t lineNumber;
        std::string saved;
    } cases[] = {
        {"   3. 0012345 000150", 3, "0012345000150"},      // points edited
        {"   7. 0012345 000150", 3, "0012345000150"},      // a line moved up
        {"10001.0012345 000150", 3, "0012345000150"},      // from far below
        {"    . 0012345 000150", 3, "0012345000150"},      // its digit deleted
        {"  3. 0012345 000150", 3, "0012345000150"},       // a blank deleted
        {"   3.0012345 000150", 3, "0012345000150"},       // the prefix's blank deleted
        {"0012345 000150", 3, "0012345000150"},            // typed without a prefix
        {"0012345000150", 3, "0012345000150"},             // without prefix or blank
        {"   3. 0012345000150", 3, "0012345000150"},       // the inserted blank deleted
        {"1234567 000150", 100000, "1234567000150"},       // a 7-digit number, no prefix
        {"1000000012345 000150", 100000, "0012345000150"}, // line 100000 at its place
        {"1000010012345 000150", 100000, "0012345000150"}, // line 100001 moved up one
    };
    for (const auto& c : cases)
        EXPECT_EQ(SavedEditorLine(c.editorLine, c.lineNumber), c.saved) << c.editorLine;
}

TEST(MPFileEditing, WholeTexts) {
    const LineList file(std::string("0012345000125\r\n0054321000075\r\n"));
    EXPECT_EQ(ShownEditorText(file), "   1. 0012345 000125\n   2. 0054321 000075");
    EXPECT_EQ(SavedEditorText({"   1. 0012345 000125", "   2. 0054321 000075"}),
              "0012345000125\r\n0054321000075\r\n");
    // A final Enter leaves an empty last editor line, which writes nothing; an empty
    // editor writes an empty file.
    EXPECT_EQ(SavedEditorText({"   1. 0012345 000125", ""}), "0012345000125\r\n");
    EXPECT_EQ(SavedEditorText({}), "");
    EXPECT_EQ(SavedEditorText({""}), "");
}
