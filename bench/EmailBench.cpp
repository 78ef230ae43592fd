// A club's statements e-mailed as the window's run sends them: each statement made, written
// as a PDF file, read back and sent through the program's transport to the local test
// server, each accepted message written to a send log.
#include "StatementData.h"
#include "core/LargePageHeap.h"
#include "email/ClubEmail.h"
#include "email/CurlTransport.h"
#include "print/PageRenderer.h"
#include "register/ClubRegister.h"
#include "statements/StatementSession.h"
#include "support/SmtpServer.h"
#include "support/TempFolder.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace mpsec;

namespace {

using bench::Data;
using bench::DataFolder;
using bench::National;

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The first `count` active members of the largest club, in register order.
std::vector<PlayerRecord> LargestClub(std::size_t count) {
    National& d = Data();
    std::map<std::string, std::vector<PlayerRecord>> clubs;
    for (std::size_t i = 1; i < d.Register.Count(); ++i) {
        const PlayerRecord p = d.Register.GetPlayer(i);
        if (!IsInactive(p))
            clubs[p.HomeClub].push_back(p);
    }
    std::vector<PlayerRecord> largest;
    for (auto& [club, members] : clubs)
        if (members.size() > largest.size())
            largest = members;
    largest.resize(std::min(largest.size(), count));
    return largest;
}

// The memory the process holds now (not its peak).
long CurrentRssKb() {
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

struct Run {
    double Seconds = 0;
    std::size_t Sent = 0;
    std::uintmax_t LastPdfBytes = 0; // the last statement as the server received it
};

// Sends the statements of `members` to a fresh test server with a fresh send log.
Run EmailClub(const std::vector<PlayerRecord>& members) {
    National& d = Data();
    test::Server server("--life 600");
    test::TempFolder folder;
    EmailSettings settings = DefaultEmailSettings();
    settings.Host = "127.0.0.1";
    settings.Port = server.Port();
    settings.Security = MailSecurity::None;
    settings.SenderName = "Club Secretary";
    settings.SenderAddress = "secretary@example.org";
    std::map<std::string, std::string> addresses;
    for (const PlayerRecord& p : members)
        addresses[p.QMRNo] = "m" + p.QMRNo + "@example.org";
    const SendLog log(folder.Path() / SendLog::FileName);
    const std::string club = members.front().HomeClub;
    const EmailPlan plan = PlanEmailRun(members, addresses, {});
    const EmailRunSetup setup{club, d.Clubs.GetClubDescription(club), "2026", settings};
    const StatementDates dates{"08/12/2025", "08/12/2026"};
    auto describe = [&d](std::string_view code) { return d.Clubs.GetClubDescription(code); };

    const auto start = std::chrono::steady_clock::now();
    CurlTransport transport(settings, "");
    const StatementScratchFolder scratch;
    int rank = 0;
    const StatementPdf pdf = StatementPdfThroughFolder(
        scratch.Path(),
        [&](const PlayerRecord& p) -> Result<ComposedDocument> {
            const auto statement = d.Session.Build(p, p.QMRNo, rank, describe, dates);
            if (statement.StoppedBy)
                return Failure{statement.StoppedBy->Message};
            return StatementSession::Compose(statement, p.QMRNo);
        },
        [](const ComposedDocument& document, const fs::path& path) {
            return WriteDocumentPdf(document, path);
        });
    const EmailRunReport report = RunEmail(plan, setup, transport, &log, pdf, {}, SendLogTimeNow);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!report.AllSent())
        std::fprintf(stderr, "not all sent:\n%s", ReportText(report).c_str());
    std::error_code ec;
    const std::uintmax_t bytes =
        fs::file_size(server.File(std::to_string(report.Sent.size()) + ".pdf"), ec);
    return {seconds, report.Sent.size(), ec ? 0 : bytes};
}

// 100 members, then 300: the peak memory after each (it must not grow with the members),
// then the time of the 300.
void BM_EmailClub300(benchmark::State& state) {
    if (const std::string why = test::Unavailable(false); !why.empty()) {
        state.SkipWithError(why.c_str());
        return;
    }
    const std::vector<PlayerRecord> club = LargestClub(300);
    const std::vector<PlayerRecord> first100(club.begin(), club.begin() + 100);
    (void)EmailClub({club.begin(), club.begin() + 5}); // everything loaded once
    const long rssBefore = PeakRssKb(), nowBefore = CurrentRssKb();
    const Run hundred = EmailClub(first100);
    const long rss100 = PeakRssKb(), now100 = CurrentRssKb();
    const Run all = EmailClub(club);
    const long rss300 = PeakRssKb(), now300 = CurrentRssKb();
    std::vector<double> seconds{all.Seconds};
    for (auto _ : state)
        seconds.push_back(EmailClub(club).Seconds);
    state.counters["members"] = static_cast<double>(club.size());
    state.counters["sent"] = static_cast<double>(all.Sent);
    state.counters["median_s_300"] = bench::Median(seconds);
    state.counters["s_100"] = hundred.Seconds;
    state.counters["peak_rss_kb_before"] = static_cast<double>(rssBefore);
    state.counters["peak_rss_kb_after_100"] = static_cast<double>(rss100);
    state.counters["peak_rss_kb_after_300"] = static_cast<double>(rss300);
    state.counters["rss_kb_before"] = static_cast<double>(nowBefore);
    state.counters["rss_kb_after_100"] = static_cast<double>(now100);
    state.counters["rss_kb_after_300"] = static_cast<double>(now300);
    state.counters["last_pdf_bytes"] = static_cast<double>(all.LastPdfBytes);
}
BENCHMARK(BM_EmailClub300)->Unit(benchmark::kSecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    UseLargePageHeap(); // as the program does
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
