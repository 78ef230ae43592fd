#pragma once
#include "core/Result.h"
#include "register/PlayerRegister.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// Whether the player at this register line gets a statement in a club's run: his home
// club is the club typed, exactly (so inactive members never match), and his surname's
// first letter lies between From and To (InLetterRange).
bool InClubRun(const PlayerRecord& player, std::string_view club, std::string_view from,
               std::string_view to);

// Whether the first letter of the player's surname lies between From and To, compared as
// text after a small letter is taken as its capital and an accented Latin-1 letter as its
// base letter (É as E, ñ as N, Ø as O); an empty surname is before every letter.
bool InLetterRange(const PlayerRecord& player, std::string_view from, std::string_view to);

// The register lines of a club's run, in register order.
std::vector<std::size_t> ClubRunLines(const PlayerRegister& national, std::string_view club,
                                      std::string_view from, std::string_view to);

// The register lines of a run over a whole state (the first digit of the club number) or,
// with an empty `state`, the whole federation: every active member whose home club is a
// four-digit club number and whose surname's first letter lies between From and To, in
// register order. The whole federation leaves out the clubs numbered from 9000, which the
// club register keeps apart (9997 holds the deleted players); they are run by naming them.
std::vector<std::size_t> StateRunLines(const PlayerRegister& national, std::string_view state,
                                       std::string_view from, std::string_view to);

// Where the statement screen's ">>" (forward) or "<<" lands from register line `line`: the
// next (or previous) line whose home club is `club` exactly, and whether its statement is
// shown (an inactive member is reached but not shown); the register's last line going
// forward, or line 0 going back, when no such line remains.
struct ClubStep {
    std::size_t Line = 0;
    bool Show = false;
};
ClubStep StepThroughClub(const PlayerRegister& national, std::size_t line, std::string_view club,
                         bool forward);

// Whether a club's run has members to print; it fails, saying why, when the club number is
// not four digits, names no club of the club register (`describeClub` gives an empty
// text), or the club has no active member in the letter range.
Status ClubRunCanPrint(const PlayerRegister& national,
                       const std::function<std::string(std::string_view)>& describeClub,
                       std::string_view club, std::string_view from, std::string_view to);

// What the end of a run says: how many statements were printed, whether the run was
// cancelled, and the folder of the PDF files when they were written to files.
std::string ClubRunDoneText(int printed, bool cancelled, const std::string& pdfFolder);

// The PDF file name of a member's statement: number and surname, e.g. "12345 O'DARVEN.pdf";
// characters a file name cannot hold become "_". The register's letters beyond ASCII (É, ç)
// are those letters in the name on disk.
std::filesystem::path StatementPdfName(const PlayerRecord& player);

} // namespace mpsec
