#include "app/AppState.h"
#include "enquiries/PlayerView.h"
#include "enquiries/viewplayer.h"
#include "support/FakePlatform.h"
#include "support/Players.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

class ViewPlayerTest : public ::testing::Test {
  protected:
    ViewPlayerTest() {
        state.National.Assign(test::RegisterText({
            test::TestPlayer("12345", "ADAMS", "PETER"),
            test::TestPlayer("22", "SMITH", "ANNE"),
            test::TestPlayer("3100001", "SMITH", "JOHN", "3i104"),
            test::TestPlayer("2488258", "SMITH", "MARY"),
            test::TestPlayer("126799", "TURNER", "BEN"),
        }));
        state.GetClubDescription = [](std::string_view code) {
            return code == "3104" ? std::string("3104 ARDEN BRIDGE CLUB") : std::string();
        };
        dlg = std::make_unique<TViewDlg>(state, platform);
        dlg->show();
        QApplication::processEvents();
    }
    void Type(QWidget* w, const QString& text) { QTest::keyClicks(w, text); }
    void Enter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }

    FakePlatform platform;
    AppState state;
    std::unique_ptr<TViewDlg> dlg;
};

} // namespace

TEST_F(ViewPlayerTest, FindsByNumberWithOrWithoutLeadingZeros) {
    for (const char* typed : {"012345", "12345"}) {
        dlg->QMRNoEB->clear();
        Type(dlg->QMRNoEB, typed);
        Enter(dlg->QMRNoEB);
        EXPECT_EQ(dlg->Position(), 1u);
        EXPECT_EQ(dlg->NameLB->text(), "PETER ADAMS");
        EXPECT_EQ(dlg->ClubLB->text(), "3104 ARDEN BRIDGE CLUB");
        EXPECT_EQ(dlg->RankLB->text(), "*Regional");
        EXPECT_EQ(dlg->QMRNoEB->text(), "12345");
        EXPECT_EQ(dlg->Points[0][3]->text(), "6.00");
        EXPECT_EQ(dlg->Points[4][3]->text(), "123.45");
        EXPECT_EQ(dlg->Points[1][0]->text(), "");
    }
    EXPECT_EQ(state.CurrentPlayer.Surname, "ADAMS");
    EXPECT_EQ(platform.Beeps(), 0);
}

TEST_F(ViewPlayerTest, UnknownNumberBeepsAndSays) {
    Type(dlg->QMRNoEB, "999");
    platform.ExpectMessage("        No player has this number.       ");
    dlg->GetBtnClick();
    EXPECT_EQ(platform.Beeps(), 1);
    EXPECT_EQ(dlg->Position(), 0u);
}

TEST_F(ViewPlayerTest, KeyFiltersBeepAndCapitalise) {
    Type(dlg->QMRNoEB, "1a2.3");
    EXPECT_EQ(dlg->QMRNoEB->text(), "123");
    EXPECT_EQ(platform.Beeps(), 2);
    Type(dlg->SurnameEB, "o'bri3n");
    EXPECT_EQ(dlg->SurnameEB->text(), "O'BRIN");
    EXPECT_EQ(platform.Beeps(), 3);
    QTest::keyClick(dlg->PlayerLB, Qt::Key_X);
    EXPECT_EQ(platform.Beeps(), 4);
}

TEST_F(ViewPlayerTest, SurnameSelectionThenTakeTheThirdEntryAndStepOn) {
    Type(dlg->SurnameEB, "smi");
    Enter(dlg->SurnameEB);
    ASSERT_FALSE(dlg->PlayerLB->isHidden());
    EXPECT_FALSE(dlg->SelectLbl->isHidden());
    EXPECT_EQ(dlg->PlayerLB->count(), 4); // stops at the last register line
    EXPECT_EQ(dlg->PlayerLB->item(1)->text(), "SMITH JOHN  *Regional  3i104");
    EXPECT_FALSE(dlg->ForwardBtn->isEnabled());
    EXPECT_FALSE(dlg->QMRNoEB->isEnabled());
    dlg->PlayerLB->setCurrentRow(2);
    Enter(dlg->PlayerLB);
    EXPECT_TRUE(dlg->PlayerLB->isHidden());
    EXPECT_EQ(dlg->Position(), 4u);
    EXPECT_EQ(dlg->NameLB->text(), "MARY SMITH");
    EXPECT_TRUE(dlg->ForwardBtn->isEnabled());
    dlg->ForwardBtn->click();
    EXPECT_EQ(dlg->Position(), 5u);
    EXPECT_FALSE(dlg->MyImage->isHidden()); // the one player shown with a picture
    dlg->BackBtn->click();
    EXPECT_TRUE(dlg->MyImage->isHidden());
}

TEST_F(ViewPlayerTest, SurnameWithInitialAndNotFound) {
    Type(dlg->SurnameEB, "SMITH");
    Type(dlg->InitEB, "k");
    Enter(dlg->InitEB);
    ASSERT_FALSE(dlg->PlayerLB->isHidden());
    EXPECT_EQ(dlg->PlayerLB->item(0)->text(), "SMITH MARY  *Regional  3104");
    dlg->PlayerLB->setCurrentRow(-1);
    dlg->GetBtnClick(); // nothing selected: the first entry
    EXPECT_EQ(dlg->Position(), 4u);

    // Entering the surname box empties the number box, so Get searches by surname.
    QFocusEvent focusIn(QEvent::FocusIn);
    QApplication::sendEvent(dlg->SurnameEB, &focusIn);
    EXPECT_EQ(dlg->QMRNoEB->text(), "");
    dlg->SurnameEB->setText("ZZZ");
    dlg->GetBtnClick();
    EXPECT_EQ(dlg->Position(), 0u);
    EXPECT_TRUE(dlg->PlayerLB->isHidden());
}

TEST_F(ViewPlayerTest, MovesBeepAtTheEnds) {
    dlg->BackBtn->click(); // no player shown
    dlg->ForwardBtn->click();
    EXPECT_EQ(platform.Beeps(), 2);
    dlg->FirstBtn->click();
    EXPECT_EQ(dlg->Position(), 1u);
    dlg->FirstBtn->click();
    dlg->BackBtn->click();
    EXPECT_EQ(platform.Beeps(), 4);
    dlg->LastBtn->click();
    EXPECT_EQ(dlg->Position(), 5u);
    dlg->ForwardBtn->click();
    dlg->LastBtn->click();
    EXPECT_EQ(platform.Beeps(), 6);
    EXPECT_EQ(dlg->Position(), 5u);
}

TEST_F(ViewPlayerTest, ReopeningStartsWithNoPlayerButKeepsTheLabels) {
    Type(dlg->QMRNoEB, "22");
    Enter(dlg->QMRNoEB);
    dlg->hide();
    dlg->show();
    EXPECT_EQ(dlg->Position(), 0u);
    EXPECT_EQ(dlg->QMRNoEB->text(), "");
    EXPECT_EQ(dlg->NameLB->text(), "ANNE SMITH");
}

TEST_F(ViewPlayerTest, TypingAnotherInitialReplacesTheFirst) {
    Type(dlg->InitEB, "J");
    QApplication::processEvents(); // the change selects the whole text
    Type(dlg->InitEB, "O");
    EXPECT_EQ(dlg->InitEB->text(), "O");
}

TEST_F(ViewPlayerTest, SevenDigitNumbersAreShownWholeOnEveryPath) {
    Type(dlg->SurnameEB, "SMITH");
    Enter(dlg->SurnameEB);
    dlg->PlayerLB->setCurrentRow(2);
    Enter(dlg->PlayerLB); // taken from the surname list
    EXPECT_EQ(dlg->QMRNoEB->text(), "2488258");
    EXPECT_TRUE(dlg->QMRNoEB->hasFocus());
    Enter(dlg->QMRNoEB); // Enter at once shows the player taken
    EXPECT_EQ(dlg->Position(), 4u);
    EXPECT_EQ(platform.Beeps(), 0);

    struct Step {
        QPushButton* button;
        const char* number;
    } steps[] = {{dlg->BackBtn, "3100001"},
                 {dlg->ForwardBtn, "2488258"},
                 {dlg->FirstBtn, "12345"},
                 {dlg->LastBtn, "126799"},
                 {dlg->BackBtn, "2488258"}};
    for (const Step& step : steps) {
        step.button->click();
        EXPECT_EQ(dlg->QMRNoEB->text(), step.number);
        Enter(dlg->QMRNoEB); // the number shown finds its own player
        EXPECT_EQ(dlg->QMRNoEB->text(), step.number);
    }
    EXPECT_EQ(platform.Beeps(), 0);

    dlg->QMRNoEB->clear();
    Type(dlg->QMRNoEB, "31000019"); // seven typed digits; the eighth is refused
    EXPECT_EQ(dlg->QMRNoEB->text(), "3100001");
    Enter(dlg->QMRNoEB);
    EXPECT_EQ(dlg->NameLB->text(), "JOHN SMITH");
}

TEST_F(ViewPlayerTest, EditingKeysPassTheKeyFilters) {
    Type(dlg->QMRNoEB, "1234");
    QTest::keyClick(dlg->QMRNoEB, Qt::Key_Home);
    QTest::keyClick(dlg->QMRNoEB, Qt::Key_Delete);
    EXPECT_EQ(dlg->QMRNoEB->text(), "234");
    QTest::keyClick(dlg->QMRNoEB, Qt::Key_End);
    QTest::keyClick(dlg->QMRNoEB, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(dlg->QMRNoEB, Qt::Key_Delete);
    EXPECT_EQ(dlg->QMRNoEB->text(), "23");
    QTest::keyClick(dlg->QMRNoEB, Qt::Key_Z, Qt::ControlModifier); // undo
    EXPECT_EQ(dlg->QMRNoEB->text(), "234");
    QTest::keyClick(dlg->QMRNoEB, '>', Qt::AltModifier); // typed all the same: refused
    EXPECT_EQ(dlg->QMRNoEB->text(), "234");
    EXPECT_EQ(platform.Beeps(), 1);
    Type(dlg->SurnameEB, "SMYTH");
    QTest::keyClick(dlg->SurnameEB, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(dlg->SurnameEB, Qt::Key_Delete);
    EXPECT_EQ(dlg->SurnameEB->text(), "");
    EXPECT_EQ(platform.Beeps(), 1);
}
