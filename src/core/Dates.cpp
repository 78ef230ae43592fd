#include "core/Dates.h"

#include "core/SystemCalls.h"

#include <chrono>
#include <ctime>
#include <system_error>

namespace mpsec {

namespace {

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

std::string TwoDigits(int v) {
    std::string s = std::to_string(v % 100);
    return s.size() < 2 ? "0" + s : s;
}

CivilDate FromTimeT(std::time_t t) {
    const std::tm tm = os::LocalTime(t);
    return CivilDate{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

} // namespace

int DayOfWeek(const CivilDate& date) {
    using namespace std::chrono;
    sys_days days{year{date.Year} / month{static_cast<unsigned>(date.Month)} /
                  day{static_cast<unsigned>(date.Day)}};
    return static_cast<int>(weekday{days}.c_encoding());
}

std::string FormatDate(std::string_view pattern, const CivilDate& date, char separator) {
    std::string out;
    std::size_t i = 0;
    auto run = [&](char c) {
        std::size_t n = 0;
        while (i + n < pattern.size() && (pattern[i + n] | 0x20) == c)
            ++n;
        return n;
    };
    const int month = (date.Month >= 1 && date.Month <= 12) ? date.Month : 1;
    while (i < pattern.size()) {
        char c = static_cast<char>(pattern[i] | 0x20);
        if (c == 'd') {
            std::size_t n = run('d');
            if (n == 1)
                out += std::to_string(date.Day);
            else if (n == 2)
                out += TwoDigits(date.Day);
            else if (n == 3)
                out += std::string(kDayNames[DayOfWeek(date)]).substr(0, 3);
            else
                out += kDayNames[DayOfWeek(date)];
            i += n > 4 ? 4 : n;
        } else if (c == 'm') {
            std::size_t n = run('m');
            if (n == 1)
                out += std::to_string(month);
            else if (n == 2)
                out += TwoDigits(month);
            else if (n == 3)
                out += std::string(kMonthNames[month - 1]).substr(0, 3);
            else
                out += kMonthNames[month - 1];
            i += n > 4 ? 4 : n;
        } else if (c == 'y') {
            std::size_t n = run('y');
            out += n <= 2 ? TwoDigits(date.Year) : std::to_string(date.Year);
            i += n;
        } else {
            out += pattern[i] == '/' ? separator : pattern[i];
            ++i;
        }
    }
    return out;
}

std::optional<CivilDate> FileDate(const std::filesystem::path& path) {
    std::error_code ec;
    auto t = std::filesystem::last_write_time(path, ec);
    if (ec)
        return std::nullopt;
    auto sys = std::chrono::file_clock::to_sys(t);
    return FromTimeT(std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(sys)));
}

CivilDate Today() {
    return FromTimeT(std::time(nullptr));
}

} // namespace mpsec
