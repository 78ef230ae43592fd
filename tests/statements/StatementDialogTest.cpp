#include "statements/AwardFilesTest.h"
#include "ui/PlayerPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QWindowStateChangeEvent>

using namespace mpsec;
using StatementDialogTest = test::AwardFilesTest;

TEST_F(StatementDialogTest, GetShowsTheStatement) {
    Open();
    EXPECT_TRUE(dlg->printButton()->isHidden());
    Get("011");
    ASSERT_TRUE(dlg->statementShown());
    EXPECT_EQ(dlg->playerPanel()->nameLabel()->text(), "ANNE ADAMS");
    EXPECT_EQ(dlg->playerPanel()->clubLabel()->text(), "3104 ARDEN BRIDGE CLUB");
    EXPECT_EQ(dlg->playerPanel()->rankLabel()->text(), "*Regional Master");
    EXPECT_EQ(dlg->nextRankLabel()->text(), "State Master.");
    EXPECT_EQ(dlg->promotionLabel(2, 1)->text(), "0.00"); // 25 needed, 30 held
    const auto rows = dlg->gridRows();
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0][1], "Q/YY");
    EXPECT_EQ(rows[1][3], "Totals as at 15/03/2007");
    EXPECT_EQ(rows[2][3], "SPRING CONGRESS PAIRS");
    EXPECT_EQ(rows[2][4], "2.50");
    EXPECT_EQ(rows[5][1], "1/08");
    EXPECT_EQ(rows[6][7], "4.50");
    EXPECT_EQ(rows[8][3], "Totals as at 15/03/2008");
    EXPECT_FALSE(dlg->printButton()->isHidden());
    EXPECT_FALSE(dlg->nextButton()->isHidden());
    EXPECT_EQ(platform.Beeps(), 0);
}

TEST_F(StatementDialogTest, UnknownAndInactivePlayersAndKeys) {
    Open();
    platform.ExpectMessage("        No player has this number.       ");
    Get("999");
    platform.ExpectMessage("             Inactive player.            ");
    Get("44");
    EXPECT_FALSE(dlg->statementShown());
    EXPECT_TRUE(dlg->printButton()->isHidden());
    EXPECT_EQ(platform.Beeps(), 2);
    dlg->numberBox()->clear();
    QTest::keyClicks(dlg->numberBox(), "1x");
    EXPECT_EQ(dlg->numberBox()->text(), "1");
    EXPECT_EQ(platform.Beeps(), 3);
}

TEST_F(StatementDialogTest, GetWithAnEmptyBoxChangesNothing) {
    Open();
    Get("11");
    const auto rows = dlg->gridRows();
    const QStringList shown = platform.Shown();
    dlg->numberBox()->clear();
    dlg->getButton()->click();
    EXPECT_TRUE(dlg->statementShown());
    EXPECT_EQ(dlg->playerPanel()->nameLabel()->text(), "ANNE ADAMS");
    EXPECT_EQ(dlg->gridRows(), rows);
    EXPECT_FALSE(dlg->printButton()->isHidden());
    EXPECT_EQ(platform.Beeps(), 0);
    EXPECT_EQ(platform.Shown(), shown); // no message
}

// The award files are large; closing the screen, however it is closed, lets them go.
TEST_F(StatementDialogTest, ClosingReleasesTheAwardFiles) {
    for (bool byEscape : {false, true}) {
        Open();
        ASSERT_TRUE(dlg->awardFilesLoaded());
        if (byEscape)
            QTest::keyClick(dlg.get(), Qt::Key_Escape);
        else
            dlg->closeButton()->click();
        EXPECT_FALSE(dlg->isVisible()) << byEscape;
        EXPECT_FALSE(dlg->awardFilesLoaded()) << byEscape;
    }
}

TEST_F(StatementDialogTest, StepsThroughTheClubAndStopsAtTheEnds) {
    Open();
    Get("11");
    dlg->nextButton()->click();
    EXPECT_EQ(dlg->playerPanel()->nameLabel()->text(), "CAL CARTER");
    dlg->nextButton()->click(); // DAVIS is inactive (3i104): passed over
    EXPECT_EQ(dlg->playerPanel()->nameLabel()->text(), "EVE EVANS");
    EXPECT_EQ(platform.Beeps(), 0);
    dlg->nextButton()->click(); // nothing more: the register's last line
    EXPECT_EQ(dlg->playerPanel()->nameLabel()->text(), "EVE EVANS");
    EXPECT_EQ(platform.Beeps(), 1);
    EXPECT_TRUE(dlg->nextButton()->styleSheet().contains("red"));
    dlg->nextButton()->click();
    EXPECT_EQ(platform.Beeps(), 2);
    dlg->previousButton()->click();
    EXPECT_EQ(dlg->playerPanel()->nameLabel()->text(), "CAL CARTER");
    dlg->previousButton()->click();
    EXPECT_EQ(dlg->playerPanel()->nameLabel()->text(), "ANNE ADAMS");
    dlg->previousButton()->click();
    EXPECT_EQ(platform.Beeps(), 3);
    EXPECT_TRUE(dlg->previousButton()->styleSheet().contains("red"));
    dlg->previousButton()->click();
    EXPECT_EQ(platform.Beeps(), 4);
}

TEST_F(StatementDialogTest, PrintAndPreview) {
    Open();
    Get("33");
    platform.ExpectPrintDialog(false);
    dlg->printButton()->click();
    EXPECT_TRUE(platform.PrintedDocuments().empty());
    platform.ExpectPrintDialog(true);
    dlg->printButton()->click();
    ASSERT_EQ(platform.PrintedDocuments().size(), 1u);
    const ComposedDocument& doc = platform.PrintedDocuments()[0];
    bool named = false;
    for (const PageText& t : doc.Texts)
        named |= t.Text == "CAL CARTER (33)";
    EXPECT_TRUE(named);
    dlg->previewButton()->click();
    EXPECT_EQ(platform.Previewed().size(), 1u);
}

TEST_F(StatementDialogTest, MissingHistoryIsSaid) {
    std::filesystem::remove(dir / "history.txt");
    platform.ExpectError("Cannot open file \"history.txt\". No such file or directory");
    Open();
    platform.ExpectError("Cannot open file \"history.txt\". No such file or directory");
    Get("11");
    EXPECT_FALSE(dlg->statementShown());
}

TEST_F(StatementDialogTest, SevenDigitNumbersAreShownSteppedAndPrintedWhole) {
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
        dlg->nextButton()->click();
        EXPECT_EQ(dlg->numberBox()->text(), number);
        EXPECT_TRUE(dlg->statementShown()) << number;
    }
    dlg->previousButton()->click();
    dlg->previousButton()->click();
    EXPECT_EQ(dlg->numberBox()->text(), "2488258");
    EXPECT_EQ(dlg->playerPanel()->nameLabel()->text(), "BOB BAKER");

    dlg->numberBox()->clear();
    QTest::keyClicks(dlg->numberBox(), "31000019"); // seven digits typed, the eighth refused
    EXPECT_EQ(dlg->numberBox()->text(), "3100001");
    QTest::keyClick(dlg->numberBox(), Qt::Key_Return);
    EXPECT_EQ(dlg->playerPanel()->nameLabel()->text(), "DON DUNN");
    dlg->reject();

    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    platform.ExpectPrintDialog(true);
    platform.ExpectInformation("4 statements printed.");
    all.printButton()->click();
    QStringList titles;
    for (const ComposedDocument& d : platform.PrintedDocuments())
        titles << QString::fromStdString(d.Title);
    EXPECT_EQ(titles, (QStringList{"Statement of Awards 11", "Statement of Awards 2488258",
                                   "Statement of Awards 123456", "Statement of Awards 3100001"}));
}

TEST_F(StatementDialogTest, AStatementStoppedByAConversionErrorCannotBePrinted) {
    dir.WriteLines("history.txt", {"3070000011X1 ABC    2,50"});
    Open();
    Get("33");
    ASSERT_TRUE(dlg->statementShown());
    platform.ExpectError("'    2,50' is not a valid floating point value");
    Get("11");
    EXPECT_FALSE(dlg->statementShown());
    for (QPushButton* b :
         {dlg->printButton(), dlg->previewButton(), dlg->nextButton(), dlg->previousButton()})
        EXPECT_TRUE(b->isHidden()) << b->text().toStdString();
    dlg->print(); // no print dialog, no preview: the fake fails on either
    dlg->preview();
    EXPECT_TRUE(platform.PrintedDocuments().empty());
    EXPECT_TRUE(platform.Previewed().empty());
}

// Restoring the minimised screen keeps the statement shown and printable.
TEST_F(StatementDialogTest, RestoringAfterMinimisingKeepsTheStatement) {
    Open();
    Get("11");
    const auto rows = dlg->gridRows();
    QWindowStateChangeEvent restored(Qt::WindowMinimized);
    QApplication::sendEvent(dlg.get(), &restored);
    EXPECT_TRUE(dlg->statementShown());
    EXPECT_EQ(dlg->gridRows(), rows);
    EXPECT_FALSE(dlg->printButton()->isHidden());
}

// Every row of both grids is as high as its text and every column as wide as its text,
// whatever size the screen draws the font at (here 8 points at 144 dots per inch, 16
// pixels): no balance row is half hidden, no heading is cut short ("Q/YY" as "Q/...").
TEST_F(StatementDialogTest, RowsAndColumnsHoldTheirText) {
    state.National.Assign(test::RegisterText({[] {
        PlayerRecord p = test::TestPlayer("11", "ADAMS", "ANNE", "3-104");
        p.OverallTotal = "2657.50";
        p.OverallGreen = "2627.50";
        return p;
    }()}));
    Open();
    QFont large = dlg->grid()->font();
    large.setPixelSize(16);
    dlg->grid()->setFont(large);
    Get("11");
    ASSERT_TRUE(dlg->statementShown());
    int cells = 0;
    for (QTableWidget* grid : {dlg->fixedGrid(), dlg->grid()}) {
        EXPECT_EQ(grid->font().pixelSize(), 16);
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 1; c < grid->columnCount(); ++c) {
                const QTableWidgetItem* item = grid->item(r, c);
                if (!item || item->text().trimmed().isEmpty())
                    continue;
                const QFontMetrics metrics(item->data(Qt::FontRole).isValid() ? item->font()
                                                                              : grid->font());
                const std::string at =
                    QString("row %1 column %2: '%3'").arg(r).arg(c).arg(item->text()).toStdString();
                EXPECT_GE(grid->rowHeight(r), metrics.height() + 1) << at;
                EXPECT_GE(grid->columnWidth(c), metrics.horizontalAdvance(item->text()) + 6) << at;
                ++cells;
            }
    }
    EXPECT_GT(cells, 20);
    // The fixed rows are shown whole above the scrolling grid.
    EXPECT_GE(dlg->fixedGrid()->height(),
              dlg->fixedGrid()->rowHeight(0) + dlg->fixedGrid()->rowHeight(1));
}
