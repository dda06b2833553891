#include "io/number_parsing.h"

#include <charconv>
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
