#include "io/number_parsing.h"

#include <charconv>
#include <cstdint>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

static double SlowAtof(const char* begin, const char* end)
{
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
    const std::string text(begin, end);
    return strtod_l(text.c_str(), nullptr, cLocale);
}

static bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

double ParseAtof(const char* begin, const char* end)
{
    const char* p = begin;
    if (p < end && *p == '-')
        ++p;
    // The fast path takes plain decimal text: digits or a point come first.
    if (p < end && (IsDigit(*p) || *p == '.')) {
        double value = 0;
        const auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::general);
        // "0x1p3" would stop after "0"; strtod reads it as hex.
        const bool hexPrefix = stop < end && (*stop == 'x' || *stop == 'X');
        if (error == std::errc() && !hexPrefix)
            return value;
        if (error == std::errc::invalid_argument && !hexPrefix)
            return 0.0; // "." or "-." alone
    }
    return SlowAtof(begin, end);
}

const char* ParseSimpleDecimal(const char* begin, const char* end, double& value)
{
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    static constexpr std::uint64_t kLargestExact = std::uint64_t(1) << 53;
    const char* p = begin;
    const bool negative = p < end && *p == '-';
    if (negative)
        ++p;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int exponent = 0;
    while (p < end && IsDigit(*p)) {
        mantissa = mantissa * 10 + std::uint64_t(*p - '0');
        if (mantissa > kLargestExact)
            return nullptr;
        ++digits;
        ++p;
    }
    if (p < end && *p == '.') {
        ++p;
        while (p < end && IsDigit(*p)) {
            mantissa = mantissa * 10 + std::uint64_t(*p - '0');
            if (mantissa > kLargestExact)
                return nullptr;
            ++digits;
            --exponent;
            ++p;
        }
    }
    if (digits == 0)
        return nullptr;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        const bool negativeExponent = q < end && *q == '-';
        if (q < end && (*q == '-' || *q == '+'))
            ++q;
        if (q == end || !IsDigit(*q))
            return nullptr; // "1e" and "1e+" stop before the "e": left to strtod
        int written = 0;
        while (q < end && IsDigit(*q)) {
            if (written > 1000)
                return nullptr;
            written = written * 10 + (*q - '0');
            ++q;
        }
        exponent += negativeExponent ? -written : written;
        p = q;
    }
    double result = double(mantissa);
    if (mantissa != 0) {
        if (exponent < -22 || exponent > 22)
            return nullptr;
        result = exponent < 0 ? result / kPowers[-exponent] : result * kPowers[exponent];
    }
    value = negative ? -result : result;
    return p;
}
