// National-size award statements: opening the statement screen (loading and indexing the
// award files), one statement, and the PDFs of a 300-member club.
#include "StatementData.h"
#include "core/FileReading.h"
#include "core/Files.h"
#include "core/LargePageHeap.h"
#include "print/PageRenderer.h"
#include "register/ClubRegister.h"
#include "statements/ClubRun.h"
#include "statements/StatementSession.h"
#include "statements/StatementWriters.h"

#include <QGuiApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sys/resource.h>

namespace fs = std::filesystem;
using namespace mpsec;

namespace {

using bench::Data;
using bench::DataFolder;
using bench::National;

void BM_ReadAwardFileBytes(benchmark::State& state) {
    for (auto _ : state) {
        std::string history, events;
        (void)ReadFileBytes(DataFolder() / "history.txt", history);
        (void)ReadFileBytes(DataFolder() / "events.txt", events);
        benchmark::DoNotOptimize(history.data());
    }
}
BENCHMARK(BM_ReadAwardFileBytes)->Unit(benchmark::kMillisecond);

void BM_OpenStatementScreen(benchmark::State& state) {
    for (auto _ : state) {
        StatementSession session;
        benchmark::DoNotOptimize(session.Load(DataFolder(), DataFolder()));
        benchmark::DoNotOptimize(session.HistoryReady());
    }
}
BENCHMARK(BM_OpenStatementScreen)->Unit(benchmark::kMillisecond);

// `cat` of the award files and opening the screen in each iteration: the medians and
// their ratio, the figure that a busy machine disturbs least.
void BM_OpenToCatRatio(benchmark::State& state) {
    std::vector<double> cat, open, ready;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(
            bench::CatFiles({DataFolder() / "history.txt", DataFolder() / "events.txt"}));
        auto t1 = std::chrono::steady_clock::now();
        std::chrono::steady_clock::time_point t2;
        {
            StatementSession session;
            benchmark::DoNotOptimize(session.Load(DataFolder(), DataFolder()));
            t2 = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(session.HistoryReady());
        }
        auto t3 = std::chrono::steady_clock::now();
        cat.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        open.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
        ready.push_back(std::chrono::duration<double, std::milli>(t3 - t1).count());
    }
    state.counters["cat_ms"] = bench::Median(cat);
    state.counters["open_ms"] = bench::Median(open);
    state.counters["open_to_cat"] = bench::Median(open) / bench::Median(cat);
    // Until the history is read and indexed: what the first statement may wait for.
    state.counters["ready_ms"] = bench::Median(ready);
    state.counters["ready_to_cat"] = bench::Median(ready) / bench::Median(cat);
}
BENCHMARK(BM_OpenToCatRatio)->Unit(benchmark::kMillisecond)->Iterations(21);

void BM_OneStatement(benchmark::State& state) {
    National& d = Data();
    auto describe = [&d](std::string_view code) { return d.Clubs.GetClubDescription(code); };
    const StatementDates dates{"08/12/2025", "08/12/2026"};
    std::size_t line = 1;
    int rank = 0;
    for (auto _ : state) {
        const PlayerRecord player = d.Register.GetPlayer(line);
        benchmark::DoNotOptimize(d.Session.Build(player, player.QMRNo, rank, describe, dates));
        line = line % (d.Register.Count() - 1) + 997 % (d.Register.Count() - 1) + 1;
    }
}
BENCHMARK(BM_OneStatement)->Unit(benchmark::kMicrosecond);

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The 300 first active members of the largest club.
const std::vector<std::size_t>& Club300() {
    static const std::vector<std::size_t> members = [] {
        National& d = Data();
        std::map<std::string, std::vector<std::size_t>> clubs;
        for (std::size_t i = 1; i < d.Register.Count(); ++i) {
            const PlayerRecord p = d.Register.GetPlayer(i);
            if (!IsInactive(p))
                clubs[p.HomeClub].push_back(i);
        }
        std::vector<std::size_t> largest;
        for (auto& [club, lines] : clubs)
            if (lines.size() > largest.size())
                largest = lines;
        largest.resize(std::min<std::size_t>(largest.size(), 300));
        return largest;
    }();
    return members;
}

// Builds, composes and writes the club's PDFs as a club run does, with `workers` workers;
// the seconds it took.
double WriteClub300(unsigned workers, long* rssAfterTen = nullptr) {
    National& d = Data();
    auto describe = [&d](std::string_view code) { return d.Clubs.GetClubDescription(code); };
    const StatementDates dates{"08/12/2025", "08/12/2026"};
    const fs::path out = fs::temp_directory_path() / "mpsec-bench-pdfs";
    fs::create_directories(out);
    const auto start = std::chrono::steady_clock::now();
    StatementWriters writers(
        [](const ComposedDocument& document, const std::string& path) {
            return WriteDocumentPdf(document, QString::fromStdString(path));
        },
        workers);
    int rank = 0;
    const std::vector<std::size_t>& members = Club300();
    for (std::size_t k = 0; k < members.size(); ++k) {
        const PlayerRecord p = d.Register.GetPlayer(members[k]);
        const auto statement = d.Session.Build(p, p.QMRNo, rank, describe, dates);
        writers.Submit(StatementSession::Compose(statement, p.QMRNo),
                       (out / StatementPdfName(p)).string());
        (void)writers.TakeWritten();
        if (k == 10 && rssAfterTen)
            *rssAfterTen = PeakRssKb();
    }
    writers.Finish();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The club's PDFs one after the other and on all cores in each iteration: the ratio.
void BM_Club300Pdfs(benchmark::State& state) {
    long rssAfterTen = 0;
    std::vector<double> one, all;
    for (auto _ : state) {
        one.push_back(WriteClub300(1, &rssAfterTen));
        all.push_back(WriteClub300(StatementWriters::DefaultWorkers()));
    }
    using bench::Median;
    state.counters["members"] = static_cast<double>(Club300().size());
    state.counters["one_core_s"] = Median(one);
    state.counters["all_cores_s"] = Median(all);
    state.counters["all_to_one"] = Median(all) / Median(one);
    state.counters["workers"] = StatementWriters::DefaultWorkers();
    state.counters["peak_rss_kb_after_10"] = static_cast<double>(rssAfterTen);
    state.counters["peak_rss_kb_end"] = static_cast<double>(PeakRssKb());
}
BENCHMARK(BM_Club300Pdfs)->Unit(benchmark::kSecond)->Iterations(3);

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
