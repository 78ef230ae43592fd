// The club register read from any bytes: every line's commas are where the line has them,
// and a club code is described from the first line of its number or not at all.
#include "FuzzSupport.h"

#include "core/TextHelpers.h"
#include "register/ClubRegister.h"

using namespace mpsec;
using mpsec::fuzz::Check;

namespace {

// The text between comma k-1 and comma k (from the line's start for k = 1); empty when
// comma k is missing.
std::string FieldByWalk(std::string_view line, int k) {
    std::size_t begin = 0;
    for (int comma = 1;; ++comma) {
        const std::size_t at = line.find(',', begin);
        if (at == std::string_view::npos)
            return {};
        if (comma == k)
            return std::string(line.substr(begin, at - begin));
        begin = at + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ClubRegister clubs;
    clubs.Assign(std::string(fuzz::AsText(data, size)));
    const LineList& lines = clubs.ClubList();

    for (std::size_t i = 0; i < lines.Count(); ++i) {
        const std::string_view line = lines[i];
        const CommaTable table = clubs.ParseTheClubList(i);
        std::size_t commas = 0;
        for (std::size_t at = 0; at < line.size(); ++at)
            if (line[at] == ',') {
                Check(commas < table.Positions().size() && table.Positions()[commas] == at + 1,
                      "the comma table holds every comma at its column");
                ++commas;
            }
        Check(table.Positions().size() == commas, "the comma table holds only the commas");
        for (int k = 1; k <= static_cast<int>(commas) + 1; ++k)
            Check(table.Field(k) == FieldByWalk(line, k), "a field is the text between its commas",
                  "field " + std::to_string(k) + " of line " + std::to_string(i));
        Check(SecretaryEntry(table).size() == 3, "a secretary entry has three lines");
    }
    Check(clubs.ParseTheClubList(lines.Count()).Positions().empty(), "no line past the end");

    // Codes from the input, as a club number, a home club (3-104) and an inactive one (3i104).
    for (std::size_t i : fuzz::Spread(0, lines.Count(), 6)) {
        const std::string number(lines[i].substr(0, 4));
        if (number.empty())
            continue;
        std::size_t first = lines.Count();
        for (std::size_t j = 0; j < lines.Count() && first == lines.Count(); ++j)
            if (lines[j].substr(0, 4) == number)
                first = j;
        // Codes whose own '-' or 'i' would be taken for the home club's.
        if (number.find_first_of("-i") != std::string::npos)
            continue;
        const std::string description =
            FieldByWalk(lines[first], 1) + " " + FieldByWalk(lines[first], 2);
        const std::string dashed = number.substr(0, 1) + "-" + number.substr(1);
        const std::string inactive = number.substr(0, 1) + "i" + number.substr(1);
        Check(clubs.GetClubDescription(number) == description,
              "a club number is described from the first line of its number", number);
        Check(clubs.GetClubDescription(dashed) == description,
              "a home club is described like its club number", dashed);
        Check(clubs.GetClubDescription(inactive) ==
                  TitleCase("Inactive - Last Club: " + description),
              "an inactive member's club names his last club", inactive);
    }
    Check(clubs.GetClubDescription("").empty() && clubs.GetClubDescription("-").empty() &&
              clubs.GetClubDescription("i").empty(),
          "an empty code names no club");
    return 0;
}
