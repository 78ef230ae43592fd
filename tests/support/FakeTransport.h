#pragma once
#include "email/MailTransport.h"

#include <cstddef>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace mpsec::test {

// A transport that keeps what it was given, refusing the recipients named and breaking
// down at the message numbered `BreakAt` (counted from 1).
struct FakeTransport : MailTransport {
    std::vector<MailMessage> Given;
    std::set<std::string> Refuse;
    std::size_t BreakAt = 0;
    SendOutcome Send(const MailMessage& m) override {
        Given.push_back(m);
        if (Given.size() == BreakAt)
            return {SendOutcome::Kind::Broken, "", "127.0.0.1 port 2525 closed the connection"};
        if (Refuse.count(m.RecipientAddress))
            return {SendOutcome::Kind::Refused, "550 no such user",
                    "the server refused the recipient " + m.RecipientAddress +
                        ": 550 no such user"};
        return {SendOutcome::Kind::Accepted, "250 queued as " + m.RecipientAddress, ""};
    }
    std::vector<std::string> To() const {
        std::vector<std::string> to;
        for (const MailMessage& m : Given)
            to.push_back(m.RecipientAddress);
        return to;
    }
    // A transport of its own that sends through this one, for a maker that hands it over.
    std::unique_ptr<MailTransport> Through() {
        struct Forward : MailTransport {
            FakeTransport& to;
            explicit Forward(FakeTransport& t) : to(t) {}
            SendOutcome Send(const MailMessage& m) override { return to.Send(m); }
        };
        return std::make_unique<Forward>(*this);
    }
};

} // namespace mpsec::test
