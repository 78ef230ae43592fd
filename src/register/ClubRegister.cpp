#include "register/ClubRegister.h"

#include "core/FileReading.h"
#include "core/TextHelpers.h"

namespace mpsec {

CommaTable::CommaTable(std::string_view line) : line_(line) {
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] == ',')
            commas_.push_back(i + 1);
}

std::string CommaTable::Fields(int first, int last) const {
    // Bounded by comma first-1 (the line start for field 1) and comma last.
    if (first < 1 || last < first || static_cast<std::size_t>(last) > commas_.size())
        return {};
    std::size_t begin = 0;
    if (first > 1) {
        if (static_cast<std::size_t>(first - 1) > commas_.size())
            return {};
        begin = commas_[first - 2];
    }
    std::size_t end = commas_[last - 1] - 1; // 0-based position of the closing comma
    return line_.substr(begin, end - begin);
}

std::string CommaTable::Field(int k) const {
    return Fields(k, k);
}

std::vector<std::string> SecretaryEntry(const CommaTable& club) {
    std::string number = club.Field(1);
    if (!number.empty())
        number = number.substr(0, 1) + "-" + number.substr(1);
    return {number + ",  " + club.Field(2) + ",   " + club.Field(8) + ". " + club.Field(10) + " " +
                club.Field(11),
            club.Fields(12, 17), std::string()};
}

Status ClubRegister::Load(const std::filesystem::path& path) {
    return ReadLines(path, clubs_);
}

CommaTable ClubRegister::ParseTheClubList(std::size_t index) const {
    if (index >= clubs_.Count())
        return CommaTable();
    return CommaTable(clubs_[index]);
}

std::string ClubRegister::GetClubDescription(std::string_view codeIn) const {
    std::string code(codeIn);
    if (auto dash = code.find('-'); dash != std::string::npos)
        code.erase(dash, 1);
    bool inactive = false;
    if (auto i = code.find('i'); i != std::string::npos) {
        code.erase(i, 1);
        inactive = true;
    }
    if (code.empty())
        return {};
    for (std::size_t line = 0; line < clubs_.Count(); ++line) {
        if (clubs_[line].substr(0, 4) != code)
            continue;
        CommaTable club = ParseTheClubList(line);
        std::string description = club.Field(1) + " " + club.Field(2);
        return inactive ? TitleCase("Inactive - Last Club: " + description) : description;
    }
    return {};
}

} // namespace mpsec
