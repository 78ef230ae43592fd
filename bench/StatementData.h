#pragma once
#include "BenchData.h"
#include "register/ClubRegister.h"
#include "register/PlayerRegister.h"
#include "statements/StatementSession.h"

namespace mpsec::bench {

// The national-size register, clubs and statement session, loaded once for every
// benchmark of a program.
struct National {
    PlayerRegister Register;
    ClubRegister Clubs;
    StatementSession Session;
    National() {
        (void)Register.Load(DataFolder() / "National.TXT");
        (void)Clubs.Load(DataFolder() / "NATIONAL.CLB");
        (void)Session.Load(DataFolder(), DataFolder());
    }
};

inline National& Data() {
    static National data;
    return data;
}

} // namespace mpsec::bench
