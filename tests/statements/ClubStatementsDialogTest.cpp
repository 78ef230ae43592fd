#include "statements/AwardFilesTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <set>

using namespace mpsec;
using ClubStatementsDialogTest = test::AwardFilesTest;

TEST_F(ClubStatementsDialogTest, AllMembersRun) {
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    EXPECT_EQ(all.clubBox()->text(), "3104");
    EXPECT_TRUE(all.cancelButton()->isHidden());

    platform.ExpectPrintDialog(false);
    all.printButton()->click();
    EXPECT_TRUE(platform.PrintedDocuments().empty());

    platform.ExpectPrintDialog(true);
    platform.ExpectInformation("3 statements printed.");
    all.printButton()->click();
    ASSERT_EQ(platform.PrintedDocuments().size(), 3u); // ADAMS, CARTER, EVANS; DAVIS is inactive
    EXPECT_EQ(platform.PrintedDocuments()[1].Title, "Statement of Awards 33");
    EXPECT_TRUE(all.cancelButton()->isHidden());
    EXPECT_FALSE(dlg->isVisible());

    all.fromBox()->setCurrentText("C");
    all.toBox()->setCurrentText("D");
    platform.ExpectPrintDialog(true);
    platform.ExpectInformation("1 statement printed.");
    all.printButton()->click();
    EXPECT_EQ(platform.PrintedDocuments().size(), 4u);

    // Nothing to print is said before any printer is asked for.
    all.fromBox()->setCurrentText("Z");
    all.toBox()->setCurrentText("A");
    platform.ExpectInformation("Club 3104 has no active member with a surname from Z to A.");
    all.printButton()->click();
    EXPECT_EQ(all.printedCount(), 0);

    // The club number box takes digits only.
    all.clubBox()->clear();
    QTest::keyClicks(all.clubBox(), "9x8i76");
    EXPECT_EQ(all.clubBox()->text(), "9876");
    all.fromBox()->setCurrentText("A");
    all.toBox()->setCurrentText("Z");
    platform.ExpectInformation("Club 9876 is not in the club register.");
    all.printButton()->click();

    all.clubBox()->setText("2101");
    all.reject();
    EXPECT_EQ(state.Settings.LastClubNo, "2101");
}

TEST_F(ClubStatementsDialogTest, CancelStopsAfterTheStatementBeingPrinted) {
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    platform.AfterPrint = [&] { all.cancelButton()->click(); };
    platform.ExpectPrintDialog(true);
    platform.ExpectInformation("Cancelled. 1 statement printed.");
    all.printButton()->click();
    EXPECT_EQ(platform.PrintedDocuments().size(), 1u);
    EXPECT_TRUE(all.cancelButton()->isHidden());
}

TEST_F(ClubStatementsDialogTest, PrintToFileWritesOnePdfPerMember) {
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    platform.SetPrinterPdfFile(QString::fromStdString((dir / "out" / "statements.pdf").string()));
    platform.ExpectPrintDialog(true);
    platform.ExpectInformation(QString::fromStdString("3 statements written as PDF files in " +
                                                      (dir / "out").string() + "."),
                               true);
    all.printButton()->click();
    const QString out = QString::fromStdString((dir / "out").string());
    EXPECT_EQ(platform.WrittenDetails(), QStringList{out});
    EXPECT_EQ(platform.OpenedFolders(), QStringList{out});
    EXPECT_TRUE(platform.PrintedDocuments().empty());
    // Written by the workers in any order, each member once.
    std::set<std::string> written;
    for (const auto& [path, document] : platform.PdfsWritten())
        written.insert(path.toStdString());
    EXPECT_EQ(written, (std::set<std::string>{(dir / "out" / "11 ADAMS.pdf").string(),
                                              (dir / "out" / "33 CARTER.pdf").string(),
                                              (dir / "out" / "55 EVANS.pdf").string()}));
    EXPECT_EQ(dlg->statement().Player.Surname, "EVANS"); // the screen is left on the last
}

TEST_F(ClubStatementsDialogTest, AllMembersRunWithoutTheAwardFilesSaysSoOnce) {
    std::filesystem::remove(dir / "events.txt");
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    platform.ExpectPrintDialog(true);
    platform.ExpectError("Cannot open file \"events.txt\". No such file or directory");
    all.printButton()->click();
    EXPECT_TRUE(platform.PrintedDocuments().empty());
    EXPECT_TRUE(all.cancelButton()->isHidden());
}

TEST_F(ClubStatementsDialogTest, EscapeAndTheCloseButtonCancelARunningRun) {
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
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
        all.printButton()->click();
        EXPECT_EQ(platform.PrintedDocuments().size(), before + 1);
        EXPECT_TRUE(all.isVisible());
        EXPECT_FALSE(all.running());
    }
    platform.AfterPrint = {};
    QTest::keyClick(&all, Qt::Key_Escape); // idle: Escape closes as "&Close" does
    EXPECT_FALSE(all.isVisible());
}

TEST_F(ClubStatementsDialogTest, CancelWhileWritingPdfsStartsNoFurtherStatement) {
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    platform.SetPrinterPdfFile(QString::fromStdString((dir / "out" / "statements.pdf").string()));
    platform.AfterPrint = [&] { all.cancelButton()->click(); };
    platform.ExpectPrintDialog(true);
    platform.ExpectInformation(QString::fromStdString(
        "Cancelled. 1 statement written as a PDF file in " + (dir / "out").string() + "."));
    all.printButton()->click();
    EXPECT_EQ(platform.PdfsWritten().size(), 1u);
    EXPECT_EQ(dlg->statement().Player.Surname, "ADAMS");
    EXPECT_TRUE(all.cancelButton()->isHidden());
}

// The PDF files are a choice of the window, not of the printer: with it checked, the run
// asks for a folder (never for a printer) and writes one PDF per member there.
TEST_F(ClubStatementsDialogTest, PdfFilesAreChosenWithoutAPdfPrinter) {
    state.DataFolder = dir.Path();
    dlg = std::make_unique<StatementDialog>(state, platform);
    state.Settings.LastClubNo = "3104";
    ClubStatementsDialog all(state, platform, *dlg);
    all.show();
    EXPECT_FALSE(all.pdfFilesBox()->isChecked());
    all.pdfFilesBox()->setChecked(true);
    const QString title = "Choose the folder for the statements' PDF files";
    platform.ExpectFolder(title, ""); // cancelled: nothing is written
    all.printButton()->click();
    EXPECT_TRUE(platform.PdfsWritten().empty());
    EXPECT_EQ(platform.LastFolderRequest.InitialFolder,
              QString::fromStdString(dir.Path().string()));

    dir.Write("pdfs/keep.txt", "");
    const std::filesystem::path out = dir / "pdfs";
    platform.ExpectFolder(title, QString::fromStdString(out.string()));
    platform.ExpectInformation(
        QString::fromStdString("3 statements written as PDF files in " + out.string() + "."));
    all.printButton()->click();
    std::set<std::string> written;
    for (const auto& [path, document] : platform.PdfsWritten())
        written.insert(path.toStdString());
    EXPECT_EQ(written, (std::set<std::string>{(out / "11 ADAMS.pdf").string(),
                                              (out / "33 CARTER.pdf").string(),
                                              (out / "55 EVANS.pdf").string()}));
    EXPECT_TRUE(platform.PrintedDocuments().empty());
}
