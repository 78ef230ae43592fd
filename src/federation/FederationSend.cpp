#include "federation/FederationSend.h"

#include "core/FileReading.h"
#include "core/LineList.h"
#include "core/Sha256.h"
#include "core/SystemCalls.h"
#include "core/TextHelpers.h"
#include "federation/CoverPage.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

struct KindTexts {
    FederationFile Kind;
    const char* Name;
    const char* Title;
};

constexpr KindTexts kKinds[] = {
    {FederationFile::PlayerDetails, "player-details", "Player details"},
    {FederationFile::Awards, "awards", "Award cover page and masterpoint files"},
    {FederationFile::Adjustments, "adjustments", "Award adjustment applications"},
    {FederationFile::Cancellations, "cancellations", "Annual membership cancellations"},
};

const KindTexts& TextsOf(FederationFile kind) {
    for (const KindTexts& texts : kKinds)
        if (texts.Kind == kind)
            return texts;
    return kKinds[0];
}

std::string Plural(std::size_t n, const char* one, const char* many) {
    return n == 1 ? one : many;
}

} // namespace

const char* FederationKindName(FederationFile kind) {
    return TextsOf(kind).Name;
}

std::optional<FederationFile> FederationKindNamed(std::string_view name) {
    for (const KindTexts& texts : kKinds)
        if (name == texts.Name)
            return texts.Kind;
    return std::nullopt;
}

bool FederationFileReady(const fs::path& file) {
    std::error_code ec;
    return os::EntryAt(file) == os::Entry::PlainFile && fs::file_size(file, ec) > 0 && !ec;
}

std::string FileNamesText(const std::vector<LoggedFile>& files) {
    std::string text;
    for (std::size_t i = 0; i < files.size(); ++i)
        text += (i == 0 ? "" : i + 1 == files.size() ? " and " : ", ") + files[i].Name;
    return text;
}

Result<FederationSending> PrepareFederationSending(FederationFile kind, const fs::path& file,
                                                   const FederationSetup& setup,
                                                   const SendLog* log) {
    const std::string name = PathText(file.filename());
    const std::string& address = setup.Settings.Federation.For(kind);
    if (address.empty())
        return Failure{"No address of the federation is set in the e-mail settings."};
    if (!IsAddressShape(address))
        return Failure{"The federation's address '" + address + "' is not an e-mail address."};
    FederationSending sending;
    sending.Kind = kind;
    std::string bytes;
    if (Status read = ReadFileBytes(file, bytes); !read)
        return Failure{"Cannot read " + name + ": " + read.Message()};
    if (bytes.empty())
        return Failure{name + " is empty: there is nothing to send."};
    sending.Message.Attachments.push_back({name, std::move(bytes)});
    if (kind == FederationFile::Awards) {
        static const PlayerRegister none;
        const auto check =
            CheckCoverPage(LineList(sending.Message.Attachments[0].Bytes), setup.MPFolder,
                           setup.DataFolder, setup.National ? *setup.National : none);
        if (!check)
            return Failure{check.Message()};
        sending.Questions = check->Questions;
        for (const CoverPageFile& named : check->Files)
            sending.Message.Attachments.push_back({PathText(named.Path.filename()), named.Bytes});
    }
    for (const MailAttachment& attachment : sending.Message.Attachments)
        sending.Files.push_back(
            {attachment.Name, attachment.Bytes.size(), Sha256Hex(attachment.Bytes)});

    if (log) {
        const auto sent = log->FederationSent(FederationKindName(kind));
        if (!sent)
            return Failure{sent.Message()};
        auto sorted = [](std::vector<LoggedFile> files) {
            std::sort(files.begin(), files.end(),
                      [](const LoggedFile& a, const LoggedFile& b) { return a.Name < b.Name; });
            return files;
        };
        const std::vector<LoggedFile> now = sorted(sending.Files);
        for (auto record = sent->rbegin(); record != sent->rend(); ++record)
            if (sorted(record->Files) == now) {
                const std::size_t n = sending.Files.size();
                sending.Questions.insert(sending.Questions.begin(),
                                         FileNamesText(sending.Files) + Plural(n, " was", " were") +
                                             " sent to the federation on " + record->When +
                                             ", as " + Plural(n, "it is", "they are") +
                                             " now. Send " + Plural(n, "it", "them") + " again?");
                break;
            }
    }

    const KindTexts& texts = TextsOf(kind);
    MailMessage& m = sending.Message;
    m.SenderName = setup.Settings.SenderName;
    m.SenderAddress = setup.Settings.SenderAddress;
    m.RecipientAddress = address;
    m.Subject = std::string(texts.Title) + (setup.Club.empty() ? "" : " from club " + setup.Club);
    m.Body = m.Subject + ".\n\nAttached:\n";
    for (const LoggedFile& attached : sending.Files)
        m.Body += "  " + attached.Name + " (" + std::to_string(attached.Size) +
                  Plural(attached.Size, " byte", " bytes") + ")\n";
    if (!m.SenderName.empty())
        m.Body += "\n" + m.SenderName + "\n";
    return sending;
}

FederationOutcome SendFederationMessage(const FederationSending& sending, MailTransport& transport,
                                        const SendLog* log, const std::string& when) {
    const SendOutcome outcome = transport.Send(sending.Message);
    if (outcome.What != SendOutcome::Kind::Accepted)
        return {false, outcome.Reply, outcome.Problem};
    FederationOutcome result{true, outcome.Reply, ""};
    if (log)
        if (Status recorded = log->RecordFederation(when, FederationKindName(sending.Kind),
                                                    sending.Message.RecipientAddress, outcome.Reply,
                                                    sending.Files);
            !recorded)
            result.Problem = recorded.Message() + " (the files were sent, but the log does not "
                                                  "say so)";
    return result;
}

} // namespace mpsec
