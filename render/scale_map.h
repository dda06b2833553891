#pragma once

#include "model/drawing_settings.h"

#include <cmath>

/// The mapping of one direction of a graph between data values and device
/// coordinates. The plot area spans the page fractions `fractionLow` ..
/// `fractionHigh`, which show the data range `dataLow` .. `dataHigh` (decade
/// exponents when `log` is set); page fraction 0 lies at device `deviceStart`
/// and fraction 1 at `deviceEnd` (for y: the page's bottom and top).
struct ScaleMap {
    double deviceStart = 0.0;
    double deviceEnd = 1.0;
    double fractionLow = 0.0;
    double fractionHigh = 1.0;
    double dataLow = 0.0;
    double dataHigh = 1.0;
    bool log = false;

    /// Page fraction of a data value; log10 is taken first on a log axis.
    double Fraction(double value) const
    {
        const double v = log ? std::log10(value) : value;
        return fractionLow + (v - dataLow) * (fractionHigh - fractionLow) / (dataHigh - dataLow);
    }
    /// Device coordinate of a data value, clamped with `ClampCoord` (a
    /// non-positive value on a log axis gives the lower limit).
    int Transform(double value) const
    {
        return ClampCoord(deviceStart + (deviceEnd - deviceStart) * Fraction(value));
    }
    /// Data value at device coordinate `device` (10^v on a log axis).
    double InvTransform(int device) const
    {
        const double u = (device - deviceStart) / (deviceEnd - deviceStart);
        const double v =
            dataLow + (u - fractionLow) * (dataHigh - dataLow) / (fractionHigh - fractionLow);
        return log ? std::pow(10.0, v) : v;
    }
};

/// Device x of page fraction `fx` on `page`.
inline int FractionToDeviceX(double fx, int left, int right)
{
    return ClampCoord(left + (right - left) * fx);
}
/// Device y of page fraction `fy` (from the bottom).
inline int FractionToDeviceY(double fy, int top, int bottom)
{
    return ClampCoord(bottom - (bottom - top) * fy);
}
