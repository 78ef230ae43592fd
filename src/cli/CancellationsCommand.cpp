#include "cli/CancellationsCommand.h"

#include "cli/CurrentFolder.h"
#include "cli/Terminal.h"
#include "core/Files.h"
#include "core/TextHelpers.h"
#include "mpfiles/Cancellations.h"
#include "mpfiles/ClubMembers.h"

#include <algorithm>
#include <optional>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

bool AllDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

std::string WithoutLeadingZeros(const std::string& number) {
    const std::size_t first = number.find_first_not_of('0');
    return first == std::string::npos ? "0" : number.substr(first);
}

// What `mpsec cancellations` was asked to do.
struct CancellationsRequest {
    std::string Club;
    bool Yes = false;
    std::vector<std::string> Players;
};

// The options, or none when they are not a cancellation's (the usage says what they are).
std::optional<CancellationsRequest>
ParseCancellationsOptions(const std::vector<std::string>& args) {
    CancellationsRequest request;
    bool clubGiven = false, bad = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--yes") {
            request.Yes = true;
        } else if (args[i] == "--club" && !clubGiven && i + 1 < args.size()) {
            clubGiven = true;
            request.Club = args[++i];
        } else if (args[i].rfind("--", 0) == 0) {
            bad = true;
        } else {
            request.Players.push_back(args[i]);
        }
    }
    if (bad || !clubGiven || request.Players.empty())
        return std::nullopt;
    return request;
}

// The club's active home-club members, those named in `request` marked cancelled; none,
// after saying so on `err`, when one named is not such a member.
std::optional<std::vector<CancellationRow>>
MarkCancelledMembers(const PlayerRegister& national, const CancellationsRequest& request,
                     std::ostream& err) {
    const std::vector<ListedMember> members = HomeClubMembers(national, request.Club);
    std::vector<CancellationRow> rows;
    for (const ListedMember& member : members)
        rows.push_back({member.Number, true});
    for (const std::string& player : request.Players) {
        const auto marked = [&](const CancellationRow& row) {
            return AllDigits(player) &&
                   WithoutLeadingZeros(row.Number) == WithoutLeadingZeros(player);
        };
        auto found = std::find_if(rows.begin(), rows.end(), marked);
        if (found == rows.end()) {
            err << "mpsec cancellations: " << player
                << " is not an active home-club member of club " << request.Club
                << ". Nothing was written.\n";
            return std::nullopt;
        }
        for (; found != rows.end(); found = std::find_if(found + 1, rows.end(), marked))
            found->Active = false;
    }
    return rows;
}

} // namespace

int RunCancellationsCommand(const std::filesystem::path& dataFolder,
                            const std::vector<std::string>& args, const CivilDate& today,
                            std::ostream& out, std::ostream& err) {
    const std::optional<CancellationsRequest> request = ParseCancellationsOptions(args);
    if (!request) {
        err << kCancellationsUsage;
        return 2;
    }
    const std::string& club = request->Club;
    // The club box of the window takes up to four digits.
    if (club.size() > 4 || !AllDigits(club)) {
        err << "mpsec cancellations: the club number is up to four digits, such as 6785, not '"
            << club << "'\n";
        return 2;
    }
    CurrentFolder folder;
    if (!folder.Load(dataFolder, err, "cancellations", false))
        return 2;
    const std::optional<std::vector<CancellationRow>> rows =
        MarkCancelledMembers(folder.National, *request, err);
    if (!rows)
        return 2;
    const std::string name = CancellationFileName(club);
    const fs::path path = folder.Folder / PathFromText(name);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(path, ec)) && !request->Yes) {
        err << "mpsec cancellations: " << CancellationOverwriteQuestion(name)
            << "(give --yes to replace it)\n";
        return 1;
    }
    const std::string text =
        CancellationText(folder.National, *rows, club, CancellationDateStamp(today));
    if (Status written = WriteFileAtomically(path, text); !written) {
        err << "mpsec cancellations: cannot write " << name << ": " << written.Message() << "\n";
        return 2;
    }
    for (char c : ForTerminal(text))
        if (c != '\r')
            out << c;
    out << kOutputSavedAs << name << "\n";
    return 0;
}

} // namespace mpsec
