#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// One message: texts in UTF-8, the attachment's bytes as they are (none when its name is
// empty).
struct MailMessage {
    std::string SenderName, SenderAddress;
    std::string RecipientName, RecipientAddress;
    std::string Subject, Body;
    std::string AttachmentName, Attachment;
};

// What became of a message.
struct SendOutcome {
    enum class Kind {
        Accepted, // the server took it
        Refused,  // the server refused this message (its recipient, its content): go on
        Broken    // no message can go now (connection, login, certificate): stop
    };
    Kind What = Kind::Accepted;
    std::string Reply;   // the server's own words, when it said any
    std::string Problem; // what failed, in the user's words (not when accepted)
};

// Sends messages one at a time, over whatever it is (a server, a folder, a test's list).
class MailTransport {
  public:
    virtual ~MailTransport() = default;
    virtual SendOutcome Send(const MailMessage& message) = 0;
};

// The header lines of a message ("From: ...", "To: ...", "Subject: ...", "Date: ..."), a
// name or subject beyond ASCII encoded as RFC 2047 words; `date` is an RFC 5322 date.
std::vector<std::string> MessageHeaders(const MailMessage& message, const std::string& date);

// The bytes in base64, without line breaks.
std::string Base64(std::string_view bytes);

// Now as an RFC 5322 date, in universal time.
std::string MessageDateNow();

} // namespace mpsec
