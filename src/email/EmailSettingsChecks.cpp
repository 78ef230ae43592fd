#include "email/EmailSettingsChecks.h"

#include "core/AsciiText.h"

#include <charconv>

namespace mpsec {

std::optional<int> PortNumber(std::string_view text) {
    const std::string_view digits = TrimBlanks(text);
    if (digits.empty() || digits.size() > 5 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int port = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), port);
    if (port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

Status CheckEmailSettings(const EmailSettings& s) {
    for (const char c : s.Host)
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F)
            return Failure{"The outgoing server's name '" + s.Host +
                           "' has a blank or a control character in it."};
    // A name (letters, digits, '-', '_' and dots) or an address (IPv6 in brackets).
    if (s.Host.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                 "0123456789-_.:[]") != std::string::npos)
        return Failure{"The outgoing server's name '" + s.Host +
                       "' is not a server's name or address."};
    if (s.Port < 1 || s.Port > 65535)
        return Failure{"The port must be a number from 1 to 65535."};
    if (s.Security == MailSecurity::None && !s.Host.empty() && !IsLocalHost(s.Host))
        return CheckForSending(s);
    for (const char c : s.SenderName)
        if (static_cast<unsigned char>(c) < ' ' || c == 0x7F)
            return Failure{"The sender's name has a line break or a control character in it."};
    const struct {
        const char* what;
        const std::string& address;
    } addresses[] = {
        {"The sender's address", s.SenderAddress},
        {"The federation's address", s.Federation.Default},
        {"The federation's address for player details", s.Federation.PlayerDetails},
        {"The federation's address for awards", s.Federation.Awards},
        {"The federation's address for award adjustments", s.Federation.Adjustments},
        {"The federation's address for cancellations", s.Federation.Cancellations},
    };
    for (const auto& [what, address] : addresses)
        if (!address.empty() && !IsAddressShape(address))
            return Failure{std::string(what) + " '" + address + "' is not an e-mail address."};
    return {};
}

} // namespace mpsec
