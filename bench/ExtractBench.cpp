// National-size club lists and extractions: the home-club count against reading the
// register's bytes, each extraction type against GNU sort -f on the same register file (run
// as a process in the same iteration), and the key-word search.
#include "BenchData.h"
#include "core/AsciiText.h"
#include "core/Columns.h"
#include "core/FileReading.h"
#include "core/LineList.h"
#include "enquiries/ClubMembership.h"
#include "enquiries/Extraction.h"
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
using Clock = std::chrono::steady_clock;

struct National {
    PlayerRegister Register;
    ClubRegister Clubs;
    std::string LargestClub;
    fs::path Output = fs::temp_directory_path() / "mpsec-bench-extract";
    National() {
        (void)Register.Load(DataFolder() / "National.TXT");
        (void)Clubs.Load(DataFolder() / "NATIONAL.CLB");
        fs::create_directories(Output);
        // The alternate file is read from the folder the run writes into.
        fs::copy_file(DataFolder() / "ALTERNAT.TXT", Output / "ALTERNAT.TXT",
                      fs::copy_options::overwrite_existing);
        std::size_t most = 0;
        for (const std::string& line : CountHomeClubMembers(Register, Clubs, AllStates()).Lines) {
            const std::size_t count = std::stoul(std::string(Trim(Cols(line, 61, 8))));
            if (line[0] != '9' && count > most) {
                most = count;
                LargestClub = line.substr(0, 4);
            }
        }
    }
};

National& Data() {
    static National data;
    return data;
}

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

void BM_MembershipCountToReadRatio(benchmark::State& state) {
    National& n = Data();
    double readSeconds = 0, countSeconds = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        std::string bytes;
        (void)ReadFileBytes(DataFolder() / "National.TXT", bytes);
        benchmark::DoNotOptimize(bytes.data());
        readSeconds += Seconds(t0);
        auto t1 = Clock::now();
        MembershipCount count = CountHomeClubMembers(n.Register, n.Clubs, AllStates());
        benchmark::DoNotOptimize(count.Total);
        countSeconds += Seconds(t1);
    }
    const double k = static_cast<double>(state.iterations());
    state.counters["read_ms"] = readSeconds / k * 1000;
    state.counters["count_ms"] = countSeconds / k * 1000;
    state.counters["count_to_read"] = countSeconds / readSeconds;
}
BENCHMARK(BM_MembershipCountToReadRatio)->Unit(benchmark::kMillisecond);

// Arguments: the output type, and for the club runs whether the alternate file counts.
void BM_ExtractAgainstSortF(benchmark::State& state) {
    National& n = Data();
    ExtractChoices choices;
    choices.Type = static_cast<OutputType>(state.range(0));
    choices.TopMinimum = 2;
    if (choices.Type == OutputType::HomeClub || state.range(1) != 0) {
        choices.ClubOnly = true;
        choices.ClubNo = n.LargestClub;
        choices.AllMembers = state.range(1) != 0;
    }
    const std::string sortCommand =
        "sort -f '" + (DataFolder() / "National.TXT").string() + "' > /dev/null";
    double sortSeconds = 0, extractSeconds = 0;
    std::size_t lines = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        if (std::system(sortCommand.c_str()) != 0)
            state.SkipWithError("sort -f failed");
        sortSeconds += Seconds(t0);
        auto t1 = Clock::now();
        const Result<Extraction> run = RunExtraction(n.Register, n.Clubs, choices, n.Output);
        if (!run)
            state.SkipWithError(run.Message().c_str());
        else
            lines = run->LineCount();
        extractSeconds += Seconds(t1);
    }
    const double k = static_cast<double>(state.iterations());
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["sort_f_ms"] = sortSeconds / k * 1000;
    state.counters["extract_ms"] = extractSeconds / k * 1000;
    state.counters["extract_to_sort_f"] = extractSeconds / sortSeconds;
}
BENCHMARK(BM_ExtractAgainstSortF)
    ->ArgNames({"type", "all_members"})
    ->Args({static_cast<int>(OutputType::AllPlayers), 0})
    ->Args({static_cast<int>(OutputType::TopPerformers), 0})
    ->Args({static_cast<int>(OutputType::MostImproved), 0})
    ->Args({static_cast<int>(OutputType::HomeClub), 0})
    ->Args({static_cast<int>(OutputType::AllPlayers), 1})
    ->Unit(benchmark::kMillisecond);

void BM_KeyWordSearch(benchmark::State& state) {
    National& n = Data();
    const char* words[] = {"BRIDGE", "HARTWELL", "NOWHERE"};
    const char* word = words[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(KeyWordSearch(n.Clubs, word).size());
}
BENCHMARK(BM_KeyWordSearch)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
