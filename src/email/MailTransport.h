#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// A file attached to a message: its name as the recipient sees it, its bytes as they are.
struct MailAttachment {
    std::string Name, Bytes;
    bool operator==(const MailAttachment&) const = default;
};

// One message: texts in UTF-8, its attachments in order (a statement, or the files sent to
// the federation).
struct MailMessage {
    std::string SenderName, SenderAddress;
    std::string RecipientName, RecipientAddress;
    std::string Subject, Body;
    std::vector<MailAttachment> Attachments;
};

// The type an attachment is sent as: a PDF as one, any other file as bytes, so the
// federation's text files arrive with their line ends as they are.
const char* AttachmentType(const std::string& name);

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

// The header lines of a message ("Date: ...", "From: ...", "To: ...", "Subject: ...",
// "Message-ID: ..."), a
// name or subject beyond ASCII encoded as RFC 2047 words; `date` is an RFC 5322 date.
std::vector<std::string> MessageHeaders(const MailMessage& message, const std::string& date);

// A message's own identifier, "<unique@sender's domain>": the time, the process, a random
// number and a count make it unique.
std::string NewMessageId(const std::string& senderAddress);

// The bytes in base64, without line breaks.
std::string Base64(std::string_view bytes);

// Now as an RFC 5322 date, in universal time.
std::string MessageDateNow();

} // namespace mpsec
