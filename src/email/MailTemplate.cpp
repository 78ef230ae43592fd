#include "email/MailTemplate.h"

#include <utility>

namespace mpsec {

std::string FillTemplate(std::string_view text, const TemplateValues& v) {
    const std::pair<std::string_view, const std::string*> places[] = {
        {"{name}", &v.Name},
        {"{year}", &v.Year},
        {"{club number}", &v.ClubNumber},
        {"{club name}", &v.ClubName},
        {"{sender}", &v.Sender}};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '{')
            for (const auto& [name, value] : places)
                if (text.substr(i, name.size()) == name) {
                    out += *value;
                    i += name.size();
                    replaced = true;
                    break;
                }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

} // namespace mpsec
