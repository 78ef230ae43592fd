#pragma once
#include "email/EmailSettings.h"
#include "email/MailTransport.h"

#include <memory>
#include <string>

namespace mpsec {

// Sends messages through the outgoing server of the settings with libcurl's SMTP and MIME
// interfaces, over one connection kept open between messages (opened again when the server
// closed it). The server's certificate is always verified: against the settings'
// certificate file when one is given, else the system's trusted certificates. What failed
// is said in the user's words, with the server's own when it gave any.
class CurlTransport : public MailTransport {
  public:
    CurlTransport(EmailSettings settings, std::string password);
    ~CurlTransport() override;
    CurlTransport(const CurlTransport&) = delete;
    CurlTransport& operator=(const CurlTransport&) = delete;

    SendOutcome Send(const MailMessage& message) override;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace mpsec
