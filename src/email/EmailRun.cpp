#include "email/EmailRun.h"

#include "core/TextHelpers.h"
#include "email/MailTemplate.h"
#include "statements/ClubRun.h"

#include <sstream>

namespace mpsec {

namespace {

std::string NameOf(const PlayerRecord& p) {
    return Latin1ToUtf8(p.GivenName.empty() ? p.Surname : p.GivenName + " " + p.Surname);
}

std::string Line(const PlayerRecord& p) {
    return "  " + p.QMRNo + " " + NameOf(p);
}

std::string Count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (const char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

} // namespace

EmailPlan PlanEmailRun(const std::vector<PlayerRecord>& members,
                       const std::map<std::string, std::string>& addresses,
                       const std::map<std::string, std::string>& sent) {
    EmailPlan plan;
    for (const PlayerRecord& member : members) {
        const auto address = addresses.find(member.QMRNo);
        if (address == addresses.end()) {
            plan.WithoutAddress.push_back(member);
            continue;
        }
        const auto before = sent.find(member.QMRNo);
        if (before == sent.end())
            plan.ToSend.push_back({member, address->second, {}});
        else if (before->second != address->second)
            plan.ToSend.push_back({member, address->second, before->second});
        else
            plan.AlreadySent.push_back({member, address->second, {}});
    }
    return plan;
}

std::string PlanText(const EmailPlan& plan) {
    std::ostringstream out;
    out << Count(plan.ToSend.size(), "statement", "statements") << " will be sent by e-mail.\n";
    std::size_t changed = 0;
    for (const PlannedMessage& m : plan.ToSend)
        changed += !m.EarlierAddress.empty();
    if (changed) {
        out << "\n"
            << Count(changed, "member's", "members'")
            << " address changed since an earlier run; sent again to the new address:\n";
        for (const PlannedMessage& m : plan.ToSend)
            if (!m.EarlierAddress.empty())
                out << Line(m.Member) << ": " << m.EarlierAddress << " -> " << m.Address << "\n";
    }
    if (!plan.WithoutAddress.empty()) {
        out << "\n"
            << Count(plan.WithoutAddress.size(), "member has", "members have")
            << " no address (not sent):\n";
        for (const PlayerRecord& p : plan.WithoutAddress)
            out << Line(p) << "\n";
    }
    if (!plan.AlreadySent.empty()) {
        out << "\n"
            << Count(plan.AlreadySent.size(), "member was", "members were")
            << " sent the statement in an earlier run (not sent again):\n";
        for (const PlannedMessage& m : plan.AlreadySent)
            out << Line(m.Member) << " <" << m.Address << ">\n";
    }
    return out.str();
}

MailMessage StatementMessage(const PlannedMessage& planned, const EmailRunSetup& setup,
                             std::string pdf) {
    const EmailSettings& s = setup.Settings;
    const TemplateValues values{NameOf(planned.Member), setup.Year, setup.Club,
                                Latin1ToUtf8(setup.ClubName), s.SenderName};
    MailMessage m;
    m.SenderName = s.SenderName;
    m.SenderAddress = s.SenderAddress;
    m.RecipientName = NameOf(planned.Member);
    m.RecipientAddress = planned.Address;
    m.Subject = FillTemplate(s.Subject, values);
    m.Body = FillTemplate(s.Body, values);
    m.Attachments.push_back({PathText(StatementPdfName(planned.Member)), std::move(pdf)});
    return m;
}

EmailRunReport RunEmail(const EmailPlan& plan, const EmailRunSetup& setup, MailTransport& transport,
                        const SendLog* log, const StatementPdf& pdf, const RunProgress& progress,
                        const std::function<std::string()>& now) {
    EmailRunReport report;
    report.WithoutAddress = plan.WithoutAddress;
    report.AlreadySent = plan.AlreadySent.size();
    const std::size_t total = plan.ToSend.size();
    for (std::size_t i = 0; i < total; ++i) {
        const PlannedMessage& planned = plan.ToSend[i];
        if (!report.StoppedBy.empty() || (progress && !progress(i, total))) {
            report.Cancelled = report.StoppedBy.empty();
            report.NotSent.assign(plan.ToSend.begin() + static_cast<std::ptrdiff_t>(i),
                                  plan.ToSend.end());
            break;
        }
        Result<std::string> statement = pdf(planned.Member);
        if (!statement) {
            report.Failed.push_back({planned.Member, planned.Address,
                                     "the statement could not be made: " + statement.Message()});
            continue;
        }
        const SendOutcome outcome =
            transport.Send(StatementMessage(planned, setup, std::move(statement.Value())));
        if (outcome.What != SendOutcome::Kind::Accepted) {
            report.Failed.push_back({planned.Member, planned.Address, outcome.Problem});
            if (outcome.What == SendOutcome::Kind::Broken)
                report.StoppedBy = outcome.Problem;
            continue;
        }
        report.Sent.push_back({planned.Member, planned.Address, outcome.Reply});
        // Recorded before the next message is started: a run stopped any way afterwards
        // never sends this one again.
        if (log) {
            if (Status recorded = log->Record(now(), setup.Club, setup.Year, planned.Member.QMRNo,
                                              planned.Address, outcome.Reply);
                !recorded)
                report.StoppedBy = recorded.Message() + " (the message to " + planned.Address +
                                   " was sent; the run stopped so that none is sent twice)";
        }
    }
    return report;
}

std::string ReportText(const EmailRunReport& r) {
    std::ostringstream out;
    out << "Sent: " << r.Sent.size() << "\n";
    out << "Failed: " << r.Failed.size() << "\n";
    for (const FailedMessage& f : r.Failed)
        out << Line(f.Member) << " <" << f.Address << ">: " << f.Problem << "\n";
    out << "Without an address: " << r.WithoutAddress.size() << "\n";
    for (const PlayerRecord& p : r.WithoutAddress)
        out << Line(p) << "\n";
    if (r.AlreadySent)
        out << "Sent in an earlier run: " << r.AlreadySent << "\n";
    if (!r.NotSent.empty()) {
        out << (r.Cancelled ? "Cancelled" : "Stopped: " + r.StoppedBy)
            << "; not sent: " << r.NotSent.size() << "\n";
        for (const PlannedMessage& m : r.NotSent)
            out << Line(m.Member) << " <" << m.Address << ">\n";
    } else if (!r.StoppedBy.empty()) {
        out << "Stopped: " << r.StoppedBy << "\n";
    }
    return out.str();
}

std::string ReportCsv(const EmailRunReport& r) {
    std::string csv = "Number,Name,Address,Result,Details\r\n";
    auto row = [&](const PlayerRecord& p, const std::string& address, const char* result,
                   const std::string& details) {
        csv += CsvField(p.QMRNo) + "," + CsvField(NameOf(p)) + "," + CsvField(address) + "," +
               result + "," + CsvField(details) + "\r\n";
    };
    for (const SentMessage& s : r.Sent)
        row(s.Member, s.Address, "sent", s.Reply);
    for (const FailedMessage& f : r.Failed)
        row(f.Member, f.Address, "failed", f.Problem);
    for (const PlannedMessage& m : r.NotSent)
        row(m.Member, m.Address, "not sent", r.Cancelled ? "cancelled" : r.StoppedBy);
    for (const PlayerRecord& p : r.WithoutAddress)
        row(p, "", "no address", "");
    return csv;
}

MailMessage TestMessage(const EmailSettings& s) {
    MailMessage m;
    m.SenderName = m.RecipientName = s.SenderName;
    m.SenderAddress = m.RecipientAddress = s.SenderAddress;
    m.Subject = "mpsec test message";
    m.Body = "This test message from mpsec shows that statements can be sent through " + s.Host +
             " as " + s.SenderAddress + ".\n";
    return m;
}

} // namespace mpsec
