#include "email/EmailSettings.h"

#include "core/AsciiText.h"

#include <charconv>
#include <cstring>

namespace mpsec {

const std::string& FederationAddresses::For(FederationFile kind) const {
    const std::string* own = &PlayerDetails;
    switch (kind) {
    case FederationFile::Awards:
        own = &Awards;
        break;
    case FederationFile::Adjustments:
        own = &Adjustments;
        break;
    case FederationFile::Cancellations:
        own = &Cancellations;
        break;
    case FederationFile::PlayerDetails:
        break;
    }
    return own->empty() ? Default : *own;
}

EmailSettings DefaultEmailSettings() {
    EmailSettings s;
    s.Subject = "Your masterpoint award statement for {year}";
    s.Body = "Dear {name},\n\n"
             "Attached is your masterpoint award statement for {year} from {club name} "
             "({club number}).\n\n"
             "Kind regards,\n"
             "{sender}\n";
    return s;
}

const char* SecurityName(MailSecurity security) {
    switch (security) {
    case MailSecurity::Ssl:
        return "ssl";
    case MailSecurity::None:
        return "none";
    case MailSecurity::StartTls:
        break;
    }
    return "starttls";
}

std::optional<MailSecurity> SecurityNamed(std::string_view name) {
    for (MailSecurity s : {MailSecurity::StartTls, MailSecurity::Ssl, MailSecurity::None})
        if (name == SecurityName(s))
            return s;
    return std::nullopt;
}

int DefaultPort(MailSecurity security) {
    return security == MailSecurity::Ssl ? 465 : security == MailSecurity::None ? 25 : 587;
}

EmailSettings ReadEmailSettings(SettingsStore& store) {
    EmailSettings s = DefaultEmailSettings();
    auto text = [&](const char* name, std::string& into) {
        if (auto v = store.ReadText(name))
            into = *v;
    };
    text("EmailServer", s.Host);
    if (auto v = store.ReadText("EmailPort")) {
        int port = 0;
        const std::string_view p = TrimBlanks(*v);
        auto [end, ec] = std::from_chars(p.data(), p.data() + p.size(), port);
        if (ec == std::errc() && end == p.data() + p.size() && port > 0 && port < 65536)
            s.Port = port;
    }
    if (auto v = store.ReadText("EmailSecurity"))
        if (auto security = SecurityNamed(*v))
            s.Security = *security;
    text("EmailUser", s.User);
    text("EmailSenderName", s.SenderName);
    text("EmailSender", s.SenderAddress);
    text("EmailAddresses", s.AddressesFile);
    text("EmailCaFile", s.CaFile);
    text("EmailSubject", s.Subject);
    text("EmailBody", s.Body);
    text("EmailFederation", s.Federation.Default);
    text("EmailFederationPlayerDetails", s.Federation.PlayerDetails);
    text("EmailFederationAwards", s.Federation.Awards);
    text("EmailFederationAdjustments", s.Federation.Adjustments);
    text("EmailFederationCancellations", s.Federation.Cancellations);
    return s;
}

void WriteEmailSettings(SettingsStore& store, const EmailSettings& s) {
    store.WriteText("EmailServer", s.Host);
    store.WriteInt("EmailPort", s.Port);
    store.WriteText("EmailSecurity", SecurityName(s.Security));
    store.WriteText("EmailUser", s.User);
    store.WriteText("EmailSenderName", s.SenderName);
    store.WriteText("EmailSender", s.SenderAddress);
    store.WriteText("EmailAddresses", s.AddressesFile);
    store.WriteText("EmailCaFile", s.CaFile);
    store.WriteText("EmailSubject", s.Subject);
    store.WriteText("EmailBody", s.Body);
    store.WriteText("EmailFederation", s.Federation.Default);
    store.WriteText("EmailFederationPlayerDetails", s.Federation.PlayerDetails);
    store.WriteText("EmailFederationAwards", s.Federation.Awards);
    store.WriteText("EmailFederationAdjustments", s.Federation.Adjustments);
    store.WriteText("EmailFederationCancellations", s.Federation.Cancellations);
}

bool IsAddressShape(std::string_view address) {
    const std::size_t at = address.find('@');
    if (at == 0 || at == std::string_view::npos || address.find('@', at + 1) != address.npos)
        return false;
    for (const char c : address)
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F || std::strchr("<>()[],;:\"\\", c))
            return false;
    const std::string_view domain = address.substr(at + 1);
    if (domain.find('.') == domain.npos || domain.front() == '.' || domain.back() == '.' ||
        domain.find("..") != domain.npos)
        return false;
    return true;
}

bool IsLocalHost(std::string_view host) {
    return host == "127.0.0.1" || EqualNoCase(host, "localhost");
}

Status CheckForSending(const EmailSettings& s) {
    if (s.Host.empty())
        return Failure{"No outgoing server is set in the e-mail settings."};
    if (s.Security == MailSecurity::None && !IsLocalHost(s.Host))
        return Failure{"Security \"None\" is allowed only for a server on this computer "
                       "(127.0.0.1 or localhost): choose STARTTLS or SSL/TLS for " +
                       s.Host + "."};
    if (!IsAddressShape(s.SenderAddress))
        return Failure{s.SenderAddress.empty()
                           ? "No sender's address is set in the e-mail settings."
                           : "The sender's address '" + s.SenderAddress +
                                 "' is not an e-mail address."};
    return {};
}

} // namespace mpsec
