#include "cli/Terminal.h"

#include "core/SystemCalls.h"
#include "core/TextHelpers.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace mpsec {

namespace {

bool LocaleIsLatin1() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const std::optional<std::string> value = os::EnvironmentValue(variable);
        if (!value || value->empty())
            continue;
        std::string name;
        for (const char c : *value)
            if (std::isalnum(static_cast<unsigned char>(c)))
                name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        // "de_DE.ISO-8859-1", "fr_FR.iso885915", "en_AU.latin1"
        return name.find("88591") != std::string::npos || name.find("latin1") != std::string::npos;
    }
    return false;
}

} // namespace

std::string ForTerminal(std::string_view latin1) {
    if (std::none_of(latin1.begin(), latin1.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) ||
        LocaleIsLatin1())
        return std::string(latin1);
    return Latin1ToUtf8(latin1);
}

} // namespace mpsec
