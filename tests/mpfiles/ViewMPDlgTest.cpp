#include "app/AppState.h"
#include "app/uMPWarning.h"
#include "mpfiles/uViewMP.h"
#include "support/FakePlatform.h"
#include "support/Players.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

class ViewMPTest : public ::testing::Test {
  protected:
    ViewMPTest() : warning(state), dlg(state, platform, warning) {
        state.National.Assign(
            test::RegisterText({test::TestPlayer("12345", "KARVEL", "ANNE"),
                                test::TestPlayer("888", "RESTING", "ALAN", "3i104")}));
    }
    QString Path(const std::string& name) { return QString::fromStdString((dir / name).string()); }

    test::TempFolder dir;
    FakePlatform platform;
    AppState state;
    TMPWarningDlg warning;
    TViewMPDlg dlg;
};

} // namespace

TEST_F(ViewMPTest, CleanFileListsWritesTheReportAndShowsNoErrors) {
    dir.WriteLines("3104326.gld", {"0012345000125", "0012345000075"});
    dlg.SetChosenFile(Path("3104326.gld"));
    dlg.ShowMPFile();
    EXPECT_EQ(dlg.MPInfoLB->text(), " Masterpoint information for MP File 3104326.gld");
    EXPECT_EQ(dlg.ListingEntries().size(), 2);
    EXPECT_TRUE(dlg.ListingEntries()[1].endsWith(" 0.75"));
    EXPECT_EQ(dlg.MPTypeLB->text(), "Gold Master Points 2");
    EXPECT_EQ(dlg.MPTypeLB->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_EQ(dlg.MP2TypeLB->text(), "");
    EXPECT_EQ(dlg.ErrorLB->text(), "No File Errors");
    EXPECT_FALSE(dlg.ErrorLB->isHidden());
    EXPECT_TRUE(dlg.ErrorList->isHidden());
    EXPECT_EQ(dir.Read("3104326.TXT").substr(dir.Read("3104326.TXT").size() - 17),
              "  Total Gold: 2\r\n");
}

TEST_F(ViewMPTest, ErrorsShowInRedAndTwoColourLabels) {
    dir.WriteLines("a.rag", {"0012345000150000025", "", "0000888000100000100", "0099999000100"});
    dlg.SetChosenFile(Path("a.rag"));
    dlg.ShowMPFile();
    EXPECT_EQ(dlg.ErrorLB->text(), "File Errors");
    EXPECT_FALSE(dlg.ErrorList->isHidden());
    ASSERT_EQ(dlg.ErrorList->count(), 3);
    EXPECT_EQ(dlg.ErrorList->item(0)->text(), "Blank line in File Line 2");
    EXPECT_EQ(dlg.ErrorList->item(1)->text(), "Inactive Player at Line 3");
    EXPECT_EQ(dlg.ErrorList->item(2)->text(), "Illegal QMR No. in File Line 4");
    EXPECT_EQ(dlg.MPTypeLB->text(), "Red Master Points 3.5");
    EXPECT_EQ(dlg.MP2TypeLB->text(), "Green Master Points 1.25");
    EXPECT_EQ(dlg.MP2TypeLB->palette().color(QPalette::WindowText), QColor(0, 128, 0));
}

TEST_F(ViewMPTest, BadPointsStopWithTheConversionMessageAndNoReport) {
    dir.WriteLines("b.red", {"0012345000100", "0012345"});
    dlg.SetChosenFile(Path("b.red"));
    platform.ExpectError("'' is not a valid integer value");
    dlg.ShowMPFile();
    EXPECT_EQ(dlg.ListingEntries().size(), 1);
    EXPECT_EQ(dlg.MPTypeLB->text(), "");
    EXPECT_TRUE(dlg.ErrorLB->isHidden());
    EXPECT_FALSE(dir.Exists("b.TXT"));
}

TEST_F(ViewMPTest, ErrorsBeforeAConversionErrorStayListed) {
    dir.WriteLines("c.red", {"", "0099999000100", "0012345ABC"});
    dlg.SetChosenFile(Path("c.red"));
    platform.ExpectError("'ABC' is not a valid integer value");
    dlg.ShowMPFile();
    ASSERT_EQ(dlg.ErrorList->count(), 2);
    EXPECT_EQ(dlg.ErrorList->item(1)->text(), "Illegal QMR No. in File Line 2");
    EXPECT_FALSE(dlg.ErrorList->isHidden());
    EXPECT_FALSE(dlg.ErrorLB->isHidden());
    EXPECT_EQ(dlg.ErrorLB->text(), "File Errors");
    EXPECT_EQ(dlg.MPTypeLB->text(), "");
}

TEST_F(ViewMPTest, ReportNeverReplacesTheRegister) {
    dir.Write("national.txt", "HEADER LINE\r\n");
    dir.WriteLines("National.gld", {"0012345000100"});
    dlg.SetChosenFile(Path("National.gld"));
    platform.ExpectError("The report was not written: national.txt already exists and is not an "
                         "earlier report, so it was kept.");
    dlg.ShowMPFile();
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"National.gld", "national.txt"}));
    EXPECT_EQ(dir.Read("national.txt"), "HEADER LINE\r\n");
    EXPECT_EQ(dlg.ListingEntries().size(), 1); // the listing stays
}

TEST_F(ViewMPTest, FileGoneOrReportUnwritableIsSaid) {
    dlg.SetChosenFile(Path("gone.gld"));
    platform.ExpectError("Cannot read the masterpoint file gone.gld.");
    dlg.ShowMPFile();
    dir.WriteLines("LIST.TXT", {"0012345000100"});
    dlg.SetChosenFile(Path("LIST.TXT"));
    platform.ExpectError(
        "The report was not written: its name LIST.TXT is the listed file's own name.");
    dlg.ShowMPFile();
    EXPECT_EQ(dir.Read("LIST.TXT"), "0012345000100\r\n");
    EXPECT_EQ(dlg.ListingEntries().size(), 1);
}

TEST_F(ViewMPTest, AnotherChecksFoldersAndListsTheNewFile) {
    dir.WriteLines("first.gld", {"0012345000100"});
    dir.WriteLines("old/second.MP2", {"0012345000200"});
    dir.WriteLines("old/song.mp3", {"music"});
    state.Settings.LastMPFolderUsed = dir.Path().string() + "/";
    dlg.SetChosenFile(Path("first.gld"));
    dlg.ShowMPFile();

    // Cancelled: nothing changes.
    platform.ExpectOpenFiles({});
    dlg.AnotherBtn->click();
    EXPECT_EQ(dlg.MPInfoLB->text(), " Masterpoint information for MP File first.gld");

    // Into a folder of old names: warning answered No, then (ticked) Yes converts.
    platform.ExpectOpenFiles({Path("old/second.red")}, [&](const OpenFileRequest& r) {
        EXPECT_EQ(r.Title, "Select Masterpoint File");
        EXPECT_EQ(r.InitialFolder.toStdString(), dir.Path().string() + "/");
        r.OnFolderChange(Path("old"));
        EXPECT_TRUE(dir.Exists("old/second.MP2"));
        r.OnFolderChange(Path("old"));
        EXPECT_TRUE(dir.Exists("old/second.red"));
        EXPECT_TRUE(dir.Exists("old/song.grn"));
    });
    platform.ExpectDialog("Warning MP3 Files Found", [](QDialog& d) {
        static_cast<TMPWarningDlg&>(d).NoBtn->click();
        return d.result();
    });
    platform.ExpectDialog("Warning MP3 Files Found", [](QDialog& d) {
        auto& w = static_cast<TMPWarningDlg&>(d);
        w.WarningCB->setChecked(true);
        w.YesBtn->click();
        return d.result();
    });
    dlg.AnotherBtn->click();
    EXPECT_EQ(dlg.MPInfoLB->text(), " Masterpoint information for MP File second.red");
    EXPECT_EQ(dlg.MPTypeLB->text(), "Red Master Points 2");
    EXPECT_EQ(dlg.ChooserTitle(), "View Masterpoint Information - second.red");
    EXPECT_FALSE(state.Settings.ShowMPWarning);

    // Closing keeps the folder of the file for the next time.
    dlg.reject();
    EXPECT_EQ(state.Settings.LastMPFolderUsed, (dir / "old").string() + "/");
}

TEST_F(ViewMPTest, PrintsTheTitleAnEmptyLineAndTheListing) {
    dir.WriteLines("p.grn", {"0012345000100", "0012345000200"});
    dlg.SetChosenFile(Path("p.grn"));
    dlg.ShowMPFile();
    platform.ExpectPrintDialog(false);
    dlg.PrintBtn->click();
    EXPECT_TRUE(platform.Printed().empty());
    platform.ExpectPrintDialog(true);
    dlg.PrintBtn->click();
    ASSERT_EQ(platform.Printed().size(), 1u);
    const auto& job = platform.Printed()[0];
    EXPECT_EQ(job.Title, " ");
    EXPECT_EQ(job.Font, "Courier");
    EXPECT_EQ(job.PointSize, 10);
    ASSERT_EQ(job.Lines.size(), 4);
    EXPECT_EQ(job.Lines[0], " Masterpoint information for MP File p.grn");
    EXPECT_EQ(job.Lines[1], "");
    EXPECT_EQ(job.Lines[3], dlg.ListingEntries()[1]);
}
