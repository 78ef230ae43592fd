#pragma once
#include "core/Result.h"
#include "core/SettingsStore.h"

#include <optional>
#include <string>
#include <string_view>

namespace mpsec {

// How the connection to the outgoing server is secured. "None" is allowed only for a
// server on this computer: the password and the statements would cross the network open.
enum class MailSecurity { StartTls, Ssl, None };

// The kinds of file sent to the federation.
enum class FederationFile { PlayerDetails, Awards, Adjustments, Cancellations };

// Where the federation wants its files: one address, and for each kind of file another one
// when it wants that kind elsewhere (empty: the one address).
struct FederationAddresses {
    std::string Default;
    std::string PlayerDetails, Awards, Adjustments, Cancellations;

    // The address a kind of file goes to.
    const std::string& For(FederationFile kind) const;
    bool operator==(const FederationAddresses&) const = default;
};

// The e-mail settings, kept with the other settings of the user. The password is never
// among them.
struct EmailSettings {
    std::string Host;
    int Port = 587;
    MailSecurity Security = MailSecurity::StartTls;
    std::string User;
    std::string SenderName;
    std::string SenderAddress;
    std::string AddressesFile; // the members' addresses (CSV)
    std::string CaFile;        // the certificate of a server with its own, else empty
    std::string Subject;       // the message template (UTF-8), with placeholders
    std::string Body;
    FederationAddresses Federation;

    bool operator==(const EmailSettings&) const = default;
};

// The template's default texts.
EmailSettings DefaultEmailSettings();

// "starttls", "ssl", "none", as the settings and the command line name them.
const char* SecurityName(MailSecurity security);
std::optional<MailSecurity> SecurityNamed(std::string_view name);
// The usual port of each kind: 587, 465, 25.
int DefaultPort(MailSecurity security);

// Reads the values present in the store over the defaults; writes them all.
EmailSettings ReadEmailSettings(SettingsStore& store);
void WriteEmailSettings(SettingsStore& store, const EmailSettings& settings);

// Whether a text has the shape of an address: a local part, "@", a domain with a dot,
// nothing that may not stand in an address header (blanks, control characters, <>,;:"
// and the like). No more is checked.
bool IsAddressShape(std::string_view address);

// Whether the host names this computer (127.0.0.1 or localhost).
bool IsLocalHost(std::string_view host);

// Whether messages can be sent with these settings; says what to set when not.
Status CheckForSending(const EmailSettings& settings);

} // namespace mpsec
