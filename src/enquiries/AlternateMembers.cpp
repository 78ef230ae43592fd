#include "enquiries/AlternateMembers.h"

#include "core/AsciiText.h"
#include "core/Columns.h"
#include "core/FileReading.h"
#include "core/Files.h"

namespace mpsec {

namespace {

constexpr std::size_t kHomeClubColumn = 38;
constexpr std::size_t kFirstOtherClubColumn = 43;
constexpr std::size_t kClubSlotStep = 5;
constexpr std::size_t kClubWidth = 4;

std::string_view OtherClub(std::string_view line, int slot) {
    return Cols(line, kFirstOtherClubColumn + kClubSlotStep * static_cast<std::size_t>(slot),
                kClubWidth);
}

} // namespace

bool AlternateRecord::IsMemberOf(std::string_view club) const {
    if (Trim(club).empty())
        return false;
    if (HomeClub == club)
        return true;
    for (const auto& other : OtherClubs)
        if (other == club)
            return true;
    return false;
}

AlternateRecord ParseAlternateLine(std::string_view line) {
    AlternateRecord p;
    p.QMRNo = std::string(AlternateLineNumber(line));
    p.Surname = std::string(Trim(Cols(line, 9, 18)));
    p.GivenName = std::string(Trim(Cols(line, 27, 10)));
    p.HomeClub = std::string(Cols(line, kHomeClubColumn, kClubWidth));
    for (int i = 0; i < kOtherClubCount; ++i)
        p.OtherClubs[static_cast<std::size_t>(i)] = std::string(OtherClub(line, i));
    return p;
}

bool AlternateLineNamesClub(std::string_view line, std::string_view club) {
    if (Trim(club).empty())
        return false;
    if (Cols(line, kHomeClubColumn, kClubWidth) == club)
        return true;
    for (int i = 0; i < kOtherClubCount; ++i)
        if (OtherClub(line, i) == club)
            return true;
    return false;
}

std::string_view AlternateLineNumber(std::string_view line) {
    return Trim(Cols(line, 1, 7));
}

Status AlternateMembers::Load(const std::filesystem::path& path) {
    Clear();
    std::string bytes;
    if (Status read = ReadFileBytes(path, bytes); !read)
        return read;
    Assign(std::move(bytes));
    return {};
}

Status AlternateMembers::LoadFrom(const std::filesystem::path& folder) {
    return Load(FindFileNoCase(folder, FileName));
}

void AlternateMembers::Assign(std::string text) {
    Clear();
    lines_.Assign(std::move(text));
}

void AlternateMembers::Clear() {
    lines_.Clear();
    firstLine_.clear();
    indexed_ = false;
}

AlternateRecord AlternateMembers::GetAlternatePlayer(std::size_t i) const {
    return ParseAlternateLine(lines_[i]);
}

void AlternateMembers::BuildIndex() const {
    firstLine_.reserve(lines_.Count());
    for (std::size_t i = 0; i < lines_.Count(); ++i)
        firstLine_.emplace(Number(i), static_cast<std::uint32_t>(i));
    indexed_ = true;
}

std::optional<std::size_t> AlternateMembers::FindNumber(std::string_view number) const {
    if (!indexed_)
        BuildIndex();
    const auto found = firstLine_.find(Trim(number));
    if (found == firstLine_.end())
        return std::nullopt;
    return found->second;
}

bool AlternateMembers::IsMember(std::string_view number, std::string_view club) const {
    const auto line = FindNumber(number);
    return line && AlternateLineNamesClub(lines_[*line], club);
}

std::vector<std::size_t> AlternateMembers::ClubMembers(std::string_view club) const {
    std::vector<std::size_t> members;
    for (std::size_t i = 0; i < lines_.Count(); ++i)
        if (AlternateLineNamesClub(lines_[i], club))
            members.push_back(i);
    return members;
}

} // namespace mpsec
