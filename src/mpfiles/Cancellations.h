#pragma once
#include "core/Dates.h"
#include "core/Result.h"
#include "register/PlayerRegister.h"

#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// Once a year a club tells the federation which of its home-club members are no longer
// members: one line per member marked "No", in the club's cancellation file NNNNcncl.txt.

// The date stamp of the lines: two-digit year, month and day (261207 on 7 December 2026).
std::string CancellationDateStamp(const CivilDate& date);

// "6785cncl.txt" for club 6785.
std::string CancellationFileName(std::string_view club);

// The question asked before an existing cancellation file is replaced.
std::string CancellationOverwriteQuestion(std::string_view fileName);

// One line: the stamp, "I", the club as typed, the number filled on the left with "0" to 7,
// the surname in 18 columns (cut when longer), the given name's first character (a blank
// when there is none, so the line keeps its width) and six blanks.
std::string CancellationLine(std::string_view stamp, std::string_view club, std::string_view number,
                             std::string_view surname, std::string_view givenName);

// One row of the member list: the player number shown and its "Active " cell.
struct CancellationRow {
    std::string Number;
    bool Active = true;
};

// The file's text: a line, ending in CR LF, for every row marked not active, in list
// order, with the surname and given name from the register.
std::string CancellationText(const PlayerRegister& national,
                             const std::vector<CancellationRow>& rows, std::string_view club,
                             std::string_view stamp);

inline constexpr const char* kOutputSavedAs = "Output saved as ";

} // namespace mpsec
