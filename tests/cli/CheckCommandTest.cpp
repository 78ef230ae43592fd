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

TEST(CheckCommand, ListsWritesTheReportAndSetsTheStatus) {
    test::TempFolder dir(true);
    WriteRegister(dir);
    dir.WriteLines("clean.gld", {"0012345000125", "0012345000075"});
    dir.WriteLines("faulty.red", {"0012345000100", "", "0099999000050"});
    dir.WriteLines("broken.grn", {"0012345000100", "00123"});
    std::string out, err;

    EXPECT_EQ(Check({"clean.gld"}, out, err), 0);
    EXPECT_NE(out.find("No File Errors\n  Total Gold: 2\n"), std::string::npos) << out;
    EXPECT_EQ(dir.Read("clean.TXT"), "   1.   12345 KARVEL             ANNE      3-104  1.25\r\n"
                                     "   2.   12345 KARVEL             ANNE      3-104  0.75\r\n"
                                     "  Total Gold: 2\r\n");

    EXPECT_EQ(Check({"clean.gld", "faulty.red"}, out, err), 1);
    EXPECT_NE(
        out.find("File Errors\n  Blank line in File Line 2\n  Illegal QMR No. in File Line 3\n"),
        std::string::npos)
        << out;
    EXPECT_TRUE(dir.Exists("faulty.TXT"));

    EXPECT_EQ(Check({"broken.grn"}, out, err), 1);
    EXPECT_NE(out.find("'' is not a valid integer value"), std::string::npos) << out;
    EXPECT_FALSE(dir.Exists("broken.TXT")); // nothing half-written

    EXPECT_EQ(Check({"absent.gld"}, out, err), 2);
    EXPECT_NE(err.find("cannot read absent.gld"), std::string::npos);
}

// Errors found before a conversion error are printed with it; checking National.gld in
// the register's own folder once replaced National.TXT with its report.
TEST(CheckCommand, ErrorsBeforeAConversionErrorAndAReportThatWouldReplaceTheRegister) {
    test::TempFolder dir(true);
    WriteRegister(dir);
    const std::string national = dir.Read("National.TXT");
    dir.WriteLines("broken.gld", {"", "00123"});
    dir.WriteLines("National.gld", {"0012345000125"});
    std::string out, err;
    EXPECT_EQ(Check({"broken.gld"}, out, err), 1);
    EXPECT_NE(out.find("File Errors\n  Blank line in File Line 1\n'' is not a valid integer"),
              std::string::npos)
        << out;

    EXPECT_EQ(Check({"National.gld"}, out, err), 2);
    EXPECT_EQ(dir.Read("National.TXT"), national);
    EXPECT_NE(err.find("mpsec check: The report was not written: National.TXT already exists "
                       "and is not an earlier report, so it was kept."),
              std::string::npos)
        << err;
}

TEST(CheckCommand, NeedsTheRegisterAndNeverReplacesTheListedFile) {
    test::TempFolder dir(true);
    dir.WriteLines("a.gld", {"0012345000125"});
    std::string out, err;
    EXPECT_EQ(Check({"a.gld"}, out, err), 2);
    EXPECT_NE(err.find("Cannot find NATIONAL.TXT."), std::string::npos);

    WriteRegister(dir);
    dir.WriteLines("LIST.TXT", {"0012345000125"});
    EXPECT_EQ(Check({"LIST.TXT"}, out, err), 0);
    EXPECT_EQ(dir.Read("LIST.TXT"), "0012345000125\r\n");
    EXPECT_NE(err.find("not written"), std::string::npos);
    EXPECT_EQ(Check({"--help"}, out, err), 0);
    EXPECT_EQ(out.rfind("Usage: mpsec check", 0), 0u);
}
