// The player register read from any bytes: each player is parsed from his own line alone,
// and the number and surname look-ups agree with a plain walk over the lines.
#include "FuzzSupport.h"

#include "core/AsciiText.h"
#include "core/Columns.h"
#include "core/TextHelpers.h"
#include "register/PlayerRegister.h"

#include <cstring>
#include <memory>

using namespace mpsec;
using mpsec::fuzz::Check;

namespace {

// The first line whose first 7 characters are the typed number, right-aligned in blanks
// after its leading zeros are dropped (a longer number is cut to 7, as the register's own
// tests state); 0 when none.
std::size_t ScanForNumber(const LineList& lines, std::string_view typed) {
    while (typed.size() > 1 && typed.front() == '0')
        typed.remove_prefix(1);
    if (typed.empty())
        return 0;
    typed = typed.substr(0, 7);
    const std::string key = std::string(7 - typed.size(), ' ') + std::string(typed);
    for (std::size_t i = 1; i < lines.Count(); ++i)
        if (lines[i].substr(0, 7) == key)
            return i;
    return 0;
}

// The first line whose surname columns (9-26) are not below the surname padded to 18.
std::size_t ScanForSurname(const LineList& lines, std::string_view surname) {
    const std::string key = PadRight(surname, 18, ' ');
    for (std::size_t i = 1; i < lines.Count(); ++i)
        if (Cols(lines[i], 9, 18).compare(key) >= 0)
            return i;
    return 0;
}

std::string Show(std::string_view text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c >= 32 && c < 127) {
            shown += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            shown += hex;
        }
    }
    return "'" + shown + "'";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PlayerRegister national;
    national.Assign(std::string(fuzz::AsText(data, size)));
    const LineList& lines = national.NationalList();
    Check(national.GetPlayer(0) == PlayerRecord{} &&
              national.GetPlayer(lines.Count()) == PlayerRecord{},
          "line 0 and lines past the end are no player");

    for (std::size_t i = 1; i < lines.Count(); ++i) {
        const std::string_view line = lines[i];
        Check(line.find('\n') == std::string_view::npos &&
                  line.find('\r') == std::string_view::npos,
              "a register line holds no line ending", Show(line));
        Check(national.NumberIndex(i - 1) == line.substr(0, 7), "the number index is the line's",
              Show(line));
        // The same line in a buffer of its own: reading past its end is an address error.
        std::unique_ptr<char[]> alone(new char[line.size() + 1]);
        std::memcpy(alone.get(), line.data(), line.size());
        const PlayerRecord expected = ParsePlayerLine(std::string_view(alone.get(), line.size()),
                                                      ShippedGivenNameCorrection());
        Check(national.GetPlayer(i) == expected, "GetPlayer reads its line alone", Show(line));
    }

    // Numbers and surnames taken from the input, as typed and as a user might vary them.
    for (std::size_t i : fuzz::Spread(1, lines.Count(), 8)) {
        const std::string_view head = lines[i].substr(0, 7);
        const std::string typed(TrimBlanks(head));
        for (const std::string& number :
             {std::string(head), typed, "0" + typed, "00" + typed, typed + "0", typed + "9"}) {
            Check(national.FindPlayerByNumber(number) == ScanForNumber(lines, number),
                  "FindPlayerByNumber agrees with a walk over the lines",
                  "number " + Show(number) + ": index " +
                      std::to_string(national.FindPlayerByNumber(number)) + ", walk " +
                      std::to_string(ScanForNumber(lines, number)));
        }
        const std::string surname(TrimBlanks(Cols(lines[i], 9, 18)));
        for (const std::string& key : {surname, surname.substr(0, 2), surname + "A"}) {
            Check(national.FindPlayerBySurname(key, "") == ScanForSurname(lines, key),
                  "FindPlayerBySurname agrees with a walk over the lines",
                  "surname " + Show(key) + ": index " +
                      std::to_string(national.FindPlayerBySurname(key, "")) + ", walk " +
                      std::to_string(ScanForSurname(lines, key)));
        }
    }
    return 0;
}
