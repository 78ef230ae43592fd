#include "core/NumberFormats.h"

#include "register/TextHelpers.h"

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

std::string FixedSignificant(double value, int significant) {
    if (value != 0.0 && std::isfinite(value)) {
        // The decimal exponent of the leading digit decides the rounding step.
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, value);
        const double rounded = std::strtod(buffer, nullptr);
        // %e rounds halves to even on exact binary halves; round those away from zero.
        const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
        const double step = std::pow(10.0, exponent - (significant - 1));
        const double scaled = value / step;
        if (std::fabs(scaled - std::trunc(scaled)) == 0.5)
            value = (std::trunc(scaled) + (value < 0 ? -1 : 1)) * step;
        else
            value = rounded;
    }
    char out[64];
    std::snprintf(out, sizeof out, "%.2f", value);
    return out;
}

std::string LineNumberText(std::size_t n) {
    return PadLeft(std::to_string(n), 4, ' ');
}

} // namespace mpsec
