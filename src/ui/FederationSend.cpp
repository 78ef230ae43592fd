#include "ui/FederationSend.h"

#include "core/TextHelpers.h"
#include "email/SendLog.h"
#include "federation/FederationSend.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "ui/AppState.h"
#include "ui/RunPassword.h"

#include <QPushButton>

namespace fs = std::filesystem;

namespace mpsec {

QPushButton* MakeSendToFederationButton(QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("Se&nd to Federation"), parent);
    button->setToolTip(QStringLiteral("E-mail the file to the federation"));
    button->setAutoDefault(false);
    return button;
}

void OfferToSend(QPushButton* button, const fs::path& file) {
    button->setEnabled(FederationFileReady(file));
}

std::optional<QString> SendToFederation(Platform& platform, const AppState& state,
                                        FederationFile kind, const fs::path& file,
                                        const std::string& club) {
    const EmailSettings settings = ReadEmailSettings(platform.Settings());
    if (Status ready = CheckForSending(settings); !ready) {
        platform.Error(MessageText(ready.Message()) +
                       "\nSet up e-mail in Setup, E-mail Settings. Nothing was sent.");
        return std::nullopt;
    }
    FederationSetup setup;
    setup.Settings = settings;
    setup.DataFolder = state.DataFolder;
    if (!state.Settings.LastMPFolderUsed.empty())
        setup.MPFolder = PathFromText(state.Settings.LastMPFolderUsed);
    setup.National = &state.National;
    if (!club.empty()) {
        const std::string described = state.Clubs.GetClubDescription(club);
        setup.Club = Latin1ToUtf8(described.empty() ? club : described);
    }
    const SendLog log(state.DataFolder / SendLog::FileName);
    Result<FederationSending> sending = PrepareFederationSending(kind, file, setup, &log);
    if (!sending) {
        platform.Error(MessageText(sending.Message()) + "\nNothing was sent.");
        return std::nullopt;
    }
    for (const std::string& question : sending->Questions)
        if (!platform.WarningYesNo(MessageText(question)))
            return std::nullopt;
    std::string password;
    if (!settings.User.empty()) {
        const std::optional<std::string> given = RunPassword(platform, settings);
        if (!given)
            return std::nullopt;
        password = *given;
    }
    const QString names = MessageText(FileNamesText(sending->Files));
    FederationOutcome outcome;
    platform.Busy([&] {
        const std::unique_ptr<MailTransport> transport = platform.MailServer(settings, password);
        if (transport)
            outcome = SendFederationMessage(*sending, *transport, &log, SendLogTimeNow());
        else
            outcome.Problem = "the e-mail library could not be started";
    });
    if (!outcome.Sent) {
        platform.Error(names + " not sent: " + MessageText(outcome.Problem) + ".");
        return std::nullopt;
    }
    if (!outcome.Problem.empty())
        platform.Error(MessageText(outcome.Problem) + ".");
    const std::size_t count = sending->Files.size();
    return names + (count == 1 ? " was" : " were") + " sent to the federation at " +
           QString::fromStdString(sending->Message.RecipientAddress) +
           (outcome.Reply.empty() ? QString(".")
                                  : ".\nThe server said: " + MessageText(outcome.Reply));
}

} // namespace mpsec
