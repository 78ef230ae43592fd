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

// Trims leading and trailing blanks and control characters (every byte up to 32); bytes
// above 127 are text.
inline std::string_view Trim(std::string_view s) {
    auto isSpace = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t b = 0, e = s.size();
    while (b < e && isSpace(s[b]))
        ++b;
    while (e > b && isSpace(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// Trims blanks only.
inline std::string_view TrimBlanks(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ')
        ++b;
    while (e > b && s[e - 1] == ' ')
        --e;
    return s.substr(b, e - b);
}

// The text with the ASCII letters from `first` to `first + 25` moved to the other case.
inline std::string ShiftAsciiCase(std::string_view s, char first, char other) {
    std::string r(s);
    for (char& c : r)
        if (c >= first && c <= first + 25)
            c = static_cast<char>(c - first + other);
    return r;
}

inline std::string UpperAscii(std::string_view s) {
    return ShiftAsciiCase(s, 'a', 'A');
}

inline std::string LowerAscii(std::string_view s) {
    return ShiftAsciiCase(s, 'A', 'a');
}

} // namespace mpsec
