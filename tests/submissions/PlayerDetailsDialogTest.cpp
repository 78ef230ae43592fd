#include "submissions/PlayerDetailsDialog.h"
#include "support/Contrast.h"
#include "support/FakePlatform.h"
#include "support/Players.h"
#include "ui/AppState.h"
#include "ui/FormFields.h"
#include "ui/WrittenFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

class PlayerDetailsTest : public ::testing::Test {
  protected:
    PlayerDetailsTest() {
        state.DataFolder = dir.Path();
        state.Settings.LastClubNo = "6785";
        state.National.Assign(test::RegisterText({
            test::TestPlayer("12345", "SAMPLE", "PAT"),
            test::TestPlayer("3100001", "INACTIVE", "IAN", "3i104"),
        }));
        dlg = std::make_unique<PlayerDetailsDialog>(state, platform);
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
        QApplication::processEvents();
    }
    void Type(QWidget* w, const QString& text) {
        w->setFocus();
        QTest::keyClicks(w, text);
    }
    // Leaves a box for the next one in the tab order, as Tab does.
    void Tab(QWidget* from) {
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Tab);
        QApplication::processEvents();
    }

    test::TempFolder dir;
    FakePlatform platform;
    AppState state;
    std::unique_ptr<PlayerDetailsDialog> dlg;
};

} // namespace

// Which fields each request kind uses; the others are disabled and silver.
TEST_F(PlayerDetailsTest, EachKindEnablesItsFields) {
    struct Case {
        PlayerRequest kind;
        bool number, details, deathDate;
    } cases[] = {
        {PlayerRequest::Add, false, true, false},
        {PlayerRequest::Activate, true, true, false},
        {PlayerRequest::Change, true, true, false},
        {PlayerRequest::Transfer, true, true, false},
        {PlayerRequest::AddToReports, true, false, false},
        {PlayerRequest::RemoveFromReports, true, false, false},
        {PlayerRequest::Deceased, true, false, true},
    };
    for (const auto& c : cases) {
        const char* name = KindOf(c.kind).Text;
        dlg->kindButton(c.kind)->click();
        EXPECT_EQ(dlg->numberBox()->isEnabled(), c.number) << name;
        for (QWidget* w : std::initializer_list<QWidget*>{
                 dlg->titleBox(), dlg->initialBox(), dlg->birthBox(), dlg->femaleButton(),
                 dlg->maleButton(), dlg->streetBox(), dlg->townBox(), dlg->postcodeBox()})
            EXPECT_EQ(w->isEnabled(), c.details) << name << " " << w->metaObject()->className();
        for (QWidget* w : std::initializer_list<QWidget*>{dlg->clubBox(), dlg->firstNameBox(),
                                                          dlg->surnameBox()})
            EXPECT_TRUE(w->isEnabled()) << name;
        EXPECT_EQ(dlg->deceasedPanel()->isVisible(), c.deathDate) << name;
        const QColor base = dlg->townBox()->palette().color(QPalette::Base);
        EXPECT_EQ(base, c.details ? QColor(Qt::white) : QColor(192, 192, 192)) << name;
        EXPECT_EQ(dlg->clubBox()->text(), "") << name; // a new kind starts empty
        EXPECT_EQ(dlg->numberBox()->hasFocus(), c.number) << name;
    }
    EXPECT_EQ(dlg->windowTitle(), "Player Details ");
    EXPECT_EQ(dlg->fileNameLabel()->text(), "Filename in use PLAYER.TXT");

    // Opening again starts at Add with the last club number; the gender stays as chosen.
    dlg->kindButton(PlayerRequest::Change)->click();
    dlg->maleButton()->click();
    dlg->hide();
    dlg->show();
    EXPECT_EQ(dlg->kind(), PlayerRequest::Add);
    EXPECT_FALSE(dlg->numberBox()->isEnabled());
    EXPECT_EQ(dlg->clubBox()->text(), "6785");
    EXPECT_TRUE(dlg->maleButton()->isChecked());
}

// The gender starts at "F"; Clear All Fields leaves the gender chosen as it is.
TEST_F(PlayerDetailsTest, GenderStartsAtFemaleAndClearingKeepsIt) {
    EXPECT_TRUE(dlg->femaleButton()->isChecked());
    for (QRadioButton* gender : {dlg->maleButton(), dlg->femaleButton()}) {
        gender->click();
        Type(dlg->surnameBox(), "SAMPLE");
        dlg->buttons().Clear->click();
        EXPECT_EQ(dlg->surnameBox()->text(), "");
        EXPECT_TRUE(gender->isChecked()) << gender->text().toStdString();
    }
}

// A disabled field's text is written to the file: it must be readable on the silver.
TEST_F(PlayerDetailsTest, DisabledFieldsShowTheirTextReadably) {
    dlg->kindButton(PlayerRequest::AddToReports)->click();
    Type(dlg->numberBox(), "12345");
    Tab(dlg->numberBox());
    ASSERT_FALSE(dlg->initialBox()->isEnabled());
    ASSERT_EQ(dlg->initialBox()->text(), "P");
    dlg->initialBox()->setText("WWWW");
    dlg->birthBox()->setText("18/08/88");
    for (QWidget* field :
         {static_cast<QWidget*>(dlg->initialBox()), static_cast<QWidget*>(dlg->birthBox())})
        EXPECT_GE(test::DarkestContrastOnSilver(field), 4.5) << field->toolTip().toStdString();
}

TEST_F(PlayerDetailsTest, KeysAndPastesOutsideTheRulesAreRefusedWithABeep) {
    dlg->kindButton(PlayerRequest::Change)->click();
    struct Case {
        QWidget* box;
        const char* typed;
        const char* shown;
        int beeps;
    } cases[] = {
        {dlg->clubBox(), "67x855", "6785", 2},
        {dlg->surnameBox(), "o'brien-smith3", "O'BRIEN-SMITH", 1},
        {dlg->initialBox(), "abcde", "ABCD", 1},
        {dlg->streetBox(), "1 example st.", "1 EXAMPLE ST.", 0},
        {dlg->postcodeBox(), "99-99", "9999", 1},
        {dlg->birthBox(), "03a0456", "03/04/56", 1},
        {dlg->numberBox(), "12a3.4567", "1234567", 2}, // seven digits fit
    };
    for (const auto& c : cases) {
        const int before = platform.Beeps();
        Type(c.box, c.typed);
        auto* edit = static_cast<QLineEdit*>(c.box);
        EXPECT_EQ(edit->displayText(), c.shown) << c.typed;
        EXPECT_EQ(platform.Beeps() - before, c.beeps) << c.typed;
    }
    // A paste is held to the same rules.
    dlg->postcodeBox()->clear();
    QApplication::clipboard()->setText("12x4");
    const int before = platform.Beeps();
    dlg->postcodeBox()->paste();
    EXPECT_EQ(dlg->postcodeBox()->text(), "");
    EXPECT_EQ(platform.Beeps(), before + 1);
    QApplication::clipboard()->setText("o'neil");
    dlg->firstNameBox()->clear();
    dlg->firstNameBox()->paste();
    EXPECT_EQ(dlg->firstNameBox()->text(), "O'NEIL");
    EXPECT_EQ(platform.Beeps(), before + 1);
}

TEST_F(PlayerDetailsTest, LeavingTheNumberLooksThePlayerUp) {
    dlg->kindButton(PlayerRequest::Change)->click();
    Type(dlg->numberBox(), "999");
    platform.ExpectMessage(" Unknown QMR Number. ");
    Tab(dlg->numberBox());
    platform.VerifyAllShown();
    EXPECT_EQ(dlg->numberBox()->text(), "");
    EXPECT_TRUE(dlg->numberBox()->hasFocus());
    EXPECT_EQ(platform.Beeps(), 1);

    Type(dlg->numberBox(), "012345");
    Tab(dlg->numberBox());
    EXPECT_EQ(dlg->initialBox()->text(), "P");
    EXPECT_EQ(dlg->firstNameBox()->text(), "PAT");
    EXPECT_EQ(dlg->surnameBox()->text(), "SAMPLE");
    EXPECT_EQ(dlg->titleBox()->currentText(), "");
    EXPECT_TRUE(dlg->clubBox()->hasFocus());

    // Activate takes only an inactive player; Enter looks up too.
    dlg->kindButton(PlayerRequest::Activate)->click();
    Type(dlg->numberBox(), "12345");
    platform.ExpectMessage("   This player is already active.   ");
    QTest::keyClick(dlg->numberBox(), Qt::Key_Return);
    EXPECT_EQ(dlg->numberBox()->text(), "");
    EXPECT_EQ(dlg->surnameBox()->text(), "");
    EXPECT_TRUE(dlg->numberBox()->hasFocus());
    Type(dlg->numberBox(), "3100001");
    QTest::keyClick(dlg->numberBox(), Qt::Key_Return);
    EXPECT_EQ(dlg->surnameBox()->text(), "INACTIVE");
    EXPECT_TRUE(dlg->clubBox()->hasFocus());

    // Appending straight from the number box (its access key) looks it up first.
    dlg->kindButton(PlayerRequest::Change)->click();
    Type(dlg->numberBox(), "9999999");
    platform.ExpectMessage(" Unknown QMR Number. ");
    dlg->buttons().Append->click();
    EXPECT_FALSE(dir.Exists("PLAYER.TXT"));

    // Leaving for Close, Clear All or Clear File looks nothing up.
    dlg->kindButton(PlayerRequest::Change)->click();
    Type(dlg->numberBox(), "999");
    dlg->buttons().Clear->setFocus();
    EXPECT_EQ(dlg->numberBox()->text(), "999");
    // Nor does closing the form with Escape.
    Type(dlg->numberBox(), "8");
    QTest::keyClick(dlg->numberBox(), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(PlayerDetailsTest, AppendsOneBlockPerRequest) {
    Type(dlg->titleBox(), "Mr");
    Type(dlg->initialBox(), "p");
    Type(dlg->firstNameBox(), "pat");
    Type(dlg->surnameBox(), "sample");
    Type(dlg->birthBox(), "030456");
    dlg->maleButton()->click();
    Type(dlg->streetBox(), "1 example street");
    Type(dlg->townBox(), "sampleton");
    Type(dlg->postcodeBox(), "9999");
    EXPECT_FALSE(dlg->buttons().Show->isEnabled()); // no file yet
    dlg->buttons().Append->click();
    EXPECT_EQ(dir.Read("PLAYER.TXT"), "6-785\r\nAPPEND\r\nMr,P,PAT,SAMPLE\r\n03/04/56\r\nM\r\n"
                                      "1 EXAMPLE STREET,SAMPLETON,9999\r\n\r\n");
    // "Show in Folder" names the file and opens its folder.
    const QString folder = QString::fromStdString(dir.Path().string());
    EXPECT_EQ(dlg->buttons().Show->toolTip(),
              "Show " + InFolder(dir.Path(), "PLAYER.TXT") + " in its folder");
    dlg->buttons().Show->click();
    EXPECT_EQ(platform.OpenedFolders(), QStringList{folder});
    EXPECT_EQ(dlg->clubBox()->text(), "6785");
    EXPECT_EQ(dlg->surnameBox()->text(), "");
    EXPECT_TRUE(dlg->clubBox()->hasFocus()); // Add has no number box

    // A new kind empties the club number: "-" and an empty last club.
    dlg->kindButton(PlayerRequest::Deceased)->click();
    Type(dlg->numberBox(), "12345");
    Tab(dlg->numberBox());
    Type(dlg->deceasedBox(), "010226");
    dlg->buttons().Append->click();
    EXPECT_EQ(dir.Read("PLAYER.TXT"),
              "6-785\r\nAPPEND\r\nMr,P,PAT,SAMPLE\r\n03/04/56\r\nM\r\n"
              "1 EXAMPLE STREET,SAMPLETON,9999\r\n\r\n"
              "-\r\nDELETE\r\n12345  P PAT SAMPLE\r\nPlayer Deceased on 01/02/26\r\n\r\n");
    EXPECT_EQ(state.Settings.LastClubNo, "");
    EXPECT_TRUE(dlg->numberBox()->hasFocus());
    EXPECT_EQ(platform.Beeps(), 0);
}

TEST_F(PlayerDetailsTest, APartDateKeepsTheFocusAndIsNotAppended) {
    Type(dlg->birthBox(), "0304");
    Tab(dlg->birthBox());
    QApplication::processEvents();
    EXPECT_TRUE(dlg->birthBox()->hasFocus());
    EXPECT_EQ(platform.Beeps(), 1);
    dlg->buttons().Append->click();
    EXPECT_FALSE(dir.Exists("PLAYER.TXT"));
    EXPECT_EQ(platform.Beeps(), 2);
    Type(dlg->birthBox(), "56");
    dlg->buttons().Append->click();
    EXPECT_TRUE(dir.Exists("PLAYER.TXT"));
}

TEST_F(PlayerDetailsTest, AFailedAppendIsSaidAndTheFormKept) {
    dir.Write("PLAYER.TXT/kept", "x");
    Type(dlg->surnameBox(), "SAMPLE");
    platform.ExpectError("Cannot add to PLAYER.TXT: Is a directory. Nothing was written; the "
                         "form keeps what you typed.");
    dlg->buttons().Append->click();
    EXPECT_EQ(dlg->surnameBox()->text(), "SAMPLE");
    // Clearing the file asks first.
    std::filesystem::remove_all(dir / "PLAYER.TXT");
    dir.Write("PLAYER.TXT", "old");
    const QString question =
        "You are about to CLEAR ALL information from PLAYER.TXT. Are You Sure? ";
    platform.ExpectWarning(question, false);
    dlg->buttons().Delete->click();
    EXPECT_TRUE(dir.Exists("PLAYER.TXT"));
    platform.ExpectWarning(question, true);
    dlg->buttons().Delete->click();
    EXPECT_FALSE(dir.Exists("PLAYER.TXT"));
}

TEST_F(PlayerDetailsTest, TabFollowsTheFields) {
    dlg->kindButton(PlayerRequest::Deceased)->click();
    dlg->kindButton(PlayerRequest::Change)->click();
    dlg->kindButton(PlayerRequest::Change)->setFocus();
    QStringList order;
    for (int i = 0; i < 14; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* w = QApplication::focusWidget();
        order << (w->toolTip().isEmpty() ? w->metaObject()->className() : w->toolTip());
    }
    EXPECT_EQ(order, (QStringList{"Enter QMR Number - then press TAB", "Enter Club No. eg 6785 ",
                                  "Click Arrow or Use Down Arrow to Select Title", "Enter Initial",
                                  "Enter Firstname", "Enter Surname", "DD/MM/YY", "QRadioButton",
                                  "eg 12 SAMPLE STREET", "eg SAMPLETON WEST", "Postcode",
                                  "Append to File PLAYER.TXT", "QPushButton", "Clear All Fields"}));
}
