#include "mpfiles/OldFilesWarningDialog.h"
#include "mpfiles/OldExtensions.h"
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

// The choosers' folder checks reach the warning dialog and the question box, and their
// answers decide the renaming (the cases of the check itself are tested with it).
TEST(MPWarning, FolderChangesAskThenRename) {
    const QString question =
        "QMRScorer has found .mp? files in this folder. If you are sure that they are masterpoint "
        "files (not your son's latest music files) then click Yes to rename them or No to cancel";
    auto answer = [](bool yes) {
        return [yes](QDialog& d) {
            auto& dlg = static_cast<OldFilesWarningDialog&>(d);
            (yes ? dlg.yesButton() : dlg.noButton())->click();
            return d.result();
        };
    };
    struct Case {
        const char* what;
        bool merge;
        bool warningOn;
        std::function<void(FakePlatform&)> expect;
        bool renamed;
    } cases[] = {
        {"viewer, No", false, true,
         [&](FakePlatform& p) { p.ExpectDialog("Warning MP3 Files Found", answer(false)); }, false},
        {"viewer, Yes", false, true,
         [&](FakePlatform& p) { p.ExpectDialog("Warning MP3 Files Found", answer(true)); }, true},
        {"viewer, Escape renames as Yes does", false, true,
         [](FakePlatform& p) {
             p.ExpectDialog("Warning MP3 Files Found", [](QDialog& d) {
                 QTest::keyClick(&d, Qt::Key_Escape);
                 return d.result();
             });
         },
         true},
        {"viewer, warning off", false, false, [](FakePlatform&) {}, true},
        {"merge, No", true, true, [&](FakePlatform& p) { p.ExpectWarning(question, false); },
         false},
        {"merge, Yes", true, true, [&](FakePlatform& p) { p.ExpectWarning(question, true); }, true},
    };
    for (const auto& c : cases) {
        test::TempFolder dir;
        dir.Write("song.mp3", "music");
        FakePlatform platform;
        AppState state;
        state.Settings.ShowMPWarning = c.warningOn;
        OldFilesWarningDialog warning(state);
        c.expect(platform);
        const QString folder = QString::fromStdString(dir.Path().string());
        if (c.merge)
            MergeFolderChange(folder, platform);
        else
            ViewerFolderChange(folder, state, platform, warning);
        platform.VerifyAllShown();
        EXPECT_EQ(dir.Names(), std::vector<std::string>{c.renamed ? "song.grn" : "song.mp3"})
            << c.what;
    }
}
