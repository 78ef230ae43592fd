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
    if (!m.AttachmentName.empty()) {
        text += std::string("--") + kBoundary + "\r\n";
        text += "Content-Type: application/pdf\r\nContent-Transfer-Encoding: base64\r\n";
        text += "Content-Disposition: attachment; filename=\"" + m.AttachmentName + "\"\r\n\r\n";
        text += Lines76(Base64(m.Attachment));
    }
    text += std::string("--") + kBoundary + "--\r\n";
    return text;
}

SendOutcome MessageFolder::Send(const MailMessage& message) {
    std::filesystem::path name = PathFromText(
        message.AttachmentName.empty() ? message.RecipientAddress : message.AttachmentName);
    name.replace_extension(".eml");
    const std::filesystem::path file = folder_ / name;
    if (Status written = WriteFileAtomically(file, MessageText(message, MessageDateNow()));
        !written)
        return {SendOutcome::Kind::Broken, "",
                "cannot write " + PathText(file) + ": " + written.Message()};
    return {SendOutcome::Kind::Accepted, "written to " + PathText(file), ""};
}

} // namespace mpsec
