#pragma once
#include "core/LineList.h"
#include "core/Result.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mpsec {

// A player may belong to clubs besides his home club. The federation's alternate-membership
// file lists such players, one a line, every line data (no header), in fixed columns:
//   1-7 player number, 9-26 surname, 27-36 given name, 38-41 home club,
//   43-46, 48-51, ... 88-91 ten further clubs (the column after each is not read).
inline constexpr int kOtherClubCount = 10;

// One line of the alternate-membership file. Number and names are trimmed; the club
// fields are the four columns as they stand (a blank slot stays blank), so a club matches
// only the exact four characters. A line shorter than a field gives a shorter, possibly
// empty, text for it.
struct AlternateRecord {
    std::string QMRNo;
    std::string Surname;
    std::string GivenName;
    std::string HomeClub;
    std::array<std::string, kOtherClubCount> OtherClubs;

    // Whether the home club or any of the ten further clubs is exactly `club`; a blank or
    // empty `club` names no club, so blank slots never match.
    bool IsMemberOf(std::string_view club) const;

    bool operator==(const AlternateRecord&) const = default;
};

AlternateRecord ParseAlternateLine(std::string_view line);

// Whether the line names `club` as home club or further club, without building the record.
bool AlternateLineNamesClub(std::string_view line, std::string_view club);

// The trimmed player number of a line (columns 1-7).
std::string_view AlternateLineNumber(std::string_view line);

// The alternate-membership file held in memory.
class AlternateMembers {
  public:
    static constexpr const char* FileName = "ALTERNAT.TXT";

    // Reads the file; a missing or unreadable file is a Failure in the system's words
    // ("No such file or directory") and leaves the list empty.
    Status Load(const std::filesystem::path& path);
    // Reads FileName from `folder`, in whatever letter case it was delivered.
    Status LoadFrom(const std::filesystem::path& folder);
    void Assign(std::string text);
    void Clear();

    const LineList& AlternateList() const { return lines_; }
    std::size_t Count() const { return lines_.Count(); }

    // Line i (from 0) parsed.
    AlternateRecord GetAlternatePlayer(std::size_t i) const;
    // The trimmed player number of line i.
    std::string_view Number(std::size_t i) const { return AlternateLineNumber(lines_[i]); }

    // The first line whose trimmed number is `number` (trimmed before comparing).
    std::optional<std::size_t> FindNumber(std::string_view number) const;

    // Whether the player's first line in the file names `club` as home or further club;
    // false for a player the file does not hold.
    bool IsMember(std::string_view number, std::string_view club) const;

    // Every line naming `club` as home or further club, in file order; a player with
    // several such lines is listed once per line.
    std::vector<std::size_t> ClubMembers(std::string_view club) const;

  private:
    void BuildIndex() const;

    LineList lines_;
    // Trimmed number -> first line holding it; built by the first look-up by number.
    mutable std::unordered_map<std::string_view, std::uint32_t> firstLine_;
    mutable bool indexed_ = false;
};

} // namespace mpsec
