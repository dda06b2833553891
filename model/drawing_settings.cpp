#include "model/drawing_settings.h"

#include <cmath>

bool use16BitCoordinates = false;
int lineScaling = 1;
float fontScaling = 1.0f;

int ClampCoord(double value)
{
    const double upper = use16BitCoordinates ? 32766.0 : 20000000.0;
    const double lower = use16BitCoordinates ? -32767.0 : -20000000.0;
    if (std::isnan(value) || value < lower)
        return int(lower);
    if (value > upper)
        return int(upper);
    return int(value);
}
