#pragma once

/// Reads the number at the start of [begin, end) exactly as the C library's
/// `atof` would in the "C" locale, whatever the process locale: the longest
/// prefix that is a number, 0 when there is none, infinity on overflow.
/// Plain decimal text takes a fast exact path; anything unusual (a sign "+",
/// hex, "inf", "nan", out of range) goes to `strtod`.
double ParseAtof(const char* begin, const char* end);

/// Reads a plain decimal number ("-12.5", "3e-4") at `begin` when its value is
/// exact in one step: a mantissa of at most 2^53 times or divided by an exact
/// power of ten (up to 10^22), which rounds exactly as `atof` does. Returns
/// where the number ends, or nullptr when the text needs the general reading.
const char* ParseSimpleDecimal(const char* begin, const char* end, double& value);
