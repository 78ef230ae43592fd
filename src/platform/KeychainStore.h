#pragma once
#include "email/Credentials.h"

namespace mpsec {

// The system's credential store through QtKeychain: the Secret Service (GNOME Keyring,
// KWallet) on Linux, the Credential Manager on Windows. Passwords are kept under the service
// "mpsec" and the key "user@host", never in a file of mpsec (no plain-text fallback).
//
// Each call waits for the store's answer in a local event loop, at most `timeoutMs`: a
// store that is missing, has no session or does not answer in time gives a Failure saying
// why, never a hang. A job left unanswered finishes (and deletes itself) on its own. The
// calls need a Qt application object; without one they fail at once.
class KeychainStore : public CredentialStore {
  public:
    explicit KeychainStore(int timeoutMs = 5000) : timeoutMs_(timeoutMs) {}

    Result<std::optional<std::string>> ReadPassword(const std::string& host,
                                                    const std::string& user) override;
    Status WritePassword(const std::string& host, const std::string& user,
                         const std::string& password) override;
    Status ForgetPassword(const std::string& host, const std::string& user) override;

  private:
    int timeoutMs_;
};

} // namespace mpsec
