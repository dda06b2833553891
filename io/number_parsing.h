#pragma once

/// Reads the number at the start of [begin, end) exactly as the C library's
/// `atof` would in the "C" locale, whatever the process locale: the longest
/// prefix that is a number, 0 when there is none, infinity on overflow.
/// Plain decimal text takes a fast exact path; anything unusual (a sign "+",
/// hex, "inf", "nan", out of range) goes to `strtod`.
double ParseAtof(const char* begin, const char* end);
