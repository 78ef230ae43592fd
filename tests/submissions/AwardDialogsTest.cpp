// The award cover page and the award adjustment forms.
#include "submissions/AwardAdjustmentDialog.h"
#include "submissions/AwardDetailsDialog.h"
#include "support/FakePlatform.h"
#include "support/Players.h"
#include "ui/AppState.h"
#include "ui/FormFields.h"
#include "ui/WrittenFiles.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

class AwardFormsTest : public ::testing::Test {
  protected:
    AwardFormsTest() {
        state.DataFolder = dir.Path();
        state.Settings.LastClubNo = "6785";
        state.Today = [] { return CivilDate{2026, 12, 7}; };
        state.National.Assign(test::RegisterText({test::TestPlayer("12345", "SAMPLE", "PAT")}));
    }
    template <class Dialog> std::unique_ptr<Dialog> Open() {
        auto dlg = std::make_unique<Dialog>(state, platform);
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
        QApplication::processEvents();
        return dlg;
    }
    void Type(QWidget* w, const QString& text) {
        w->setFocus();
        QTest::keyClicks(w, text);
    }
    // The hints of the widgets Tab reaches from `start`, in order.
    static QStringList TabOrder(QWidget* start, int count) {
        start->setFocus();
        QStringList order;
        for (int i = 0; i < count; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->toolTip();
        }
        return order;
    }

    test::TempFolder dir;
    FakePlatform platform;
    AppState state;
};

} // namespace

TEST_F(AwardFormsTest, CoverPageAppendsALinePerFileKeepingClubAndName) {
    auto dlg = Open<AwardDetailsDialog>();
    EXPECT_EQ(dlg->windowTitle(), "Award Details");
    EXPECT_EQ(dlg->fileNameLabel()->text(), "Filename in use AWARDS.TXT");
    EXPECT_EQ(dlg->clubBox()->text(), "6785");
    EXPECT_TRUE(dlg->clubBox()->hasFocus());
    EXPECT_EQ(TabOrder(dlg->clubBox(), 7),
              (QStringList{"eg P SAMPLE", " eg  Club Mixed Teams",
                           "Click Arrow or Use Down Arrow to Select Month",
                           "Click Arrow or Use Down Arrow to Select Event Type ",
                           "eg Y3MCC298.MP3 ", "", "Append to File AWARDS.TXT"}));

    Type(dlg->requestedByBox(), "p sample");
    Type(dlg->descriptionBox(), "club mixed teams");
    dlg->monthList()->setCurrentText("03");
    dlg->eventTypeList()->setCurrentText("B");
    platform.ExpectError("One or more necessary fields have been left blank");
    dlg->buttons().Append->click();
    EXPECT_FALSE(dir.Exists("AWARDS.TXT"));
    EXPECT_EQ(dlg->descriptionBox()->text(), "CLUB MIXED TEAMS"); // kept as typed

    Type(dlg->fileNameBox(), "Y3MCC298.MP3");
    Type(dlg->pointsBox(), "12.5x");
    EXPECT_EQ(dlg->pointsBox()->text(), "12.5");
    EXPECT_FALSE(dlg->buttons().Show->isEnabled()); // no file yet
    platform.ExpectMessage("Appended Successfully.", true);
    dlg->buttons().Append->click();
    const QString folder = QString::fromStdString(dir.Path().string());
    EXPECT_EQ(platform.WrittenDetails(), QStringList{InFolder(dir.Path(), "AWARDS.TXT")});
    EXPECT_EQ(platform.OpenedFolders(), QStringList{folder});
    EXPECT_TRUE(dlg->buttons().Show->isEnabled());
    EXPECT_EQ(dlg->clubBox()->text(), "6785");
    EXPECT_EQ(dlg->requestedByBox()->text(), "P SAMPLE");
    EXPECT_EQ(dlg->descriptionBox()->text(), "");
    EXPECT_EQ(dlg->monthList()->currentText(), "");
    EXPECT_TRUE(dlg->descriptionBox()->hasFocus());

    Type(dlg->descriptionBox(), "PAIRS");
    dlg->monthList()->setCurrentText("04");
    dlg->eventTypeList()->setCurrentText("C");
    Type(dlg->fileNameBox(), "a.gld");
    Type(dlg->pointsBox(), "12.50");
    platform.ExpectMessage("Appended Successfully.");
    dlg->buttons().Append->click();
    EXPECT_EQ(dir.Read("AWARDS.TXT"), "6-785,P SAMPLE,CLUB MIXED TEAMS,03,B,Y3MCC298.MP3,12.5,\r\n"
                                      "6-785,P SAMPLE,PAIRS,04,C,a.gld,12.50,\r\n");
    EXPECT_EQ(platform.Beeps(), 4); // the blank fields, "x", two appends

    // Clear All empties the club number and the name too.
    dlg->buttons().Clear->click();
    EXPECT_EQ(dlg->clubBox()->text(), "");
    EXPECT_EQ(dlg->requestedByBox()->text(), "");
    platform.ExpectWarning("You are about to CLEAR ALL infomation from AWARDS.TXT. Are You Sure? ",
                           true);
    dlg->buttons().Delete->click();
    EXPECT_FALSE(dir.Exists("AWARDS.TXT"));
    EXPECT_FALSE(dlg->buttons().Show->isEnabled());
}

TEST_F(AwardFormsTest, AdjustmentChecksTheAddToNumberAndAppendsItsBlock) {
    auto dlg = Open<AwardAdjustmentDialog>();
    EXPECT_EQ(dlg->windowTitle(), "Award Adjustment Request");
    EXPECT_EQ(dlg->fileNameLabel()->text(), "Filename in use AAAFORM.TXT");
    EXPECT_EQ(dlg->buttons().Close->toolTip(), "Exit Award Adjustment");
    EXPECT_EQ(dlg->yearList()->itemText(0), "97");
    EXPECT_EQ(dlg->yearList()->itemText(dlg->yearList()->count() - 1), "26");
    EXPECT_EQ(TabOrder(dlg->clubBox(), 4),
              (QStringList{"eg P SAMPLE", "eg BTR or 2120",
                           "Click Arrow or Use Down Arrow to Select Quarter",
                           "Click Arrow or Use Down Arrow to Select Year"}));
    EXPECT_EQ(TabOrder(dlg->greenBox(), 1), QStringList{"Append to File AAAFORM.TXT"});

    Type(dlg->authorisedBox(), "p sample");
    Type(dlg->codeBox(), "btr");
    dlg->quarterList()->setCurrentText("3rd");
    dlg->yearList()->setCurrentText("05");
    Type(dlg->deductFromBox(), "1234567");
    Type(dlg->addToBox(), "99");
    platform.ExpectMessage("                 Invalid QMR Number                 ");
    dlg->goldBox()->setFocus(); // leaving the add-to number checks it
    platform.VerifyAllShown();
    EXPECT_EQ(dlg->addToBox()->text(), "");
    EXPECT_TRUE(dlg->addToBox()->hasFocus());
    // Appending straight from the box (its access key) checks the number as well.
    Type(dlg->addToBox(), "9999999");
    platform.ExpectMessage("                 Invalid QMR Number                 ");
    dlg->buttons().Append->click();
    EXPECT_FALSE(dir.Exists("AAAFORM.TXT"));
    Type(dlg->addToBox(), "012345");
    dlg->goldBox()->setFocus();
    EXPECT_EQ(dlg->addToBox()->text(), "012345");

    platform.ExpectError("One or more necessary fields have been left blank"); // no points
    dlg->buttons().Append->click();
    EXPECT_FALSE(dir.Exists("AAAFORM.TXT"));
    Type(dlg->goldBox(), "1.25");
    platform.ExpectMessage("Appended Successfully.", true);
    dlg->buttons().Append->click();
    EXPECT_EQ(platform.OpenedFolders(), QStringList{QString::fromStdString(dir.Path().string())});
    EXPECT_EQ(dir.Read("AAAFORM.TXT"), "DATE:              07-12-26\r\nREQUESTED BY CLUB: 6-785\r\n"
                                       "AUTHORIZED BY:     P SAMPLE\r\nEVENT CODE:        BTR\r\n"
                                       "REPORTED AT:       305\r\nDEDUCT FROM QMR#:  1234567\r\n"
                                       "ADD TO QMR#:       012345\r\nGOLD POINTS:       1.25\r\n"
                                       "RED POINTS:        \r\nGREEN POINTS:      \r\n\r\n");
    EXPECT_EQ(state.Settings.LastClubNo, "6785");
    EXPECT_EQ(dlg->authorisedBox()->text(), "P SAMPLE");
    EXPECT_EQ(dlg->goldBox()->text(), "");
    EXPECT_TRUE(dlg->codeBox()->hasFocus());
    EXPECT_EQ(state.Formats.DateSeparator, '/'); // no other screen's dates change

    // Leaving for Close, Clear All or Clear File checks nothing.
    Type(dlg->addToBox(), "99");
    dlg->buttons().Close->setFocus();
    EXPECT_EQ(dlg->addToBox()->text(), "99");
    // Escape closes the form from any box.
    QTest::keyClick(dlg->goldBox(), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
}
