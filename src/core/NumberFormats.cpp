#include "core/NumberFormats.h"

#include "core/AsciiText.h"
#include "core/TextHelpers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace mpsec {

std::string PointsText(std::uint32_t hundredths) {
    std::uint64_t h = hundredths;
    if (h >= 10000) {
        // Four significant digits of a value with d whole digits (d >= 3) keep 4 - d
        // decimals: round to 10^(d-2) hundredths.
        std::uint64_t digits = 0;
        for (std::uint64_t v = h / 100; v > 0; v /= 10)
            ++digits;
        std::uint64_t unit = 1;
        for (std::uint64_t k = 2; k < digits; ++k)
            unit *= 10;
        h = (h + unit / 2) / unit * unit;
    }
    std::string whole = std::to_string(h / 100);
    for (int at = static_cast<int>(whole.size()) - 3; at > 0; at -= 3)
        whole.insert(static_cast<std::size_t>(at), ",");
    const std::uint64_t cents = h % 100;
    std::string text = whole + "." + (cents < 10 ? "0" : "") + std::to_string(cents);
    const int dot = static_cast<int>(text.find('.')) + 1;
    if (3 - dot > 0)
        text.insert(0, static_cast<std::size_t>(3 - dot), ' ');
    return text;
}

std::string GeneralText(std::uint64_t hundredths) {
    std::string text = std::to_string(hundredths / 100);
    const std::uint64_t cents = hundredths % 100;
    if (cents != 0) {
        text += "." + std::to_string(cents / 10);
        if (cents % 10 != 0)
            text += std::to_string(cents % 10);
    }
    return text;
}

namespace {

// A value as decimal digits: 0.d1d2d3... times 10^Exponent.
struct Decimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};

Decimal ToDecimal(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.16e", value); // 17 digits: the binary value's own
    Decimal d;
    const char* p = buffer;
    if (*p == '-') {
        d.Negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.Digits += *p;
    d.Exponent = std::atoi(p + 1) + 1;
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero.
void RoundAt(Decimal& d, int keep) {
    if (keep < 0) {
        d.Digits = "0";
        return;
    }
    if (keep >= static_cast<int>(d.Digits.size()))
        return;
    const bool up = d.Digits[static_cast<std::size_t>(keep)] >= '5';
    d.Digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.Digits[static_cast<std::size_t>(i)] == '9')
            d.Digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0)
            ++d.Digits[static_cast<std::size_t>(i)];
        else {
            d.Digits.insert(0, "1");
            ++d.Exponent;
        }
    }
}

// The value rounded to `significant` digits, then written with two decimals.
std::string FixedDigits(Decimal d, int significant) {
    RoundAt(d, significant);
    RoundAt(d, d.Exponent + 2);
    // Write the whole part and exactly two decimals.
    std::string whole, decimals;
    for (int k = 0; k < d.Exponent + 2; ++k) {
        const char digit = (k >= 0 && k < static_cast<int>(d.Digits.size()))
                               ? d.Digits[static_cast<std::size_t>(k)]
                               : '0';
        (k < d.Exponent ? whole : decimals) += digit;
    }
    while (decimals.size() < 2)
        decimals.insert(0, "0"); // values below 0.01 before the decimals begin
    if (whole.empty())
        whole = "0";
    const bool zero = whole.find_first_not_of('0') == std::string::npos &&
                      decimals.find_first_not_of('0') == std::string::npos;
    return (d.Negative && !zero ? "-" : "") + whole + "." + decimals.substr(decimals.size() - 2);
}

// The magnitude of a whole number of ten-thousandths as its decimal digits.
Decimal AmountDecimal(Amount value) {
    Decimal d;
    d.Negative = value.TenThousandths < 0;
    const std::uint64_t magnitude = d.Negative
                                        ? 0 - static_cast<std::uint64_t>(value.TenThousandths)
                                        : static_cast<std::uint64_t>(value.TenThousandths);
    d.Digits = std::to_string(magnitude);
    d.Exponent = static_cast<int>(d.Digits.size()) - 4;
    return d;
}

} // namespace

std::string FixedSignificant(double value, int significant) {
    if (value == 0.0 || !std::isfinite(value))
        return "0.00";
    return FixedDigits(ToDecimal(value), significant);
}

std::string Fixed2(Amount value) {
    if (value.TenThousandths == 0)
        return "0.00";
    return FixedDigits(AmountDecimal(value), 5);
}

std::string GeneralFormat(Amount value) {
    const Decimal d = AmountDecimal(value);
    std::string digits = d.Digits;
    if (digits.size() < 5)
        digits.insert(0, 5 - digits.size(), '0');
    std::string text = digits.substr(0, digits.size() - 4);
    std::string decimals = digits.substr(digits.size() - 4);
    while (!decimals.empty() && decimals.back() == '0')
        decimals.pop_back();
    if (!decimals.empty())
        text += "." + decimals;
    return (d.Negative ? "-" : "") + text;
}

Amount Amount::Percent(int percent) const {
    const std::int64_t scaled = TenThousandths * percent;
    const std::int64_t half = scaled < 0 ? -50 : 50;
    return {(scaled + half) / 100};
}

std::optional<Amount> DecimalAmount(std::string_view text) {
    if (!DecimalValue(text))
        return std::nullopt;
    text = TrimBlanks(text);
    const bool minus = text.front() == '-';
    if (text.front() == '+' || minus)
        text.remove_prefix(1);
    std::int64_t units = 0;
    int decimals = -1; // digits after the point so far; -1 before it
    bool roundUp = false;
    for (char c : text) {
        if (c == '.') {
            decimals = 0;
            continue;
        }
        if (decimals >= 4) {
            // Only the first digit past the last place decides the rounding.
            roundUp = roundUp || (decimals == 4 && c >= '5');
            ++decimals;
            continue;
        }
        if (units > (INT64_MAX - 9) / 10)
            return std::nullopt;
        units = units * 10 + (c - '0');
        if (decimals >= 0)
            ++decimals;
    }
    for (int d = decimals < 0 ? 0 : decimals; d < 4; ++d) {
        if (units > INT64_MAX / 10)
            return std::nullopt;
        units *= 10;
    }
    if (roundUp) {
        if (units == INT64_MAX)
            return std::nullopt;
        ++units;
    }
    return Amount{minus ? -units : units};
}

std::string LineNumberText(std::size_t n) {
    return PadLeft(std::to_string(n), 4, ' ');
}

std::string Fixed2(double value) {
    return FixedSignificant(value, 5);
}

std::string GeneralFormat(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::optional<double> DecimalValue(std::string_view text) {
    text = TrimBlanks(text);
    // from_chars also takes exponents, "inf" and "nan": only one sign, digits and one
    // decimal point are let through to it.
    const bool plus = !text.empty() && text.front() == '+';
    if (plus)
        text.remove_prefix(1);
    const bool minus = !plus && !text.empty() && text.front() == '-';
    const std::string_view body = minus ? text.substr(1) : text;
    const std::size_t point = body.find('.');
    const std::size_t digits = body.size() - (point == std::string_view::npos ? 0 : 1);
    if (digits == 0 || body.find_first_not_of("0123456789.") != std::string_view::npos ||
        (point != std::string_view::npos && body.find('.', point + 1) != std::string_view::npos))
        return std::nullopt;
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace mpsec
