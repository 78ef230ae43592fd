#pragma once
#include <string>
#include <string_view>

namespace mpsec {

// The register's text is Latin-1: only the ASCII letters change case here, every byte above
// 127 is a letter of its own and stays as it is.
constexpr char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string UpperAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = UpperAscii(c);
    return r;
}

inline std::string LowerAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = LowerAscii(c);
    return r;
}

// The same text with the letters a-z read as A-Z.
constexpr bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

// Blanks and control characters (every byte up to 32); bytes above 127 are text.
constexpr bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

constexpr bool IsBlank(char c) {
    return c == ' ';
}

// The text without the leading (TrimLeft), trailing (TrimRight) or both (Trim) characters
// for which `isSpace` holds: by default blanks and control characters.
template <typename IsSpace = decltype(&IsBlankOrControl)>
constexpr std::string_view TrimLeft(std::string_view s, IsSpace isSpace = &IsBlankOrControl) {
    std::size_t b = 0;
    while (b < s.size() && isSpace(s[b]))
        ++b;
    return s.substr(b);
}

template <typename IsSpace = decltype(&IsBlankOrControl)>
constexpr std::string_view TrimRight(std::string_view s, IsSpace isSpace = &IsBlankOrControl) {
    std::size_t e = s.size();
    while (e > 0 && isSpace(s[e - 1]))
        --e;
    return s.substr(0, e);
}

constexpr std::string_view Trim(std::string_view s) {
    return TrimRight(TrimLeft(s));
}

// Trims blanks only: a field's tab or control character is kept.
constexpr std::string_view TrimBlanks(std::string_view s) {
    return TrimRight(TrimLeft(s, &IsBlank), &IsBlank);
}

} // namespace mpsec
