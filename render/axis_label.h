#pragma once

#include <string>

/// Number formats of tick labels (`Axis::m_format`).
enum AxisFormat : int { kFormatGeneral = 0, kFormatEngineering = 1, kFormatScientific = 2 };

/// The texts of one tick label: the main text and the exponent drawn after it
/// as a superscript (empty when there is none).
struct AxisLabelText {
    std::string main;
    std::string exponent;
    bool operator==(const AxisLabelText&) const = default;
};

/// The label of `value` with `precision` digits after the point (held to 0 ..
/// 9). On a log axis the value is a decade exponent and the label reads "10"
/// with the exponent truncated to an integer. Otherwise, with e the power of
/// ten of the value (0 for 0): General prints fixed notation for e from -2 to
/// 2 and a mantissa with "e" and the exponent beyond ("1.235e5"); Engineering
/// prints the mantissa with "E" and the exponent ("2E3"); Scientific prints the
/// mantissa with "x10" and the exponent as superscript. A mantissa that rounds
/// up to 10 carries into the exponent ("1.000e5" for 99999). A value that is
/// not finite prints as "%g" does.
AxisLabelText FormatAxisLabel(double value, int format, int precision, bool log);
