#include "cli/PlayerCommand.h"

#include "cli/CurrentFolder.h"
#include "cli/Terminal.h"
#include "core/AsciiText.h"
#include "core/Files.h"
#include "core/TextHelpers.h"
#include "enquiries/PlayerLookup.h"
#include "register/ClubRegister.h"

namespace mpsec {

int RunPlayerCommand(const std::filesystem::path& dataFolder, const std::vector<std::string>& args,
                     std::ostream& out, std::ostream& err) {
    if (args.empty() || args.size() > 2) {
        err << "Usage: mpsec player NUMBER | SURNAME [INITIAL]\n";
        return 2;
    }
    CurrentFolder folder;
    if (!folder.Load(dataFolder, err, "player"))
        return 2;
    const PlayerRegister& national = folder.National;
    const auto describe = folder.ClubDescription();

    const std::string& first = args[0];
    if (first.find_first_not_of("0123456789") == std::string::npos) {
        const std::optional<std::string> number = CommandLineNumber(first);
        if (!number) {
            err << "mpsec player: a player number has at most 7 digits, not '" << first << "'\n";
            return 2;
        }
        const std::size_t line = national.FindPlayerByNumber(*number);
        if (line == 0) {
            err << "mpsec player: " << std::string(TrimBlanks(kNoPlayerWithNumber)) << "\n";
            return 1;
        }
        for (const std::string& text : PlayerViewText(national.GetPlayer(line), describe))
            out << ForTerminal(text) << "\n";
        return 0;
    }
    const std::size_t line =
        national.FindPlayerBySurname(UpperAscii(first), args.size() > 1 ? UpperAscii(args[1]) : "");
    if (line == 0) {
        err << "mpsec player: no player found for that surname\n";
        return 1;
    }
    out << "Select Required Player\n";
    std::size_t at = line;
    for (const std::string& entry : SurnameSelection(national, line))
        out << PadLeft(national.GetPlayer(at++).QMRNo, 7, ' ') << "  " << ForTerminal(entry)
            << "\n";
    return 0;
}

} // namespace mpsec
