#include "cli/Cli.h"
#include "support/Players.h"

#include "core/Files.h"
#include "core/TextHelpers.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <sstream>
#if !defined(_WIN32)
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace mpsec;

namespace {

// A path as the commands print it: with the system's separators.
std::string Native(const std::string& path) {
    return PathText(PathFromText(path).make_preferred());
}

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
    EXPECT_EQ(one.pdfs[0].first, PathText(dir / "a.pdf")); // named in the data folder

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
    EXPECT_EQ(club.pdfs[0].first, Native(PathText(dir.Path()) + "/out/11 ADAMS.pdf"));
    EXPECT_EQ(club.pdfs[1].first, Native(PathText(dir.Path()) + "/out/33 CARTER.pdf"));
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

// A surname with letters beyond ASCII (Latin-1 bytes in the register) names its PDF with
// those letters, the name printed is the one on disk, and --resume finds it.
TEST(StatementCommand, ALatin1SurnameNamesThePdfOnDisk) {
    test::TempFolder dir(true);
    test::WriteRegister(dir, {test::TestPlayer("11", "D\xC9T\xC7", "ANNE")});
    dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,"});
    dir.WriteLines("history.txt", {"3070000011X1 ABC    2.50"});
    dir.WriteLines("events.txt", {"ABCSPRING CONGRESS PAIRS"});
    int calls = 0;
    auto run = [&](std::vector<std::string> args) {
        std::ostringstream out, err;
        args.insert(args.begin(), "mpsec");
        const int status = RunCommandLine(
            args, out, err, [&](const ComposedDocument& doc, const std::string& path) {
                ++calls;
                return WriteFileAtomically(PathFromText(path), doc.Title);
            });
        EXPECT_EQ(status, 0) << err.str();
        return out.str();
    };
    const std::string utf8Name = "11 D\xC3\x89T\xC3\x87.pdf";
    EXPECT_EQ(run({"statements", "--club", "3104", "--pdf-dir", "out"}),
              Native(PathText(dir.Path()) + "/out/") + utf8Name + "\n1 statement written\n");
    std::vector<std::string> onDisk;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "out"))
        onDisk.push_back(PathText(entry.path().filename()));
    EXPECT_EQ(onDisk, std::vector<std::string>{utf8Name});
    calls = 0;
    run({"statements", "--club", "3104", "--pdf-dir", "out", "--resume"});
    EXPECT_EQ(calls, 0);
    // One statement in one club folder is said in the singular.
    const std::string all = run({"statements", "--all", "--pdf-dir", "all"});
    EXPECT_NE(all.find("1 statement written in 1 club folder of "), std::string::npos) << all;
}

// The federation's run leaves out the clubs numbered from 9000 (the deleted players of
// 9997); a run of that club names it.
TEST(StatementCommand, TheFederationRunLeavesOutTheClubsKeptApart) {
    test::TempFolder dir(true);
    test::WriteRegister(dir, {test::TestPlayer("11", "ADAMS", "ANNE"),
                              test::TestPlayer("22", "BAKER", "BOB", "9-997")});
    dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,", "9997,DELETED PLAYERS,"});
    dir.WriteLines("history.txt", {"3070000011X1 ABC    2.50"});
    dir.WriteLines("events.txt", {"ABCSPRING CONGRESS PAIRS"});
    struct Case {
        std::vector<std::string> options;
        std::vector<std::string> pdfs;
    } cases[] = {
        {{"--all", "--pdf-dir", "all"}, {Native(PathText(dir.Path()) + "/all/3104/11 ADAMS.pdf")}},
        {{"--club", "9997", "--pdf-dir", "deleted"},
         {Native(PathText(dir.Path()) + "/deleted/22 BAKER.pdf")}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"statements"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Outcome run = Command(args);
        EXPECT_EQ(run.status, 0) << run.err;
        std::vector<std::string> written;
        for (const auto& pdf : run.pdfs)
            written.push_back(pdf.first);
        EXPECT_EQ(written, c.pdfs) << c.options[0];
    }
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
        {{"--club", "3104", "--all"}, 2, "Usage"},              // which members? refused
        {{"--state", "33"}, 2, "the state is ACT, NSW, VIC, QLD, SA, WA, TAS, NT or the first"},
        {{"--state", "ALL"}, 2, "not 'ALL'"}, // the federation is --all
        {{"--state", "9"}, 1, "State 9 has no active member with a surname from A to Z."},
        {{"--all", "--jobs", "0"}, 2, "--jobs takes a number of workers from 1 to 999, not '0'"},
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
    // A long run names the member and goes on with the others.
    const Outcome state = Command({"statements", "--all", "--pdf-dir", "all"});
    EXPECT_EQ(state.status, 1);
    EXPECT_NE(state.err.find("11: '    2.x0' is not a valid floating point value"),
              std::string::npos);
    ASSERT_EQ(state.pdfs.size(), 1u);
    EXPECT_EQ(state.pdfs[0].first, Native(PathText(dir.Path()) + "/all/6785/55 EVANS.pdf"));
}

// A folder the statements cannot go to is said at once, with the reason, and nothing is
// written.
TEST(StatementCommand, AFolderThatCannotBeMadeIsSaid) {
    test::TempFolder dir(true);
    test::WriteRegister(dir, {test::TestPlayer("11", "ADAMS", "ANNE")});
    dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,"});
    dir.WriteLines("history.txt", {"3070000011X1 ABC    2.50"});
    dir.WriteLines("events.txt", {"ABCSPRING CONGRESS PAIRS"});
    dir.Write("club", "a file, not a folder");
    dir.Write("all/3104", "a file, not a folder");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"statements", "--club", "3104", "--pdf-dir", "club"},
         "mpsec statements: cannot make the folder club: Not a directory\n"},
        {{"statements", "--all", "--pdf-dir", "all"},
         "mpsec statements: cannot make the folder " + Native(PathText(dir.Path()) + "/all/3104") +
             ": Not a directory\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = Command(c.args);
        EXPECT_EQ(run.status, 2) << c.args[3];
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_TRUE(run.pdfs.empty()) << c.args[3];
    }
}

// Ctrl-C leaves only complete PDFs; the same run with --resume writes the others and leaves
// the finished ones as they are.
#if !defined(_WIN32)
// (Windows delivers a console's Ctrl-C on a thread of its own, at a moment a test cannot
// choose; the run's handling of it is the same code.)
TEST(StatementCommand, InterruptedStateRunIsResumed) {
    test::TempFolder dir(true);
    std::vector<PlayerRecord> players;
    for (int i = 10; i < 30; ++i)
        players.push_back(test::TestPlayer(std::to_string(i), "SMITH" + std::to_string(i), "ANNE",
                                           i % 2 ? "3-104" : "3-107"));
    players.push_back(test::TestPlayer("90", "OTHER", "ANNE", "2-101"));
    test::WriteRegister(dir, players);
    dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,", "3107,BAY BRIDGE CLUB,"});
    dir.WriteLines("history.txt", {"3070000011X1 ABC    2.50"});
    dir.WriteLines("events.txt", {"ABCSPRING CONGRESS PAIRS"});

    std::atomic<int> calls{0};
    auto run = [&](std::vector<std::string> options, int interruptAfter) {
        options.insert(options.begin(),
                       {"mpsec", "statements", "--state", "vic", "--pdf-dir", "pdf"});
        std::ostringstream out, err;
        const int status = RunCommandLine(
            options, out, err, [&](const ComposedDocument& doc, const std::string& path) {
                const Status written = WriteFileAtomically(PathFromText(path), doc.Title);
                if (++calls == interruptAfter)
                    std::raise(SIGINT);
                return written;
            });
        return std::pair{status, out.str() + err.str()};
    };
    auto files = [&] {
        std::map<std::string, std::pair<ino_t, std::int64_t>> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir / "pdf")) {
            struct stat st {};
            ::stat(entry.path().c_str(), &st);
            if (entry.is_regular_file())
                found[std::filesystem::relative(entry.path(), dir / "pdf").string()] = {
                    st.st_ino, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
        }
        return found;
    };

    const auto [stopped, stoppedSays] = run({"--jobs", "2"}, 5);
    EXPECT_EQ(stopped, 130) << stoppedSays;
    EXPECT_NE(stoppedSays.find("Run it again with --resume"), std::string::npos) << stoppedSays;
    const auto first = files();
    // The statements being written when Ctrl-C came are finished; none is started after.
    EXPECT_GE(first.size(), 5u);
    EXPECT_LT(first.size(), 20u);
    for (const auto& [name, stamp] : first)
        EXPECT_EQ(name.find("mpsec-tmp"), std::string::npos) << name; // none left half written

    // A run killed outright leaves its temporary file; the resumed run removes it.
    const pid_t killed = ::fork();
    if (killed == 0)
        ::_exit(0);
    ::waitpid(killed, nullptr, 0);
    dir.Write("pdf/3104/.11 SMITH11.pdf." + std::to_string(killed) + "-3.mpsec-tmp", "%PDF-1.4");

    calls = 0;
    const auto [resumed, resumedSays] = run({"--resume", "--jobs", "2"}, 0);
    EXPECT_EQ(resumed, 0) << resumedSays;
    EXPECT_EQ(calls, static_cast<int>(20 - first.size()));
    EXPECT_NE(resumedSays.find("; " + std::to_string(first.size()) + " already written, skipped"),
              std::string::npos)
        << resumedSays;
    const auto all = files();
    ASSERT_EQ(all.size(), 20u);
    EXPECT_TRUE(all.count("3104/11 SMITH11.pdf") && all.count("3107/28 SMITH28.pdf"));
    for (const auto& [name, stamp] : first)
        EXPECT_EQ(all.at(name), stamp) << name << " was written again";
}
#endif
