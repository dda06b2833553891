#include "analysis/fit_parameter.h"

#include <cmath>

void ComputeSliderRange(FitParameter& parameter)
{
    const float value = parameter.value;
    parameter.sliderMax = parameter.hasMax ? parameter.max : value != 0.0f ? 1.5f * value : 1.0f;
    parameter.sliderMin = parameter.hasMin ? parameter.min : value != 0.0f ? 0.5f * value : -1.0f;
}

int SliderPosition(const FitParameter& parameter)
{
    const float span = parameter.sliderMax - parameter.sliderMin;
    if (span == 0.0f)
        return 0;
    const float position = (parameter.value - parameter.sliderMin) * 100.0f / span;
    // Clamped before the conversion, so a value far outside (or a NaN) stays in range.
    if (!(position > 0.0f))
        return 0;
    if (position >= 100.0f)
        return 100;
    return int(position);
}

float SliderValue(const FitParameter& parameter, int position)
{
    return parameter.sliderMin +
           (parameter.sliderMax - parameter.sliderMin) * float(position) * 0.01f;
}
