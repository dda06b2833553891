#include "analysis/fit_options.h"

#include "equation/evalfield.h"
#include "model/messages.h"

#include <climits>
#include <cstdio>

FitOptionsEntry OptionsEntry(const FitOptions& options)
{
    FitOptionsEntry entry;
    entry.algorithm = options.algorithm;
    char text[32];
    std::snprintf(text, sizeof text, "%d", options.maxIterations);
    entry.maxIterations = text;
    std::snprintf(text, sizeof text, "%g", double(options.tolerance));
    entry.tolerance = text;
    entry.weight = options.weight != 0;
    entry.simplify = options.simplify != 0;
    return entry;
}

bool ReadFitOptions(const FitOptionsEntry& entry, FitOptions& options, Messages& messages)
{
    float iterations = 0;
    if (!EvalField(entry.maxIterations.c_str(), iterations)) {
        messages.Show("Invalid Max Iterations");
        return false;
    }
    if (!(iterations > 0)) {
        messages.Show("Invalid Max Iterations ( < 0)");
        return false;
    }
    float tolerance = 0;
    if (!EvalField(entry.tolerance.c_str(), tolerance)) {
        messages.Show("Invalid Fit Tolerance");
        return false;
    }
    options.algorithm = entry.algorithm;
    // A count beyond the int range (or an infinite one) means "as many as an int holds".
    options.maxIterations = iterations >= float(INT_MAX) ? INT_MAX : int(iterations);
    options.tolerance = tolerance;
    options.weight = entry.weight ? 1 : 0;
    options.simplify = entry.simplify ? 1 : 0;
    return true;
}
