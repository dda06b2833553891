#pragma once

/// Process-wide drawing settings read by every draw routine.
/// `use16BitCoordinates` is decided once at start-up (always false on Linux;
/// tests may set it); `lineScaling` and `fontScaling` follow the page's display
/// settings.
extern bool use16BitCoordinates;
extern int lineScaling;
extern float fontScaling;

/// Left and bottom page fraction of a new graph: (1 - 0.75) * 0.5.
constexpr float kDefaultGraphOrigin = (1.0f - 0.75f) * 0.5f;

/// Converts a device coordinate computed as a float to int: truncated toward
/// zero and clamped to -32767 .. 32766 with 16-bit coordinates, otherwise to
/// -20000000 .. 20000000. A value that is not a number gives the lower limit.
int ClampCoord(double value);
