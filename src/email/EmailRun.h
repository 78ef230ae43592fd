#pragma once
#include "core/Result.h"
#include "email/EmailSettings.h"
#include "email/MailTransport.h"
#include "email/SendLog.h"
#include "register/PlayerRegister.h"

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace mpsec {

// A member a run offers a message to.
struct PlannedMessage {
    PlayerRecord Member;
    std::string Address;
    std::string EarlierAddress; // sent in an earlier run to this other address, else empty
};

// Who a club's run sends to, before it starts: the members of the printed run (in register
// order) with an address not yet sent the year's statement at that address, those without
// an address, and those already sent it.
struct EmailPlan {
    std::vector<PlannedMessage> ToSend;
    std::vector<PlayerRecord> WithoutAddress;
    std::vector<PlannedMessage> AlreadySent; // Address: the one it was sent to
};

// `addresses` and `sent` (the send log's, for this club and year) map member numbers to
// addresses. A member sent the statement before at another address than his address now
// is offered again.
EmailPlan PlanEmailRun(const std::vector<PlayerRecord>& members,
                       const std::map<std::string, std::string>& addresses,
                       const std::map<std::string, std::string>& sent);

// What the run will do, said before it starts (UTF-8).
std::string PlanText(const EmailPlan& plan);

// What every message of a run shares.
struct EmailRunSetup {
    std::string Club, ClubName, Year; // the club's name in the register's Latin-1
    EmailSettings Settings;
};

// The message of one member: the template filled in, the statement attached under the
// PDF run's file name.
MailMessage StatementMessage(const PlannedMessage& planned, const EmailRunSetup& setup,
                             std::string pdf);

struct SentMessage {
    PlayerRecord Member;
    std::string Address, Reply;
};
struct FailedMessage {
    PlayerRecord Member;
    std::string Address, Problem;
};

// What a run did.
struct EmailRunReport {
    std::vector<SentMessage> Sent;
    std::vector<FailedMessage> Failed;
    std::vector<PlannedMessage> NotSent; // after a cancel or a stop: not tried
    std::vector<PlayerRecord> WithoutAddress;
    std::size_t AlreadySent = 0;
    bool Cancelled = false;
    std::string StoppedBy; // why the run stopped before its end, else empty
    // Whether every member with an address has the statement (now or before).
    bool AllSent() const { return Failed.empty() && NotSent.empty() && StoppedBy.empty(); }
};

// The statement of a member as PDF bytes, or why it cannot be made.
using StatementPdf = std::function<Result<std::string>(const PlayerRecord& member)>;
// Called before each message with the number sent or tried so far; false cancels the run
// (the message being sent is finished first).
using RunProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Sends the planned messages one at a time, in order. Each message the server accepted is
// written to `log` (none: a dry run) before the next is started; one it refused is not. A
// transport that can send nothing more, or a log that cannot be written, stops the run.
// `now` gives the log's "YYYY-MM-DD HH:MM:SS".
EmailRunReport RunEmail(const EmailPlan& plan, const EmailRunSetup& setup, MailTransport& transport,
                        const SendLog* log, const StatementPdf& pdf, const RunProgress& progress,
                        const std::function<std::string()>& now);

// The end of a run: said (UTF-8), and as CSV lines (number, name, address, result, details).
std::string ReportText(const EmailRunReport& report);
std::string ReportCsv(const EmailRunReport& report);

// The test message, to the sender's own address.
MailMessage TestMessage(const EmailSettings& settings);

} // namespace mpsec
