#pragma once
#include <array>
#include <string>

namespace mpsec {

// One line of the award cover page AWARDS.TXT: a masterpoint file sent to the federation.
struct AwardDetailsFields {
    std::string ClubNo;
    std::string RequestedBy;
    std::string Description;
    std::string Month;
    std::string EventType;
    std::string FileName;
    std::string Points;
};

inline constexpr std::array<const char*, 14> kEventTypes{"A",   "A2", "A3",  "B", "B3", "B4", "B4s",
                                                         "B4c", "B5", "B5i", "C", "D",  "E",  "F"};

// Every field is needed; only emptiness is tested.
bool AwardDetailsComplete(const AwardDetailsFields& fields);

// The line, without its line end: the fields as typed, separated and ended by commas.
std::string AwardDetailsLine(const AwardDetailsFields& fields);

} // namespace mpsec
