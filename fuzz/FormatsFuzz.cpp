// The number and date formats on any values: each line of the input gives a number (its
// leading digits, and the value it reads as) and a date pattern. What a format shows reads
// back as the value it was given, within the rounding it states.
#include "FuzzSupport.h"

#include "core/Dates.h"
#include "core/NumberFormats.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <optional>

using namespace mpsec;
using mpsec::fuzz::Check;

namespace {

// "1,234.5" (blanks before) read back as a value; `commas` allows thousands separators.
std::optional<long double> ReadBack(std::string_view text, bool commas) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    std::string plain;
    for (char c : text)
        if (!(commas && c == ','))
            plain += c;
    if (plain.empty())
        return std::nullopt;
    char* end = nullptr;
    const long double value = std::strtold(plain.c_str(), &end);
    if (end != plain.c_str() + plain.size())
        return std::nullopt;
    return value;
}

bool Digits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

void CheckPointsText(std::uint32_t hundredths) {
    const std::string text = PointsText(hundredths);
    const std::string at = std::to_string(hundredths) + " shown as '" + text + "'";
    const std::size_t dot = text.find('.');
    Check(dot != std::string::npos && dot + 3 == text.size() && Digits(text.substr(dot + 1)),
          "points have two decimals", at);
    // Thousands separators every three digits from the point.
    const std::string whole =
        text.substr(text.find_first_not_of(' '), dot - text.find_first_not_of(' '));
    for (std::size_t k = 0; k < whole.size(); ++k) {
        const bool comma = (whole.size() - k) % 4 == 0;
        Check(comma ? whole[k] == ',' : (whole[k] >= '0' && whole[k] <= '9'),
              "points group their thousands", at);
    }
    if (hundredths < 10000)
        Check(dot == 2, "points below 100 have the point in the third column", at);
    const auto back = ReadBack(text, true);
    Check(back.has_value(), "points read back", at);
    const long double shown = std::round(*back * 100);
    long double unit = 1; // the hundredths the four significant digits keep
    for (std::uint64_t whole100 = hundredths / 100; whole100 >= 100; whole100 /= 10)
        unit *= 10;
    Check(std::fabs(shown - hundredths) <= unit / 2 && std::fmod(shown, unit) == 0,
          "points are the value to four significant digits", at);
}

void CheckGeneralText(std::uint64_t hundredths) {
    const std::string text = GeneralText(hundredths);
    const std::string at = std::to_string(hundredths) + " shown as '" + text + "'";
    const std::size_t dot = text.find('.');
    Check(Digits(text.substr(0, dot)), "the general form is digits", at);
    if (dot != std::string::npos)
        Check(dot + 1 < text.size() && text.size() - dot <= 3 && text.back() != '0' &&
                  Digits(text.substr(dot + 1)),
              "the general form has no trailing zeros", at);
    const std::uint64_t whole = std::stoull(text.substr(0, dot));
    std::uint64_t cents = 0;
    if (dot != std::string::npos)
        cents = std::stoull(text.substr(dot + 1)) * (text.size() - dot == 2 ? 10 : 1);
    Check(whole == hundredths / 100 && cents == hundredths % 100, "the general form is exact", at);
}

void CheckFixedSignificant(double value, int significant) {
    const std::string text = FixedSignificant(value, significant);
    const std::string at = std::to_string(value) + " to " + std::to_string(significant) +
                           " digits shown as '" + text + "'";
    const std::size_t dot = text.find('.');
    const std::size_t sign = text[0] == '-' ? 1 : 0;
    Check(dot != std::string::npos && dot + 3 == text.size() && Digits(text.substr(dot + 1)) &&
              Digits(text.substr(sign, dot - sign)) && text != "-0.00",
          "a fixed value has two decimals", at);
    if (!std::isfinite(value))
        return;
    const auto back = ReadBack(text, false);
    Check(back.has_value(), "a fixed value reads back", at);
    // Rounded to the significant digits, then to two decimals.
    const long double magnitude =
        value == 0 ? 0 : std::floor(std::log10(std::fabs((long double)value))) + 1;
    const long double bound = 0.5L * std::pow(10.0L, magnitude - significant) + 0.005L +
                              std::fabs((long double)value) * 1e-15L;
    Check(std::fabs(*back - value) <= bound, "a fixed value is the value rounded", at);
}

void CheckFormatDate(std::string_view pattern, const CivilDate& date, char separator) {
    const std::string text = FormatDate(pattern, date, separator);
    Check(text.size() <= pattern.size() * 11, "a date is no longer than its pattern allows");
    bool letters = false;
    for (char c : pattern)
        letters = letters || (c | 0x20) == 'd' || (c | 0x20) == 'm' || (c | 0x20) == 'y';
    if (!letters) {
        std::string same(pattern);
        for (char& c : same)
            if (c == '/')
                c = separator;
        Check(text == same, "a pattern without letters stands as it is", same);
    }
    const std::chrono::year_month_day ymd{std::chrono::year{date.Year},
                                          std::chrono::month{static_cast<unsigned>(date.Month)},
                                          std::chrono::day{static_cast<unsigned>(date.Day)}};
    // chrono keeps months and days in a byte: check the ints themselves first.
    if (date.Month < 1 || date.Month > 12 || date.Day < 1 || date.Day > 31 || !ymd.ok() ||
        date.Year < 1000 || date.Year > 9999)
        return;
    int y = 0, m = 0, d = 0;
    const std::string numeric = FormatDate("yyyy-m-d", date, separator);
    Check(std::sscanf(numeric.c_str(), "%d-%d-%d", &y, &m, &d) == 3 && y == date.Year &&
              m == date.Month && d == date.Day,
          "a valid date reads back", numeric);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);
    CivilDate date{2026, 3, 31};
    std::size_t pos = 0;
    for (int count = 0; pos < text.size() && count < 64; ++count) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string line(text.substr(pos, end - pos));
        pos = end + 1;

        std::uint64_t number = 0;
        for (std::size_t k = 0; k < line.size() && k < 19 && line[k] >= '0' && line[k] <= '9'; ++k)
            number = number * 10 + static_cast<std::uint64_t>(line[k] - '0');
        CheckPointsText(static_cast<std::uint32_t>(number));
        CheckGeneralText(number);
        Check(LineNumberText(number).size() == 4 &&
                  (number >= 10000 || std::stoull(LineNumberText(number)) == number),
              "a line number takes four characters", line);

        const double value = std::strtod(line.c_str(), nullptr);
        for (int significant : {4, 5, 1 + static_cast<int>(line.size() % 15)})
            CheckFixedSignificant(value, significant);

        // A line "2024-02-29" sets the date the next lines are formatted with.
        int y = 0, m = 0, d = 0;
        if (std::sscanf(line.c_str(), "%d-%d-%d", &y, &m, &d) == 3)
            date = {y, m, d};
        CheckFormatDate(line, date, line.empty() ? '/' : line.back());
    }
    return 0;
}
