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
          "Warning MP3 Files Found", "no such window"}) {
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
