#pragma once
#include <array>
#include <cstdint>

namespace mpsec {

struct RankRow {
    const char* FullName;
    const char* RegisterForm; // as the register's 9-column rank field holds it
    std::uint16_t TotalRequired;
    std::uint16_t GoldRedRequired;
    std::uint16_t GoldRequired;
};

// The ladder of the 22 ranks, lowest first.
inline constexpr std::array<RankRow, 22> RankTable{{
    {"Nil", "Nil", 0, 0, 0},
    {"Graduate", "Graduate", 2, 0, 0},
    {"Club", "Club", 5, 0, 0},
    {"Local", "Local", 15, 0, 0},
    {"*Local", "*Local", 25, 0, 0},
    {"**Local", "**Local", 35, 0, 0},
    {"Regional", "Regional", 50, 0, 0},
    {"*Regional", "*Regional", 100, 0, 0},
    {"State", "State", 50, 25, 0},
    {"*State", "*State", 100, 50, 0},
    {"National", "National", 150, 75, 0},
    {"*National", "*National", 200, 100, 0},
    {"**National", "**Nationa", 300, 150, 0},
    {"Life", "Life", 300, 180, 30},
    {"Bronze Life", "Bronze Lf", 400, 240, 40},
    {"Silver Life", "Silver Lf", 500, 300, 50},
    {"Gold Life", "Gold Life", 750, 450, 75},
    {"Grand", "Grand", 1000, 700, 200},
    {"Silver Grand", "Silver Gr", 2500, 1900, 600},
    {"Gold Grand", "Gold Gran", 5000, 4000, 1400},
    {"Emerald Grand", "Emerald G", 10000, 8500, 3000},
    {"Diamond Grand", "Diamond G", 15000, 13000, 5000},
}};

} // namespace mpsec
