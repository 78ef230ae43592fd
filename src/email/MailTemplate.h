#pragma once
#include <string>
#include <string_view>

namespace mpsec {

// What a message's placeholders stand for (UTF-8).
struct TemplateValues {
    std::string Name;       // {name}: the member's given name and surname
    std::string Year;       // {year}
    std::string ClubNumber; // {club number}
    std::string ClubName;   // {club name}
    std::string Sender;     // {sender}: the sender's name
};

// The text with each placeholder replaced; a brace that opens no placeholder is kept.
std::string FillTemplate(std::string_view text, const TemplateValues& values);

} // namespace mpsec
