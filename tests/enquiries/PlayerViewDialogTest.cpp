#include "enquiries/PlayerViewDialog.h"
#include "enquiries/PlayerLookup.h"
#include "support/FakePlatform.h"
#include "support/Players.h"
#include "ui/AppState.h"
#include "ui/PlayerPanel.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWindowStateChangeEvent>
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
        state.Clubs.Assign("3104,ARDEN BRIDGE CLUB,\r\n2101,BAYSIDE BRIDGE CLUB,\r\n");
        dlg = std::make_unique<PlayerViewDialog>(state, platform);
        dlg->show();
        QApplication::processEvents();
    }
    void Type(QWidget* w, const QString& text) { QTest::keyClicks(w, text); }
    void Enter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }

    FakePlatform platform;
    AppState state;
    std::unique_ptr<PlayerViewDialog> dlg;
};

} // namespace

TEST_F(ViewPlayerTest, FindsByNumberWithOrWithoutLeadingZeros) {
    for (const char* typed : {"012345", "12345"}) {
        dlg->numberBox()->clear();
        Type(dlg->numberBox(), typed);
        Enter(dlg->numberBox());
        EXPECT_EQ(dlg->position(), 1u);
        EXPECT_EQ(dlg->playerPanel()->nameLabel()->text(), "PETER ADAMS");
        EXPECT_EQ(dlg->playerPanel()->clubLabel()->text(), "3104 ARDEN BRIDGE CLUB");
        EXPECT_EQ(dlg->playerPanel()->rankLabel()->text(), "*Regional");
        EXPECT_EQ(dlg->numberBox()->text(), "12345");
        EXPECT_EQ(dlg->pointsLabel(0, 3)->text(), "6.00");
        EXPECT_EQ(dlg->pointsLabel(4, 3)->text(), "123.45");
        EXPECT_EQ(dlg->pointsLabel(1, 0)->text(), "");
    }
    EXPECT_EQ(state.CurrentPlayer.Surname, "ADAMS");
    EXPECT_EQ(platform.Beeps(), 0);
}

TEST_F(ViewPlayerTest, UnknownNumberBeepsAndSays) {
    Type(dlg->numberBox(), "999");
    platform.ExpectMessage("        No player has this number.       ");
    dlg->lookUp();
    EXPECT_EQ(platform.Beeps(), 1);
    EXPECT_EQ(dlg->position(), 0u);
}

TEST_F(ViewPlayerTest, KeyFiltersBeepAndCapitalise) {
    Type(dlg->numberBox(), "1a2.3");
    EXPECT_EQ(dlg->numberBox()->text(), "123");
    EXPECT_EQ(platform.Beeps(), 2);
    Type(dlg->surnameBox(), "o'bri3n");
    EXPECT_EQ(dlg->surnameBox()->text(), "O'BRIN");
    EXPECT_EQ(platform.Beeps(), 3);
    QTest::keyClick(dlg->selectionList(), Qt::Key_X);
    EXPECT_EQ(platform.Beeps(), 4);
}

TEST_F(ViewPlayerTest, SurnameSelectionThenTakeTheThirdEntryAndStepOn) {
    Type(dlg->surnameBox(), "smi");
    Enter(dlg->surnameBox());
    ASSERT_FALSE(dlg->selectionList()->isHidden());
    EXPECT_FALSE(dlg->selectionLabel()->isHidden());
    EXPECT_EQ(dlg->selectionList()->count(), 4); // stops at the last register line
    EXPECT_EQ(dlg->selectionList()->item(1)->text(), "SMITH JOHN  *Regional  3i104");
    EXPECT_FALSE(dlg->nextButton()->isEnabled());
    EXPECT_FALSE(dlg->numberBox()->isEnabled());
    dlg->selectionList()->setCurrentRow(2);
    Enter(dlg->selectionList());
    EXPECT_TRUE(dlg->selectionList()->isHidden());
    EXPECT_EQ(dlg->position(), 4u);
    EXPECT_EQ(dlg->playerPanel()->nameLabel()->text(), "MARY SMITH");
    EXPECT_TRUE(dlg->nextButton()->isEnabled());
    dlg->nextButton()->click();
    EXPECT_EQ(dlg->position(), 5u);
    EXPECT_FALSE(dlg->picture()->isHidden()); // the one player shown with a picture
    dlg->previousButton()->click();
    EXPECT_TRUE(dlg->picture()->isHidden());
}

TEST_F(ViewPlayerTest, SurnameWithInitialAndNotFound) {
    Type(dlg->surnameBox(), "SMITH");
    Type(dlg->initialBox(), "k");
    Enter(dlg->initialBox());
    ASSERT_FALSE(dlg->selectionList()->isHidden());
    EXPECT_EQ(dlg->selectionList()->item(0)->text(), "SMITH MARY  *Regional  3104");
    dlg->selectionList()->setCurrentRow(-1);
    dlg->lookUp(); // nothing selected: the first entry
    EXPECT_EQ(dlg->position(), 4u);

    // Entering the surname box empties the number box, so Get searches by surname.
    QFocusEvent focusIn(QEvent::FocusIn);
    QApplication::sendEvent(dlg->surnameBox(), &focusIn);
    EXPECT_EQ(dlg->numberBox()->text(), "");
    dlg->surnameBox()->setText("ZZZ");
    dlg->lookUp();
    EXPECT_EQ(dlg->position(), 0u);
    EXPECT_TRUE(dlg->selectionList()->isHidden());
}

TEST_F(ViewPlayerTest, MovesBeepAtTheEnds) {
    dlg->previousButton()->click(); // no player shown
    dlg->nextButton()->click();
    EXPECT_EQ(platform.Beeps(), 2);
    dlg->firstButton()->click();
    EXPECT_EQ(dlg->position(), 1u);
    dlg->firstButton()->click();
    dlg->previousButton()->click();
    EXPECT_EQ(platform.Beeps(), 4);
    dlg->lastButton()->click();
    EXPECT_EQ(dlg->position(), 5u);
    dlg->nextButton()->click();
    dlg->lastButton()->click();
    EXPECT_EQ(platform.Beeps(), 6);
    EXPECT_EQ(dlg->position(), 5u);
}

TEST_F(ViewPlayerTest, ReopeningStartsWithNoPlayerButKeepsTheLabels) {
    Type(dlg->numberBox(), "22");
    Enter(dlg->numberBox());
    dlg->hide();
    dlg->show();
    EXPECT_EQ(dlg->position(), 0u);
    EXPECT_EQ(dlg->numberBox()->text(), "");
    EXPECT_EQ(dlg->playerPanel()->nameLabel()->text(), "ANNE SMITH");
}

TEST_F(ViewPlayerTest, TypingAnotherInitialReplacesTheFirst) {
    Type(dlg->initialBox(), "J");
    QApplication::processEvents(); // the change selects the whole text
    Type(dlg->initialBox(), "O");
    EXPECT_EQ(dlg->initialBox()->text(), "O");
}

TEST_F(ViewPlayerTest, SevenDigitNumbersAreShownWholeOnEveryPath) {
    Type(dlg->surnameBox(), "SMITH");
    Enter(dlg->surnameBox());
    dlg->selectionList()->setCurrentRow(2);
    Enter(dlg->selectionList()); // taken from the surname list
    EXPECT_EQ(dlg->numberBox()->text(), "2488258");
    EXPECT_TRUE(dlg->numberBox()->hasFocus());
    Enter(dlg->numberBox()); // Enter at once shows the player taken
    EXPECT_EQ(dlg->position(), 4u);
    EXPECT_EQ(platform.Beeps(), 0);

    struct Step {
        QPushButton* button;
        const char* number;
    } steps[] = {{dlg->previousButton(), "3100001"},
                 {dlg->nextButton(), "2488258"},
                 {dlg->firstButton(), "12345"},
                 {dlg->lastButton(), "126799"},
                 {dlg->previousButton(), "2488258"}};
    for (const Step& step : steps) {
        step.button->click();
        EXPECT_EQ(dlg->numberBox()->text(), step.number);
        Enter(dlg->numberBox()); // the number shown finds its own player
        EXPECT_EQ(dlg->numberBox()->text(), step.number);
    }
    EXPECT_EQ(platform.Beeps(), 0);

    dlg->numberBox()->clear();
    Type(dlg->numberBox(), "31000019"); // seven typed digits; the eighth is refused
    EXPECT_EQ(dlg->numberBox()->text(), "3100001");
    Enter(dlg->numberBox());
    EXPECT_EQ(dlg->playerPanel()->nameLabel()->text(), "JOHN SMITH");
}

TEST_F(ViewPlayerTest, EditingKeysPassTheKeyFilters) {
    Type(dlg->numberBox(), "1234");
    QTest::keyClick(dlg->numberBox(), Qt::Key_Home);
    QTest::keyClick(dlg->numberBox(), Qt::Key_Delete);
    EXPECT_EQ(dlg->numberBox()->text(), "234");
    QTest::keyClick(dlg->numberBox(), Qt::Key_End);
    QTest::keyClick(dlg->numberBox(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(dlg->numberBox(), Qt::Key_Delete);
    EXPECT_EQ(dlg->numberBox()->text(), "23");
    QTest::keyClick(dlg->numberBox(), Qt::Key_Z, Qt::ControlModifier); // undo
    EXPECT_EQ(dlg->numberBox()->text(), "234");
    QTest::keyClick(dlg->numberBox(), '>', Qt::AltModifier); // typed all the same: refused
    EXPECT_EQ(dlg->numberBox()->text(), "234");
    EXPECT_EQ(platform.Beeps(), 1);
    Type(dlg->surnameBox(), "SMYTH");
    QTest::keyClick(dlg->surnameBox(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(dlg->surnameBox(), Qt::Key_Delete);
    EXPECT_EQ(dlg->surnameBox()->text(), "");
    EXPECT_EQ(platform.Beeps(), 1);
}

// A window restored after being minimised is shown again by the window system; what was
// typed stays.
TEST_F(ViewPlayerTest, RestoringAfterMinimisingKeepsWhatWasTyped) {
    Type(dlg->surnameBox(), "SMI");
    QWindowStateChangeEvent restored(Qt::WindowMinimized);
    QApplication::sendEvent(dlg.get(), &restored);
    EXPECT_EQ(dlg->surnameBox()->text(), "SMI");
}
