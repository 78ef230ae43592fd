#include "email/MailTransport.h"

#include "core/SystemCalls.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>

namespace mpsec {

std::string Base64(std::string_view bytes) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        unsigned v = 0;
        for (std::size_t k = 0; k < 3; ++k)
            v = (v << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? digits[(v >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

const char* AttachmentType(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    return extension == ".pdf" || extension == ".PDF" ? "application/pdf"
                                                      : "application/octet-stream";
}

namespace {

// A header's text: as it is when plain ASCII, else an encoded word.
std::string HeaderText(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\r' || c == '\n' || c == '"')
            return "=?UTF-8?B?" + Base64(text) + "?=";
    return text;
}

std::string Mailbox(const std::string& name, const std::string& address) {
    if (name.empty())
        return "<" + address + ">";
    const std::string text = HeaderText(name);
    return (text == name ? "\"" + name + "\"" : text) + " <" + address + ">";
}

} // namespace

std::vector<std::string> MessageHeaders(const MailMessage& m, const std::string& date) {
    return {"Date: " + date, "From: " + Mailbox(m.SenderName, m.SenderAddress),
            "To: " + Mailbox(m.RecipientName, m.RecipientAddress),
            "Subject: " + HeaderText(m.Subject), "Message-ID: " + NewMessageId(m.SenderAddress)};
}

std::string NewMessageId(const std::string& senderAddress) {
    static std::atomic<unsigned> count{0};
    static const std::uint64_t salt = std::random_device{}();
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const std::size_t at = senderAddress.rfind('@');
    const std::string domain =
        at == std::string::npos ? std::string("localhost") : senderAddress.substr(at + 1);
    char text[96];
    std::snprintf(text, sizeof text, "<%llx.%lx.%llx.%u@",
                  static_cast<unsigned long long>(
                      std::chrono::duration_cast<std::chrono::microseconds>(now).count()),
                  static_cast<unsigned long>(os::ProcessId()),
                  static_cast<unsigned long long>(salt), ++count);
    return text + domain + ">";
}

std::string MessageDateNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    if (const std::tm* t = std::gmtime(&now))
        utc = *t;
    // Named here: the C library's names follow the locale.
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d +0000", days[utc.tm_wday % 7],
                  utc.tm_mday, months[utc.tm_mon % 12], utc.tm_year + 1900, utc.tm_hour, utc.tm_min,
                  utc.tm_sec);
    return text;
}

} // namespace mpsec
