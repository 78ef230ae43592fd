#pragma once
#include <cstdio>
#include <string>

namespace mpsec::test {

// What a shell command prints on standard output (for the PDF tools the print tests use).
inline std::string Shell(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

} // namespace mpsec::test
