#include "help/HelpWindow.h"
#include "app/MainWindow.h"
#include "app/ProgramWindows.h"
#include "support/FakePlatform.h"
#include "support/Players.h"
#include "ui/AppState.h"

#include <QAction>
#include <QListWidget>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace mpsec;

// F1 in the main window and in a dialog opens the guide at that window's section.
TEST(HelpWindow, F1OpensTheGuideAtTheWindowsSection) {
    test::TempFolder dir;
    test::WriteRegister(dir, {test::TestPlayer("12345", "KARVEL")});
    dir.WriteLines("NATIONAL.CLB", {"3104,ARDEN BRIDGE CLUB,"});
    FakePlatform platform;
    AppState state;
    state.DataFolder = dir.Path();
    MainWindow win(state, platform);
    ProgramWindows windows(state, platform, win);

    auto expectHelp = [&](const QString& section) {
        platform.ExpectDialog("mpsec Help", [section](QDialog& d) {
            auto& help = static_cast<HelpWindow&>(d);
            EXPECT_EQ(help.currentSection(), section);
            EXPECT_TRUE(help.text()->toPlainText().startsWith(section)) << section.toStdString();
            EXPECT_GT(help.contents()->count(), 10);
            return QDialog::Rejected;
        });
    };
    expectHelp("What mpsec does");
    QTest::keyClick(&win, Qt::Key_F1);
    platform.VerifyAllShown();

    platform.ExpectDialog("Viewing Players", [&](QDialog& d) {
        expectHelp("View a player");
        QTest::keyClick(&d, Qt::Key_F1);
        return QDialog::Rejected;
    });
    win.menuItem(MenuCommand::ViewPlayer)->trigger();
    platform.VerifyAllShown();
}

// The guide shown tells how the program is installed on the system it runs on.
TEST(HelpWindow, ShowsTheGuideOfThisSystem) {
    HelpWindow help;
    help.showSection(QStringLiteral("Installing and starting"));
    const QString text = help.text()->toPlainText();
#if defined(_WIN32)
    const QString ours = QStringLiteral("Run the installer"), other = QStringLiteral("apt-get");
#else
    const QString ours = QStringLiteral("apt-get"), other = QStringLiteral("Run the installer");
#endif
    EXPECT_TRUE(text.contains(ours)) << text.toStdString();
    EXPECT_FALSE(text.contains(other)) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Linux:"))) << text.toStdString();
}
