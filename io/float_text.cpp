#include "io/float_text.h"

#include "model/c_numeric_scope.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>

// The number of significant digits of the shortest text that reads back to
// `value`, as std::to_chars finds it.
static int ShortestDigits(float value)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    int digits = 0;
    for (const char* p = text; p < written.ptr && *p != 'e'; ++p)
        digits += *p >= '0' && *p <= '9';
    return digits;
}

static double ReadBack(const char* begin, const char* end)
{
    double value = 0;
    std::from_chars(begin, end, value);
    return value;
}

void AppendFloat(std::string& text, float value, int minimumDigits)
{
    const CNumericScope numbers;
    char number[40];
    if (!std::isfinite(value)) {
        text.append(number, std::size_t(std::snprintf(number, sizeof number, "%g", double(value))));
        return;
    }
    // "%.Ng" rounds the exact value to N digits, the closest N-digit text;
    // with N the shortest count those are the shortest digits themselves, and
    // with more digits "%g"'s own text, which then reads back too.
    int precision = std::max(minimumDigits, ShortestDigits(value));
    int length = std::snprintf(number, sizeof number, "%.*g", precision, double(value));
    // The shortest text of the largest float, 3.4028235e+38, lies beyond it,
    // and the import refuses values past the float range; more digits of the
    // exact value stay inside.
    while (std::fabs(value) == FLT_MAX && std::fabs(ReadBack(number, number + length)) > double(FLT_MAX))
        length = std::snprintf(number, sizeof number, "%.*g", ++precision, double(value));
    text.append(number, std::size_t(length));
}
