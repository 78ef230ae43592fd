#include "cli/Terminal.h"

#include "core/TextHelpers.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace mpsec {

namespace {

bool LocaleIsLatin1() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0')
            continue;
        std::string name;
        for (const char* c = value; *c != '\0'; ++c)
            if (std::isalnum(static_cast<unsigned char>(*c)))
                name += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
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
