#include "enquiries/ExtractDialog.h"
#include "support/FakePlatform.h"
#include "support/Players.h"
#include "ui/AppState.h"
#include "ui/DigitsBox.h"
#include "ui/WrittenFiles.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

class ExtractDialogTest : public ::testing::Test {
  protected:
    ExtractDialogTest() {
        state.DataFolder = dir.Path();
        state.National.Assign(test::RegisterText({
            test::PlayerWithTotal("12345", "ADAMS", "6-785", "200.00"),
            test::PlayerWithTotal("22222", "BROWN", "6i785", "300.00"),
            test::PlayerWithTotal("1234567", "CLARK", "2-101", "150.00"),
        }));
        state.Clubs.Assign("2101,BAYSIDE CLUB,\r\n6785,KARRAKATTA CLUB,\r\n");
        state.Settings.LastClubNo = "6785";
        dlg.show();
    }
    void Click(OutputType type) { dlg.outputButtons()->button(static_cast<int>(type))->click(); }

    test::TempFolder dir;
    FakePlatform platform;
    AppState state;
    ExtractDialog dlg{state, platform};
};

} // namespace

TEST_F(ExtractDialogTest, ScreenStateOfEachOutputType) {
    EXPECT_EQ(dlg.topSpinner()->value(), 100);
    EXPECT_EQ(dlg.yearSpinner()->value(), 50);
    struct Case {
        OutputType type;
        bool top, year, stateEnabled, clubOnlyShown, clubOnlyEnabled, clubOnlyTicked, clubShown,
            listShown, alternateShown, alternateEnabled;
    } cases[] = {
        {OutputType::TopPerformers, true, false, true, true, true, false, false, true, false, true},
        {OutputType::AllPlayers, false, false, true, true, true, false, false, false, false, true},
        {OutputType::TopThisYear, false, true, true, true, true, false, false, true, false, true},
        {OutputType::MostImproved, false, false, true, true, true, false, false, true, false, true},
        {OutputType::HomeClub, false, false, false, true, true, true, true, false, true, false},
        {OutputType::InactiveClub, false, false, false, true, false, true, true, true, true, false},
    };
    for (const auto& c : cases) {
        Click(c.type);
        const char* name = Info(c.type).Caption;
        EXPECT_EQ(!dlg.topPanel()->isHidden(), c.top) << name;
        EXPECT_EQ(!dlg.yearPanel()->isHidden(), c.year) << name;
        EXPECT_EQ(dlg.stateGroup()->isEnabled(), c.stateEnabled) << name;
        EXPECT_EQ(!dlg.clubOnlyPanel()->isHidden(), c.clubOnlyShown) << name;
        EXPECT_EQ(dlg.clubOnlyBox()->isEnabled(), c.clubOnlyEnabled) << name;
        EXPECT_EQ(dlg.clubOnlyBox()->isChecked(), c.clubOnlyTicked) << name;
        EXPECT_EQ(!dlg.clubPanel()->isHidden(), c.clubShown) << name;
        EXPECT_EQ(!dlg.listView()->isHidden(), c.listShown) << name;
        EXPECT_EQ(!dlg.alternatePanel()->isHidden(), c.alternateShown) << name;
        EXPECT_EQ(dlg.alternateBox()->isEnabled(), c.alternateEnabled) << name;
        EXPECT_TRUE(dlg.printButton()->isHidden()) << name;
    }
    EXPECT_EQ(dlg.clubBox()->text(), "6785");

    // Type 6 asks for its file; cancelled, the screen returns to "All Players".
    platform.ExpectOpenFiles({});
    Click(OutputType::InactiveFile);
    EXPECT_TRUE(dlg.outputButtons()->button(0)->isChecked());
    EXPECT_TRUE(dlg.stateGroup()->isEnabled());
    EXPECT_FALSE(dlg.clubOnlyPanel()->isHidden());

    // Club Only ticked by hand: the state is off, the club number and the option shown.
    Click(OutputType::TopPerformers);
    dlg.clubOnlyBox()->click();
    EXPECT_FALSE(dlg.stateGroup()->isEnabled());
    EXPECT_FALSE(dlg.clubPanel()->isHidden());
    EXPECT_FALSE(dlg.alternatePanel()->isHidden());
    dlg.clubOnlyBox()->click();
    EXPECT_TRUE(dlg.stateGroup()->isEnabled());
    EXPECT_TRUE(dlg.clubPanel()->isHidden());

    // An emptied minimum goes back to 2.
    dlg.topSpinner()->setFocus();
    QTest::keyClick(dlg.topSpinner(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(dlg.topSpinner(), Qt::Key_Backspace);
    EXPECT_EQ(dlg.topSpinner()->value(), 2);
    EXPECT_EQ(dlg.topSpinner()->text(), "2");
}

TEST_F(ExtractDialogTest, RunsAndMessagesInOrder) {
    Click(OutputType::TopPerformers);
    dlg.saveButton()->click();
    EXPECT_EQ(dlg.listLines(),
              (QStringList{"   1.   12345 ADAMS              ANNE     6-785 *Regiona  200.00 ",
                           "   2. 1234567 CLARK              ANNE     2-101 *Regiona  150.00 "}));
    EXPECT_FALSE(dlg.printButton()->isHidden());
    EXPECT_EQ(dlg.outputLabel()->text(), "Output saved as TOPALL.TXT");
    EXPECT_TRUE(dir.Exists("TOPALL.TXT"));

    platform.ExpectPrintDialog(true);
    dlg.printButton()->click();
    platform.ExpectPrintDialog(true);
    dlg.printButton()->click();
    ASSERT_EQ(platform.Printed().size(), 2u);
    EXPECT_EQ(platform.Printed()[0].Lines, platform.Printed()[1].Lines);
    EXPECT_EQ(platform.Printed()[0].Lines.mid(0, 3),
              (QStringList{"Top Performers - All", "", dlg.listLines()[0]}));
    EXPECT_EQ(platform.Printed()[0].Title, " ");

    // Nobody found: said, and the empty file still written and named.
    dlg.topSpinner()->setValue(20000);
    EXPECT_TRUE(dlg.printButton()->isHidden());
    platform.ExpectInformation(" No players Found - Check Minimum Points.");
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("TOPALL.TXT"), "");
    EXPECT_EQ(dlg.outputLabel()->text(), "Output saved as TOPALL.TXT");
    // Beside the list, "Show in Folder" names the file and opens its folder.
    const QString folder = QString::fromStdString(dir.Path().string());
    EXPECT_EQ(dlg.showFolderButton()->toolTip(),
              "Show " + InFolder(dir.Path(), "TOPALL.TXT") + " in its folder");
    dlg.showFolderButton()->click();
    EXPECT_EQ(platform.OpenedFolders(), QStringList{folder});

    // All players of club 6785: no list, so the file is also named in a message.
    Click(OutputType::AllPlayers);
    dlg.clubOnlyBox()->click();
    platform.ExpectInformation("Done - Output saved as 6785.TXT", true);
    dlg.saveButton()->click();
    EXPECT_TRUE(dlg.listView()->isHidden());
    EXPECT_EQ(platform.WrittenDetails(), QStringList{InFolder(dir.Path(), "6785.TXT")});
    EXPECT_EQ(platform.OpenedFolders(), (QStringList{folder, folder}));

    // Club number missing, unknown; the alternate file missing: nothing written.
    dlg.clubBox()->clear();
    platform.ExpectError("Club Number must be entered.");
    dlg.saveButton()->click();
    EXPECT_EQ(dlg.outputLabel()->text(), "Output saved as 6785.TXT"); // a refusal writes nothing
    QTest::keyClicks(dlg.clubBox(), "1234");
    platform.ExpectError("No Club has this Number.");
    QTest::keyClick(dlg.clubBox(), Qt::Key_Return);
    dlg.clubBox()->setText("2101");
    dlg.alternateBox()->click();
    platform.ExpectError("Cannot read ALTERNAT.TXT (No such file or directory): it is needed "
                         "to include all members.");
    dlg.saveButton()->click();
    EXPECT_FALSE(dir.Exists("2101.TXT"));
    EXPECT_EQ(state.Settings.LastClubNo, "2101");

    // With the file: the club's members through it.
    dir.Write("ALTERNAT.TXT", "  12345 ADAMS             ANNE       6785 2101\r\n");
    platform.ExpectInformation("Done - Output saved as 2101.TXT");
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("2101.TXT").substr(0, 13), " 12345 ADAMS ");

    // Inactive players of the club; a number typed for the home members stays in the box.
    Click(OutputType::HomeClub);
    dlg.clubBox()->setText("6785");
    Click(OutputType::InactiveClub);
    EXPECT_EQ(dlg.clubBox()->text(), "6785");
    dlg.saveButton()->click();
    EXPECT_EQ(dlg.listLines(), QStringList{"22222,BROWN,ANNE    "});
    EXPECT_EQ(dlg.outputLabel()->text(), "Output saved as INAC6785.TXT");
    EXPECT_EQ(platform.Beeps(), 9); // each run, the nobody-found message and each refusal
}

TEST_F(ExtractDialogTest, InactivePlayersOfAChosenFile) {
    dir.Write("sub/6785326.gld", "0022222000150\r\n\r\n12\r\n0012345000100\r\n0022222000150\r\n");
    platform.ExpectOpenFiles({QString::fromStdString((dir / "sub/6785326.gld").string())});
    Click(OutputType::InactiveFile);
    const QString line = "22222,BROWN,ANNE      Last Club: 6785 Karrakatta Club";
    EXPECT_EQ(dlg.listLines(), (QStringList{line, line}));
    EXPECT_EQ(dir.Read("INACFILE.TXT"), line.toStdString() + "\r\n" + line.toStdString() + "\r\n");
    EXPECT_EQ(dlg.outputLabel()->text(), "Output saved as INACFILE.TXT");
    EXPECT_TRUE(dlg.clubOnlyPanel()->isHidden());
    EXPECT_FALSE(dlg.stateGroup()->isEnabled());

    dlg.reject();
    dlg.show();
    EXPECT_TRUE(dlg.outputButtons()->button(0)->isChecked());
    EXPECT_TRUE(dlg.listView()->isHidden());
    EXPECT_EQ(dlg.outputLabel()->text(), "");
}
