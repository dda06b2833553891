#pragma once

#include <cstddef>
#include <cstdint>

class Plot;

/// The x span of a set: its largest x minus its smallest; 0 without points.
float XSpan(const Plot& plot);

/// Whether a set can be turned into sound: it has a point, and walking its
/// points in stored order no point after the second lies beyond the second
/// against the direction of the first step (after a falling first step no
/// later x is greater than the second x; otherwise none is smaller).
bool IsConvertible(const Plot& plot);

/// Samples the curve of a convertible set, y against x, into `count` 16-bit
/// samples spread evenly over its x span, for a volume of `percent` (1..100).
/// The walk follows the points in stored order from the first point's x,
/// stepping by span / (count - 1); when the first step falls, the samples go
/// in from the end of `samples`, so a set stored with falling x sounds the
/// same as its rising twin. The lowest y gives -32768 and the highest
/// -32768 + 65536 x percent / 100, kept at most 32767; a set whose y values
/// are all equal gives the constant middle of that range. Samples the walk
/// does not reach (the points ran out) are -32768. Any set, even one that is
/// not convertible or holds infinities or NaN, fills every sample without
/// reading past `samples`.
void FillChannel(const Plot& plot, int percent, std::int16_t* samples, std::size_t count);
