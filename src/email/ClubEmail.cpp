#include "email/ClubEmail.h"

#include "core/FileReading.h"
#include "core/Files.h"
#include "core/SystemCalls.h"
#include "core/TextHelpers.h"
#include "statements/ClubRun.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <system_error>

namespace fs = std::filesystem;

namespace mpsec {

Result<ClubEmail> PrepareClubEmail(const EmailSettings& settings, const PlayerRegister& national,
                                   const std::function<std::string(std::string_view)>& describe,
                                   std::string_view club, std::string_view from,
                                   std::string_view to, const fs::path& dataFolder,
                                   std::optional<CivilDate> registerDate, CivilDate today) {
    if (settings.AddressesFile.empty())
        return Failure{"No list of the members' addresses is set in the e-mail settings."};
    Result<AddressList> addresses = ReadAddressList(PathFromText(settings.AddressesFile));
    if (!addresses)
        return Failure{addresses.Message()};
    const std::string year = std::to_string(registerDate ? registerDate->Year : today.Year);
    SendLog log(dataFolder / SendLog::FileName);
    const auto sent = log.SentTo(club, year);
    if (!sent)
        return Failure{sent.Message()};
    std::vector<PlayerRecord> members;
    for (std::size_t line : ClubRunLines(national, club, from, to))
        members.push_back(national.GetPlayer(line));
    // "3104 ARDEN BRIDGE CLUB": the name after the number.
    std::string clubName = describe(club);
    if (clubName.rfind(std::string(club) + " ", 0) == 0)
        clubName.erase(0, club.size() + 1);
    return ClubEmail{EmailRunSetup{std::string(club), clubName, year, settings},
                     PlanEmailRun(members, addresses->ByNumber, sent.Value()),
                     std::move(addresses.Value().Problems), std::move(log)};
}

std::string AddressProblemsText(const std::string& file,
                                const std::vector<AddressProblem>& problems, std::size_t shown) {
    const std::size_t n = problems.size();
    std::string text = std::to_string(n) + (n == 1 ? " line" : " lines") + " of the address list " +
                       file + (n == 1 ? " gives" : " give") + " no address:\n";
    for (std::size_t i = 0; i < n && i < shown; ++i)
        text += "  line " + std::to_string(problems[i].Line) + ": " + problems[i].Why + "\n";
    if (n > shown)
        text += "  and " + std::to_string(n - shown) + " more\n";
    return text;
}

StatementScratchFolder::StatementScratchFolder() {
    std::error_code ec;
    path_ = fs::temp_directory_path(ec) / ("mpsec-email-" + std::to_string(os::ProcessId()));
    if (os::CreateFolders(path_) != 0) {
        problem_ = "cannot make the folder " + PathText(path_) + ": " + os::ErrorText(errno);
        path_.clear();
    }
}

StatementScratchFolder::~StatementScratchFolder() {
    if (!path_.empty())
        os::RemoveFolder(path_);
}

StatementPdf StatementPdfThroughFolder(const fs::path& folder, ComposeStatement compose,
                                       WriteStatementPdf write) {
    return [folder, compose = std::move(compose),
            write = std::move(write)](const PlayerRecord& member) -> Result<std::string> {
        Result<ComposedDocument> document = compose(member);
        if (!document)
            return Failure{document.Message()};
        const fs::path file = folder / StatementPdfName(member);
        if (Status written = write(document.Value(), file); !written)
            return Failure{written.Message()};
        std::string bytes;
        const Status read = ReadFileBytes(file, bytes);
        os::Remove(file);
        if (!read)
            return Failure{read.Message()};
        return bytes;
    };
}

} // namespace mpsec
