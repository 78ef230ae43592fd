#include "statements/ClubRun.h"

#include "core/TextHelpers.h"

namespace mpsec {

namespace {

// The letter a surname is filed under: a small letter as its capital, and a Latin-1 letter
// (0xC0 and above) as its base letter, so ÉCOLE is under E and ñandú under N. Other
// characters stay as they are.
char FiledLetter(char first) {
    const auto c = static_cast<unsigned char>(first);
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 'a' + 'A');
    // ÀÁÂÃÄÅÆÇ ÈÉÊËÌÍÎÏ ÐÑÒÓÔÕÖ× ØÙÚÛÜÝÞß; the small letters are 32 places higher, but ÿ.
    constexpr std::string_view kBaseLetters = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUYTS";
    if (c < 0xC0 || c == 0xD7 || c == 0xF7) // the signs × and ÷ are no letters
        return first;
    if (c == 0xFF)
        return 'Y';
    return kBaseLetters[(c - 0xC0) % 32];
}

} // namespace

bool InLetterRange(const PlayerRecord& player, std::string_view from, std::string_view to) {
    // An empty surname stays empty: before every letter.
    const char letter = player.Surname.empty() ? '\0' : FiledLetter(player.Surname[0]);
    const std::string_view first(&letter, player.Surname.empty() ? 0 : 1);
    return !(first < from) && !(first > to);
}

bool InClubRun(const PlayerRecord& player, std::string_view club, std::string_view from,
               std::string_view to) {
    return player.HomeClub == club && InLetterRange(player, from, to);
}

std::vector<std::size_t> ClubRunLines(const PlayerRegister& national, std::string_view club,
                                      std::string_view from, std::string_view to) {
    std::vector<std::size_t> lines;
    for (std::size_t i = 1; i < national.Count(); ++i)
        if (InClubRun(national.GetPlayer(i), club, from, to))
            lines.push_back(i);
    return lines;
}

std::vector<std::size_t> StateRunLines(const PlayerRegister& national, std::string_view state,
                                       std::string_view from, std::string_view to) {
    std::vector<std::size_t> lines;
    for (std::size_t i = 1; i < national.Count(); ++i) {
        const PlayerRecord player = national.GetPlayer(i);
        const std::string& club = player.HomeClub;
        if (club.size() == 4 && club.find_first_not_of("0123456789") == std::string::npos &&
            (state.empty() ? club[0] != '9' : club.compare(0, state.size(), state) == 0) &&
            InLetterRange(player, from, to))
            lines.push_back(i);
    }
    return lines;
}

ClubStep StepThroughClub(const PlayerRegister& national, std::size_t line, std::string_view club,
                         bool forward) {
    const std::size_t last = national.NumberIndexCount();
    for (;;) {
        if (forward ? line >= last : line == 0)
            return {line, false};
        line = forward ? line + 1 : line - 1;
        if (line == 0)
            return {0, false};
        const PlayerRecord player = national.GetPlayer(line);
        if (player.HomeClub == club)
            return {line, !IsInactive(player)};
    }
}

Status ClubRunCanPrint(const PlayerRegister& national,
                       const std::function<std::string(std::string_view)>& describeClub,
                       std::string_view club, std::string_view from, std::string_view to) {
    const std::string number(club);
    if (number.size() != 4 || number.find_first_not_of("0123456789") != std::string::npos)
        return Failure{"Enter a club number of four digits, eg 6785."};
    if (!describeClub || describeClub(number).empty())
        return Failure{"Club " + number + " is not in the club register."};
    for (std::size_t i = 1; i < national.Count(); ++i)
        if (InClubRun(national.GetPlayer(i), number, from, to))
            return {};
    return Failure{"Club " + number + " has no active member with a surname from " +
                   std::string(from) + " to " + std::string(to) + "."};
}

std::string ClubRunDoneText(int printed, bool cancelled, const std::string& pdfFolder) {
    std::string text = std::to_string(printed) + (printed == 1 ? " statement" : " statements");
    if (pdfFolder.empty())
        text += " printed";
    else
        text +=
            (printed == 1 ? " written as a PDF file in " : " written as PDF files in ") + pdfFolder;
    return (cancelled ? "Cancelled. " : "") + text + ".";
}

std::filesystem::path StatementPdfName(const PlayerRecord& player) {
    std::string name = player.QMRNo + " " + player.Surname;
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|' || static_cast<unsigned char>(c) < 32)
            c = '_';
    return PathFromLatin1(name + ".pdf");
}

} // namespace mpsec
