#pragma once
#include "core/Result.h"

#include <optional>
#include <string>

namespace mpsec {

// Where the outgoing server's password is kept between runs: the system's credential store,
// never a file of mpsec.
class CredentialStore {
  public:
    virtual ~CredentialStore() = default;

    // The password kept for `user` at `host`: none kept gives an empty optional; a store
    // that does not answer (none installed, no session, no answer in time) gives why.
    virtual Result<std::optional<std::string>> ReadPassword(const std::string& host,
                                                            const std::string& user) = 0;
    virtual Status WritePassword(const std::string& host, const std::string& user,
                                 const std::string& password) = 0;
    virtual Status ForgetPassword(const std::string& host, const std::string& user) = 0;
};

} // namespace mpsec
