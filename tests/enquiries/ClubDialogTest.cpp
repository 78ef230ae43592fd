#include "enquiries/ClubDialog.h"
#include "support/FakePlatform.h"
#include "support/Players.h"
#include "ui/AppState.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

class ClubDialogTest : public ::testing::Test {
  protected:
    ClubDialogTest() {
        state.DataFolder = dir.Path();
        state.National.Assign(test::RegisterText({
            test::TestPlayer("1", "ADAMS", "A", "3-104"),
            test::TestPlayer("2", "BROWN", "B", "3i104"),
            test::TestPlayer("3", "CLARK", "C", "2-101"),
            test::TestPlayer("4", "DAVIS", "D", "9-999"),
        }));
        state.Clubs.Assign("2101,BAYSIDE CLUB,,,,,,Ms,,K,Jones,1 B Rd,City,NSW,2000,,,x\r\n"
                           "3104,ARDEN BRIDGE CLUB,,,,,,Mr,,L,Brown,2 C St,Town,VIC,3000,,,x\r\n"
                           "9999,UNATTACHED,\r\n");
    }
    std::vector<std::string> Shown(ClubDialog& dlg) {
        std::vector<std::string> lines;
        for (int i = 0; i < dlg.listView()->model()->rowCount(); ++i)
            lines.push_back(dlg.listView()->model()->index(i, 0).data().toString().toStdString());
        return lines;
    }

    test::TempFolder dir;
    FakePlatform platform;
    AppState state;
};

std::string Line(const std::string& description, const std::string& count, bool sorted = false) {
    std::string line = description;
    line.resize(60, ' ');
    return line + (sorted ? " " : "") + std::string(6 - count.size(), ' ') + count;
}

} // namespace

TEST_F(ClubDialogTest, SecretariesByKeyWord) {
    ClubDialog dlg(ClubListMode::Secretaries, state, platform);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "View Club Master Point Secretaries.");
    EXPECT_FALSE(dlg.keyWordPanel()->isHidden());
    for (QWidget* hidden : std::initializer_list<QWidget*>{dlg.stateGroup(), dlg.saveButton(),
                                                           dlg.sortButton(), dlg.totalLabel()})
        EXPECT_TRUE(hidden->isHidden());

    dlg.getButton()->click(); // an empty key word: nothing
    EXPECT_TRUE(Shown(dlg).empty());
    QTest::keyClicks(dlg.keyWordBox(), "ar d-en");
    EXPECT_EQ(dlg.keyWordBox()->text(), "ARDEN");
    EXPECT_EQ(platform.Beeps(), 2); // the blank and the hyphen
    QTest::keyClick(dlg.keyWordBox(), Qt::Key_Return);
    EXPECT_EQ(Shown(dlg), (std::vector<std::string>{"3-104,  ARDEN BRIDGE CLUB,   Mr. L Brown",
                                                    "2 C St,Town,VIC,3000,,", ""}));
    QTest::keyClicks(dlg.keyWordBox(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(dlg.keyWordBox()->text().size(), 18);
}

TEST_F(ClubDialogTest, MembershipCountSortAndSave) {
    ClubDialog dlg(ClubListMode::Membership, state, platform);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Home Club Membership Numbers.");
    EXPECT_TRUE(dlg.keyWordPanel()->isHidden());
    EXPECT_EQ(dlg.totalLabel()->text(), "Total Active Membership:");
    EXPECT_TRUE(Shown(dlg).empty()); // nothing counted before Get

    // Save before Get keeps the list saved before, rather than emptying it.
    dir.Write("MEMBERSHIP.TXT", "3104 ARDEN BRIDGE CLUB 1\r\n");
    platform.ExpectInformation(
        "There is nothing to save: no club is listed. MEMBERSHIP.TXT is left as it is.");
    dlg.saveButton()->click();
    platform.VerifyAllShown();
    EXPECT_EQ(dir.Read("MEMBERSHIP.TXT"), "3104 ARDEN BRIDGE CLUB 1\r\n");

    dlg.stateButtons()->button(3)->click(); // Vic
    EXPECT_EQ(Shown(dlg), std::vector<std::string>{Line("3104 ARDEN BRIDGE CLUB", "1")});
    EXPECT_EQ(dlg.totalLabel()->text(), "Total Active Membership: 1");

    dlg.stateButtons()->button(0)->click();
    const std::vector<std::string> counted = {Line("2101 BAYSIDE CLUB", "1"),
                                              Line("3104 ARDEN BRIDGE CLUB", "1"),
                                              Line("9999 UNATTACHED", "1")};
    EXPECT_EQ(Shown(dlg), counted);
    EXPECT_EQ(dlg.totalLabel()->text(), "Total Active Membership: 2");

    // Its box names the file's full path and opens its folder ("Show in Folder").
    platform.ExpectInformation(" Done - Saved in File 'MEMBERSHIP.TXT' ", true);
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("MEMBERSHIP.TXT"),
              counted[0] + "\r\n" + counted[1] + "\r\n" + counted[2] + "\r\n");
    EXPECT_EQ(platform.WrittenDetails(),
              QStringList{QString::fromStdString((dir / "MEMBERSHIP.TXT").string())});
    EXPECT_EQ(platform.OpenedFolders(), QStringList{QString::fromStdString(dir.Path().string())});

    dlg.sortButton()->click();
    const std::vector<std::string> sorted = {Line("3104 ARDEN BRIDGE CLUB", "1", true),
                                             Line("2101 BAYSIDE CLUB", "1", true)};
    EXPECT_EQ(Shown(dlg), sorted);
    EXPECT_EQ(dlg.totalLabel()->text(), "Total Active Membership: 2");
    platform.ExpectInformation(" Done - Saved in File 'MEMBERSHIP.TXT' ");
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("MEMBERSHIP.TXT"), sorted[0] + "\r\n" + sorted[1] + "\r\n");

    // A folder that cannot be written to is reported, not called saved.
    state.DataFolder = dir.Path() / "missing";
    platform.ExpectError("Cannot write MEMBERSHIP.TXT: No such file or directory.");
    dlg.saveButton()->click();

    dlg.reject();
    dlg.show();
    EXPECT_TRUE(Shown(dlg).empty());
}
