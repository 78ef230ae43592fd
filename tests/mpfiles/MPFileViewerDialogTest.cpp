#include "mpfiles/MPFileViewerDialog.h"
#include "core/TextHelpers.h"
#include "mpfiles/OldFilesWarningDialog.h"
#include "support/FakePlatform.h"
#include "support/Players.h"
#include "ui/AppState.h"
#include "ui/WrittenFiles.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <algorithm>
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
    // The report is offered by "Show in Folder".
    EXPECT_EQ(dlg.showFolderButton()->toolTip(), "Show " + Path("3104326.TXT") + " in its folder");
    dlg.showFolderButton()->click();
    EXPECT_EQ(platform.OpenedFolders(), QStringList{QString::fromStdString(dir.Path().string())});
}

// What the listing finds reaches the screen: the file's errors in the error area, a listing
// stopped at a bad points field with its message and no totals or report, and a report that
// is not written with the reason. Each listing replaces everything the one before showed.
TEST_F(ViewMPTest, WhatTheListingFindsIsShown) {
    dir.Write("national.txt", "HEADER LINE\r\n");
    struct Case {
        std::string file;
        std::vector<std::string> lines; // none: the file is not there
        QString said;                   // the error shown, if any
        int entries;
        QStringList errors;
        QString errorLabel; // empty when hidden
        QString firstLabel, secondLabel;
        QColor secondColour; // checked when valid
        bool reportWritten;
    } cases[] = {
        {"a.rag",
         {"0012345000150000025", "", "0000888000100000100", "0099999000100"},
         "",
         4,
         {"Blank line in File Line 2", "Inactive Player at Line 3",
          "Illegal QMR No. in File Line 4"},
         "File Errors",
         "Red Master Points 3.5",
         "Green Master Points 1.25",
         QColor(0, 128, 0),
         true},
        {"c.red",
         {"", "0099999000100", "0012345ABC"},
         "'ABC' is not a valid integer value",
         2,
         {"Blank line in File Line 1", "Illegal QMR No. in File Line 2"},
         "File Errors",
         "",
         "",
         {},
         false},
        {"National.gld",
         {"0012345000100"},
    // (one file on Windows, where names differ in letter case only: the name asked is said)
#if defined(_WIN32)
         "The report was not written: National.TXT already exists and is not an earlier "
#else
         "The report was not written: national.txt already exists and is not an earlier "
#endif
         "report, so it was kept.",
         1,
         {},
         "No File Errors",
         "Gold Master Points 1",
         "",
         {},
         false},
        {"gone.gld",
         {},
         "Cannot read the masterpoint file gone.gld: No such file or directory.",
         0,
         {},
         "",
         "",
         "",
         {},
         false},
    };
    for (const auto& c : cases) {
        if (!c.lines.empty())
            dir.WriteLines(c.file, c.lines);
        if (!c.said.isEmpty())
            platform.ExpectError(c.said);
        dlg.setChosenFile(Path(c.file));
        dlg.listFile();
        platform.VerifyAllShown();
        EXPECT_EQ(dlg.listingEntries().size(), c.entries) << c.file;
        EXPECT_EQ(dlg.errorTexts(), c.errors) << c.file;
        EXPECT_EQ(dlg.errorList()->isHidden(), c.errors.isEmpty()) << c.file;
        EXPECT_EQ(dlg.errorLabel()->isHidden() ? QString() : dlg.errorLabel()->text(), c.errorLabel)
            << c.file;
        EXPECT_EQ(dlg.firstColourLabel()->text(), c.firstLabel) << c.file;
        EXPECT_EQ(dlg.secondColourLabel()->text(), c.secondLabel) << c.file;
        if (c.secondColour.isValid()) {
            EXPECT_EQ(dlg.secondColourLabel()->palette().color(QPalette::WindowText),
                      c.secondColour);
        }
        const std::string base = c.file.substr(0, c.file.find('.'));
        const std::vector<std::string> names = dir.Names(); // by exact name, on every system
        EXPECT_EQ(std::count(names.begin(), names.end(), base + ".TXT") == 1, c.reportWritten)
            << c.file;
        EXPECT_EQ(dlg.showFolderButton()->isEnabled(), c.reportWritten) << c.file;
    }
    EXPECT_EQ(dir.Read("national.txt"), "HEADER LINE\r\n");
}

// A file larger than the viewer lists is refused unread with its size and the limit: the
// listing before it is gone and no report is written. A file of the limit is listed.
TEST_F(ViewMPTest, FileLargerThanTheLimitIsRefused) {
    dir.WriteLines("a.gld", {"0012345000125"});
    dir.WriteLines("big.gld", {"0012345000125", "0012345000075"});
    dlg.setSizeLimit(29);
    dlg.setChosenFile(Path("a.gld"));
    dlg.listFile();
    ASSERT_EQ(dlg.listingEntries().size(), 1);

    platform.ExpectError("Cannot read the masterpoint file big.gld: it is 30 bytes, and the "
                         "program reads masterpoint files of at most 29 bytes.");
    dlg.setChosenFile(Path("big.gld"));
    dlg.listFile();
    platform.VerifyAllShown();
    EXPECT_TRUE(dlg.listingEntries().isEmpty());
    EXPECT_EQ(dlg.firstColourLabel()->text(), "");
    EXPECT_TRUE(dlg.errorLabel()->isHidden());
    EXPECT_FALSE(dir.Exists("big.TXT"));

    dlg.setSizeLimit(30);
    dlg.listFile();
    EXPECT_EQ(dlg.listingEntries().size(), 2);
    EXPECT_EQ(dlg.listingEntries()[1], "   2.   12345 KARVEL             ANNE      3-104  0.75");
    EXPECT_EQ(dlg.firstColourLabel()->text(), "Gold Master Points 2");
    EXPECT_TRUE(dir.Exists("big.TXT"));
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

    // Into a folder of old names: the warning, ticked and answered Yes, converts them.
    platform.ExpectOpenFiles({Path("old/second.red")}, [&](const OpenFileRequest& r) {
        EXPECT_EQ(r.Title, "Select Masterpoint File");
        EXPECT_EQ(r.InitialFolder.toStdString(), dir.Path().string() + "/");
        r.OnFolderChange(Path("old"));
        EXPECT_TRUE(dir.Exists("old/second.red"));
        EXPECT_TRUE(dir.Exists("old/song.grn"));
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
    EXPECT_EQ(state.Settings.LastMPFolderUsed, PathText(dir / "old" / ""));
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

// A file named with letters beyond ASCII: its report keeps the name's letters on disk, and
// a message naming it says them as they are.
TEST_F(ViewMPTest, NamesBeyondAsciiOnDiskAndInMessages) {
    const std::string coupe = "Coup\xC3\xA9 d'\xC3\xA9t\xC3\xA9";
    dir.WriteLines(coupe + ".gld", {"0012345000100"});
    dlg.setChosenFile(QString::fromStdString(PathText(dir / (coupe + ".gld"))));
    dlg.listFile();
    EXPECT_TRUE(dlg.showFolderButton()->isEnabled());
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{coupe + ".TXT", coupe + ".gld"}));

    const std::string ete = "\xC3\xA9t\xC3\xA9";
    dir.WriteLines(ete + ".TXT", {"notes of the summer"});
    dir.WriteLines(ete + ".gld", {"0012345000100"});
    platform.ExpectError(QString::fromUtf8("The report was not written: \xC3\xA9t\xC3\xA9.TXT "
                                           "already exists and is not an earlier report, so it "
                                           "was kept."));
    dlg.setChosenFile(QString::fromStdString(PathText(dir / (ete + ".gld"))));
    dlg.listFile();
    platform.VerifyAllShown();
    EXPECT_EQ(dir.Read(ete + ".TXT"), "notes of the summer\r\n");
}
