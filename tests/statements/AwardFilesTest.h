#pragma once
#include "statements/ClubStatementsDialog.h"
#include "statements/StatementDialog.h"
#include "support/FakePlatform.h"
#include "support/Players.h"
#include "ui/AppState.h"
#include "ui/DigitsBox.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace mpsec::test {

// A register of six players (two clubs, one inactive member) and award files in a fresh
// folder, for the statement screen and the club runs that drive it.
class AwardFilesTest : public ::testing::Test {
  protected:
    AwardFilesTest() : dir(true) {
        state.National.Assign(RegisterText({
            TestPlayer("11", "ADAMS", "ANNE", "3-104"),
            TestPlayer("22", "BROWN", "BEN", "2-101"),
            TestPlayer("33", "CARTER", "CAL", "3-104"),
            TestPlayer("44", "DAVIS", "DAN", "3i104"),
            TestPlayer("55", "EVANS", "EVE", "3-104"),
            TestPlayer("66", "FOX", "FAY", "2-101"),
        }));
        state.ProgramFolder = dir.Path();
        state.RegisterDate = CivilDate{2008, 3, 15};
        state.Clubs.Assign("3104,ARDEN BRIDGE CLUB,\r\n2101,BAYSIDE BRIDGE CLUB,\r\n");
        dir.WriteLines("history.txt", {"3070000011X1 ABC    2.50", "4070000033C23104    1.25",
                                       "1080000011N4        3.00    1.50"});
        dir.WriteLines("events.txt", {"ABCSPRING CONGRESS PAIRS"});
    }
    void Open() {
        dlg = std::make_unique<StatementDialog>(state, platform);
        dlg->show();
    }
    void Get(const QString& number) {
        dlg->numberBox()->setText(number);
        QTest::keyClick(dlg->numberBox(), Qt::Key_Return);
    }

    TempFolder dir;
    FakePlatform platform;
    AppState state;
    std::unique_ptr<StatementDialog> dlg;
};

} // namespace mpsec::test
