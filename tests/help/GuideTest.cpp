#include "help/Guide.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace mpsec;

namespace {

std::string SourceFile(const std::string& name) {
    std::ifstream in(std::string(MPSEC_SOURCE_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(Guide, SplitsAtSecondLevelHeadings) {
    EXPECT_EQ(SplitGuide("intro\n## One\n\ntext\nmore\n\n## Two\n### Sub\nx"),
              (std::vector<GuideSection>{{"One", "text\nmore"}, {"Two", "### Sub\nx"}}));
    EXPECT_TRUE(SplitGuide("no heading\n").empty());
    EXPECT_EQ(SplitGuide("## Empty\n\n\n"), (std::vector<GuideSection>{{"Empty", ""}}));
}

// Every window's section is one the shipped guide has.
TEST(Guide, EveryWindowHasItsSection) {
    std::vector<std::string> titles;
    for (const GuideSection& section : SplitGuide(SourceFile("docs/guide.md")))
        titles.push_back(section.Title);
    for (const char* caption :
         {"QMR Dodiru Vorez Azoviv", "Viewing Players", "Extract Players", "Player Details ",
          "View Masterpoint Information in a File", "Edit MP File", "Merge Master Point Files",
          "Award Details", "Award Adjustment Request", "View Club Master Point Secretaries.",
          "Home Club Membership Numbers.", "Manual Entry of Master Points",
          "Annual Membership Cancellations", "Award Statements", "Print Member Award Statements",
          "Warning MP3 Files Found", "E-mail Settings", "no such window"}) {
        const std::string section = HelpSectionFor(caption);
        EXPECT_NE(std::find(titles.begin(), titles.end(), section), titles.end())
            << caption << " -> " << section;
    }
    EXPECT_EQ(HelpSectionFor("Extract Players"), "Extract selected players");
}

// The README's part for the secretary is the guide itself, word for word.
TEST(Guide, ReadmeHoldsTheGuide) {
    const std::string readme = SourceFile("README.md");
    const std::string begin = "<!-- guide: written by scripts/readme.sh from docs/guide.md -->\n";
    const std::string end = "<!-- end of guide -->\n";
    const auto from = readme.find(begin), to = readme.find(end);
    ASSERT_NE(from, std::string::npos);
    ASSERT_NE(to, std::string::npos);
    EXPECT_EQ(readme.substr(from + begin.size(), to - from - begin.size()),
              SourceFile("docs/guide.md"))
        << "run scripts/readme.sh";
}

// A paragraph marked for one system is shown only there, without its mark.
TEST(Guide, ParagraphsMarkedForOneSystem) {
    const std::string guide = "## One\n\n"
                              "Both.\n\n"
                              "**Linux:** Run apt-get\nas root.\n\n"
                              "**Windows:** Run the installer.\n\n"
                              "**Note:** bold, for both.\n"
                              "**Windows:** inside a paragraph, for both.\n\n"
                              "Last.\n";
    struct Case {
        const char* system;
        std::string shown;
    } cases[] = {
        {"Linux", "## One\n\nBoth.\n\nRun apt-get\nas root.\n\n**Note:** bold, for both.\n"
                  "**Windows:** inside a paragraph, for both.\n\nLast.\n"},
        {"Windows", "## One\n\nBoth.\n\nRun the installer.\n\n**Note:** bold, for both.\n"
                    "**Windows:** inside a paragraph, for both.\n\nLast.\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GuideFor(guide, c.system), c.shown) << c.system;
    EXPECT_EQ(GuideFor("**Windows:** only\n", "Linux"), "");
}

// The shipped guide tells each system's user what holds there.
TEST(Guide, ShippedGuideNamesWhatHoldsOnEachSystem) {
    const std::string guide = SourceFile("docs/guide.md");
    struct Case {
        const char* system;
        std::vector<std::string> present, absent;
    } cases[] = {
        {"Linux",
         {"sudo apt-get install", "man mpsec", "~/.config/mpsec/mpsec.ini", "From a terminal"},
         {"HKEY_CURRENT_USER", "installer", "mpsec.com", "**Linux:**", "**Windows:**"}},
        {"Windows",
         {"installer", "HKEY_CURRENT_USER\\Software\\mpsec\\mpsec", "mpsec --help", "mpsec.com",
          "Documents folder"},
         {"apt-get", "man mpsec", "~/", ".deb", "terminal", "**Linux:**", "**Windows:**"}},
    };
    for (const Case& c : cases) {
        const std::string shown = GuideFor(guide, c.system);
        for (const std::string& text : c.present)
            EXPECT_NE(shown.find(text), std::string::npos) << c.system << ": " << text;
        for (const std::string& text : c.absent)
            EXPECT_EQ(shown.find(text), std::string::npos) << c.system << ": " << text;
    }
}
