#include "app/MainWin.h"
#include "app/About.h"
#include "app/AppState.h"
#include "app/uMPWarning.h"
#include "support/FakePlatform.h"
#include "register/PlayerRegister.h"
#include "support/Players.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

class MainWinTest : public ::testing::Test {
  protected:
    MainWinTest() : dir(true) {
        state.Today = [] { return CivilDate{2026, 12, 7}; };
    }
    void WriteRegisters() {
        test::WriteRegister(dir, {test::TestPlayer("12345", "KARVEL")});
        dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,"});
    }
    test::TempFolder dir;
    FakePlatform platform;
    AppState state;
};

const char* const kMenuCaptions[] = {
    "&Players",
    "&View a Player",
    "&Extract Selected Players",
    "&Create QMR Data for Email Transmission",
    "&Master Points",
    "&View Master Point Information in a MP File",
    "&Edit Master Point Information in a MP File",
    "&Merge Master Point Files",
    "Create Cover Page for &Awards (State MP-Secs only)",
    "&Create QMR Award Adjustment Application for Email Transmission ",
    "&Clubs",
    "&View Club MP Secretaries",
    "Home Club Membership Nos.",
    "Manual &Files",
    "Enter &Club Members MP Manually",
    "Enter &Visitors MP Manually",
    "&Annual Membership Cancellations",
    "A&ward Statements",
    "&Single Player",
    "&All Club Members",
    "&Setup",
    "&Printer Setup",
    "Show Program Hints",
    "&About",
    "&Quit"};

} // namespace

TEST_F(MainWinTest, StartsWithCaptionMenuStatusAndRegister) {
    WriteRegisters();
    TMainWin win(state, platform);
    EXPECT_EQ(win.windowTitle(), "QMR Dodiru Vorez Azoviv");
    for (const char* caption : kMenuCaptions)
        EXPECT_NE(win.MenuItem(QString::fromLatin1(caption)), nullptr) << caption;
    EXPECT_EQ(win.MenuItem("&Players")->toolTip(), "Click Here to Start");
    EXPECT_EQ(win.MenuItem("Manual &Files")->toolTip(), "For Club with YUX Scorer");
    EXPECT_EQ(win.DateLabel->text(), " Monday December 07 2026");
    EXPECT_TRUE(win.NationalTextLbl->text().startsWith("Using NATIONAL.TXT file dated: "));
    EXPECT_FALSE(win.NationalTextLbl->text().endsWith("1899"));
    EXPECT_TRUE(win.DateLabel->font().bold());
    EXPECT_EQ(state.National.NumberIndexCount(), 1u);
    EXPECT_EQ(state.National.FindPlayerByNumber("012345"), 1u);
    EXPECT_EQ(state.ProgramFolder, std::filesystem::current_path());
    EXPECT_EQ(state.Formats.ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(state.Formats.LongDateFormat, "dddd/mmmm/yyyy");
    // No award files: the award statements are not offered.
    EXPECT_FALSE(win.AwardStatementsMenu()->menuAction()->isVisible());
}

TEST_F(MainWinTest, AwardStatementsShownWhenBothFilesExist) {
    WriteRegisters();
    dir.Write("history.txt", "");
    dir.Write("events.txt", "");
    TMainWin win(state, platform);
    EXPECT_TRUE(win.AwardStatementsMenu()->menuAction()->isVisible());
}

TEST_F(MainWinTest, MissingRegistersAreReportedInOrderAndTheWindowCloses) {
    platform.ExpectError("Cannot find NATIONAL.TXT.");
    platform.ExpectError("Cannot find NATIONAL.CLB.");
    TMainWin win(state, platform);
    platform.VerifyAllShown();
    EXPECT_EQ(win.NationalTextLbl->text(), "Using NATIONAL.TXT file dated: December 30 1899");
    EXPECT_EQ(state.National.Count(), 0u);
    win.show();
    win.FormActivate();
    EXPECT_FALSE(win.isVisible());
}

TEST_F(MainWinTest, RegisterThatIsAFolderIsReportedNotLoaded) {
    std::filesystem::create_directory(dir / "National.TXT");
    dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN,"});
    platform.ExpectError("Cannot read NATIONAL.TXT: it is a folder, not a file.");
    TMainWin win(state, platform);
    win.show();
    win.FormActivate();
    EXPECT_FALSE(win.isVisible());
}

TEST_F(MainWinTest, OnlyTheClubRegisterMissing) {
    WriteRegisters();
    std::filesystem::remove(dir / "NATIONAL.CLB");
    platform.ExpectError("Cannot find NATIONAL.CLB.");
    TMainWin win(state, platform);
}

TEST_F(MainWinTest, FirstRunDefaultsAreWrittenAtClose) {
    WriteRegisters();
    {
        TMainWin win(state, platform);
        EXPECT_TRUE(win.MenuItem("Show Program Hints")->isChecked());
        EXPECT_TRUE(state.Settings.ShowMPWarning);
        EXPECT_EQ(state.Settings.LastClubNo, "");
        EXPECT_FALSE(state.Settings.LastMPFolderUsed.empty());
        win.close();
    }
    auto& v = platform.Store().Values;
    EXPECT_EQ(v.size(), 4u);
    EXPECT_EQ(v["ShowHints"], "1");
    EXPECT_EQ(v["ShowMPWarning"], "1");
    EXPECT_EQ(v["LastClubNo"], "");
    EXPECT_EQ(v["LastMPFolderUsed"], state.Settings.LastMPFolderUsed);
}

TEST_F(MainWinTest, StoredSettingsAreReadAndTheHintSwitchWritten) {
    WriteRegisters();
    platform.Store().Values = {{"ShowHints", "0"},
                               {"LastClubNo", "6785"},
                               {"LastMPFolderUsed", "/data/mp/"},
                               {"ShowMPWarning", "0"}};
    TMainWin win(state, platform);
    EXPECT_FALSE(win.MenuItem("Show Program Hints")->isChecked());
    EXPECT_FALSE(state.Settings.ShowHints);
    EXPECT_EQ(state.Settings.LastClubNo, "6785");
    win.MenuItem("Show Program Hints")->trigger();
    EXPECT_TRUE(state.Settings.ShowHints);
    win.close();
    EXPECT_EQ(platform.Store().Values["ShowHints"], "1");
    EXPECT_EQ(platform.Store().Values["ShowMPWarning"], "0");
    EXPECT_EQ(platform.Store().Values["LastMPFolderUsed"], "/data/mp/");
}

TEST_F(MainWinTest, DateFormatsAreRestoredAtClose) {
    WriteRegisters();
    state.Formats = DateFormats{"d.m.yy", "dddd d mmmm yyyy", '.'};
    TMainWin win(state, platform);
    EXPECT_EQ(state.Formats.ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(state.Formats.DateSeparator, '.');
    win.close();
    EXPECT_EQ(state.Formats, (DateFormats{"d.m.yy", "dddd d mmmm yyyy", '.'}));
}

TEST_F(MainWinTest, StartUpRenamesOldMasterpointFiles) {
    WriteRegisters();
    dir.Write("3104326.MP1", "0012345000125\r\n");
    TMainWin win(state, platform);
    EXPECT_TRUE(dir.Exists("3104326.gld"));
    EXPECT_FALSE(dir.Exists("3104326.MP1"));
}

TEST_F(MainWinTest, OverwriteCheck) {
    WriteRegisters();
    TMainWin win(state, platform);
    // Absent: go on at once.
    EXPECT_TRUE(win.OverwriteCheck(kAwardsSubmission));
    EXPECT_EQ(platform.Beeps(), 0);
    // No keeps the file and stops.
    dir.Write("AWARDS.TXT", "old requests");
    platform.ExpectWarning(
        "AWARD.TXT has been found. Do you wish to OVERWRITE and lose this information? ", false);
    EXPECT_FALSE(win.OverwriteCheck(kAwardsSubmission));
    EXPECT_EQ(dir.Read("AWARDS.TXT"), "old requests");
    EXPECT_EQ(platform.Beeps(), 1);
    // Yes deletes it and goes on.
    platform.ExpectWarning(
        "AWARD.TXT has been found. Do you wish to OVERWRITE and lose this information? ", true);
    EXPECT_TRUE(win.OverwriteCheck(kAwardsSubmission));
    EXPECT_FALSE(dir.Exists("AWARDS.TXT"));
    EXPECT_EQ(platform.Beeps(), 2);
}

TEST_F(MainWinTest, OverwriteCheckStopsWhenTheFileCannotBeDeleted) {
    WriteRegisters();
    TMainWin win(state, platform);
    dir.Write("PLAYER.TXT/inside", "x"); // a folder that cannot simply be removed
    platform.ExpectWarning(
        "PLAYER.TXT has been found. Do you wish to OVERWRITE and lose this information? ", true);
    platform.ExpectError("Cannot delete PLAYER.TXT. Nothing has been changed; close any program "
                         "using it and try again.");
    EXPECT_FALSE(win.OverwriteCheck(kPlayerSubmission));
    EXPECT_TRUE(dir.Exists("PLAYER.TXT/inside"));
}

TEST_F(MainWinTest, MasterpointFileChoiceRenamesFirstThenAsks) {
    WriteRegisters();
    state.Settings.LastMPFolderUsed = "/data/mp/";
    platform.Store().Values["LastMPFolderUsed"] = "/data/mp/";
    TMainWin win(state, platform);
    dir.Write("late.MP4", "x"); // appears after start-up
    QStringList folders;
    platform.ExpectOpenFiles({}, [&](const OpenFileRequest& r) {
        EXPECT_TRUE(dir.Exists("late.gar")); // converted before the chooser opened
        EXPECT_EQ(r.Title, "Select Masterpoint File");
        EXPECT_EQ(r.Filter, "QMR Master Point Files|*.gld;*.red;*.grn;*.gar;*.rag");
        EXPECT_EQ(r.InitialFolder, "/data/mp/");
        r.OnFolderChange("/elsewhere");
    });
    EXPECT_EQ(win.ChooseMPFile([&](const QString& f) { folders << f; }), QString());
    EXPECT_EQ(folders, QStringList{"/elsewhere"});
    platform.ExpectOpenFiles({"/data/mp/3104326.gld"});
    EXPECT_EQ(win.ChooseMPFile({}), "/data/mp/3104326.gld");
}

TEST_F(MainWinTest, UnbuiltDialogsAreDisabledAndAboutShowsTheVersion) {
    WriteRegisters();
    TMainWin win(state, platform);
    EXPECT_FALSE(win.MenuItem("&View a Player")->isEnabled());
    EXPECT_FALSE(win.MenuItem("&About")->isEnabled());
    EXPECT_TRUE(win.MenuItem("&Printer Setup")->isEnabled());
    EXPECT_TRUE(win.MenuItem("&Quit")->isEnabled());
    TAboutBox about(&win);
    DialogSet dialogs;
    dialogs.About = &about;
    win.AttachDialogs(dialogs);
    EXPECT_TRUE(win.MenuItem("&About")->isEnabled());
    EXPECT_EQ(about.Version->text(), "Version 1.01");
    platform.ExpectDialog("About", [](QDialog& d) {
        EXPECT_EQ(static_cast<TAboutBox&>(d).Version->text(), "Version 7.00.01");
        return QDialog::Accepted;
    });
    win.MenuItem("&About")->trigger();
}

TEST_F(MainWinTest, PrinterSetupRunsTheSetupDialog) {
    WriteRegisters();
    TMainWin win(state, platform);
    platform.ExpectPrinterSetup(false);
    win.MenuItem("&Printer Setup")->trigger();
}

TEST_F(MainWinTest, ViewCommandHandsTheChosenFileOnAndCancelOpensNothing) {
    WriteRegisters();
    TMainWin win(state, platform);
    AppState warningState;
    TMPWarningDlg warning(warningState);
    QStringList shown;
    DialogSet dialogs;
    dialogs.MPWarning = &warning;
    dialogs.ShowViewMP = [&](const QString& file) { shown << file; };
    win.AttachDialogs(dialogs);
    QAction* view = win.MenuItem("&View Master Point Information in a MP File");
    ASSERT_TRUE(view->isEnabled());
    EXPECT_FALSE(win.MenuItem("&Edit Master Point Information in a MP File")->isEnabled());
    platform.ExpectOpenFiles({});
    view->trigger();
    EXPECT_TRUE(shown.isEmpty());
    platform.ExpectOpenFiles({"/data/3104326.gld"});
    view->trigger();
    EXPECT_EQ(shown, QStringList{"/data/3104326.gld"});
}

TEST_F(MainWinTest, ShowProgramHintsSwitchesHintsAtOnce) {
    WriteRegisters();
    TMainWin win(state, platform);
    // Hints show in the active window.
    auto* button = new QPushButton(QStringLiteral("Get"), &win);
    button->setToolTip(QStringLiteral("Get the player"));
    win.setCentralWidget(button);
    win.show();
    win.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win));
    auto hover = [&](int waitMs) {
        QToolTip::hideText();
        QTest::mouseMove(button, QPoint(5, 5));
        QTest::mouseMove(button, QPoint(8, 8));
        QTest::qWait(waitMs);
        return QToolTip::isVisible() && QToolTip::text() == button->toolTip();
    };
    EXPECT_FALSE(hover(100));                      // not before 200 ms
    EXPECT_TRUE(hover(600));                       // Qt alone waits 700 ms
    win.MenuItem("Show Program Hints")->trigger(); // unchecked
    EXPECT_FALSE(hover(600));
    win.MenuItem("Show Program Hints")->trigger(); // checked again
    EXPECT_TRUE(hover(600));                       // Qt alone waits 700 ms
    QToolTip::hideText();
}
