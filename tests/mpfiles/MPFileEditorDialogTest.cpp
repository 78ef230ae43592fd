#include "mpfiles/MPFileEditorDialog.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "ui/AppState.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

class EditMPTest : public ::testing::Test {
  protected:
    EditMPTest() : dlg(state, platform) { state.ProgramFolder = dir.Path(); }
    QString Path(const std::string& name) { return QString::fromStdString((dir / name).string()); }
    void Open(const std::string& name) {
        dlg.setChosenFile(Path(name));
        dlg.show();
    }

    test::TempFolder dir;
    FakePlatform platform;
    AppState state;
    MPFileEditorDialog dlg;
};

} // namespace

// An unchanged file saved under its own name comes back byte for byte, whatever its bytes.
TEST_F(EditMPTest, UnchangedFileSavesByteForByte) {
    const std::string bytes = "0012345000125\r\n0012345000150000025\r\n\r\n00123\r\n"
                              "\xa0\xe9"
                              "2345\x1a"
                              "000125\r\n";
    dir.Write("a.gar", bytes);
    Open("a.gar");
    EXPECT_EQ(dlg.editorLines(), (QStringList{"   1. 0012345 000125", "   2. 0012345 000150000025",
                                              "   3.  ", "   4. 00123 ",
                                              QString::fromLatin1("   5. \xa0\xe9"
                                                                  "2345\x1a 000125")}));
    platform.ExpectSaveFile(Path("a.gar"));
    platform.ExpectMessage("     File Saved Successfully.     ", true);
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("a.gar"), bytes);
    EXPECT_EQ(platform.WrittenDetails(), QStringList{Path("a.gar")});
    EXPECT_EQ(platform.OpenedFolders(), QStringList{QString::fromStdString(dir.Path().string())});
    EXPECT_TRUE(dlg.editorLines().isEmpty());
    EXPECT_EQ(platform.Beeps(), 1);
    EXPECT_TRUE(platform.LastSaveRequest().AskOverwrite);
    EXPECT_EQ(platform.LastSaveRequest().Title, "Select Master Point File");
}

// Edits typed into the editor reach only their lines; a cancelled or failed save writes
// nothing and keeps the edits; an empty editor writes an empty file.
TEST_F(EditMPTest, EditsAreSavedWhereTheyWereMade) {
    dir.WriteLines("a.gld", {"0000001000100", "0000002000100", "0012345000125"});
    Open("a.gld");
    QTextCursor cursor(dlg.editor()->document()->findBlockByNumber(2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 3);
    dlg.editor()->setTextCursor(cursor);
    QTest::keyClicks(dlg.editor(), "150");
    // A new last line typed without a number prefix.
    dlg.editor()->moveCursor(QTextCursor::End);
    QTest::keyClick(dlg.editor(), Qt::Key_Return);
    QTest::keyClicks(dlg.editor(), "0054321 000075");

    platform.ExpectSaveFile(QString());
    dlg.saveButton()->click();
    platform.ExpectSaveFile(Path("missing/b.gld"));
    platform.ExpectError("Cannot write b.gld: No such file or directory. The file is unchanged.");
    dlg.saveButton()->click();
    EXPECT_EQ(dlg.editorLines().size(), 4);

    platform.ExpectSaveFile(Path("b.gld"));
    platform.ExpectMessage("     File Saved Successfully.     ");
    dlg.saveButton()->click();
    EXPECT_EQ(dir.Read("b.gld"), "0000001000100\r\n0000002000100\r\n0012345000150\r\n"
                                 "0054321000075\r\n");
    EXPECT_EQ(dir.Read("a.gld"), "0000001000100\r\n0000002000100\r\n0012345000125\r\n");
    // The chooser keeps the name chosen last.
    platform.ExpectSaveFile(Path("b.gld"));
    platform.ExpectMessage("     File Saved Successfully.     ");
    dlg.saveButton()->click();
    EXPECT_EQ(platform.LastSaveRequest().FileName, Path("b.gld"));
    EXPECT_EQ(dir.Read("b.gld"), "");
}

TEST_F(EditMPTest, AnotherLoadsAnotherFile) {
    dir.WriteLines("a.gld", {"0000001000100"});
    dir.WriteLines("b.red", {"0000002000200", "0000003000300"});
    state.Settings.LastMPFolderUsed = "/last/";
    Open("a.gld");
    platform.ExpectOpenFiles({});
    dlg.anotherButton()->click();
    EXPECT_EQ(dlg.editorLines(), QStringList{"   1. 0000001 000100"});
    platform.ExpectOpenFiles({Path("b.red")});
    dlg.anotherButton()->click();
    EXPECT_EQ(dlg.editorLines(), (QStringList{"   1. 0000002 000200", "   2. 0000003 000300"}));
    platform.ExpectOpenFiles({});
    dlg.anotherButton()->click();
    EXPECT_EQ(platform.Shown()[0],
              "open: Select Masterpoint File | QMR Master Point Files|*.gld;*.red;*.grn;*.gar;"
              "*.rag | /last/");
    EXPECT_EQ(platform.Shown()[2], "open: View Masterpoint Information - b.red | QMR Master "
                                   "Point Files|*.gld;*.red;*.grn;*.gar;*.rag | " +
                                       QString::fromStdString(dir.Path().string()));
    // Close discards the edits without asking.
    dlg.closeButton()->click();
    EXPECT_FALSE(dlg.isVisible());
}

// A file that cannot be shown is said with the reason, and the editor is left empty, not
// holding the file shown before.
TEST_F(EditMPTest, FileThatCannotBeShownIsSaidWithTheReason) {
    dir.WriteLines("a.gld", {"0012345000125"});
    dir.WriteLines("big.gld", {"0012345000125", "0012345000075"});
    dlg.setSizeLimit(29);
    struct Case {
        const char* file;
        QString said; // empty: the file is shown
        int lines;
    } cases[] = {
        {"a.gld", "", 1},
        {"gone.gld", "Cannot read the masterpoint file gone.gld: No such file or directory.", 0},
        {"a.gld", "", 1},
        {"big.gld",
         "Cannot read the masterpoint file big.gld: it is 30 bytes, and the program reads "
         "masterpoint files of at most 29 bytes.",
         0},
    };
    for (const auto& c : cases) {
        if (!c.said.isEmpty())
            platform.ExpectError(c.said);
        dlg.setChosenFile(Path(c.file));
        dlg.showFile();
        platform.VerifyAllShown();
        EXPECT_EQ(dlg.editorLines().size(), c.lines) << c.file;
    }
    // At the limit the file is shown.
    dlg.setSizeLimit(30);
    dlg.setChosenFile(Path("big.gld"));
    dlg.showFile();
    EXPECT_EQ(dlg.editorLines().size(), 2);
}
