#pragma once

/// One parameter of the fitted model: its place in the model's variable
/// table, its value, the optional bounds, whether the last trial step was
/// held at a bound, and the ends of its slider.
struct FitParameter {
    int varIndex = 0;
    float value = 1.0f;
    int hasValue = 0;  ///< the user gave an initial estimate
    int hasMax = 0;
    int hasMin = 0;
    int atMax = 0;     ///< the last step was clamped to the upper bound
    int atMin = 0;     ///< the last step was clamped to the lower bound
    float max = 1.0f;
    float min = 1.0f;
    float sliderMax = 0.0f;
    float sliderMin = 0.0f;
};

/// The slider ends of `parameter`: its bounds where it has them, else 1.5 and
/// 0.5 times its value (1 and -1 for a value of 0), so a negative value
/// without bounds runs from 0.5 x value down to 1.5 x value.
void ComputeSliderRange(FitParameter& parameter);

/// The slider position 0 .. 100 of `parameter`'s value within its slider
/// ends (the integer part, clamped); 0 when the ends are equal.
int SliderPosition(const FitParameter& parameter);

/// The value at slider position `position` (0 .. 100).
float SliderValue(const FitParameter& parameter, int position);
