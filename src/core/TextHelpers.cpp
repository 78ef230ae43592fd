#include "core/TextHelpers.h"

#include "core/Columns.h"

#include <algorithm>

namespace mpsec {

std::string TitleCase(std::string_view text) {
    std::string s = LowerAscii(text);
    bool startOfWord = true;
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            if (startOfWord) {
                c = static_cast<char>(c - 'a' + 'A');
                startOfWord = false;
            }
        } else if (c == ' ' && !startOfWord) {
            startOfWord = true;
        }
    }
    return s;
}

static std::size_t ClampWidth(int width) {
    return static_cast<std::size_t>(std::clamp(width, 0, 255));
}

std::string PadLeft(std::string_view text, int width, char fill) {
    const std::size_t w = ClampWidth(width);
    if (text.size() >= w)
        return std::string(text.substr(0, w));
    return std::string(w - text.size(), fill) + std::string(text);
}

std::string PadRight(std::string_view text, int width, char fill) {
    const std::size_t w = ClampWidth(width);
    if (text.size() >= w)
        return std::string(text.substr(0, w));
    return std::string(text) + std::string(w - text.size(), fill);
}

} // namespace mpsec
