#include "cli/CheckCommand.h"
#include "cli/Cli.h"
#include "register/PlayerRegister.h"
#include "support/Players.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace mpsec;

namespace {

void WriteRegister(const test::TempFolder& dir) {
    test::WriteRegister(dir, {test::TestPlayer("12345", "KARVEL")});
}

int Check(std::vector<std::string> args, std::string& out, std::string& err) {
    args.insert(args.begin(), {"mpsec", "check"});
    std::ostringstream o, e;
    int status = RunCommandLine(args, o, e);
    out = o.str();
    err = e.str();
    return status;
}

} // namespace

// What each file named gives: the listing on standard output, problems on standard error,
// the report beside the file, and the exit status (the worst of the files named).
TEST(CheckCommand, ListsWritesTheReportAndSetsTheStatus) {
    test::TempFolder dir(true);
    dir.WriteLines("a.gld", {"0012345000125"});
    std::string out, err;
    EXPECT_EQ(Check({"a.gld"}, out, err), 2);
    EXPECT_EQ(err.rfind("mpsec check: Cannot find NATIONAL.TXT.", 0), 0u) << err;
    // A register that is there but cannot be read is said as what it is.
    std::filesystem::create_directory(dir / "National.TXT");
    EXPECT_EQ(Check({"a.gld"}, out, err), 2);
    EXPECT_EQ(err.rfind("mpsec check: Cannot read NATIONAL.TXT: it is a folder, not a file.", 0),
              0u)
        << err;
    std::filesystem::remove(dir / "National.TXT");

    WriteRegister(dir);
    const std::string national = dir.Read("National.TXT");
    dir.WriteLines("clean.gld", {"0012345000125", "0012345000075"});
    dir.WriteLines("faulty.red", {"0012345000100", "", "0099999000050"});
    dir.WriteLines("broken.gld", {"", "00123"});
    dir.WriteLines("National.gld", {"0012345000125"});
    dir.WriteLines("LIST.TXT", {"0012345000125"});
    struct Case {
        std::vector<std::string> files;
        int status;
        std::string out;        // found in the output
        std::string err;        // found on standard error; empty: nothing there
        const char* report;     // the report written or the file kept, if any
        std::string reportText; // its text, when checked
    } cases[] = {
        {{"clean.gld"},
         0,
         "No File Errors\n  Total Gold: 2\n",
         "",
         "clean.TXT",
         "   1.   12345 KARVEL             ANNE      3-104  1.25\r\n"
         "   2.   12345 KARVEL             ANNE      3-104  0.75\r\n"
         "  Total Gold: 2\r\n"},
        {{"clean.gld", "faulty.red"},
         1,
         "File Errors\n  Blank line in File Line 2\n  Illegal QMR No. in File Line 3\n",
         "",
         "faulty.TXT",
         ""},
        // The errors before a bad points field are printed with its message; no report.
        {{"broken.gld"},
         1,
         "File Errors\n  Blank line in File Line 1\n'' is not a valid integer value\n\n",
         "",
         nullptr,
         ""},
        {{"National.gld"},
         2,
         "No File Errors\n",
         "mpsec check: The report was not written: National.TXT already exists and is not an "
         "earlier report, so it was kept.\n",
         "National.TXT",
         national},
        {{"LIST.TXT"},
         0,
         "No File Errors\n",
         "mpsec check: The report was not written: its name LIST.TXT is the listed file's own "
         "name.\n",
         "LIST.TXT",
         "0012345000125\r\n"},
        {{"absent.gld", "clean.gld"},
         2,
         "Total Gold: 2",
         "mpsec check: cannot read absent.gld: No such file or directory\n",
         nullptr,
         ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Check(c.files, out, err), c.status) << c.files[0];
        EXPECT_NE(out.find(c.out), std::string::npos) << out;
        EXPECT_EQ(err, c.err) << c.files[0];
        if (c.report) {
            ASSERT_TRUE(dir.Exists(c.report)) << c.report;
            if (!c.reportText.empty()) {
                EXPECT_EQ(dir.Read(c.report), c.reportText) << c.report;
            }
        }
    }
    EXPECT_FALSE(dir.Exists("broken.TXT"));
}

// A file larger than the command lists is refused unread with its size and the limit, and
// the command ends with status 2 after listing the other files; a file of the limit is listed.
TEST(CheckCommand, FileLargerThanTheLimitIsRefused) {
    test::TempFolder dir(true);
    WriteRegister(dir);
    dir.WriteLines("big.gld", {"0012345000125", "0012345000075"});
    dir.WriteLines("clean.gld", {"0012345000125"});
    struct Case {
        std::uint64_t limit;
        int status;
        std::string err;
        bool bigListed;
    } cases[] = {
        {29, 2,
         "mpsec check: cannot read big.gld: it is 30 bytes, and the program reads masterpoint "
         "files of at most 29 bytes\n",
         false},
        {30, 0, "", true},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(dir / "big.TXT");
        std::ostringstream out, err;
        EXPECT_EQ(RunCheckCommand(dir.Path(), {"big.gld", "clean.gld"}, out, err, c.limit),
                  c.status);
        EXPECT_EQ(err.str(), c.err);
        EXPECT_EQ(out.str().find("MP File big.gld") != std::string::npos, c.bigListed);
        EXPECT_EQ(dir.Exists("big.TXT"), c.bigListed);
        EXPECT_NE(out.str().find("MP File clean.gld\n   1.   12345 KARVEL"), std::string::npos)
            << out.str();
    }
}
