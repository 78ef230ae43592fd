#include "email/MessageFolder.h"

#include "core/Files.h"
#include "core/TextHelpers.h"

namespace mpsec {

namespace {

constexpr const char* kBoundary = "mpsec-part-boundary-7f3a";

// Base64 in lines of 76 characters.
std::string Lines76(const std::string& base64) {
    std::string out;
    for (std::size_t i = 0; i < base64.size(); i += 76)
        out += base64.substr(i, 76) + "\r\n";
    return out;
}

} // namespace

std::string MessageText(const MailMessage& m, const std::string& date) {
    std::string text;
    for (const std::string& header : MessageHeaders(m, date))
        text += header + "\r\n";
    text += "MIME-Version: 1.0\r\n";
    text += std::string("Content-Type: multipart/mixed; boundary=\"") + kBoundary + "\"\r\n\r\n";
    text += std::string("--") + kBoundary + "\r\n";
    text += "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n";
    text += Lines76(Base64(m.Body));
    for (const MailAttachment& attachment : m.Attachments) {
        text += std::string("--") + kBoundary + "\r\n";
        text += std::string("Content-Type: ") + AttachmentType(attachment.Name) +
                "\r\nContent-Transfer-Encoding: base64\r\n";
        text += "Content-Disposition: attachment; filename=\"" + attachment.Name + "\"\r\n\r\n";
        text += Lines76(Base64(attachment.Bytes));
    }
    text += std::string("--") + kBoundary + "--\r\n";
    return text;
}

SendOutcome MessageFolder::Send(const MailMessage& message) {
    // A statement's "77 O'DARVEN.pdf" gives "77 O'DARVEN.eml"; the federation's PLAYER.TXT
    // gives "PLAYER.TXT.eml", so files of one name and other extensions stay apart.
    std::filesystem::path name = PathFromText(
        message.Attachments.empty() ? message.RecipientAddress : message.Attachments.front().Name);
    if (AttachmentType(PathText(name)) == std::string("application/pdf"))
        name.replace_extension(".eml");
    else
        name += ".eml";
    const std::filesystem::path file = folder_ / name;
    if (Status written = WriteFileAtomically(file, MessageText(message, MessageDateNow()));
        !written)
        return {SendOutcome::Kind::Broken, "",
                "cannot write " + PathText(file) + ": " + written.Message()};
    return {SendOutcome::Kind::Accepted, "written to " + PathText(file), ""};
}

} // namespace mpsec
