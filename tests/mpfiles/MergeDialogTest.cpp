#include "mpfiles/MergeDialog.h"
#include "support/Contrast.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "ui/AppState.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

class MergeTest : public ::testing::Test {
  protected:
    MergeTest() : dlg(state, platform) {
        state.DataFolder = dir.Path();
        state.ProgramFolder = dir.Path();
        state.Settings.LastClubNo = "1234";
        state.Settings.LastMPFolderUsed = "/last/";
        state.Today = [] { return CivilDate{2026, 5, 15}; };
        dir.WriteLines("a.rag", {"0012345000150000025", "", "0000001000100\x1a"});
        dir.WriteLines("b.rag", {"0012345000050"});
        dlg.show();
    }
    QString Path(const std::string& name) { return QString::fromStdString((dir / name).string()); }
    void ChooseFiles(int type, const QStringList& files, const QString& error = {}) {
        platform.ExpectOpenFiles(files);
        if (!error.isEmpty())
            platform.ExpectError(error);
        dlg.typeChoice(type)->click();
    }

    test::TempFolder dir;
    FakePlatform platform;
    AppState state;
    MergeDialog dlg;
};

} // namespace

TEST_F(MergeTest, TypeFilesDefaultNameAndMerge) {
    EXPECT_EQ(dlg.chosenType(), -1);
    EXPECT_FALSE(dlg.saveButton()->isEnabled());
    EXPECT_FALSE(dlg.outputBox()->isEnabled());
    EXPECT_EQ(dlg.outputBox()->palette().color(QPalette::Base), QColor(192, 192, 192));

    // Cancelled, then only one file: no type stays chosen and Save stays disabled.
    ChooseFiles(4, {});
    EXPECT_EQ(dlg.chosenType(), -1);
    ChooseFiles(4, {Path("a.rag")}, "More than one file must be selected.");
    EXPECT_EQ(dlg.chosenType(), -1);
    EXPECT_FALSE(dlg.saveButton()->isEnabled());
    EXPECT_EQ(platform.Beeps(), 1);

    ChooseFiles(4, {Path("a.rag"), Path("b.rag")});
    EXPECT_EQ(platform.Shown().last(),
              "open: Select Master Point Files to Merge | QMR Master Point Files|*.rag | /last/");
    EXPECT_EQ(dlg.chosenType(), 4);
    EXPECT_TRUE(dlg.saveButton()->isEnabled());
    EXPECT_EQ(dlg.outputBox()->text(), Path("1234226.rag"));
    EXPECT_EQ(dlg.outputBox()->palette().color(QPalette::Base), QColor(Qt::white));

    platform.ExpectInformation(" Files have been successfully merged.", true);
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("1234226.rag"), "0012345000150000025\r\n0000001000100\r\n0012345000050\r\n");
    EXPECT_EQ(platform.WrittenDetails(), QStringList{Path("1234226.rag")});
    EXPECT_EQ(platform.OpenedFolders(), QStringList{QString::fromStdString(dir.Path().string())});
    EXPECT_EQ(dlg.chosenType(), -1);
    EXPECT_FALSE(dlg.saveButton()->isEnabled());
    EXPECT_EQ(dlg.outputBox()->text(), Path("1234226.rag"));
    EXPECT_GE(test::DarkestContrastOnSilver(dlg.outputBox()), 4.5); // kept, and readable

    // Browse names another output; an existing output is replaced only after Yes, and
    // may be one of the inputs.
    ChooseFiles(4, {Path("b.rag"), Path("a.rag")});
    platform.ExpectSaveFile(Path("b.rag"));
    dlg.browseButton()->click();
    EXPECT_EQ(platform.LastSaveRequest().FileName, "1234226.rag");
    EXPECT_EQ(dlg.outputBox()->text(), Path("b.rag"));
    platform.ExpectWarning(
        "b.rag has been found. Do you wish to OVERWRITE and lose the data it contains? ", false);
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("b.rag"), "0012345000050\r\n");
    EXPECT_TRUE(dlg.saveButton()->isEnabled());
    platform.ExpectWarning(
        "b.rag has been found. Do you wish to OVERWRITE and lose the data it contains? ", true);
    platform.ExpectInformation(" Files have been successfully merged.");
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("b.rag"), "0012345000050\r\n0012345000150000025\r\n0000001000100\r\n");
}

TEST_F(MergeTest, AnUnreadableInputChangesNothing) {
    dir.Write("out.rag", "kept\r\n");
    ChooseFiles(4, {Path("a.rag"), Path("gone.rag")});
    dlg.outputBox()->setText(Path("out.rag"));
    platform.ExpectWarning(
        "out.rag has been found. Do you wish to OVERWRITE and lose the data it contains? ", true);
    platform.ExpectError("Cannot read the masterpoint file gone.rag: No such file or directory. "
                         "Nothing was merged.");
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("out.rag"), "kept\r\n");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.rag", "b.rag", "out.rag"}));
}

// Moving the chooser into a folder of old names asks before renaming them.
TEST_F(MergeTest, OldNamesInABrowsedFolderAreRenamedAfterYes) {
    dir.Write("old/x.MP5", "");
    dir.Write("music/song.mp3", "");
    platform.ExpectOpenFiles({}, [&](const OpenFileRequest& request) {
        request.OnFolderChange(Path("old"));
        request.OnFolderChange(Path("music"));
    });
    const QString question = "QMRScorer has found .mp? files in this folder. If you are sure that "
                             "they are masterpoint files (not your son's latest music files) then "
                             "click Yes to rename them or No to cancel";
    platform.ExpectWarning(question, true);
    platform.ExpectWarning(question, false);
    dlg.typeChoice(0)->click();
    EXPECT_TRUE(dir.Exists("old/x.rag"));
    EXPECT_TRUE(dir.Exists("music/song.mp3"));
}
