#pragma once
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mpsec {

// A whole number of hundredths as masterpoints with two decimals, at most four significant
// digits (100 and more are first rounded to four, half up), "," between thousands, and
// leading blanks so the decimal point of values below 100 stands in the third column:
// 50 gives " 0.50", 1200 "12.00", 12346 "123.50", 123456 "1,235.00".
std::string PointsText(std::uint32_t hundredths);

// Hundredths as masterpoints in the shortest general form: 12345 gives "123.45", 12350
// "123.5", 12300 "123".
std::string GeneralText(std::uint64_t hundredths);

// A value rounded to `significant` digits (half away from zero), then written with exactly
// two decimals and no thousands separators: 124.456 with 4 gives "124.50".
std::string FixedSignificant(double value, int significant);

// A decimal number as the federation's files write it: blanks around it, an optional sign,
// digits, and an optional decimal point with digits ("12", "-3.5", " .25 ", "7."). Nothing
// for anything else: an exponent, "inf", "nan", a comma, an empty text.
std::optional<double> DecimalValue(std::string_view text);

// Two decimals after rounding to at most 5 significant digits, half away from zero:
// 1234.567 gives "1234.60". The statement's money format.
std::string Fixed2(double value);

// The shortest decimal text with at most 15 significant digits: 40 gives "40", 37.25
// gives "37.25".
std::string GeneralFormat(double value);

// A decimal amount held exactly, as a whole number of ten-thousandths. Sums and
// differences of amounts written with two decimals, and 20% or 40% of them, stay exact,
// so a value that ends in a half rounds as written (4386.65 to "4386.70"), where a binary
// double may hold it a hair below.
struct Amount {
    std::int64_t TenThousandths = 0;

    static Amount Whole(std::int64_t points) { return {points * 10000}; }
    double ToDouble() const { return static_cast<double>(TenThousandths) / 10000; }
    // `percent` of the amount, rounded half away from zero to ten-thousandths.
    Amount Percent(int percent) const;

    friend Amount operator+(Amount a, Amount b) { return {a.TenThousandths + b.TenThousandths}; }
    friend Amount operator-(Amount a, Amount b) { return {a.TenThousandths - b.TenThousandths}; }
    Amount& operator+=(Amount b) {
        TenThousandths += b.TenThousandths;
        return *this;
    }
    // NOLINTNEXTLINE(modernize-use-nullptr): clang-tidy 14 misreads a defaulted <=>
    friend auto operator<=>(Amount, Amount) = default;
};

// A decimal number of the texts DecimalValue takes, held exactly (more than four decimals
// round half away from zero). Nothing for anything else, or a value too large to hold.
std::optional<Amount> DecimalAmount(std::string_view text);

// Fixed2 of the exact amount.
std::string Fixed2(Amount value);

// The general form of the exact amount: 40 gives "40", 37.25 gives "37.25".
std::string GeneralFormat(Amount value);

// A line number right-justified in 4 characters; a longer number keeps its first four
// digits.
std::string LineNumberText(std::size_t n);

} // namespace mpsec
