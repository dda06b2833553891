#pragma once

/// One parameter of the fitted model: its place in the model's variable
/// table, its value (kept in double, so a fit can resolve every digit the
/// data hold), the optional bounds, whether it stands on a bound, and the
/// ends of its slider.
struct FitParameter {
    int varIndex = 0;
    double value = 1.0;
    int hasValue = 0;  ///< the user gave an initial estimate
    int hasMax = 0;
    int hasMin = 0;
    int atMax = 0;     ///< the value stands on the upper bound
    int atMin = 0;     ///< the value stands on the lower bound
    double max = 1.0;
    double min = 1.0;
    double sliderMax = 0.0;
    double sliderMin = 0.0;
};

/// The slider ends of `parameter`: its bounds where it has them, else 1.5 and
/// 0.5 times its value (1 and -1 for a value of 0), so a negative value
/// without bounds runs from 0.5 x value down to 1.5 x value.
void ComputeSliderRange(FitParameter& parameter);

/// The slider position 0 .. 100 of `parameter`'s value within its slider
/// ends (the integer part, clamped); 0 when the ends are equal.
int SliderPosition(const FitParameter& parameter);

/// The value at slider position `position` (0 .. 100).
double SliderValue(const FitParameter& parameter, int position);
