#pragma once
#include "core/AsciiText.h"

#include <cstddef>
#include <string_view>

namespace mpsec {

// The order of the sorted lists: byte by byte with the letters a-z read as A-Z; a text
// that is the start of another comes first. Returns <0, 0 or >0.
inline int CompareTextNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        const auto x = static_cast<unsigned char>(UpperAscii(a[i]));
        const auto y = static_cast<unsigned char>(UpperAscii(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace mpsec
