#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mpsec {

struct CivilDate {
    int Year = 1899;
    int Month = 12;
    int Day = 30; // the zero date
    bool operator==(const CivilDate&) const = default;
};

// The process-wide date formats: every dialog formats and parses dates through them, and
// a dialog that changes the separator changes it for all.
struct DateFormats {
    std::string ShortDateFormat = "dd/mm/yyyy";
    std::string LongDateFormat = "dddd/mmmm/yyyy";
    char DateSeparator = '/';
    bool operator==(const DateFormats&) const = default;
};

// 0 = Sunday.
int DayOfWeek(const CivilDate& date);

// Formats a date with the pattern letters d, dd, ddd, dddd, m, mm, mmm, mmmm, yy, yyyy;
// "/" prints the date separator; every other character stands as it is.
std::string FormatDate(std::string_view pattern, const CivilDate& date, char separator = '/');

// The local modification date of a file; nothing when it does not exist.
std::optional<CivilDate> FileDate(const std::filesystem::path& path);

// Today's local date.
CivilDate Today();

} // namespace mpsec
