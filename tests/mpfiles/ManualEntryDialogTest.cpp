#include "mpfiles/ManualEntryDialog.h"
#include "support/FakePlatform.h"
#include "support/Players.h"
#include "ui/AppState.h"
#include "ui/DigitsBox.h"
#include "ui/WrittenFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

class ManualTest : public ::testing::Test {
  protected:
    ManualTest() : dlg(state, platform) {
        state.DataFolder = dir.Path();
        state.ProgramFolder = dir.Path();
        state.National.Assign(test::RegisterText({
            test::TestPlayer("12345", "KARVEL", "ANNE", "6-785"),
            test::TestPlayer("222", "RESTING", "ALAN", "6i785"),
            test::TestPlayer("1234567", "ZORBEN", "ZED", "6-785"),
            test::TestPlayer("333", "OTHER", "OLLY", "6-786"),
        }));
        state.Settings.LastClubNo = "6785";
    }
    QString Path(const std::string& name) { return QString::fromStdString((dir / name).string()); }
    void Open(int mode) {
        dlg.setEntryMode(mode);
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }
    QWidget* Focused() {
        QWidget* focused = QApplication::focusWidget();
        return focused ? focused : dlg.grid();
    }
    // Types each key into whatever has the focus: the grid, or the cell editor it opens.
    void Type(const QString& keys) {
        for (QChar c : keys)
            QTest::keyClick(Focused(), c.toLatin1());
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Focused(), key, modifiers);
    }
    QStringList Column(int column) {
        QStringList cells;
        for (int row = 0; row < dlg.rowCount(); ++row)
            cells << dlg.cell(row, column);
        return cells;
    }

    test::TempFolder dir;
    FakePlatform platform;
    AppState state;
    ManualEntryDialog dlg;
};

} // namespace

// Club members: Get lists the club's active members; Enter moves down, Space repeats the
// points above, letters are refused, cells take at most six digits; Save proposes the
// club's name and writes the 13-character lines of the rows with points.
TEST_F(ManualTest, ClubMembersAreListedAndTheirPointsSaved) {
    Open(ManualEntryDialog::ClubMembers);
    EXPECT_EQ(dlg.rowCount(), 18);
    EXPECT_FALSE(dlg.saveButton()->isEnabled());
    EXPECT_FALSE(dlg.alternateBox()->isEnabled()); // no ALTERNAT.TXT
    EXPECT_EQ(dlg.clubBox()->text(), "6785");
    EXPECT_TRUE(dlg.colourChoice(2)->isChecked());

    dlg.clubBox()->clear();
    QTest::keyClick(dlg.clubBox(), Qt::Key_Return);
    EXPECT_EQ(platform.Beeps(), 1);
    EXPECT_EQ(dlg.rowCount(), 0);
    QTest::keyClicks(dlg.clubBox(), "67x85");
    EXPECT_EQ(platform.Beeps(), 2);
    QTest::keyClick(dlg.clubBox(), Qt::Key_Return);
    EXPECT_EQ(dlg.countLabel()->text(), " 2 Home Club Members.");
    EXPECT_EQ(Column(1), (QStringList{"KARVEL ANNE", "ZORBEN ZED"}));
    EXPECT_EQ(Column(2), (QStringList{"12345", "1234567"}));
    EXPECT_TRUE(dlg.saveButton()->isEnabled());

    Type("15a0");
    EXPECT_EQ(platform.Beeps(), 3);
    Press(Qt::Key_Return);
    Type(" "); // row 2 repeats row 1's points; the last row keeps the cursor
    EXPECT_EQ(Column(3), (QStringList{"150", "150"}));
    Type("1234567");
    Press(Qt::Key_Return);
    EXPECT_EQ(Column(3), (QStringList{"150", "123456"}));

    dlg.colourChoice(0)->click();
    EXPECT_FALSE(dlg.showFolderButton()->isEnabled()); // nothing written yet
    platform.ExpectSaveFile(Path("CLUB6785.MP1"));
    dlg.saveButton()->click();
    EXPECT_EQ(dlg.showFolderButton()->toolTip(), "Show " + Path("CLUB6785.MP1") + " in its folder");
    dlg.showFolderButton()->click();
    EXPECT_EQ(platform.OpenedFolders(), QStringList{QString::fromStdString(dir.Path().string())});
    EXPECT_EQ(platform.LastSaveRequest().FileName, "CLUB6785.MP1");
    EXPECT_EQ(platform.LastSaveRequest().Filter, "QMR Master Point Files|*.gld");
    EXPECT_TRUE(platform.LastSaveRequest().AskOverwrite);
    EXPECT_EQ(dir.Read("CLUB6785.MP1"), "0012345000150\r\n1234567123456\r\n");
    EXPECT_EQ(state.Settings.LastClubNo, "6785");

    // Another club with nobody: the count 0 and no rows.
    dlg.clubBox()->setText("9999");
    dlg.getButton()->click();
    EXPECT_EQ(dlg.countLabel()->text(), " 0 Home Club Members.");
    EXPECT_EQ(dlg.rowCount(), 0);
}

TEST_F(ManualTest, NonHomeClubMembersComeFromTheAlternateFile) {
    dir.WriteLines("ALTERNAT.TXT", {"  12345 KARVEL            ANNE       6785 1111",
                                    "    444 BORNE             BOB        1111 2222 6785"});
    Open(ManualEntryDialog::ClubMembers);
    ASSERT_TRUE(dlg.alternateBox()->isEnabled());
    dlg.alternateBox()->setChecked(true);
    dlg.getButton()->click();
    EXPECT_EQ(dlg.countLabel()->text(), " 2 Club Members.");
    EXPECT_EQ(Column(1), (QStringList{"KARVEL ANNE", "BORNE BOB"}));
    EXPECT_EQ(Column(2), (QStringList{"12345", "444"}));
}

// Visitors: number, Enter, points, Enter; each number is looked up, an unknown one is
// refused with the message and retyped; saving twice appends.
TEST_F(ManualTest, VisitorsAreLookedUpAndAppended) {
    Open(ManualEntryDialog::Visitors);
    EXPECT_TRUE(dlg.clubPanel()->isHidden());
    EXPECT_TRUE(dlg.saveButton()->isEnabled());
    Type("12345");
    Press(Qt::Key_Return);
    EXPECT_EQ(dlg.cell(0, 1), "ANNE KARVEL");
    EXPECT_EQ(dlg.rowCount(), 19);
    Type("150");
    Press(Qt::Key_Return);
    platform.ExpectMessage("        No player has this number.       ");
    Type("99 9"); // a blank is refused like a letter
    EXPECT_EQ(platform.Beeps(), 1);
    Press(Qt::Key_Tab);
    EXPECT_EQ(platform.Beeps(), 2);
    EXPECT_EQ(dlg.cell(1, 2), "");
    EXPECT_EQ(dlg.grid()->currentColumn(), 2);
    Type("12345678");
    Press(Qt::Key_Tab);
    EXPECT_EQ(dlg.cell(1, 2), "1234567");
    EXPECT_EQ(dlg.cell(1, 1), "ZED ZORBEN");
    Type("75");
    Press(Qt::Key_Return);

    platform.ExpectSaveFile(Path("visitors.grn"));
    dlg.saveButton()->click();
    EXPECT_FALSE(platform.LastSaveRequest().AskOverwrite);
    EXPECT_TRUE(platform.LastSaveRequest().FileName.isEmpty());
    platform.ExpectSaveFile(Path("visitors.grn"));
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("visitors.grn"), "0012345000150\r\n1234567000075\r\n"
                                        "0012345000150\r\n1234567000075\r\n");
    platform.ExpectSaveFile(Path("no/visitors.grn"));
    platform.ExpectError(
        "Cannot write visitors.grn: No such file or directory. Nothing was written.");
    dlg.saveButton()->click();
}

// Every visitors session takes typed numbers from its first key, also after another
// session; a row with points but no number is refused, not written as player 0000000.
TEST_F(ManualTest, ReopenedVisitorsGridTakesTheFirstNumber) {
    for (const bool saveFirst : {false, true}) {
        Open(ManualEntryDialog::Visitors);
        Type("12345");
        Press(Qt::Key_Return);
        Type("200");
        Press(Qt::Key_Return);
        if (saveFirst) {
            platform.ExpectSaveFile(Path("first.grn"));
            dlg.saveButton()->click();
            dlg.closeButton()->click();
        } else {
            Press(Qt::Key_Escape);
        }
        ASSERT_FALSE(dlg.isVisible());
    }
    Open(ManualEntryDialog::Visitors);
    Type("1234567");
    Press(Qt::Key_Return);
    EXPECT_EQ(dlg.cell(0, 2), "1234567");
    EXPECT_EQ(dlg.cell(0, 1), "ZED ZORBEN");
    Type("200");
    Press(Qt::Key_Return);
    EXPECT_EQ(dlg.cell(0, 3), "200");

    dlg.grid()->item(1, 3)->setText("75"); // points, then the number taken away
    platform.ExpectError("Row 2 has points but no QMR number. Nothing was written.");
    dlg.saveButton()->click();
    EXPECT_FALSE(dir.Exists("visitors.grn"));
}

// A number left with the mouse was never looked up: Save looks every row up, names the row
// it refuses and writes nothing; a known number left so is saved.
TEST_F(ManualTest, SaveLooksUpTheNumbersLeftWithTheMouse) {
    Open(ManualEntryDialog::Visitors);
    auto clickCell = [&](int row, int column) {
        const QRect cell = dlg.grid()->visualItemRect(dlg.grid()->item(row, column));
        QTest::mouseClick(dlg.grid()->viewport(), Qt::LeftButton, {}, cell.center());
    };
    Type("12345");
    clickCell(0, 3);
    Type("150");
    clickCell(1, 2);
    Type("99999");
    clickCell(1, 3);
    Type("50");
    platform.ExpectError("Row 2: no player has the QMR number 99999. Nothing was written.");
    dlg.saveButton()->click();
    platform.VerifyAllShown();
    EXPECT_EQ(Column(2).mid(0, 2), (QStringList{"12345", "99999"}));
    EXPECT_EQ(Column(3).mid(0, 2), (QStringList{"150", "50"}));
    EXPECT_EQ(platform.Beeps(), 1);
    EXPECT_TRUE(dir.Names().empty());

    dlg.grid()->item(1, 2)->setText("0000333"); // leading zeros, as the look-up takes them
    platform.ExpectSaveFile(Path("visitors.grn"));
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("visitors.grn"), "0012345000150\r\n0000333000050\r\n");

    // Its folder, when the desktop cannot open it, is named in the message.
    platform.FailOpenFolder();
    platform.ExpectError("The folder " + QString::fromStdString(dir.Path().string()) +
                         " could not be opened.");
    dlg.showFolderButton()->click();
}
