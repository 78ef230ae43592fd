// The alternate-membership file read from any bytes: each line's fields are its own
// columns, the look-up by number finds a number's first line, and a club's members are the
// lines naming it, all as a plain walk over the lines finds them. Reading the file from a
// folder gives what reading its bytes gives.
#include "FuzzSupport.h"

#include "enquiries/AlternateMembers.h"

#include <set>

using namespace mpsec;
using mpsec::fuzz::Check;

namespace {

// Columns from..from+width-1 (1-based) of a line, as far as the line reaches.
std::string Columns(std::string_view line, std::size_t from, std::size_t width) {
    if (line.size() < from)
        return {};
    return std::string(line.substr(from - 1, width));
}

// Without blanks and control characters (bytes up to 32) at either end.
std::string Trimmed(std::string text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
        text.pop_back();
    std::size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    return text.substr(first);
}

bool Blank(const std::string& club) {
    return Trimmed(club).empty();
}

// The home club, then the ten further clubs: columns 38-41, 43-46, 48-51 ... 88-91.
std::vector<std::string> ClubsOf(std::string_view line) {
    std::vector<std::string> clubs{Columns(line, 38, 4)};
    for (std::size_t column = 43; column <= 88; column += 5)
        clubs.push_back(Columns(line, column, 4));
    return clubs;
}

bool NamesClub(std::string_view line, const std::string& club) {
    if (Blank(club))
        return false;
    for (const std::string& c : ClubsOf(line))
        if (c == club)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    AlternateMembers file;
    file.Assign(std::string(bytes));
    const LineList& lines = file.AlternateList();

    // The lines are the text's, cut at CR LF, LF or a bare CR.
    std::string joined;
    for (std::size_t i = 0; i < lines.Count(); ++i) {
        Check(lines[i].find_first_of("\r\n") == std::string_view::npos,
              "an alternate line holds no line ending");
        joined += lines[i];
    }
    std::string withoutEndings;
    for (char c : bytes)
        if (c != '\r' && c != '\n')
            withoutEndings += c;
    Check(joined == withoutEndings, "the alternate lines hold every byte but the line endings");

    std::set<std::string> clubs; // the clubs of a few lines, and a few no line names
    clubs.insert({"", "    ", "1101", "9999"});
    for (std::size_t i = 0; i < lines.Count(); ++i) {
        const std::string_view line = lines[i];
        const AlternateRecord record = file.GetAlternatePlayer(i);
        const std::vector<std::string> lineClubs = ClubsOf(line);
        Check(record.QMRNo == Trimmed(Columns(line, 1, 7)) &&
                  record.Surname == Trimmed(Columns(line, 9, 18)) &&
                  record.GivenName == Trimmed(Columns(line, 27, 10)),
              "an alternate line's number and names are its columns trimmed", std::string(line));
        Check(record.HomeClub == lineClubs[0], "the home club is columns 38-41 as they stand",
              std::string(line));
        for (std::size_t k = 0; k < record.OtherClubs.size(); ++k)
            Check(record.OtherClubs[k] == lineClubs[k + 1],
                  "a further club is its four columns as they stand",
                  std::string(line) + " slot " + std::to_string(k));
        Check(file.Number(i) == record.QMRNo, "a line's number is its record's");
    }
    for (std::size_t i : fuzz::Spread(0, lines.Count(), 8))
        for (const std::string& club : ClubsOf(lines[i])) {
            clubs.insert(club);
            clubs.insert(Trimmed(club));
        }

    for (const std::string& club : clubs) {
        std::vector<std::size_t> walked;
        for (std::size_t i = 0; i < lines.Count(); ++i) {
            const bool names = NamesClub(lines[i], club);
            Check(file.GetAlternatePlayer(i).IsMemberOf(club) == names &&
                      AlternateLineNamesClub(lines[i], club) == names,
                  "a line names a club when one of its eleven fields is the club exactly",
                  "club '" + club + "' line " + std::to_string(i));
            if (names)
                walked.push_back(i);
        }
        Check(file.ClubMembers(club) == walked, "a club's members are the lines naming it",
              "club '" + club + "'");
    }

    // Each number (and one no line has) as typed, with blanks around it.
    std::set<std::string> numbers{"", "0", "1234567"};
    for (std::size_t i : fuzz::Spread(0, lines.Count(), 16))
        numbers.insert(std::string(file.Number(i)));
    for (const std::string& number : numbers) {
        std::optional<std::size_t> first;
        for (std::size_t i = 0; i < lines.Count() && !first; ++i)
            if (Trimmed(Columns(lines[i], 1, 7)) == Trimmed(number))
                first = i;
        for (const std::string& typed : {number, " " + number + " "}) {
            Check(file.FindNumber(typed) == first, "a number is found on its first line",
                  "number '" + typed + "'");
            for (const std::string& club :
                 {std::string("1101"), first ? ClubsOf(lines[*first])[0] : std::string()})
                Check(file.IsMember(typed, club) == (first && NamesClub(lines[*first], club)),
                      "a player is a club's member when his first line names it",
                      "number '" + typed + "' club '" + club + "'");
        }
    }

    // The same bytes read from a file, in whatever letter case the file is named.
    const fuzz::ScratchFolder& folder = fuzz::Folder();
    folder.Empty();
    folder.Write(size % 2 ? "alternat.txt" : AlternateMembers::FileName, bytes);
    AlternateMembers loaded;
    Check(static_cast<bool>(loaded.LoadFrom(folder.Path())), "the alternate file is read");
    Check(loaded.Count() == file.Count(), "the file read holds the lines of its bytes");
    for (std::size_t i = 0; i < loaded.Count(); ++i)
        Check(loaded.AlternateList()[i] == lines[i], "the file read holds the lines of its bytes");
    folder.Empty();
    AlternateMembers missing;
    missing.Assign("   1234 STALE\r\n");
    Check(!missing.LoadFrom(folder.Path()) && missing.Count() == 0,
          "a missing alternate file is a failure and leaves no lines");
    return 0;
}
