#pragma once
#include "core/Result.h"
#include "email/EmailSettings.h"
#include "email/MailTransport.h"
#include "email/SendLog.h"
#include "register/PlayerRegister.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// A kind's name on the command line and in the send log: "player-details", "awards",
// "adjustments", "cancellations".
const char* FederationKindName(FederationFile kind);
std::optional<FederationFile> FederationKindNamed(std::string_view name);

// Whether a file can be sent: it is there and holds something.
bool FederationFileReady(const std::filesystem::path& file);

// What a message to the federation is made from.
struct FederationSetup {
    EmailSettings Settings;
    std::filesystem::path DataFolder;
    std::filesystem::path MPFolder;           // where the masterpoint files are looked for first
    std::string Club;                         // the club as the subject names it (UTF-8), or empty
    const PlayerRegister* National = nullptr; // the award files are checked against it
};

// A message of files for the federation, to be sent once each question is answered Yes.
struct FederationSending {
    FederationFile Kind = FederationFile::PlayerDetails;
    MailMessage Message;
    std::vector<LoggedFile> Files; // each attachment's name, size and digest, in order
    std::vector<std::string> Questions;
};

// The message of `kind`'s file: the file attached under its own name, bytes unchanged, and
// for the award cover page every masterpoint file its lines name (checked, see
// CheckCoverPage); to the kind's address, from the club's sender. The same content sent
// before (the same kind, names, sizes and digests in `log`) gives a question naming when.
// Fails when the file is missing or empty, when no federation address is set, or when a
// file or the log cannot be read.
Result<FederationSending> PrepareFederationSending(FederationFile kind,
                                                   const std::filesystem::path& file,
                                                   const FederationSetup& setup,
                                                   const SendLog* log);

// What became of a message.
struct FederationOutcome {
    bool Sent = false;
    std::string Reply;   // the server's words when it took the message
    std::string Problem; // what failed: not sent, or sent and not recorded
};

// Sends the message; one the server took is recorded in `log` (none: a dry run) at once,
// with `when` ("YYYY-MM-DD HH:MM:SS"). The files themselves are never changed.
FederationOutcome SendFederationMessage(const FederationSending& sending, MailTransport& transport,
                                        const SendLog* log, const std::string& when);

// The files of a message, "PLAYER.TXT" or "AWARDS.TXT, 3104126.gld and 3104226.red".
std::string FileNamesText(const std::vector<LoggedFile>& files);

} // namespace mpsec
