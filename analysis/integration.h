#pragma once

#include <string>

class Graph;
class Messages;
class Plot;

/// Caption of the integration report window.
extern const char* const kIntegrationCaption;

/// The integration limits: automatic (the set's own x extent) or the user's.
struct IntegrationLimits {
    bool userDefined = false;
    float from = 0;
    float to = 0;
};

/// Reads a plain number field of the Integration dialog: optional blanks
/// around a decimal number with optional sign and exponent ("2", "-0.5",
/// "1e3"), in any process locale. False for anything else, and for a value
/// beyond the float range; `value` is then unchanged.
bool ReadLimitField(const std::string& text, float& value);

/// The trapezoid integral of y over x of `plot`'s points taken in ascending
/// x (the points are sorted on a copy; equal x in any order, points whose x
/// is not a number after all others). With user limits only the intervals
/// that lie wholly between them count, and reversed limits give the negated
/// sum. False for fewer than two points.
bool Integrate(const Plot& plot, const IntegrationLimits& limits, double& integral,
               float* lowest = nullptr, float* highest = nullptr);

/// The report text of one set: its name, the limits line "Integration
/// limits [%g, %g]" (with user limits always, with automatic ones the
/// smallest and largest x when there are two points or more), then the
/// integral, "No points in plot!" or "1 point in plot, integral is zero.";
/// lines end in CR LF and a blank line follows.
std::string IntegrationText(const Plot& plot, const IntegrationLimits& limits);

/// The texts of every active and selected set of `graph`, in list order;
/// empty when there is none.
std::string IntegrationReport(const Graph& graph, const IntegrationLimits& limits);

/// "Apply" of the Integration dialog: shows the report under "Integration
/// results", or "No Plots have been selected!". Returns whether a report was
/// shown.
bool ShowIntegration(const Graph& graph, const IntegrationLimits& limits, Messages& messages);
