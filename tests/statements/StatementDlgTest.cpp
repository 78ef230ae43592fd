#include "app/AppState.h"
#include "support/FakePlatform.h"
#include "statements/uAwardStatement.h"
#include "statements/uPrintAllAwards.h"
#include "support/Players.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

class StatementDlgTest : public ::testing::Test {
  protected:
    StatementDlgTest() : dir(true) {
        state.National.Assign(test::RegisterText({
            test::TestPlayer("11", "ADAMS", "ANNE", "3-104"),
            test::TestPlayer("22", "BROWN", "BEN", "2-101"),
            test::TestPlayer("33", "CARTER", "CAL", "3-104"),
            test::TestPlayer("44", "DAVIS", "DAN", "3i104"),
            test::TestPlayer("55", "EVANS", "EVE", "3-104"),
            test::TestPlayer("66", "FOX", "FAY", "2-101"),
        }));
        state.ProgramFolder = dir.Path();
        state.RegisterDate = CivilDate{2008, 3, 15};
        state.GetClubDescription = [](std::string_view code) {
            return code == "3104" ? std::string("3104 ARDEN BRIDGE CLUB") : std::string();
        };
        dir.WriteLines("history.txt", {"3070000011X1 ABC    2.50", "4070000033C23104    1.25",
                                       "1080000011N4        3.00    1.50"});
        dir.WriteLines("events.txt", {"ABCSPRING CONGRESS PAIRS"});
    }
    void Open() {
        dlg = std::make_unique<TAwardStatementDlg>(state, platform);
        dlg->show();
    }
    void Get(const QString& number) {
        dlg->QMRNoEB->setText(number);
        QTest::keyClick(dlg->QMRNoEB, Qt::Key_Return);
    }

    test::TempFolder dir;
    FakePlatform platform;
    AppState state;
    std::unique_ptr<TAwardStatementDlg> dlg;
};

} // namespace

TEST_F(StatementDlgTest, GetShowsTheStatement) {
    Open();
    EXPECT_TRUE(dlg->PrintBtn->isHidden());
    Get("011");
    ASSERT_TRUE(dlg->StatementShown());
    EXPECT_EQ(dlg->NameLB->text(), "ANNE ADAMS");
    EXPECT_EQ(dlg->ClubLB->text(), "3104 ARDEN BRIDGE CLUB");
    EXPECT_EQ(dlg->RankLB->text(), "*Regional Master");
    EXPECT_EQ(dlg->NextRankLB->text(), "State Master.");
    EXPECT_EQ(dlg->Values[2][1]->text(), "0.00"); // 25 needed, 30 held
    const auto rows = dlg->GridRows();
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0][1], "Q/YY");
    EXPECT_EQ(rows[1][3], "Totals as at 15/03/2007");
    EXPECT_EQ(rows[2][3], "SPRING CONGRESS PAIRS");
    EXPECT_EQ(rows[2][4], "2.50");
    EXPECT_EQ(rows[5][1], "1/08");
    EXPECT_EQ(rows[6][7], "4.50");
    EXPECT_EQ(rows[8][3], "Totals as at 15/03/2008");
    EXPECT_FALSE(dlg->PrintBtn->isHidden());
    EXPECT_FALSE(dlg->NextBtn->isHidden());
    EXPECT_EQ(platform.Beeps(), 0);
}

TEST_F(StatementDlgTest, UnknownAndInactivePlayersAndKeys) {
    Open();
    platform.ExpectMessage("        No player has this number.       ");
    Get("999");
    platform.ExpectMessage("             Inactive player.            ");
    Get("44");
    EXPECT_FALSE(dlg->StatementShown());
    EXPECT_TRUE(dlg->PrintBtn->isHidden());
    EXPECT_EQ(platform.Beeps(), 2);
    dlg->QMRNoEB->clear();
    QTest::keyClicks(dlg->QMRNoEB, "1x");
    EXPECT_EQ(dlg->QMRNoEB->text(), "1");
    EXPECT_EQ(platform.Beeps(), 3);
    dlg->QMRNoEB->clear();
    dlg->GetBtnClick(); // empty: nothing
}

TEST_F(StatementDlgTest, StepsThroughTheClubAndStopsAtTheEnds) {
    Open();
    Get("11");
    dlg->NextBtn->click();
    EXPECT_EQ(dlg->NameLB->text(), "CAL CARTER");
    dlg->NextBtn->click(); // DAVIS is inactive (3i104): passed over
    EXPECT_EQ(dlg->NameLB->text(), "EVE EVANS");
    EXPECT_EQ(platform.Beeps(), 0);
    dlg->NextBtn->click(); // nothing more: the register's last line
    EXPECT_EQ(dlg->NameLB->text(), "EVE EVANS");
    EXPECT_EQ(platform.Beeps(), 1);
    EXPECT_TRUE(dlg->NextBtn->styleSheet().contains("red"));
    dlg->NextBtn->click();
    EXPECT_EQ(platform.Beeps(), 2);
    dlg->PreviousBtn->click();
    EXPECT_EQ(dlg->NameLB->text(), "CAL CARTER");
    dlg->PreviousBtn->click();
    EXPECT_EQ(dlg->NameLB->text(), "ANNE ADAMS");
    dlg->PreviousBtn->click();
    EXPECT_EQ(platform.Beeps(), 3);
    EXPECT_TRUE(dlg->PreviousBtn->styleSheet().contains("red"));
    dlg->PreviousBtn->click();
    EXPECT_EQ(platform.Beeps(), 4);
}

TEST_F(StatementDlgTest, PrintAndPreview) {
    Open();
    Get("33");
    platform.ExpectPrintDialog(false);
    dlg->PrintBtn->click();
    EXPECT_TRUE(platform.PrintedDocuments().empty());
    platform.ExpectPrintDialog(true);
    dlg->PrintBtn->click();
    ASSERT_EQ(platform.PrintedDocuments().size(), 1u);
    const ComposedDocument& doc = platform.PrintedDocuments()[0];
    bool named = false;
    for (const PageText& t : doc.Texts)
        named |= t.Text == "CAL CARTER (33)";
    EXPECT_TRUE(named);
    dlg->PreviewBtn->click();
    EXPECT_EQ(platform.Previewed().size(), 1u);
}

TEST_F(StatementDlgTest, MissingHistoryIsSaid) {
    std::filesystem::remove(dir / "history.txt");
    platform.ExpectError("Cannot open file \"history.txt\". No such file or directory");
    Open();
    platform.ExpectError("Cannot open file \"history.txt\". No such file or directory");
    Get("11");
    EXPECT_FALSE(dlg->StatementShown());
}

TEST_F(StatementDlgTest, AllMembersRun) {
    dlg = std::make_unique<TAwardStatementDlg>(state, platform);
    state.Settings.LastClubNo = "3104";
    TPrintAllAwardsDlg all(state, platform, *dlg);
    all.show();
    EXPECT_EQ(all.ClubNoEB->text(), "3104");
    EXPECT_TRUE(all.CancelBtn->isHidden());

    platform.ExpectPrintDialog(false);
    all.PrintBtn->click();
    EXPECT_TRUE(platform.PrintedDocuments().empty());

    platform.ExpectPrintDialog(true);
    platform.ExpectInformation("3 statements printed.");
    all.PrintBtn->click();
    ASSERT_EQ(platform.PrintedDocuments().size(), 3u); // ADAMS, CARTER, EVANS; DAVIS is inactive
    EXPECT_EQ(platform.PrintedDocuments()[1].Title, "Statement of Awards 33");
    EXPECT_TRUE(all.CancelBtn->isHidden());
    EXPECT_FALSE(dlg->isVisible());

    all.CB1->setCurrentText("C");
    all.CB2->setCurrentText("D");
    platform.ExpectPrintDialog(true);
    platform.ExpectInformation("1 statement printed.");
    all.PrintBtn->click();
    EXPECT_EQ(platform.PrintedDocuments().size(), 4u);

    // Nothing to print is said before any printer is asked for.
    all.CB1->setCurrentText("Z");
    all.CB2->setCurrentText("A");
    platform.ExpectInformation("Club 3104 has no active member with a surname from Z to A.");
    all.PrintBtn->click();
    EXPECT_EQ(all.PrintedCount(), 0);

    // The club number box takes digits only.
    all.ClubNoEB->clear();
    QTest::keyClicks(all.ClubNoEB, "9x8i76");
    EXPECT_EQ(all.ClubNoEB->text(), "9876");
    all.CB1->setCurrentText("A");
    all.CB2->setCurrentText("Z");
    platform.ExpectInformation("Club 9876 is not in the club register.");
    all.PrintBtn->click();

    all.ClubNoEB->setText("2101");
    all.reject();
    EXPECT_EQ(state.Settings.LastClubNo, "2101");
}

TEST_F(StatementDlgTest, CancelStopsAfterTheStatementBeingPrinted) {
    dlg = std::make_unique<TAwardStatementDlg>(state, platform);
    state.Settings.LastClubNo = "3104";
    TPrintAllAwardsDlg all(state, platform, *dlg);
    all.show();
    platform.AfterPrint = [&] { all.CancelBtn->click(); };
    platform.ExpectPrintDialog(true);
    platform.ExpectInformation("Cancelled. 1 statement printed.");
    all.PrintBtn->click();
    EXPECT_EQ(platform.PrintedDocuments().size(), 1u);
    EXPECT_TRUE(all.CancelBtn->isHidden());
}

TEST_F(StatementDlgTest, PrintToFileWritesOnePdfPerMember) {
    dlg = std::make_unique<TAwardStatementDlg>(state, platform);
    state.Settings.LastClubNo = "3104";
    TPrintAllAwardsDlg all(state, platform, *dlg);
    all.show();
    platform.SetPrinterPdfFile(QString::fromStdString((dir / "out" / "statements.pdf").string()));
    platform.ExpectPrintDialog(true);
    platform.ExpectInformation(QString::fromStdString("3 statements written as PDF files in " +
                                                      (dir / "out").string() + "."));
    all.PrintBtn->click();
    EXPECT_TRUE(platform.PrintedDocuments().empty());
    ASSERT_EQ(platform.PdfsWritten().size(), 3u);
    EXPECT_EQ(platform.PdfsWritten()[0].first.toStdString(),
              (dir / "out" / "11 ADAMS.pdf").string());
    EXPECT_EQ(platform.PdfsWritten()[2].first.toStdString(),
              (dir / "out" / "55 EVANS.pdf").string());
}

TEST_F(StatementDlgTest, AllMembersRunWithoutTheAwardFilesSaysSoOnce) {
    std::filesystem::remove(dir / "events.txt");
    dlg = std::make_unique<TAwardStatementDlg>(state, platform);
    state.Settings.LastClubNo = "3104";
    TPrintAllAwardsDlg all(state, platform, *dlg);
    all.show();
    platform.ExpectPrintDialog(true);
    platform.ExpectError("Cannot open file \"events.txt\". No such file or directory");
    all.PrintBtn->click();
    EXPECT_TRUE(platform.PrintedDocuments().empty());
    EXPECT_TRUE(all.CancelBtn->isHidden());
}

TEST_F(StatementDlgTest, EscapeAndTheCloseButtonCancelARunningRun) {
    dlg = std::make_unique<TAwardStatementDlg>(state, platform);
    state.Settings.LastClubNo = "3104";
    TPrintAllAwardsDlg all(state, platform, *dlg);
    all.show();
    for (bool escape : {true, false}) {
        const std::size_t before = platform.PrintedDocuments().size();
        platform.AfterPrint = [&] {
            if (escape)
                QTest::keyClick(&all, Qt::Key_Escape);
            else
                EXPECT_FALSE(all.close());
            EXPECT_TRUE(all.isVisible());
        };
        platform.ExpectPrintDialog(true);
        platform.ExpectInformation("Cancelled. 1 statement printed.");
        all.PrintBtn->click();
        EXPECT_EQ(platform.PrintedDocuments().size(), before + 1);
        EXPECT_TRUE(all.isVisible());
        EXPECT_FALSE(all.Running());
    }
    platform.AfterPrint = {};
    QTest::keyClick(&all, Qt::Key_Escape); // idle: Escape closes as "&Close" does
    EXPECT_FALSE(all.isVisible());
}

TEST_F(StatementDlgTest, SevenDigitNumbersAreShownSteppedAndPrintedWhole) {
    state.National.Assign(test::RegisterText({
        test::TestPlayer("11", "ADAMS", "ANNE", "3-104"),
        test::TestPlayer("2488258", "BAKER", "BOB", "3-104"),
        test::TestPlayer("123456", "COLE", "CAT", "3-104"),
        test::TestPlayer("3100001", "DUNN", "DON", "3-104"),
    }));
    Open();
    Get("11");
    const char* forward[] = {"2488258", "123456", "3100001"};
    for (const char* number : forward) {
        dlg->NextBtn->click();
        EXPECT_EQ(dlg->QMRNoEB->text(), number);
        EXPECT_TRUE(dlg->StatementShown()) << number;
    }
    dlg->PreviousBtn->click();
    dlg->PreviousBtn->click();
    EXPECT_EQ(dlg->QMRNoEB->text(), "2488258");
    EXPECT_EQ(dlg->NameLB->text(), "BOB BAKER");

    dlg->QMRNoEB->clear();
    QTest::keyClicks(dlg->QMRNoEB, "31000019"); // seven digits typed, the eighth refused
    EXPECT_EQ(dlg->QMRNoEB->text(), "3100001");
    QTest::keyClick(dlg->QMRNoEB, Qt::Key_Return);
    EXPECT_EQ(dlg->NameLB->text(), "DON DUNN");
    dlg->reject();

    state.Settings.LastClubNo = "3104";
    TPrintAllAwardsDlg all(state, platform, *dlg);
    all.show();
    platform.ExpectPrintDialog(true);
    platform.ExpectInformation("4 statements printed.");
    all.PrintBtn->click();
    QStringList titles;
    for (const ComposedDocument& d : platform.PrintedDocuments())
        titles << QString::fromStdString(d.Title);
    EXPECT_EQ(titles, (QStringList{"Statement of Awards 11", "Statement of Awards 2488258",
                                   "Statement of Awards 123456", "Statement of Awards 3100001"}));
}

TEST_F(StatementDlgTest, AStatementStoppedByAConversionErrorCannotBePrinted) {
    dir.WriteLines("history.txt", {"3070000011X1 ABC    2,50"});
    Open();
    Get("33");
    ASSERT_TRUE(dlg->StatementShown());
    platform.ExpectError("'    2,50' is not a valid floating point value");
    Get("11");
    EXPECT_FALSE(dlg->StatementShown());
    for (QPushButton* b : {dlg->PrintBtn, dlg->PreviewBtn, dlg->NextBtn, dlg->PreviousBtn})
        EXPECT_TRUE(b->isHidden()) << b->text().toStdString();
    dlg->PrintBtnClick(); // no print dialog, no preview: the fake fails on either
    dlg->PreviewBtnClick();
    EXPECT_TRUE(platform.PrintedDocuments().empty());
    EXPECT_TRUE(platform.Previewed().empty());
}
