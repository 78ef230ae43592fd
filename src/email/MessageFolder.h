#pragma once
#include "email/MailTransport.h"

#include <filesystem>
#include <string>

namespace mpsec {

// A message as a whole RFC 5322 text with its MIME parts (the body as UTF-8 text, each
// attachment in base64), CR LF line ends: what a mail program opens as an .eml file.
std::string MessageText(const MailMessage& message, const std::string& date);

// A dry run's transport: each message is written as an .eml file into a folder (named as
// its first attachment, ".eml" for ".pdf" or added to another extension), nothing is sent.
class MessageFolder : public MailTransport {
  public:
    explicit MessageFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}
    SendOutcome Send(const MailMessage& message) override;

  private:
    std::filesystem::path folder_;
};

} // namespace mpsec
