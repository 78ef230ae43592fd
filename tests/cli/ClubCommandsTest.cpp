#include "cli/Cli.h"
#include "cli/Csv.h"
#include "core/FileReading.h"
#include "enquiries/Extraction.h"
#include "support/Players.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace mpsec;

namespace {

class ClubCommandsTest : public ::testing::Test {
  protected:
    ClubCommandsTest() {
        test::WriteRegister(dir, {test::PlayerWithTotal("12345", "ADAMS", "6-785", "200.00"),
                                  test::PlayerWithTotal("22222", "BROWN", "6i785", "300.00"),
                                  test::PlayerWithTotal("1234567", "CLARK", "2-101", "150.00")});
        dir.WriteLines("NATIONAL.CLB", {"2101,BAYSIDE CLUB,,,,,,Ms,,K,Jones,1 B Rd,City,,,,,x",
                                        "6785,KARRAKATTA CLUB,"});
    }
    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), "mpsec");
        out.str("");
        err.str("");
        return RunCommandLine(args, out, err);
    }
    test::TempFolder dir{true};
    std::ostringstream out, err;
};

} // namespace

TEST(Csv, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvRow({"3104", "O'BRIEN, J", "say \"hi\"", ""}),
              "3104,\"O'BRIEN, J\",\"say \"\"hi\"\"\",\r\n");
}

TEST_F(ClubCommandsTest, Commands) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string outContains, errContains;
    } cases[] = {
        {{"clubs", "bay"}, 0, "2-101,  BAYSIDE CLUB,   Ms. K Jones\n1 B Rd,City,,,,\n\n", ""},
        {{"clubs", "NOWHERE"}, 1, "", "no club"},
        {{"clubs", "A B"}, 2, "", "letters, digits and apostrophes"},
        {{"clubs", "--help"}, 0, "Usage: mpsec clubs KEYWORD", ""},
        {{"membership", "--state", "wa"},
         0,
         "6785 KARRAKATTA CLUB" + std::string(45, ' ') +
             "1\n"
             "Total Active Membership: 1\n",
         ""},
        {{"membership", "--csv"},
         0,
         "Club,Name,Members\r\n2101,BAYSIDE CLUB,1\r\n",
         "Total Active Membership: 2"},
        {{"membership", "--state", "all", "--csv"},
         0,
         "Club,Name,Members\r\n2101,BAYSIDE CLUB,1\r\n",
         "Total Active Membership: 2"},
        {{"membership", "--state", "XX"}, 2, "", "unknown state XX"},
        {{"membership", "--sort", "--sort"}, 2, "", "given twice"},
        {{"extract", "top", "--state", "WA"},
         0,
         "Output saved as TOPWA.TXT\n   1.  12345 ADAMS",
         ""},
        {{"extract", "top", "--min", "20000"},
         1,
         "Output saved as TOPALL.TXT\n",
         "No players Found - Check Minimum Points."},
        {{"extract", "home"}, 2, "", "Club Number must be entered."},
        {{"extract", "inactive", "--club", "1234"}, 2, "", "No Club has this Number."},
        {{"extract", "all", "--club", "6785", "--all-members"}, 2, "", "Cannot read ALTERNAT.TXT"},
        {{"extract", "inactive", "--club", "6785", "--csv"},
         0,
         "Number,Surname,Given name\r\n22222,BROWN,ANNE\r\n",
         "Output saved as INAC6785.TXT"},
        {{"extract", "inactive-file"}, 2, "", "needs --file"},
        {{"extract", "inactive-file", "--file", "none.txt"}, 2, "", "Cannot read"},
        {{"extract", "mip", "--min", "5"}, 2, "", "--min is for top and year"},
        {{"extract", "best"}, 2, "", "unknown type best"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.args), c.status) << c.args[0] << " " << c.args[1];
        EXPECT_NE(out.str().find(c.outContains), std::string::npos) << out.str();
        EXPECT_NE(err.str().find(c.errContains), std::string::npos) << err.str();
    }
    EXPECT_FALSE(dir.Exists("6785.TXT")); // stopped before writing
}

// The commands write the files the screens write, byte for byte.
TEST_F(ClubCommandsTest, FilesAreTheScreensFiles) {
    ASSERT_EQ(Run({"membership", "--sort", "--save"}), 0);
    EXPECT_EQ(dir.Read("MEMBERSHIP.TXT"),
              "6785 KARRAKATTA CLUB                                              1\r\n"
              "2101 BAYSIDE CLUB                                                 1\r\n");
    // A state with no club lists nothing: the saved list stays as it was.
    EXPECT_EQ(Run({"membership", "--state", "nt", "--save"}), 1);
    EXPECT_EQ(err.str(), "mpsec membership: There is nothing to save: no club is listed. "
                         "MEMBERSHIP.TXT is left as it is.\n");
    EXPECT_EQ(dir.Read("MEMBERSHIP.TXT"),
              "6785 KARRAKATTA CLUB                                              1\r\n"
              "2101 BAYSIDE CLUB                                                 1\r\n");

    PlayerRegister national;
    ASSERT_TRUE(national.Load(dir / "National.TXT").Ok());
    ClubRegister clubs;
    ASSERT_TRUE(clubs.Load(dir / "NATIONAL.CLB").Ok());
    dir.WriteLines("ALTERNAT.TXT", {"  12345 ADAMS             ANNE       2101"});
    dir.WriteLines("list.txt", {"0022222000150", "", "0012345"});
    auto choices = [](OutputType type, const char* state = "ALL", const std::string& club = "",
                      bool allMembers = false) {
        ExtractChoices c;
        c.Type = type;
        c.State = *StateNamed(state);
        c.ClubOnly = !club.empty();
        c.ClubNo = club;
        c.AllMembers = allMembers;
        c.YearMinimum = 2;
        return c;
    };
    struct Case {
        std::vector<std::string> args;
        ExtractChoices choices;
    } cases[] = {
        {{"extract", "all"}, choices(OutputType::AllPlayers)},
        {{"extract", "year", "--state", "NSW", "--min", "2"},
         choices(OutputType::TopThisYear, "NSW")},
        {{"extract", "mip", "--club", "2101", "--all-members"},
         choices(OutputType::MostImproved, "ALL", "2101", true)},
        {{"extract", "home", "--club", "6785"}, choices(OutputType::HomeClub, "ALL", "6785")},
        {{"extract", "inactive-file", "--file", "list.txt"}, choices(OutputType::InactiveFile)},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Run(c.args), 0) << err.str();
        AlternateMembers alternate;
        (void)alternate.LoadFrom(dir.Path());
        LineList input;
        (void)ReadLines(dir / "list.txt", input);
        const Extraction screen = ExtractPlayers(national, clubs, c.choices, alternate, input);
        EXPECT_NE(screen.LineCount(), 0u) << c.args[1];
        EXPECT_EQ(dir.Read(screen.FileName), screen.Bytes()) << c.args[1];
    }
}
