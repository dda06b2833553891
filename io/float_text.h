#pragma once

#include <string>

/// Appends `value` as "%.*g" writes it with the fewest significant digits, at
/// least `minimumDigits`, that read back to the same float: the text of
/// "%.<minimumDigits>g" wherever that already reads back exactly, otherwise
/// the shortest round-trip digits in the same layout (exponent form "e-05",
/// "e+09" and the same choice between fixed and exponent notation). Reading
/// back means as the import does: the text read as a double, then narrowed to
/// float, refused beyond the float range. Infinities and NaN are written as
/// "%g" writes them. Independent of the process locale.
void AppendFloat(std::string& text, float value, int minimumDigits);
