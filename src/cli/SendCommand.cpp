#include "cli/SendCommand.h"

#include "cli/Cli.h"
#include "cli/CurrentFolder.h"
#include "cli/EmailCommand.h"
#include "core/Files.h"
#include "core/SystemCalls.h"
#include "core/TextHelpers.h"
#include "email/CurlTransport.h"
#include "email/MessageFolder.h"
#include "federation/FederationSend.h"
#include "mpfiles/Cancellations.h"
#include "register/DataFolder.h"
#include "submissions/SubmissionFiles.h"

#include <cerrno>
#include <memory>
#include <optional>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

struct SendRequest {
    FederationFile Kind = FederationFile::PlayerDetails;
    std::string Club, DryRun;
    bool Yes = false;
};

std::optional<SendRequest> ParseSendOptions(const std::vector<std::string>& args) {
    SendRequest request;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--yes")
            request.Yes = true;
        else if (args[i] == "--dry-run" && i + 1 < args.size() && request.DryRun.empty())
            request.DryRun = args[++i];
        else if (args[i].rfind("--", 0) == 0)
            return std::nullopt;
        else
            words.push_back(args[i]);
    }
    if (words.empty())
        return std::nullopt;
    const std::optional<FederationFile> kind = FederationKindNamed(words[0]);
    if (!kind || words.size() != (*kind == FederationFile::Cancellations ? 2u : 1u))
        return std::nullopt;
    request.Kind = *kind;
    if (words.size() == 2)
        request.Club = words[1];
    return request;
}

} // namespace

int RunSendCommand(const fs::path& where, const std::vector<std::string>& args,
                   const AppSettings& appSettings, SettingsStore* store, std::ostream& out,
                   std::ostream& err, CredentialStore* credentials) {
    const std::optional<SendRequest> request = ParseSendOptions(args);
    if (!request) {
        err << CommandUsage("send");
        return 2;
    }
    // The club names a file in the folder: digits only, so it names no other folder.
    if (request->Kind == FederationFile::Cancellations &&
        (request->Club.empty() || request->Club.size() > 4 ||
         request->Club.find_first_not_of("0123456789") != std::string::npos)) {
        err << "mpsec send: the club is its number of up to four digits, such as 6785, not '"
            << request->Club << "'\n";
        return 2;
    }
    if (!store) {
        err << "mpsec send: the e-mail settings cannot be reached\n";
        return 2;
    }
    const EmailSettings settings = ReadEmailSettings(*store);
    if (Status ready = request->DryRun.empty() ? CheckForSending(settings) : Status(); !ready) {
        err << "mpsec send: " << ready.Message() << " (mpsec email --help)\n";
        return 2;
    }

    CurrentFolder folder;
    folder.Folder = WholePath(where);
    const bool awards = request->Kind == FederationFile::Awards;
    if (awards && !folder.Load(where, err, "send"))
        return 2;
    const std::string club =
        request->Kind == FederationFile::Cancellations ? request->Club : appSettings.LastClubNo;
    FederationSetup setup;
    setup.Settings = settings;
    setup.DataFolder = folder.Folder;
    if (!appSettings.LastMPFolderUsed.empty())
        setup.MPFolder = PathFromText(appSettings.LastMPFolderUsed);
    setup.National = awards ? &folder.National : nullptr;
    // The subject names the club as the club register does, or by its number alone when
    // the register cannot be read.
    if (!club.empty()) {
        const bool clubs = awards || LoadClubRegister(folder.Folder, folder.Clubs).Ok();
        const std::string described = clubs ? folder.Clubs.GetClubDescription(club) : "";
        setup.Club = described.empty() ? club : Latin1ToUtf8(described);
    }

    const char* fileName =
        request->Kind == FederationFile::PlayerDetails ? kPlayerSubmission.FileName
        : awards                                       ? kAwardsSubmission.FileName
        : request->Kind == FederationFile::Adjustments ? kAdjustmentSubmission.FileName
                                                       : nullptr;
    const std::string name = fileName ? fileName : CancellationFileName(request->Club);
    const fs::path file = FindFileNoCase(folder.Folder, name);
    if (!FederationFileReady(file)) {
        err << "mpsec send: " << name << " is not in " << PathText(folder.Folder)
            << " or is empty: nothing to send\n";
        return 2;
    }
    const SendLog log(folder.Folder / SendLog::FileName);
    const Result<FederationSending> sending =
        PrepareFederationSending(request->Kind, file, setup, &log);
    if (!sending) {
        err << "mpsec send: " << sending.Message() << "\n";
        return 2;
    }
    for (const std::string& question : sending->Questions)
        err << "mpsec send: " << question << "\n";
    if (!sending->Questions.empty() && !request->Yes) {
        err << "mpsec send: nothing sent (--yes sends it all the same)\n";
        return 1;
    }

    std::unique_ptr<MailTransport> transport;
    if (request->DryRun.empty()) {
        const std::optional<std::string> password =
            CommandLinePassword(settings, credentials, err,
                                [](std::string& line) { return os::ReadLineUnechoed(line); });
        if (!password) {
            err << "mpsec send: no password given; nothing sent\n";
            return 1;
        }
        transport = std::make_unique<CurlTransport>(settings, *password);
    } else {
        if (os::CreateFolders(folder.Named(request->DryRun)) != 0) {
            err << "mpsec send: cannot make the folder " << request->DryRun << ": "
                << os::ErrorText(errno) << "\n";
            return 2;
        }
        transport = std::make_unique<MessageFolder>(folder.Named(request->DryRun));
    }
    const FederationOutcome outcome = SendFederationMessage(
        *sending, *transport, request->DryRun.empty() ? &log : nullptr, SendLogTimeNow());
    if (!outcome.Sent) {
        err << "mpsec send: " << FileNamesText(sending->Files) << " not sent: " << outcome.Problem
            << "\n";
        return 1;
    }
    out << FileNamesText(sending->Files) << (request->DryRun.empty() ? " sent to " : " for ")
        << sending->Message.RecipientAddress << ": " << outcome.Reply << "\n";
    if (!outcome.Problem.empty()) {
        err << "mpsec send: " << outcome.Problem << "\n";
        return 1;
    }
    return 0;
}

} // namespace mpsec
