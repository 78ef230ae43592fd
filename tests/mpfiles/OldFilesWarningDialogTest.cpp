#include "mpfiles/OldFilesWarningDialog.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "ui/AppState.h"
#include "ui/FolderChecks.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace mpsec;

TEST(MPWarning, ShowsItsTextsBold) {
    AppState state;
    OldFilesWarningDialog dlg(state);
    EXPECT_EQ(dlg.windowTitle(), "Warning MP3 Files Found");
    QStringList texts;
    for (QLabel* l : dlg.findChildren<QLabel*>()) {
        texts << l->text();
        EXPECT_TRUE(l->font().bold());
    }
    EXPECT_EQ(
        texts,
        (QStringList{
            "QMRScorer has found .mp? files in this folder. ",
            "If you are sure that they are masterpoint files (not your son''s latest music files)",
            "then click Yes to rename them or No to cancel',",
            "Checking the above will make all future MP conversions automatic."}));
    EXPECT_EQ(dlg.dontShowAgainBox()->text(), "Do Not Show Me This Warning Again.");
    EXPECT_FALSE(dlg.dontShowAgainBox()->isChecked());
}

TEST(MPWarning, ClosingSetsTheWarningToTheOppositeOfTheCheckBox) {
    struct Case {
        bool ticked;
        int how; // 0 Yes, 1 No, 2 closed otherwise
        bool showAfter;
    } cases[] = {{false, 0, true}, {false, 1, true}, {true, 0, false},
                 {true, 1, false}, {true, 2, false}, {false, 2, true}};
    for (const auto& c : cases) {
        AppState state;
        state.Settings.ShowMPWarning = !c.showAfter;
        OldFilesWarningDialog dlg(state);
        dlg.show();
        dlg.dontShowAgainBox()->setChecked(c.ticked);
        if (c.how == 0)
            dlg.yesButton()->click();
        else if (c.how == 1)
            dlg.noButton()->click();
        else
            dlg.reject();
        EXPECT_EQ(state.Settings.ShowMPWarning, c.showAfter) << c.ticked << " " << c.how;
    }
}

namespace {
int Answer(QDialog& d, bool tick, bool yes) {
    auto& dlg = static_cast<OldFilesWarningDialog&>(d);
    dlg.dontShowAgainBox()->setChecked(tick);
    (yes ? dlg.yesButton() : dlg.noButton())->click();
    return d.result();
}
} // namespace

TEST(MPWarning, ViewerFolderChangeAsksThenRenames) {
    test::TempFolder dir;
    FakePlatform platform;
    AppState state;
    OldFilesWarningDialog dlg(state);
    const QString folder = QString::fromStdString(dir.Path().string());

    dir.Write("song.mp3", "music");
    platform.ExpectDialog("Warning MP3 Files Found",
                          [](QDialog& d) { return Answer(d, false, false); });
    ViewerFolderChange(folder, state, platform, dlg);
    EXPECT_TRUE(dir.Exists("song.mp3"));
    EXPECT_EQ(platform.BusyCalls(), 0);

    platform.ExpectDialog("Warning MP3 Files Found",
                          [](QDialog& d) { return Answer(d, false, true); });
    ViewerFolderChange(folder, state, platform, dlg);
    EXPECT_TRUE(dir.Exists("song.grn"));
    EXPECT_EQ(platform.BusyCalls(), 1);

    // Escape or the close button: renamed, as after Yes.
    dir.Write("jig.mp3", "music");
    platform.ExpectDialog("Warning MP3 Files Found", [](QDialog& d) {
        QTest::keyClick(&d, Qt::Key_Escape);
        return d.result();
    });
    ViewerFolderChange(folder, state, platform, dlg);
    EXPECT_TRUE(dir.Exists("jig.grn"));

    // Ticked and answered No: nothing renamed now, and never asked again.
    dir.Write("tune.MP3", "music");
    platform.ExpectDialog("Warning MP3 Files Found",
                          [](QDialog& d) { return Answer(d, true, false); });
    ViewerFolderChange(folder, state, platform, dlg);
    EXPECT_TRUE(dir.Exists("tune.MP3"));
    EXPECT_FALSE(state.Settings.ShowMPWarning);
    ViewerFolderChange(folder, state, platform, dlg);
    EXPECT_TRUE(dir.Exists("tune.grn"));
}

TEST(MPWarning, MergeFolderChangeAsksWithTheQuestionBox) {
    test::TempFolder dir;
    FakePlatform platform;
    const QString folder = QString::fromStdString(dir.Path().string());
    dir.Write("a.MP1", "x");
    const QString question =
        "QMRScorer has found .mp? files in this folder. If you are sure that they are masterpoint "
        "files (not your son's latest music files) then click Yes to rename them or No to cancel";
    platform.ExpectWarning(question, false);
    MergeFolderChange(folder, platform);
    EXPECT_TRUE(dir.Exists("a.MP1"));
    platform.ExpectWarning(question, true);
    MergeFolderChange(folder, platform);
    EXPECT_TRUE(dir.Exists("a.gld"));
}
