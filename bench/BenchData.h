#pragma once
#include "SampleData.h"

#include <cstdlib>
#include <filesystem>

namespace mpsec::bench {

// The national-size data folder: MPSEC_BENCH_DATA, or one generated once in the temporary
// folder and reused by later runs.
inline const std::filesystem::path& DataFolder() {
    static const std::filesystem::path folder = [] {
        const char* env = std::getenv("MPSEC_BENCH_DATA");
        std::filesystem::path f =
            env && *env ? std::filesystem::path(env)
                        // Named anew whenever the generator's national data change.
                        : std::filesystem::temp_directory_path() / "mpsec-bench-national-2";
        if (!std::filesystem::exists(f / "history.txt"))
            sample::WriteSampleFolder(f, sample::NationalSize());
        return f;
    }();
    return folder;
}

} // namespace mpsec::bench
