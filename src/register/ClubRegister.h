#pragma once
#include "core/LineList.h"
#include "core/Result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// The 1-based positions of every comma of one club line, in order. Fields are the text
// between commas, untrimmed; a field whose bounding comma is missing is empty.
class CommaTable {
  public:
    CommaTable() = default;
    explicit CommaTable(std::string_view line);

    // Field k (from 1): field 1 is the text before comma 1, field k the text strictly
    // between comma k-1 and comma k.
    std::string Field(int k) const;
    // Fields first..last as one text, their inner commas included.
    std::string Fields(int first, int last) const;
    const std::vector<std::size_t>& Positions() const { return commas_; }

  private:
    std::string line_;
    std::vector<std::size_t> commas_;
};

// The three list lines of a club's entry in the secretaries list.
std::vector<std::string> SecretaryEntry(const CommaTable& club);

// The national club register "NATIONAL.CLB": every line is a club, fields separated by
// commas, the club number in the first four characters.
class ClubRegister {
  public:
    static constexpr const char* FileName = "NATIONAL.CLB";

    Status Load(const std::filesystem::path& path);
    void Clear() { clubs_.Clear(); }
    void Assign(std::string text) { clubs_.Assign(std::move(text)); }

    const LineList& ClubList() const { return clubs_; }

    // The comma table of line `index` (0-based).
    CommaTable ParseTheClubList(std::size_t index) const;

    // Turns a club number or a player's home club (3104, 3-104 or 3i104) into "3104 NAME";
    // an inactive member's code gives the title-cased "Inactive - Last Club: 3104 Name".
    // A code that is in no line gives the empty text.
    std::string GetClubDescription(std::string_view code) const;

  private:
    LineList clubs_;
};

} // namespace mpsec
