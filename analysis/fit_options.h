#pragma once

#include <string>

class Messages;

/// The options of the curve fit, as the "Curve Fit Options" dialog shows them.
struct FitOptions {
    int algorithm = 0;          ///< index in the algorithm list ("Lev-Marq" only)
    int maxIterations = 1000;
    float tolerance = 1e-6f;
    int weight = 1;             ///< weight points according to y error bars
    int simplify = 1;           ///< simplify functions when possible
};

/// The entries of the options dialog as typed.
struct FitOptionsEntry {
    int algorithm = 0;
    std::string maxIterations;  ///< shown with "%d"
    std::string tolerance;      ///< shown with "%g"
    bool weight = true;
    bool simplify = true;
};

/// The entries `options` open the dialog with.
FitOptionsEntry OptionsEntry(const FitOptions& options);

/// "OK" of the options dialog: "Max Iterations" must be a number field
/// greater than 0 ("Invalid Max Iterations", "Invalid Max Iterations ( < 0)")
/// whose integer part is kept (held to the int range), "Fit Tolerance" any
/// number field ("Invalid Fit Tolerance"). On success replaces `options`;
/// on a failure shows its message and leaves `options` as it was.
bool ReadFitOptions(const FitOptionsEntry& entry, FitOptions& options, Messages& messages);
