#pragma once

#include <string>

class CTarnDoc;
class Messages;
class Plot;
struct AddedSets;

/// Most bins a histogram may have; more would only exhaust memory.
constexpr int kMostHistogramBins = 10'000'000;

/// The bins of one histogram: `count` bins of `width` from `start`.
struct HistogramBins {
    float start = 0;
    float width = 0;
    int count = 0;
    bool normalize = false;    ///< divide the counts so that the area is 1
    bool alignOnValue = true;  ///< bin i stands at start + width x i, else at its centre
};

/// Counts the y values of `source` into `bins` and fills `result`, a new
/// set (filled in place: copying a set reverses its points): y falls into bin
/// trunc((y - start) / width) (so a value less than one bin below the start
/// still counts in bin 0); values outside the whole bins, and values that are
/// not numbers, are not counted. Returns the new set "Histogram of Set
/// `sourceIndex`", drawn as x histogram bars, whose traversal order is one
/// point per bin in bin order and then the closing point at the end of the
/// last bin with count 0. Normalising a histogram in which nothing was
/// counted leaves its counts at 0.
void BuildHistogram(const Plot& source, int sourceIndex, const HistogramBins& bins, Plot& result);

/// The entries of the Histogram dialog, as typed.
struct HistogramRequest {
    bool byBinCount = false; ///< "# bins:" chosen, else "Bin Width:"
    std::string binWidth;
    std::string binCount;
    std::string start;
    std::string end;
    bool normalize = false;
    bool alignOnValue = true;
    int targetGraph = -1;    ///< page index of the graph for the results; -1 the current graph
};

/// "OK" of the Histogram dialog. Checks, in this order, that a set of the
/// current graph is active and selected, the ending value, the start value,
/// the bin count or width, and that start is not greater than end (each
/// failure shows its message and changes nothing); then appends the
/// histogram of every active and selected set, in list order, to the target
/// graph, keeps its log x axis only while every set there has positive x,
/// makes its y axis linear, rescales it and marks the document modified.
/// Returns whether histograms were added; `added` (when given) tells where.
bool MakeHistograms(CTarnDoc& doc, const HistogramRequest& request, Messages& messages,
                    AddedSets* added = nullptr);
