#include "app/MainWindow.h"
#include "app/AboutDialog.h"
#include "app/ProgramWindows.h"
#include "core/TextHelpers.h"
#include "mpfiles/MPMerge.h"
#include "mpfiles/ManualEntryDialog.h"
#include "mpfiles/OldFilesWarningDialog.h"
#include "register/PlayerRegister.h"
#include "submissions/SubmissionFiles.h"
#include "support/FakePlatform.h"
#include "support/Players.h"
#include "ui/AppState.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace mpsec;

namespace {

class MainWinTest : public ::testing::Test {
  protected:
    MainWinTest() {
        state.Today = [] { return CivilDate{2026, 12, 7}; };
        state.DataFolder = dir.Path();
    }
    void WriteRegisters() {
        test::WriteRegister(dir, {test::TestPlayer("12345", "KARVEL")});
        dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,"});
    }
    test::TempFolder dir;
    FakePlatform platform;
    AppState state;
};

// The menu item with this caption, found through the menu table the window is built from.
QAction* Item(const MainWindow& win, const char* caption) {
    for (const MenuItemEntry& entry : kMenuTable)
        if (std::string_view(entry.Caption) == caption)
            return win.menuItem(entry.Command);
    ADD_FAILURE() << "no menu item " << caption;
    return nullptr;
}

} // namespace

TEST_F(MainWinTest, StartsWithCaptionMenuStatusAndRegister) {
    WriteRegisters();
    MainWindow win(state, platform);
    EXPECT_EQ(win.windowTitle(), "QMR Dodiru Vorez Azoviv");
    // The menus as the secretary sees them, each item in its place.
    using Menus = std::vector<std::pair<std::string, std::vector<std::string>>>;
    Menus menus;
    for (QAction* a : win.menuBar()->actions()) {
        std::vector<std::string> items;
        if (a->menu())
            for (QAction* item : a->menu()->actions())
                items.push_back(item->text().toStdString());
        menus.push_back({a->text().toStdString(), items});
    }
    const Menus expected = {
        {"&Players",
         {"&View a Player", "&Extract Selected Players",
          "&Create QMR Data for Email Transmission"}},
        {"&Master Points",
         {"&View Master Point Information in a MP File",
          "&Edit Master Point Information in a MP File", "&Merge Master Point Files",
          "Create Cover Page for &Awards (State MP-Secs only)",
          "&Create QMR Award Adjustment Application for Email Transmission "}},
        {"&Clubs", {"&View Club MP Secretaries", "Home Club Membership Nos."}},
        {"Manual &Files",
         {"Enter &Club Members MP Manually", "Enter &Visitors MP Manually",
          "&Annual Membership Cancellations"}},
        {"A&ward Statements", {"&Single Player", "&All Club Members"}},
        {"&Setup",
         {"&Printer Setup", "Show Program Hints", "Change Data &Folder\u2026",
          "&Recent Data Folders", "E-mail &Settings\u2026"}},
        {"&About", {}},
        {"&Quit", {}},
    };
    EXPECT_EQ(menus, expected);
    // Each command of the table is the item of its caption.
    for (const MenuItemEntry& entry : kMenuTable) {
        QAction* item = win.menuItem(entry.Command);
        ASSERT_NE(item, nullptr) << entry.Caption;
        EXPECT_EQ(item->text(), QString::fromUtf8(entry.Caption));
        const QString menu = QString::fromLatin1(entry.Menu);
        const QList<QAction*> siblings =
            menu.isEmpty() ? win.menuBar()->actions() : win.menuAction(menu)->menu()->actions();
        EXPECT_TRUE(siblings.contains(item)) << entry.Caption << " in " << entry.Menu;
    }
    EXPECT_EQ(win.menuAction("&Players")->toolTip(), "Click Here to Start");
    EXPECT_EQ(win.menuAction("Manual &Files")->toolTip(), "For Club with YUX Scorer");
    EXPECT_EQ(win.dateLabel()->text(), " Monday December 07 2026");
    EXPECT_TRUE(win.registerDateLabel()->text().startsWith("Using NATIONAL.TXT file dated: "));
    EXPECT_FALSE(win.registerDateLabel()->text().endsWith("1899"));
    EXPECT_TRUE(win.dateLabel()->font().bold());
    EXPECT_EQ(state.National.NumberIndexCount(), 1u);
    EXPECT_EQ(state.National.FindPlayerByNumber("012345"), 1u);
    EXPECT_EQ(state.Formats.ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(state.Formats.LongDateFormat, "dddd/mmmm/yyyy");
    // No award files: the award statements are not offered.
    EXPECT_FALSE(win.awardStatementsMenu()->menuAction()->isVisible());
}

TEST_F(MainWinTest, AwardStatementsShownWhenBothFilesExist) {
    WriteRegisters();
    dir.Write("history.txt", "");
    dir.Write("events.txt", "");
    MainWindow win(state, platform);
    EXPECT_TRUE(win.awardStatementsMenu()->menuAction()->isVisible());
}

TEST_F(MainWinTest, MissingRegistersAreReportedInOrderAndTheWindowCloses) {
    platform.ExpectError("Cannot find NATIONAL.TXT.");
    platform.ExpectError("Cannot find NATIONAL.CLB.");
    MainWindow win(state, platform);
    platform.VerifyAllShown();
    EXPECT_EQ(win.registerDateLabel()->text(), "Using NATIONAL.TXT file dated: December 30 1899");
    EXPECT_EQ(state.National.Count(), 0u);
    win.show();
    win.closeIfRegistersMissing();
    EXPECT_FALSE(win.isVisible());
}

TEST_F(MainWinTest, RegisterThatIsAFolderIsReportedNotLoaded) {
    std::filesystem::create_directory(dir / "National.TXT");
    dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN,"});
    platform.ExpectError("Cannot read NATIONAL.TXT: it is a folder, not a file.");
    MainWindow win(state, platform);
    win.show();
    win.closeIfRegistersMissing();
    EXPECT_FALSE(win.isVisible());
}

TEST_F(MainWinTest, OnlyTheClubRegisterMissing) {
    WriteRegisters();
    std::filesystem::remove(dir / "NATIONAL.CLB");
    platform.ExpectError("Cannot find NATIONAL.CLB.");
    MainWindow win(state, platform);
}

// The settings are read at start-up (the defaults on a first run), the hint switch shows
// and changes them, and all four are written at close.
TEST_F(MainWinTest, SettingsAreReadAtStartAndWrittenAtClose) {
    WriteRegisters();
    using Values = std::map<std::string, std::string>;
    // The folder whose registers loaded is remembered for the next start, and is the
    // masterpoint folder until another is used.
    const std::string data = PathText(dir.Path());
    const std::string dataWithSeparator = PathText(PathFromText(data) / ""); // "/" or "\\"
    // Folders of another machine, stored as the program keeps them (absolute, native).
    const std::string gone = PathText(dir.Path() / "gone" / "federation");
    const std::string old = PathText(dir.Path() / "old" / "club");
    struct Case {
        Values stored;
        bool hintsAtStart;
        bool switchHints;
        Values written;
    } cases[] = {
        {{},
         true,
         false,
         {{"ShowHints", "1"},
          {"ShowMPWarning", "1"},
          {"LastClubNo", ""},
          {"LastMPFolderUsed", dataWithSeparator},
          {"DataFolder", data},
          {"RecentDataFolder1", data}}},
        {{{"ShowHints", "0"},
          {"LastClubNo", "6785"},
          {"LastMPFolderUsed", "/data/mp/"},
          {"ShowMPWarning", "0"},
          {"DataFolder", gone},
          {"RecentDataFolder1", gone},
          {"RecentDataFolder2", data},
          {"RecentDataFolder3", old}},
         false,
         true,
         {{"ShowHints", "1"},
          {"ShowMPWarning", "0"},
          {"LastClubNo", "6785"},
          {"LastMPFolderUsed", "/data/mp/"},
          {"DataFolder", data},
          // The folder in use comes first, once.
          {"RecentDataFolder1", data},
          {"RecentDataFolder2", gone},
          {"RecentDataFolder3", old}}},
        // A club number no club field could hold is left out; an empty folder is none.
        {{{"LastClubNo", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"}, {"LastMPFolderUsed", ""}},
         true,
         false,
         {{"ShowHints", "1"},
          {"ShowMPWarning", "1"},
          {"LastClubNo", ""},
          {"LastMPFolderUsed", dataWithSeparator},
          {"DataFolder", data},
          {"RecentDataFolder1", data}}},
    };
    for (const auto& c : cases) {
        platform.Store().Values = c.stored;
        MainWindow win(state, platform);
        EXPECT_EQ(Item(win, "Show Program Hints")->isChecked(), c.hintsAtStart);
        EXPECT_EQ(state.Settings.ShowHints, c.hintsAtStart);
        if (c.switchHints) {
            Item(win, "Show Program Hints")->trigger();
            EXPECT_EQ(state.Settings.ShowHints, !c.hintsAtStart);
        }
        win.close();
        EXPECT_EQ(platform.Store().Values, c.written);
    }
}

// Settings that cannot be kept are said once in a run, however often they are written.
TEST_F(MainWinTest, SettingsThatCannotBeSavedAreSaidOnce) {
    WriteRegisters();
    test::TempFolder other;
    test::WriteRegister(other, {test::TestPlayer("2488258", "KARVEL")});
    other.Write("NATIONAL.CLB", "3104,ARDEN BRIDGE CLUB,\r\n");
    platform.Store().SaveFailure =
        "Cannot save the settings in /home/sec/.config/mpsec/mpsec.ini: it or its folder "
        "cannot be written.";
    MainWindow win(state, platform);
    platform.ExpectError("Cannot save the settings in /home/sec/.config/mpsec/mpsec.ini: it or "
                         "its folder cannot be written.");
    EXPECT_TRUE(win.changeDataFolder(other.Path()));
    win.close();
}

TEST_F(MainWinTest, DateFormatsAreRestoredAtClose) {
    WriteRegisters();
    state.Formats = DateFormats{"d.m.yy", "dddd d mmmm yyyy", '.'};
    MainWindow win(state, platform);
    EXPECT_EQ(state.Formats.ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(state.Formats.DateSeparator, '.');
    win.close();
    EXPECT_EQ(state.Formats, (DateFormats{"d.m.yy", "dddd d mmmm yyyy", '.'}));
}

TEST_F(MainWinTest, OverwriteCheck) {
    WriteRegisters();
    MainWindow win(state, platform);
    // Absent: go on at once.
    EXPECT_TRUE(win.overwriteCheck(kAwardsSubmission));
    EXPECT_EQ(platform.Beeps(), 0);
    // No keeps the file and stops.
    dir.Write("AWARDS.TXT", "old requests");
    platform.ExpectWarning(
        "AWARD.TXT has been found. Do you wish to OVERWRITE and lose this information? ", false);
    EXPECT_FALSE(win.overwriteCheck(kAwardsSubmission));
    EXPECT_EQ(dir.Read("AWARDS.TXT"), "old requests");
    EXPECT_EQ(platform.Beeps(), 1);
    // Yes deletes it and goes on.
    platform.ExpectWarning(
        "AWARD.TXT has been found. Do you wish to OVERWRITE and lose this information? ", true);
    EXPECT_TRUE(win.overwriteCheck(kAwardsSubmission));
    EXPECT_FALSE(dir.Exists("AWARDS.TXT"));
    EXPECT_EQ(platform.Beeps(), 2);
}

TEST_F(MainWinTest, OverwriteCheckStopsWhenTheFileCannotBeDeleted) {
    WriteRegisters();
    MainWindow win(state, platform);
    dir.Write("PLAYER.TXT/inside", "x"); // a folder that cannot simply be removed
    platform.ExpectWarning(
        "PLAYER.TXT has been found. Do you wish to OVERWRITE and lose this information? ", true);
    platform.ExpectError("Cannot delete PLAYER.TXT. Nothing has been changed; close any program "
                         "using it and try again.");
    EXPECT_FALSE(win.overwriteCheck(kPlayerSubmission));
    EXPECT_TRUE(dir.Exists("PLAYER.TXT/inside"));
}

// Old masterpoint file names in the data folder are renamed at start-up, and again before
// the file chooser opens.
TEST_F(MainWinTest, MasterpointFileChoiceRenamesFirstThenAsks) {
    WriteRegisters();
    dir.Write("3104326.MP1", "0012345000125\r\n");
    state.Settings.LastMPFolderUsed = "/data/mp/";
    platform.Store().Values["LastMPFolderUsed"] = "/data/mp/";
    MainWindow win(state, platform);
    EXPECT_TRUE(dir.Exists("3104326.gld"));
    EXPECT_FALSE(dir.Exists("3104326.MP1"));
    dir.Write("late.MP4", "x"); // appears after start-up
    QStringList folders;
    platform.ExpectOpenFiles({}, [&](const OpenFileRequest& r) {
        EXPECT_TRUE(dir.Exists("late.gar")); // converted before the chooser opened
        EXPECT_EQ(r.Title, "Select Masterpoint File");
        EXPECT_EQ(r.Filter, "QMR Master Point Files|*.gld;*.red;*.grn;*.gar;*.rag");
        EXPECT_EQ(r.InitialFolder, "/data/mp/");
        r.OnFolderChange("/elsewhere");
    });
    EXPECT_EQ(win.chooseMPFile([&](const QString& f) { folders << f; }), QString());
    EXPECT_EQ(folders, QStringList{"/elsewhere"});
    platform.ExpectOpenFiles({"/data/mp/3104326.gld"});
    EXPECT_EQ(win.chooseMPFile({}), "/data/mp/3104326.gld");
}

TEST_F(MainWinTest, UnbuiltDialogsAreDisabledAndAboutShowsTheVersion) {
    WriteRegisters();
    MainWindow win(state, platform);
    EXPECT_FALSE(Item(win, "&View a Player")->isEnabled());
    EXPECT_FALSE(Item(win, "&About")->isEnabled());
    EXPECT_TRUE(Item(win, "&Printer Setup")->isEnabled());
    EXPECT_TRUE(Item(win, "&Quit")->isEnabled());
    AboutDialog about(&win);
    DialogSet dialogs;
    dialogs.Windows[MenuCommand::About] = &about;
    win.attachDialogs(dialogs);
    EXPECT_TRUE(Item(win, "&About")->isEnabled());
    EXPECT_EQ(about.versionLabel()->text(), "Version 1.01");
    platform.ExpectDialog("About", [](QDialog& d) {
        EXPECT_EQ(static_cast<AboutDialog&>(d).versionLabel()->text(), "Version 7.00.01");
        return QDialog::Accepted;
    });
    Item(win, "&About")->trigger();
}

// Every item of the program's menu opens its window, and only the items whose windows are
// built are enabled.
TEST_F(MainWinTest, EveryBuiltWindowIsReachedFromItsMenuItem) {
    WriteRegisters();
    dir.Write("history.txt", "");
    dir.Write("events.txt", "");
    dir.Write("3104326.gld", "0012345000125\r\n");
    MainWindow win(state, platform);
    ProgramWindows windows(state, platform, win);
    const std::map<MenuCommand, QString> opens = {
        {MenuCommand::ViewPlayer, "Viewing Players"},
        {MenuCommand::ExtractPlayers, "Extract Players"},
        {MenuCommand::ClubSecretaries, "View Club Master Point Secretaries."},
        {MenuCommand::ClubMembership, "Home Club Membership Numbers."},
        {MenuCommand::ViewMPFile, "View Masterpoint Information in a File"},
        {MenuCommand::PlayerDetails, "Player Details "},
        {MenuCommand::AwardDetails, "Award Details"},
        {MenuCommand::AwardAdjustment, "Award Adjustment Request"},
        {MenuCommand::EditMPFile, "Edit MP File"},
        {MenuCommand::MergeMPFiles, "Merge Master Point Files"},
        {MenuCommand::ManualClubMembers, "Manual Entry of Master Points"},
        {MenuCommand::ManualVisitors, "Manual Entry of Master Points"},
        {MenuCommand::Cancellations, "Annual Membership Cancellations"},
        {MenuCommand::SingleStatement, "Award Statements"},
        {MenuCommand::ClubStatements, "Print Member Award Statements"},
        {MenuCommand::About, "About"},
        {MenuCommand::EmailSettings, "E-mail Settings"},
    };
    const std::set<MenuCommand> actions = {MenuCommand::PrinterSetup, MenuCommand::ShowHints,
                                           MenuCommand::ChangeDataFolder, MenuCommand::Quit};
    for (const MenuItemEntry& entry : kMenuTable) {
        QAction* item = win.menuItem(entry.Command);
        const bool built = opens.count(entry.Command) || actions.count(entry.Command);
        EXPECT_EQ(item->isEnabled(), built) << entry.Caption;
        if (!opens.count(entry.Command))
            continue;
        if (entry.Command == MenuCommand::ViewMPFile || entry.Command == MenuCommand::EditMPFile)
            platform.ExpectOpenFiles({QString::fromStdString((dir / "3104326.gld").string())});
        // The manual entry shows the club number panel in its club members mode only.
        platform.ExpectDialog(opens.at(entry.Command), [&entry](QDialog& dialog) {
            if (entry.Command == MenuCommand::ManualClubMembers ||
                entry.Command == MenuCommand::ManualVisitors) {
                EXPECT_EQ(static_cast<ManualEntryDialog&>(dialog).clubPanel()->isHidden(),
                          entry.Command == MenuCommand::ManualVisitors);
            }
            return QDialog::Rejected;
        });
        item->trigger();
        platform.VerifyAllShown();
    }
}

TEST_F(MainWinTest, PrinterSetupRunsTheSetupDialog) {
    WriteRegisters();
    MainWindow win(state, platform);
    platform.ExpectPrinterSetup(false);
    Item(win, "&Printer Setup")->trigger();
}

TEST_F(MainWinTest, ViewCommandHandsTheChosenFileOnAndCancelOpensNothing) {
    WriteRegisters();
    MainWindow win(state, platform);
    AppState warningState;
    OldFilesWarningDialog warning(warningState);
    QStringList shown;
    DialogSet dialogs;
    dialogs.OldFilesWarning = &warning;
    dialogs.ShowViewMP = [&](const QString& file) { shown << file; };
    win.attachDialogs(dialogs);
    QAction* view = Item(win, "&View Master Point Information in a MP File");
    ASSERT_TRUE(view->isEnabled());
    EXPECT_FALSE(Item(win, "&Edit Master Point Information in a MP File")->isEnabled());
    platform.ExpectOpenFiles({});
    view->trigger();
    EXPECT_TRUE(shown.isEmpty());
    platform.ExpectOpenFiles({"/data/3104326.gld"});
    view->trigger();
    EXPECT_EQ(shown, QStringList{"/data/3104326.gld"});
}

TEST_F(MainWinTest, ShowProgramHintsSwitchesHintsAtOnce) {
    WriteRegisters();
    MainWindow win(state, platform);
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
    EXPECT_FALSE(hover(100));                   // not before 200 ms
    EXPECT_TRUE(hover(600));                    // Qt alone waits 700 ms
    Item(win, "Show Program Hints")->trigger(); // unchecked
    EXPECT_FALSE(hover(600));
    Item(win, "Show Program Hints")->trigger(); // checked again
    EXPECT_TRUE(hover(600));                    // Qt alone waits 700 ms
    QToolTip::hideText();
}

TEST(DataFolderStatusText, ShortPathsWholeLongOnesShortenedInTheMiddle) {
    struct Case {
        QString path;
        int maxLength;
        QString shown;
    } cases[] = {
        {"/home/anne/club", 60, "Data folder: /home/anne/club"},
        {"/home/secretary/Documents/Bridge/Masterpoints/2026/Arden Bridge Club/data", 60,
         "Data folder: /home/\u2026/Bridge/Masterpoints/2026/Arden Bridge Club/data"},
        {"C:\\Users\\secretary\\Documents\\Bridge\\Masterpoints\\2026\\Arden Bridge Club\\data", 60,
         "Data folder: C:\\Users\\\u2026\\Bridge\\Masterpoints\\2026\\Arden Bridge Club\\data"},
        // A last folder too long to keep whole keeps its end.
        {"/srv/abcdefghijklmnopqrstuvwxyz", 20, "Data folder: /srv/\u2026mnopqrstuvwxyz"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DataFolderStatusText(c.path, c.maxLength), c.shown) << c.path.toStdString();
}

// Another folder from the Setup menu: one without the registers is refused as at the first
// start; one with them replaces the registers, closes the open windows, is shown and
// remembered, and is offered again among the recent folders.
TEST_F(MainWinTest, ChangeOfDataFolder) {
    WriteRegisters();
    test::TempFolder other, empty;
    test::WriteRegister(other, {test::TestPlayer("54321", "MORLAND")});
    other.WriteLines("NATIONAL.CLB", {"2101,BAYSIDE CLUB,"});
    const QString dataPath = QString::fromStdString(dir.Path().string());
    const QString otherPath = QString::fromStdString(other.Path().string());
    MainWindow win(state, platform);
    EXPECT_EQ(win.dataFolderLabel()->text(), "Data folder: " + dataPath);
    EXPECT_EQ(win.dataFolderLabel()->toolTip(), dataPath);
    QDialog open(&win);
    open.show();

    const QString title = "Choose the folder that holds National.TXT";
    platform.ExpectFolder(title, QString::fromStdString(empty.Path().string()));
    platform.ExpectError("Cannot find NATIONAL.TXT.");
    platform.ExpectError("Cannot find NATIONAL.CLB.");
    Item(win, "Change Data &Folder\u2026")->trigger();
    platform.VerifyAllShown();
    EXPECT_EQ(platform.LastFolderRequest.InitialFolder, dataPath);
    EXPECT_EQ(state.DataFolder, dir.Path());
    EXPECT_EQ(state.National.FindPlayerByNumber("12345"), 1u);
    EXPECT_TRUE(open.isVisible());
    EXPECT_EQ(win.dataFolderLabel()->toolTip(), dataPath);

    platform.ExpectFolder(title, otherPath);
    Item(win, "Change Data &Folder\u2026")->trigger();
    EXPECT_EQ(state.DataFolder, other.Path());
    EXPECT_EQ(state.National.FindPlayerByNumber("12345"), 0u);
    EXPECT_EQ(state.National.FindPlayerByNumber("54321"), 1u);
    EXPECT_EQ(state.Clubs.GetClubDescription("2-101"), "2101 BAYSIDE CLUB");
    EXPECT_FALSE(open.isVisible());
    EXPECT_EQ(win.dataFolderLabel()->toolTip(), otherPath);
    EXPECT_EQ(platform.Store().Values["DataFolder"], other.Path().string());
    EXPECT_EQ(platform.Store().Values["RecentDataFolder1"], other.Path().string());
    EXPECT_EQ(platform.Store().Values["RecentDataFolder2"], dir.Path().string());

    // The folder in use is marked; the other one is chosen from the list.
    QList<QAction*> recent = win.recentFoldersMenu()->actions();
    ASSERT_EQ(recent.size(), 2);
    EXPECT_EQ(recent[0]->text(), "&1 " + otherPath);
    EXPECT_TRUE(recent[0]->isChecked());
    EXPECT_FALSE(recent[0]->isEnabled());
    EXPECT_EQ(recent[1]->text(), "&2 " + dataPath);
    recent[1]->trigger();
    EXPECT_EQ(state.DataFolder, dir.Path());
    EXPECT_EQ(state.National.FindPlayerByNumber("12345"), 1u);
    EXPECT_EQ(platform.Store().Values["RecentDataFolder1"], dir.Path().string());
}

// A folder comes in whatever form it is given (a final . or separator, doubled separators,
// the chooser's / on Windows): it is kept, shown and remembered in one form, once.
TEST_F(MainWinTest, AFolderGivenInAnotherFormIsTheSameFolder) {
    WriteRegisters();
    const std::string data = PathText(dir.Path());
    std::string forward = data;
    std::replace(forward.begin(), forward.end(), '\\', '/');
    const std::string name = PathText(dir.Path().filename());
    platform.Store().Values = {{"RecentDataFolder1", forward + "/."}, {"RecentDataFolder2", data}};
    state.DataFolder = dir.Path() / ".";
    MainWindow win(state, platform);
    const QString title = "Choose the folder that holds National.TXT";
    for (const std::string& chosen :
         {forward + "/.", forward + "//", forward + "/../" + name + "/", data}) {
        platform.ExpectFolder(title, QString::fromStdString(chosen));
        Item(win, "Change Data &Folder\u2026")->trigger();
        platform.VerifyAllShown();
        EXPECT_EQ(PathText(state.DataFolder), data) << chosen;
        EXPECT_EQ(PathText(DefaultMergeName(state.ProgramFolder, "6785", CivilDate{2026, 8, 1},
                                            MPType::Gold)),
                  PathText(dir.Path() / "6785326.gld"));
        const QList<QAction*> recent = win.recentFoldersMenu()->actions();
        ASSERT_EQ(recent.size(), 1) << chosen;
        EXPECT_EQ(recent[0]->text(), "&1 " + QString::fromStdString(data));
        EXPECT_TRUE(recent[0]->isChecked());
    }
    win.close();
    EXPECT_EQ(platform.Store().Values["DataFolder"], data);
    EXPECT_EQ(platform.Store().Values["RecentDataFolder1"], data);
    EXPECT_EQ(state.Settings.RecentDataFolders, std::vector<std::string>{data});
}

// A remembered folder named with letters beyond ASCII is shown with them, and opens.
TEST_F(MainWinTest, ARecentFolderNamedBeyondAsciiOpens) {
    WriteRegisters();
    const std::string societe = "Soci\xC3\xA9t\xC3\xA9 Fran\xC3\xA7ois No\xC3\xABl";
    dir.Write(societe + "/National.TXT",
              test::RegisterText({test::TestPlayer("54321", "MORLAND")}));
    dir.WriteLines(societe + "/NATIONAL.CLB", {"2101,BAYSIDE CLUB,"});
    const std::string other = PathText(dir / societe);
    platform.Store().Values = {{"RecentDataFolder1", other}};
    MainWindow win(state, platform);
    QList<QAction*> recent = win.recentFoldersMenu()->actions();
    ASSERT_EQ(recent.size(), 2);
    EXPECT_EQ(recent[1]->text(), "&2 " + QString::fromUtf8(other.c_str()));
    recent[1]->trigger();
    platform.VerifyAllShown(); // no error
    EXPECT_EQ(PathText(state.DataFolder), other);
    EXPECT_EQ(state.National.FindPlayerByNumber("54321"), 1u);
    EXPECT_EQ(win.dataFolderLabel()->toolTip(), QString::fromUtf8(other.c_str()));
}

// The masterpoint chooser opens in the data folder for as long as no other folder was used
// there: it follows the data folder from one run to the next (a folder named at start-up)
// and through a change of data folder; a folder the user went to is kept.
TEST_F(MainWinTest, MasterpointChooserFollowsTheDataFolder) {
    WriteRegisters();
    test::TempFolder other;
    test::WriteRegister(other, {test::TestPlayer("54321", "MORLAND")});
    other.WriteLines("NATIONAL.CLB", {"2101,BAYSIDE CLUB,"});
    auto withSeparator = [](const test::TempFolder& folder) {
        return PathText(folder.Path() / ""); // "/" or "\\" at the end
    };
    auto chooserFolder = [&](MainWindow& win) {
        QString folder;
        platform.ExpectOpenFiles({}, [&](const OpenFileRequest& r) { folder = r.InitialFolder; });
        win.chooseMPFile({});
        return folder.toStdString();
    };
    struct Case {
        std::string lastDataFolder, lastMPFolder; // stored by the last run
        std::string atStart, afterChange;
    } cases[] = {
        {other.Path().string(), withSeparator(other), withSeparator(dir), withSeparator(other)},
        {dir.Path().string(), withSeparator(dir), withSeparator(dir), withSeparator(other)},
        {other.Path().string(), "/data/mp/", "/data/mp/", "/data/mp/"},
        {"", withSeparator(other), withSeparator(other), withSeparator(other)},
    };
    for (const auto& c : cases) {
        state.DataFolder = dir.Path();
        platform.Store().Values = {{"DataFolder", c.lastDataFolder},
                                   {"LastMPFolderUsed", c.lastMPFolder}};
        MainWindow win(state, platform);
        EXPECT_EQ(chooserFolder(win), c.atStart) << c.lastDataFolder << " " << c.lastMPFolder;
        platform.ExpectFolder("Choose the folder that holds National.TXT",
                              QString::fromStdString(other.Path().string()));
        Item(win, "Change Data &Folder\u2026")->trigger();
        ASSERT_EQ(state.DataFolder, other.Path());
        EXPECT_EQ(chooserFolder(win), c.afterChange) << c.lastDataFolder << " " << c.lastMPFolder;
        EXPECT_EQ(platform.Store().Values["LastMPFolderUsed"], c.afterChange);
    }
}
