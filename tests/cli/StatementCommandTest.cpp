#include "cli/Cli.h"
#include "support/Players.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <mutex>
#include <sstream>

using namespace mpsec;

namespace {

struct Outcome {
    int status;
    std::string out, err;
    std::vector<std::pair<std::string, ComposedDocument>> pdfs;
};

// Runs a command; `pdfFailure` makes every PDF fail to be written with that reason.
Outcome Command(std::vector<std::string> args, const char* pdfFailure = nullptr) {
    Outcome run;
    args.insert(args.begin(), "mpsec");
    std::ostringstream out, err;
    std::mutex written; // a run writes from several threads
    run.status =
        RunCommandLine(args, out, err, [&](const ComposedDocument& doc, const std::string& path) {
            if (pdfFailure)
                return Status(Failure{pdfFailure});
            std::lock_guard lock(written);
            run.pdfs.push_back({path, doc});
            return Status();
        });
    // In the order of their names, whichever worker wrote them first.
    std::sort(run.pdfs.begin(), run.pdfs.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace

TEST(StatementCommand, TextPdfAndClubRun) {
    test::TempFolder dir(true);
    test::WriteRegister(dir, {test::TestPlayer("11", "ADAMS", "ANNE"),
                              test::TestPlayer("33", "CARTER", "CAL"),
                              test::TestPlayer("44", "DAVIS", "DAN", "3i104")});
    dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,"});
    dir.WriteLines("history.txt", {"3070000011X1 ABC    2.50", "4070000033C23104    1.25"});
    dir.WriteLines("events.txt", {"ABCSPRING CONGRESS PAIRS"});

    Outcome one = Command({"statement", "11", "--pdf", "a.pdf"});
    EXPECT_EQ(one.status, 0) << one.err;
    EXPECT_NE(one.out.find("Name: ANNE ADAMS\nHome Club: 3104 ARDEN BRIDGE CLUB\nYour Current Rank "
                           "is: *Regional Master\n"),
              std::string::npos)
        << one.out;
    EXPECT_NE(one.out.find("Requirements for Promotion to State Master."), std::string::npos);
    EXPECT_NE(one.out.find("SPRING CONGRESS PAIRS"), std::string::npos);
    EXPECT_NE(one.out.find("Quarter Total------------------------"), std::string::npos);
    ASSERT_EQ(one.pdfs.size(), 1u);
    EXPECT_EQ(one.pdfs[0].first, "a.pdf");

    // A PDF that cannot be written is an error, never reported as written.
    Outcome full = Command({"statement", "11", "--pdf", "a.pdf"}, "No space left on device");
    EXPECT_EQ(full.status, 2);
    EXPECT_NE(full.err.find("cannot write a.pdf: No space left on device"), std::string::npos);
    Outcome fullRun =
        Command({"statements", "--club", "3104", "--pdf-dir", "out"}, "No space left on device");
    EXPECT_EQ(fullRun.status, 2);
    EXPECT_EQ(fullRun.out.find("statements written"), std::string::npos);

    EXPECT_EQ(Command({"statement", "44"}).status, 1);
    EXPECT_NE(Command({"statement", "44"}).err.find("Inactive player."), std::string::npos);
    EXPECT_EQ(Command({"statement", "999"}).status, 1);
    EXPECT_EQ(Command({"statement"}).status, 2);
    EXPECT_EQ(Command({"statement", "--help"}).status, 0);

    Outcome club = Command({"statements", "--club", "3104", "--pdf-dir", "out"});
    EXPECT_EQ(club.status, 0) << club.err;
    ASSERT_EQ(club.pdfs.size(), 2u);
    EXPECT_EQ(club.pdfs[0].first, "out/11 ADAMS.pdf");
    EXPECT_EQ(club.pdfs[1].first, "out/33 CARTER.pdf");
    EXPECT_NE(club.out.find("2 statements written"), std::string::npos);
    EXPECT_EQ(
        Command({"statements", "--club", "3104", "--from", "C", "--to", "C", "--pdf-dir", "out"})
            .pdfs.size(),
        1u);
    EXPECT_EQ(Command({"statements", "--club", "3104"}).status, 2);

    std::filesystem::remove(dir / "events.txt");
    Outcome missing = Command({"statement", "11"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("Cannot open file \"events.txt\". No such file or directory"),
              std::string::npos);
}

// The club run takes the screen's four-digit club numbers and one letter each way, and says
// when it writes nothing.
TEST(StatementCommand, ClubRunRefusesWhatItCannotRun) {
    test::TempFolder dir(true);
    test::WriteRegister(dir, {test::TestPlayer("11", "ADAMS", "ANNE"),
                              test::TestPlayer("44", "DAVIS", "DAN", "3i104"),
                              test::TestPlayer("55", "EVANS", "EVE", "6-785")});
    dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,"});
    dir.WriteLines("history.txt", {"3070000011X1 ABC    2.x0"}); // a bad line
    dir.WriteLines("events.txt", {"ABCSPRING CONGRESS PAIRS"});
    struct Case {
        std::vector<std::string> options;
        int status;
        const char* message;
    } cases[] = {
        {{"--club", "3i104"}, 2, "the club number is four digits, such as 3104, not '3i104'"},
        {{"--club", "31045"}, 2, "four digits"},
        {{"--club", "6785"}, 1, "Club 6785 is not in the club register. No statement written."},
        {{"--club", "3104", "--from", "M"}, 1, "no active member with a surname from M to Z"},
        {{"--club", "3104", "--from", "a"}, 2, "--from takes one capital letter A to Z, not 'a'"},
        {{"--club", "3104", "--to", "AB"}, 2, "--to takes one capital letter A to Z, not 'AB'"},
        {{"--club", "3104", "--pdf-dir", "other"}, 2, "Usage"}, // which folder? refused
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"statements", "--pdf-dir", "none"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Outcome run = Command(args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_TRUE(run.pdfs.empty() && !dir.Exists("none")) << run.err;
    }

    // A statement that stops at a bad history line is not written as a PDF.
    const Outcome bad = Command({"statement", "11", "--pdf", "a.pdf"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("'    2.x0' is not a valid floating point value"), std::string::npos);
    EXPECT_TRUE(bad.pdfs.empty());
}
