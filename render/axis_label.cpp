#include "render/axis_label.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

// Makes a format from a template with one precision in it, such as
// "%%#.%df" at 3 giving "%#.3f".
static std::string MakeFormat(const char* pattern, int precision)
{
    char format[32];
    std::snprintf(format, sizeof format, pattern, precision);
    return format;
}

static std::string Print(const std::string& format, double value)
{
    char text[512];
    std::snprintf(text, sizeof text, format.c_str(), value);
    return text;
}

static std::string Print(const std::string& format, double value, int exponent)
{
    char text[512];
    std::snprintf(text, sizeof text, format.c_str(), value, exponent);
    return text;
}

static std::string Fixed(double value, int precision)
{
    return Print(MakeFormat(precision == 0 ? "%%.%df" : "%%#.%df", precision), value);
}

static AxisLabelText General(double value, int precision)
{
    int e = value == 0.0 ? 0 : int(std::floor(std::log10(std::fabs(value))));
    if (e >= -2 && e <= 2)
        return {Fixed(value, precision), {}};
    double w = value / std::pow(10.0, e);
    const std::string mantissaFormat = MakeFormat("%%#.%df", precision);
    const bool carry = std::fabs(std::atof(Print(mantissaFormat, w).c_str())) >= 10.0;
    if (carry)
        ++e;
    if (e >= -2 && e <= 2)
        return {Fixed(value, precision), {}};
    if (carry)
        w *= 0.1;
    return {Print(MakeFormat("%%#.%dfe%%d", precision), w, e), {}};
}

// The mantissa and exponent shared by Engineering and Scientific.
static double Mantissa(double value, int precision, int& e)
{
    e = value == 0.0 ? 0 : int(std::floor(std::log10(std::fabs(value))));
    double w = e != 0 ? value / std::pow(10.0, e) : value;
    char text[512];
    std::snprintf(text, sizeof text, "%.*f", precision, w);
    if (std::fabs(std::atof(text)) >= 10.0) {
        w *= 0.1;
        ++e;
    }
    return w;
}

AxisLabelText FormatAxisLabel(double value, int format, int precision, bool log)
{
    precision = std::clamp(precision, 0, 9);
    if (log) {
        char exponent[32];
        const double whole = std::trunc(value);
        std::snprintf(exponent, sizeof exponent, "%d",
                      std::isfinite(whole) && std::fabs(whole) < 1e9 ? int(whole) : 0);
        return {"10", exponent};
    }
    if (!std::isfinite(value))
        return {Print("%g", value), {}};
    if (format == kFormatEngineering) {
        int e = 0;
        const double w = Mantissa(value, precision, e);
        return {Print(precision > 0 ? MakeFormat("%%#.%dfE%%d", precision) : "%.0fE%d", w, e), {}};
    }
    if (format == kFormatScientific) {
        int e = 0;
        const double w = Mantissa(value, precision, e);
        char exponent[32];
        std::snprintf(exponent, sizeof exponent, "%d", e);
        return {Print(precision > 0 ? MakeFormat("%%#.%dfx10", precision) : "%.0fx10", w), exponent};
    }
    return General(value, precision);
}
