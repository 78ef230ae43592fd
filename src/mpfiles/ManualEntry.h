#pragma once
#include "core/MPColour.h"
#include "core/Result.h"
#include "mpfiles/MPListing.h"
#include "register/PlayerRegister.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// Masterpoints typed by hand, saved as a masterpoint file of one colour: one 13-character
// line per award, the player number in 7 columns and the points (hundredths) in 6, both
// filled on the left with "0".

// The most digits a cell takes, so nothing typed is ever cut on saving.
inline constexpr int kManualNumberDigits = 7;
inline constexpr int kManualPointsDigits = 6;

// One grid row: the player number and the points as typed.
struct ManualRow {
    std::string Number;
    std::string Points;
};

// Whether a row's points give a line: they compare greater than "0" as text, so empty,
// "0" and a text beginning with a blank give none, and "00" gives a line of 000000.
bool PointsGiveALine(std::string_view points);

// "0012345000150" for player 12345 with 150.
std::string ManualEntryLine(std::string_view number, std::string_view points);

// The file text of the rows that give a line, in grid order, each ending in CR LF.
std::string ManualEntryText(const std::vector<ManualRow>& rows);

// The type a colour's file has (gold, red or green).
MPType ManualEntryType(MPColour colour);

// The name proposed for a club's file: "CLUB", the club number, ".MP" and the colour's
// digit (green points of club 6785: CLUB6785.MP3).
std::string ManualEntryProposal(std::string_view club, MPColour colour);

// A visitor's name in the grid: given name, a blank, surname.
std::string VisitorName(std::string_view givenName, std::string_view surname);

// Every row that gives a line names its player: points without a number would be an
// award to player 0000000. Otherwise the first such row, counted from 1.
Status CheckManualRows(const std::vector<ManualRow>& rows);

// Every visitors' row that gives a line names a player of the register, as the look-up of
// Enter and Tab finds him (a number typed and left with the mouse was never looked up).
// Otherwise the first row that does not, counted from 1, with its number.
Status CheckVisitorNumbers(const std::vector<ManualRow>& rows, const PlayerRegister& national);

// Writes the rows' lines, none when a row that gives one has no number (CheckManualRows): a club's
// file replaces the chosen file; a visitors' file is appended to (created when absent) in one
// write.
Status SaveManualEntry(const std::filesystem::path& file, const std::vector<ManualRow>& rows,
                       bool append);

} // namespace mpsec
