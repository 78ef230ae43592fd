#pragma once
#include <string>
#include <string_view>

namespace mpsec {

// Columns of a fixed-column line, 1-based, never reading past its end: a line shorter
// than the window yields the characters it has (possibly none).
inline std::string_view Cols(std::string_view line, std::size_t from, std::size_t width) {
    if (from == 0 || from > line.size())
        return {};
    return line.substr(from - 1, width);
}

} // namespace mpsec
