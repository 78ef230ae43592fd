#pragma once
#include "core/Columns.h"
#include "core/LineList.h"
#include "core/Result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// Player numbers have up to seven digits; a number box takes that many typed digits.
inline constexpr int kTypedNumberLength = 7;

// One player line of the register as fifteen trimmed text fields.
struct PlayerRecord {
    std::string QMRNo;
    std::string Surname;
    std::string GivenName;
    std::string OverallTotal;
    std::string OverallGold;
    std::string OverallRed;
    std::string OverallGreen;
    std::string TotalThisYear;
    std::string TotalLastYear;
    std::string TotalPriorYears;
    std::string GoldQ;
    std::string RedQ;
    std::string GreenQ;
    std::string Rank;
    std::string HomeClub;

    bool operator==(const PlayerRecord&) const = default;
};

// The one given name the register's 10 columns cannot hold: a player with this surname
// and given name is shown with the replacement instead.
struct GivenNameCorrection {
    std::string Surname;
    std::string GivenName;
    std::string Replacement;
};

// The correction the program ships with.
const GivenNameCorrection& ShippedGivenNameCorrection();

// The columns each field of a register line is read from, in PlayerRecord order. Column 70
// is read by both OverallGreen and TotalThisYear; a well-formed line has a blank there. The
// home club has 5 characters in columns 128-132, and nothing follows it.
namespace PlayerColumns {
inline constexpr ColumnWindow QMRNo{1, 7};
inline constexpr ColumnWindow Surname{9, 18};
inline constexpr ColumnWindow GivenName{27, 10};
inline constexpr ColumnWindow OverallTotal{37, 8};
inline constexpr ColumnWindow OverallGold{46, 8};
inline constexpr ColumnWindow OverallRed{54, 8};
inline constexpr ColumnWindow OverallGreen{63, 8};
inline constexpr ColumnWindow TotalThisYear{70, 9};
inline constexpr ColumnWindow TotalLastYear{80, 9};
inline constexpr ColumnWindow TotalPriorYears{90, 7};
inline constexpr ColumnWindow GoldQ{99, 6};
inline constexpr ColumnWindow RedQ{105, 6};
inline constexpr ColumnWindow GreenQ{111, 7};
inline constexpr ColumnWindow Rank{119, 9};
inline constexpr ColumnWindow HomeClub{128, 6};
// A player line's length: the home club's five characters end it.
inline constexpr std::size_t LineLength = 132;
// The given name as the surname search compares it: columns 28-35.
inline constexpr ColumnWindow ComparedGivenName{28, 8};
} // namespace PlayerColumns

// The home-club field of a register line read trimmed ("3-104", an inactive member's
// "3i104").
std::string_view HomeClubField(std::string_view line);

// The club a home-club field names, as every screen and command reads it: the state digit,
// "-" or "i", the club within the state. The field without its "-" (3-104 and 3104 are
// club 3104); an inactive member keeps the "i" (3i104), and any other field stays as it
// is (1x101 and 11-01 are no club's).
std::string HomeClubCode(std::string_view field);

// Parses one register line; the home club is read with HomeClubCode.
PlayerRecord ParsePlayerLine(std::string_view line, const GivenNameCorrection& correction);

// Whether the player is an inactive member: the second character of his home club is "i".
bool IsInactive(const PlayerRecord& player);

// Builds a register line of 132 characters with every field in its columns (for test data
// and the sample generator). The given name stands in columns 28-36 after a blank, as the
// register writes it. Fields too long for their columns are cut.
std::string MakePlayerLine(const PlayerRecord& player);

// The national player register "National.TXT": line 0 is a header; a player is the index
// of his line, 1 to Count-1, and 0 means none.
class PlayerRegister {
  public:
    static constexpr const char* FileName = "National.TXT";

    explicit PlayerRegister(GivenNameCorrection correction = ShippedGivenNameCorrection())
        : correction_(std::move(correction)) {}

    Status Load(const std::filesystem::path& path);
    void Assign(std::string text);
    void Clear();

    const LineList& NationalList() const { return lines_; }
    std::size_t Count() const { return lines_.Count(); }

    // Entry k of the number index: the first 7 characters of line k+1, untrimmed.
    std::string_view NumberIndex(std::size_t k) const;
    std::size_t NumberIndexCount() const { return lines_.Count() > 0 ? lines_.Count() - 1 : 0; }

    PlayerRecord GetPlayer(std::size_t index) const;
    std::size_t FindPlayerByNumber(std::string_view number) const;
    // The lines of many numbers, each as FindPlayerByNumber finds it. The look-ups overlap,
    // so a national-size file is matched without waiting on memory for each number in turn.
    std::vector<std::size_t>
    FindPlayersByNumber(const std::vector<std::string_view>& numbers) const;
    std::size_t FindPlayerBySurname(std::string_view surname, std::string_view givenName) const;

  private:
    // Builds the indexes from `keys_`, the packed number of every line (0 for a line too
    // short).
    void BuildIndexes();
    std::size_t Probe(std::uint64_t key) const;
    std::string_view SurnameWindow(std::size_t line) const;
    int CompareSurname(std::size_t line, std::string_view key) const;

    GivenNameCorrection correction_;
    LineList lines_;
    // Number index: an open-addressing hash of the 7 characters. A slot holds the register
    // line (entry + 1) of the first entry with that number in its low 25 bits and 7 bits
    // of the number's hash above them; 0 is an empty slot. Small slots keep the table in
    // the cache.
    std::vector<std::uint32_t> numberSlots_;
    std::vector<std::uint64_t> keys_; // by line
    std::uint64_t numberMask_ = 0;
    // runningMax_[j]: the line (1-based) of the greatest surname among lines 1..j+1;
    // suffixMin_[j]: the line of the smallest surname among lines j+1..Count-1. Both are
    // monotone, so a surname search is two binary searches whatever the file's order.
    // Built by the first surname search, since many runs never search by surname.
    void BuildSurnameIndex() const;
    mutable bool surnameIndexBuilt_ = false;
    mutable std::vector<std::uint32_t> runningMax_;
    mutable std::vector<std::uint32_t> suffixMin_;
};

} // namespace mpsec
