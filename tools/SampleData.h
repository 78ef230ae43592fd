#pragma once
#include <cstdint>
#include <filesystem>

namespace mpsec::sample {

struct SampleOptions {
    int Players = 2400;
    int ClubsPerState = 12;
    int HistoryLines = 20000;
    // Lines of the large "NATIONAL-SIZE.gld" file; none when 0.
    int BigMPFileLines = 0;
    // Every how many players has a line in the alternate-membership file.
    int AlternateEvery = 17;
    std::uint64_t Seed = 20261207;
};

// Options for national-size benchmarks: 150,000 players, 2,000,000 history lines, a
// 100,000-line masterpoint file and an alternate-membership line for every player.
SampleOptions NationalSize();

// Writes a complete, coherent data folder of made-up players and clubs into `folder`
// (created if needed): the registers, the alternate memberships, the award history files
// and masterpoint files of every type, clean and with errors, some under old names.
// The same options always give the same bytes.
void WriteSampleFolder(const std::filesystem::path& folder, const SampleOptions& options);

} // namespace mpsec::sample
