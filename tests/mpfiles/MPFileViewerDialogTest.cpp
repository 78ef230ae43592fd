#include "mpfiles/MPFileViewerDialog.h"
#include "mpfiles/OldFilesWarningDialog.h"
#include "support/FakePlatform.h"
#include "support/Players.h"
#include "ui/AppState.h"

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
    OldFilesWarningDialog warning;
    MPFileViewerDialog dlg;
};

} // namespace

TEST_F(ViewMPTest, CleanFileListsWritesTheReportAndShowsNoErrors) {
    dir.WriteLines("3104326.gld", {"0012345000125", "0012345000075"});
    dlg.setChosenFile(Path("3104326.gld"));
    dlg.listFile();
    EXPECT_EQ(dlg.titleLabel()->text(), " Masterpoint information for MP File 3104326.gld");
    EXPECT_EQ(dlg.listingEntries().size(), 2);
    EXPECT_TRUE(dlg.listingEntries()[1].endsWith(" 0.75"));
    EXPECT_EQ(dlg.firstColourLabel()->text(), "Gold Master Points 2");
    EXPECT_EQ(dlg.firstColourLabel()->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_EQ(dlg.secondColourLabel()->text(), "");
    EXPECT_EQ(dlg.errorLabel()->text(), "No File Errors");
    EXPECT_FALSE(dlg.errorLabel()->isHidden());
    EXPECT_TRUE(dlg.errorList()->isHidden());
    EXPECT_EQ(dir.Read("3104326.TXT").substr(dir.Read("3104326.TXT").size() - 17),
              "  Total Gold: 2\r\n");
}

TEST_F(ViewMPTest, ErrorsShowInRedAndTwoColourLabels) {
    dir.WriteLines("a.rag", {"0012345000150000025", "", "0000888000100000100", "0099999000100"});
    dlg.setChosenFile(Path("a.rag"));
    dlg.listFile();
    EXPECT_EQ(dlg.errorLabel()->text(), "File Errors");
    EXPECT_FALSE(dlg.errorList()->isHidden());
    ASSERT_EQ(dlg.errorList()->count(), 3);
    EXPECT_EQ(dlg.errorList()->item(0)->text(), "Blank line in File Line 2");
    EXPECT_EQ(dlg.errorList()->item(1)->text(), "Inactive Player at Line 3");
    EXPECT_EQ(dlg.errorList()->item(2)->text(), "Illegal QMR No. in File Line 4");
    EXPECT_EQ(dlg.firstColourLabel()->text(), "Red Master Points 3.5");
    EXPECT_EQ(dlg.secondColourLabel()->text(), "Green Master Points 1.25");
    EXPECT_EQ(dlg.secondColourLabel()->palette().color(QPalette::WindowText), QColor(0, 128, 0));
}

TEST_F(ViewMPTest, BadPointsStopWithTheConversionMessageAndNoReport) {
    dir.WriteLines("b.red", {"0012345000100", "0012345"});
    dlg.setChosenFile(Path("b.red"));
    platform.ExpectError("'' is not a valid integer value");
    dlg.listFile();
    EXPECT_EQ(dlg.listingEntries().size(), 1);
    EXPECT_EQ(dlg.firstColourLabel()->text(), "");
    EXPECT_TRUE(dlg.errorLabel()->isHidden());
    EXPECT_FALSE(dir.Exists("b.TXT"));
}

TEST_F(ViewMPTest, ErrorsBeforeAConversionErrorStayListed) {
    dir.WriteLines("c.red", {"", "0099999000100", "0012345ABC"});
    dlg.setChosenFile(Path("c.red"));
    platform.ExpectError("'ABC' is not a valid integer value");
    dlg.listFile();
    ASSERT_EQ(dlg.errorList()->count(), 2);
    EXPECT_EQ(dlg.errorList()->item(1)->text(), "Illegal QMR No. in File Line 2");
    EXPECT_FALSE(dlg.errorList()->isHidden());
    EXPECT_FALSE(dlg.errorLabel()->isHidden());
    EXPECT_EQ(dlg.errorLabel()->text(), "File Errors");
    EXPECT_EQ(dlg.firstColourLabel()->text(), "");
}

TEST_F(ViewMPTest, ReportNeverReplacesTheRegister) {
    dir.Write("national.txt", "HEADER LINE\r\n");
    dir.WriteLines("National.gld", {"0012345000100"});
    dlg.setChosenFile(Path("National.gld"));
    platform.ExpectError("The report was not written: national.txt already exists and is not an "
                         "earlier report, so it was kept.");
    dlg.listFile();
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"National.gld", "national.txt"}));
    EXPECT_EQ(dir.Read("national.txt"), "HEADER LINE\r\n");
    EXPECT_EQ(dlg.listingEntries().size(), 1); // the listing stays
}

TEST_F(ViewMPTest, FileGoneOrReportUnwritableIsSaid) {
    dlg.setChosenFile(Path("gone.gld"));
    platform.ExpectError("Cannot read the masterpoint file gone.gld.");
    dlg.listFile();
    dir.WriteLines("LIST.TXT", {"0012345000100"});
    dlg.setChosenFile(Path("LIST.TXT"));
    platform.ExpectError(
        "The report was not written: its name LIST.TXT is the listed file's own name.");
    dlg.listFile();
    EXPECT_EQ(dir.Read("LIST.TXT"), "0012345000100\r\n");
    EXPECT_EQ(dlg.listingEntries().size(), 1);
}

TEST_F(ViewMPTest, AnotherChecksFoldersAndListsTheNewFile) {
    dir.WriteLines("first.gld", {"0012345000100"});
    dir.WriteLines("old/second.MP2", {"0012345000200"});
    dir.WriteLines("old/song.mp3", {"music"});
    state.Settings.LastMPFolderUsed = dir.Path().string() + "/";
    dlg.setChosenFile(Path("first.gld"));
    dlg.listFile();

    // Cancelled: nothing changes.
    platform.ExpectOpenFiles({});
    dlg.anotherButton()->click();
    EXPECT_EQ(dlg.titleLabel()->text(), " Masterpoint information for MP File first.gld");

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
        static_cast<OldFilesWarningDialog&>(d).noButton()->click();
        return d.result();
    });
    platform.ExpectDialog("Warning MP3 Files Found", [](QDialog& d) {
        auto& w = static_cast<OldFilesWarningDialog&>(d);
        w.dontShowAgainBox()->setChecked(true);
        w.yesButton()->click();
        return d.result();
    });
    dlg.anotherButton()->click();
    EXPECT_EQ(dlg.titleLabel()->text(), " Masterpoint information for MP File second.red");
    EXPECT_EQ(dlg.firstColourLabel()->text(), "Red Master Points 2");
    EXPECT_EQ(dlg.chooserTitle(), "View Masterpoint Information - second.red");
    EXPECT_FALSE(state.Settings.ShowMPWarning);

    // Closing keeps the folder of the file for the next time.
    dlg.reject();
    EXPECT_EQ(state.Settings.LastMPFolderUsed, (dir / "old").string() + "/");
}

TEST_F(ViewMPTest, PrintsTheTitleAnEmptyLineAndTheListing) {
    dir.WriteLines("p.grn", {"0012345000100", "0012345000200"});
    dlg.setChosenFile(Path("p.grn"));
    dlg.listFile();
    platform.ExpectPrintDialog(false);
    dlg.printButton()->click();
    EXPECT_TRUE(platform.Printed().empty());
    platform.ExpectPrintDialog(true);
    dlg.printButton()->click();
    ASSERT_EQ(platform.Printed().size(), 1u);
    const auto& job = platform.Printed()[0];
    EXPECT_EQ(job.Title, " ");
    EXPECT_EQ(job.Font, "Courier");
    EXPECT_EQ(job.PointSize, 10);
    ASSERT_EQ(job.Lines.size(), 4);
    EXPECT_EQ(job.Lines[0], " Masterpoint information for MP File p.grn");
    EXPECT_EQ(job.Lines[1], "");
    EXPECT_EQ(job.Lines[3], dlg.listingEntries()[1]);
}
