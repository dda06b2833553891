#pragma once

#include <string>

class Graph;
class Messages;
class Plot;

/// Caption of the statistics report window.
extern const char* const kStatisticsCaption;

/// The statistics of one direction (x or y) of a set's points.
struct AxisStatistics {
    double mean = 0;       ///< sum / n
    double meanSquare = 0; ///< sum of squares / n
    double stdDev = 0;     ///< sample standard deviation; 0 for fewer than two points
    double min = 0;
    double max = 0;
    double sum = 0;
};

/// The statistics of a set's points; error values are ignored.
struct PlotStatistics {
    int count = 0;
    AxisStatistics x;
    AxisStatistics y;
};

/// Computes the statistics of `plot` in one pass over its points, in double
/// precision. The variance ((<v^2> - <v>^2) x n / (n - 1)) is accumulated
/// about the first value, which gives the same number in exact arithmetic
/// but keeps its digits for data far from zero; a variance that is not
/// greater than 0 gives a standard deviation of 0. A set without points
/// gives all zeros.
PlotStatistics ComputeStatistics(const Plot& plot);

/// The statistics text of one set: "No Data in Plot!\n" for a set without
/// points, else means, mean squares, minimum, maximum and sum of x and of y
/// ("%g"), with the StdDev lines only for two or more points.
std::string StatisticsText(const Plot& plot);

/// The report of every active and selected set of `graph`, in list order:
/// per set a header "******* Set #i (N = n) \"name\" *******" and its text.
/// Empty when no set is both active and selected.
std::string StatisticsReport(const Graph& graph);

/// "Apply" of the statistics dialog: shows the report under
/// "Plot Statistics Results", or "No Plots have been selected!". Returns
/// whether a report was shown.
bool ShowStatistics(const Graph& graph, Messages& messages);
