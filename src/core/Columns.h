#pragma once
#include <cstddef>
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

// A window of columns: its first column (1-based) and its width.
struct ColumnWindow {
    std::size_t From;
    std::size_t Width;
    constexpr std::size_t Last() const { return From + Width - 1; }
};

// From the first column of `first` through the last column of `last`.
constexpr ColumnWindow Through(ColumnWindow first, ColumnWindow last) {
    return {first.From, last.Last() - first.From + 1};
}

inline std::string_view Cols(std::string_view line, ColumnWindow window) {
    return Cols(line, window.From, window.Width);
}

} // namespace mpsec
