#include "core/TextHelpers.h"

#include "core/AsciiText.h"
#include "core/SystemCalls.h"

#include <algorithm>

namespace mpsec {

std::string TitleCase(std::string_view text) {
    std::string s = LowerAscii(text);
    bool startOfWord = true;
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            if (startOfWord) {
                c = UpperAscii(c);
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

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::filesystem::path PathFromLatin1(std::string_view latin1) {
    return PathFromText(Latin1ToUtf8(latin1));
}

std::string PathText(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

std::filesystem::path PathFromText(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::filesystem::path WholePath(const std::filesystem::path& path) {
    if (path.empty())
        return path;
    std::error_code ec;
    std::filesystem::path whole = std::filesystem::absolute(path, ec);
    if (ec)
        whole = path;
    whole = whole.lexically_normal();
    whole.make_preferred();
    // lexically_normal keeps a final separator (C:\data\ or /data/): a folder has one name.
    if (!whole.has_filename() && whole.has_relative_path())
        whole = whole.parent_path();
    return whole;
}

bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b) {
    return os::SameName(WholePath(a), WholePath(b));
}

} // namespace mpsec
