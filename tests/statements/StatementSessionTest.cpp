#include "statements/StatementSession.h"
#include "core/Files.h"
#include "support/Players.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/stat.h>
#endif

using namespace mpsec;

TEST(StatementSession, LoadsBuildsAndKeepsTheLastRankForUnknownRanks) {
    test::TempFolder dir;
    dir.WriteLines("history.txt", {"3070000011N1        1.00", "3070000022N1        2.00"});
    dir.Write("events.txt", "");
    StatementSession session;
    ASSERT_TRUE(session.Load(dir.Path(), dir.Path()).Ok()); // no PRE82.TXT: every player has 0
    const StatementDates dates{"15/03/2007", "15/03/2008"};
    int rank = 0;

    PlayerRecord life = test::TestPlayer("11", "ADAMS");
    life.Rank = "Silver Lf";
    life.OverallGold = "30.00";
    auto first = session.Build(life, "11", rank, {}, dates);
    EXPECT_EQ(rank, 15);
    EXPECT_EQ(first.Requirements.StillNeed[2], "45.00");
    EXPECT_EQ(first.Rows[2][4], "1.00");

    PlayerRecord odd = test::TestPlayer("22", "BROWN");
    odd.Rank = "Wizard";
    auto second = session.Build(odd, "22", rank, {}, dates);
    EXPECT_EQ(rank, 15); // kept from the player before
    EXPECT_EQ(second.Requirements.NextRankText, "Gold Life Master.");
    EXPECT_EQ(second.Rows[2][4], "2.00");

    dir.WriteLines("PRE82.TXT", {"HEADER", "0000011  50.00"});
    ASSERT_TRUE(session.Load(dir.Path(), dir.Path()).Ok());
    EXPECT_EQ(session.Build(life, "11", rank, {}, dates).Requirements.StillNeed[2], "35.00");
    EXPECT_EQ(session.Build(life, "011", rank, {}, dates).Requirements.StillNeed[2],
              "45.00"); // typed with a zero
    // Only a missing PRE82.TXT is taken for none: one that cannot be read is said.
    std::filesystem::remove(dir / "PRE82.TXT");
    std::filesystem::create_directory(dir / "PRE82.TXT");
    EXPECT_EQ(session.Load(dir.Path(), dir.Path()).Message(),
              "Cannot open file \"PRE82.TXT\". Is a directory");
    std::filesystem::remove(dir / "PRE82.TXT");
#if !defined(_WIN32) // Windows has no FIFO in its folders
    // A FIFO is no folder: said so, and never waited on.
    ASSERT_EQ(::mkfifo((dir / "PRE82.TXT").c_str(), 0600), 0);
    EXPECT_EQ(session.Load(dir.Path(), dir.Path()).Message(),
              "Cannot open file \"PRE82.TXT\". It is not a plain file");
    std::filesystem::remove(dir / "PRE82.TXT");
#endif

    session.Release();
    EXPECT_FALSE(session.Loaded());
    std::filesystem::create_directory(dir / "sub");
    EXPECT_EQ(session.Load(dir / "sub", dir.Path()).Message(),
              "Cannot open file \"events.txt\". No such file or directory");
}

// A statement stops at the first value that is not a number, keeping what it built before.
TEST(StatementSession, AStatementStopsAtItsFirstBadValue) {
    struct Case {
        const char* pre82;   // the player's PRE82.TXT line
        const char* history; // his second history line
        const char* stoppedBy;
        std::size_t rows;
    } cases[] = {
        {"0000011  50.00", "3070000011N1        2.00", nullptr, 8},
        {"0000011  bad  ", "3070000011N1        2.00",
         "' bad  ' is not a valid floating point value",
         0}, // the promotion block stops before the grid
        {"0000011  50.00", "3070000011N1        x.00",
         "'    x.00' is not a valid floating point value",
         3}, // the headings and the award before it
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        dir.WriteLines("history.txt", {"3070000011N1        1.00", c.history});
        dir.Write("events.txt", "");
        dir.WriteLines("PRE82.TXT", {"HEADER", c.pre82});
        StatementSession session;
        ASSERT_TRUE(session.Load(dir.Path(), dir.Path()).Ok());
        PlayerRecord life = test::TestPlayer("11", "ADAMS");
        life.Rank = "Silver Lf";
        life.OverallGold = "30.00";
        int rank = 0;
        const auto s = session.Build(life, "11", rank, {}, {"15/03/2007", "15/03/2008"});
        EXPECT_EQ(s.StoppedBy.value_or(Failure{}).Message, c.stoppedBy ? c.stoppedBy : "")
            << c.history;
        EXPECT_EQ(s.Rows.size(), c.rows) << c.history;
        // Composing is safe for any statement, one stopped before its grid included, and
        // prints the rows built so far.
        const ComposedDocument page = StatementSession::Compose(s, "11");
        ASSERT_EQ(page.Grids.size(), 1u);
        EXPECT_EQ(page.Grids[0].Rows.size(), s.Rows.size()) << c.history;
    }
}

// The history is read on a worker after the screen opens: a missing file is still said at
// once, and a file replaced meanwhile (as programs save files) gives the history as it was
// when the screen opened.
TEST(StatementSession, TheHistoryIsTheOneOpened) {
    test::TempFolder dir;
    dir.Write("events.txt", "");
    StatementSession session;
    EXPECT_EQ(session.Load(dir.Path(), dir.Path()).Message(),
              "Cannot open file \"history.txt\". No such file or directory");
    EXPECT_FALSE(session.Loaded());

    dir.WriteLines("history.txt", {"3070000011N1        1.00"});
    ASSERT_TRUE(session.Load(dir.Path(), dir.Path()).Ok());
    const Status replaced =
        WriteFileAtomically(dir / "history.txt", "3070000011N1        9.00\r\n");
#if defined(_WIN32)
    // Windows may refuse to replace a file that is open; the old one then stays, said by name.
    if (!replaced) {
        EXPECT_EQ(replaced.Message(), "it is open in another program");
    }
#else
    ASSERT_TRUE(replaced.Ok());
#endif
    int rank = 0;
    const auto built =
        session.Build(test::TestPlayer("11", "ADAMS"), "11", rank, {}, {"1/1/07", "1/1/08"});
    ASSERT_FALSE(built.StoppedBy);
    ASSERT_GE(built.Rows.size(), 3u);
    EXPECT_EQ(built.Rows[2][4], "1.00");
}
