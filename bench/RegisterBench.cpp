// National-size register look-ups. The data folder is generated once per run (or reused
// from MPSEC_BENCH_DATA when it already holds one).
#include "BenchData.h"
#include "core/FileReading.h"
#include "core/LargePageHeap.h"
#include "core/LineList.h"
#include "mpfiles/MPListing.h"
#include "register/ClubRegister.h"
#include "register/PlayerRegister.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using namespace mpsec;

namespace {

using bench::DataFolder;

const PlayerRegister& Register() {
    static PlayerRegister reg = [] {
        PlayerRegister r;
        (void)r.Load(DataFolder() / "National.TXT");
        return r;
    }();
    return reg;
}

void BM_ReadRegisterBytes(benchmark::State& state) {
    // A fresh buffer each time, as a load has.
    std::size_t size = 0;
    for (auto _ : state) {
        std::string bytes;
        (void)ReadFileBytes(DataFolder() / "National.TXT", bytes);
        benchmark::DoNotOptimize(bytes.data());
        size = bytes.size();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}
BENCHMARK(BM_ReadRegisterBytes)->Unit(benchmark::kMillisecond);

void BM_LoadRegisterAndIndex(benchmark::State& state) {
    for (auto _ : state) {
        PlayerRegister reg;
        (void)reg.Load(DataFolder() / "National.TXT");
        benchmark::DoNotOptimize(reg.Count());
    }
}
BENCHMARK(BM_LoadRegisterAndIndex)->Unit(benchmark::kMillisecond);

// Both in one iteration, so a busy machine slows both alike: the ratio is the figure.
void BM_LoadToReadRatio(benchmark::State& state) {
    double readSeconds = 0, loadSeconds = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        std::string bytes;
        (void)ReadFileBytes(DataFolder() / "National.TXT", bytes);
        benchmark::DoNotOptimize(bytes.data());
        auto t1 = std::chrono::steady_clock::now();
        PlayerRegister reg;
        (void)reg.Load(DataFolder() / "National.TXT");
        benchmark::DoNotOptimize(reg.Count());
        auto t2 = std::chrono::steady_clock::now();
        readSeconds += std::chrono::duration<double>(t1 - t0).count();
        loadSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    state.counters["load_to_read"] = loadSeconds / readSeconds;
}
BENCHMARK(BM_LoadToReadRatio)->Unit(benchmark::kMillisecond);

// `cat National.TXT` and the register's load in each iteration: the medians and their ratio.
void BM_LoadToCatRatio(benchmark::State& state) {
    std::vector<double> cat, load;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(bench::CatFiles({DataFolder() / "National.TXT"}));
        auto t1 = std::chrono::steady_clock::now();
        {
            PlayerRegister reg;
            (void)reg.Load(DataFolder() / "National.TXT");
            benchmark::DoNotOptimize(reg.Count());
        }
        auto t2 = std::chrono::steady_clock::now();
        cat.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        load.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
    state.counters["cat_ms"] = bench::Median(cat);
    state.counters["load_ms"] = bench::Median(load);
    state.counters["load_to_cat"] = bench::Median(load) / bench::Median(cat);
}
BENCHMARK(BM_LoadToCatRatio)->Unit(benchmark::kMillisecond)->Iterations(21);

void BM_FindPlayerByNumber(benchmark::State& state) {
    const PlayerRegister& reg = Register();
    std::vector<std::string> numbers;
    for (std::size_t i = 1; i < reg.Count(); i += reg.Count() / 97)
        numbers.push_back("0" + std::string(reg.NumberIndex(i - 1))
                                    .substr(reg.NumberIndex(i - 1).find_first_not_of(' ')));
    numbers.push_back("9999998"); // absent
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(reg.FindPlayerByNumber(numbers[k]));
        k = (k + 1) % numbers.size();
    }
}
BENCHMARK(BM_FindPlayerByNumber)->Unit(benchmark::kNanosecond);

void BM_FindPlayerBySurname(benchmark::State& state) {
    const PlayerRegister& reg = Register();
    const char* surnames[] = {"KAR", "ZZZ", "MIN", "O'", "STOVEL"};
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(reg.FindPlayerBySurname(surnames[k % 5], k % 2 ? "J" : ""));
        ++k;
    }
}
BENCHMARK(BM_FindPlayerBySurname)->Unit(benchmark::kMicrosecond);

void BM_GetClubDescription(benchmark::State& state) {
    ClubRegister clubs;
    (void)clubs.Load(DataFolder() / "NATIONAL.CLB");
    const char* codes[] = {"1-101", "8i278", "9-997", "5-140", "7777"};
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(clubs.GetClubDescription(codes[k % 5]));
        ++k;
    }
}
BENCHMARK(BM_GetClubDescription)->Unit(benchmark::kMicrosecond);

// Reading and listing the 100,000-line masterpoint file against the national register.
void BM_ListLargeMPFile(benchmark::State& state) {
    const PlayerRegister& reg = Register();
    for (auto _ : state) {
        LineList lines;
        (void)ReadMPFile(DataFolder() / "NATIONAL-SIZE.gld", lines);
        MPListing listing = ListMPFile(lines, MPType::Gold, reg);
        benchmark::DoNotOptimize(listing.Entries.Text().data());
    }
}
BENCHMARK(BM_ListLargeMPFile)->Unit(benchmark::kMillisecond);

// `mpsec check` of the 100,000-line file as a whole process (start, register, listing,
// listing on standard output, report written and synced) against its floor: `cat` of the
// three files it reads and `cat` of its report into a copy made as safe (synced to the
// disk), in the same iteration.
void BM_CheckToCatRatio(benchmark::State& state) {
    const std::string folder = DataFolder().string();
    const std::string check =
        "cd '" + folder + "' && '" MPSEC_PROGRAM "' check NATIONAL-SIZE.gld >/dev/null";
    const std::string floor =
        "cd '" + folder +
        "' && cat National.TXT NATIONAL.CLB NATIONAL-SIZE.gld >/dev/null && "
        "cat NATIONAL-SIZE.TXT > NATIONAL-SIZE.copy && sync NATIONAL-SIZE.copy";
    std::vector<double> cat, run;
    if (std::system(check.c_str()) != 0) // the report exists from here on, as in daily use
        state.SkipWithError("mpsec check failed");
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        const int floorStatus = std::system(floor.c_str());
        auto t1 = std::chrono::steady_clock::now();
        const int runStatus = std::system(check.c_str());
        auto t2 = std::chrono::steady_clock::now();
        if (floorStatus != 0 || runStatus != 0)
            state.SkipWithError("a command failed");
        cat.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        run.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
    state.counters["cat_ms"] = bench::Median(cat);
    state.counters["check_ms"] = bench::Median(run);
    state.counters["check_to_cat"] = bench::Median(run) / bench::Median(cat);
}
BENCHMARK(BM_CheckToCatRatio)->Unit(benchmark::kMillisecond)->Iterations(15);

// Splitting the register's text with LF, CR LF and bare CR line ends: the same lines
// each way, so the three times should be close.
void BM_SplitRegisterLines(benchmark::State& state) {
    static const std::string crlf = [] {
        std::string bytes;
        (void)ReadFileBytes(DataFolder() / "National.TXT", bytes);
        return bytes;
    }();
    std::string text;
    for (char c : crlf)
        if (state.range(0) == 0 ? c != '\r' : (state.range(0) == 1 || c != '\n'))
            text += c;
    for (auto _ : state) {
        LineList lines(text);
        benchmark::DoNotOptimize(lines.Count());
    }
    state.SetLabel(state.range(0) == 0 ? "LF" : (state.range(0) == 1 ? "CR LF" : "CR"));
}
BENCHMARK(BM_SplitRegisterLines)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    UseLargePageHeap(); // as the program does
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
