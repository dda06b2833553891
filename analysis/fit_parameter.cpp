#include "analysis/fit_parameter.h"

#include <cmath>

void ComputeSliderRange(FitParameter& parameter)
{
    const double value = parameter.value;
    parameter.sliderMax = parameter.hasMax ? parameter.max : value != 0.0 ? 1.5 * value : 1.0;
    parameter.sliderMin = parameter.hasMin ? parameter.min : value != 0.0 ? 0.5 * value : -1.0;
}

int SliderPosition(const FitParameter& parameter)
{
    const double span = parameter.sliderMax - parameter.sliderMin;
    if (span == 0.0)
        return 0;
    const double position = (parameter.value - parameter.sliderMin) * 100.0 / span;
    // Clamped before the conversion, so a value far outside (or a NaN) stays in range.
    if (!(position > 0.0))
        return 0;
    if (position >= 100.0)
        return 100;
    return int(position);
}

double SliderValue(const FitParameter& parameter, int position)
{
    return parameter.sliderMin +
           (parameter.sliderMax - parameter.sliderMin) * double(position) * 0.01;
}
