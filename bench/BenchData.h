#pragma once
#include "SampleData.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <initializer_list>
#include <unistd.h>
#include <vector>

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

// What `cat FILES > /dev/null` costs: the files read through one 128 KiB buffer, as cat
// reads them. The floor an open is measured against. Returns the bytes read.
inline std::size_t CatFiles(std::initializer_list<std::filesystem::path> files) {
    static std::vector<char> buffer(128 * 1024);
    std::size_t total = 0;
    for (const auto& file : files) {
        const int fd = ::open(file.c_str(), O_RDONLY);
        if (fd < 0)
            continue;
        for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) > 0;)
            total += static_cast<std::size_t>(n);
        ::close(fd);
    }
    return total;
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace mpsec::bench
