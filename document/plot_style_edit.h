#pragma once

#include "model/colors.h"

class Graph;
class Messages;
class Plot;

/// The "Custom" item of the dialogs' colour lists.
constexpr int kCustomColorItem = 8;
/// A custom colour of the style dialogs that has not been chosen yet. No
/// colour of a data set has this value (they are 0x00BBGGRR or `kNoColor`).
constexpr Color kNoCustomColor = 0xFFFFFFFFu;

extern const char* const kSolidLineWarning;

/// The item numbers of the six style lists of "Plot Options".
struct PlotStyleItems {
    int pointStyle = 0; ///< "Circle" ... "None": `m_pointStyle`
    int pointSize = 0;  ///< "1" ... "10": `m_pointSize` - 1
    int pointColor = 0; ///< "Black" ... "None", "Custom"
    int lineStyle = 0;  ///< "Solid" ... "None": `m_lineStyle`
    int lineSize = 0;   ///< "1" ... "5": `m_lineSize` - 1
    int lineColor = 0;  ///< as `pointColor`
    bool operator==(const PlotStyleItems&) const = default;
};

/// What one "Apply" of "Plot Options" did.
struct PlotStyleApplied {
    int changedSets = 0;      ///< selected sets that took the style
    bool modeChanged = false; ///< the animation mode switched
    /// Whether the views are to be updated: a set took the style, or the
    /// animation mode switched (which changes what the graph shows).
    bool Redraw() const { return changedSets > 0 || modeChanged; }
};

/// The logic of the "Plot Options" dialog: the items its lists show, its two
/// custom colours, and what "Apply" does to the current graph's sets. The
/// dialog only shows it; corvid-batch runs it without one.
class PlotStyleEdit {
public:
    /// Shows the style of set `remembered` of `graph`; with no such set
    /// (-1, or an index past the list) every list shows its first item. A
    /// custom colour selects "Custom" and becomes that list's custom colour;
    /// a style code outside its list (from a damaged file) shows the first item.
    void Load(const Graph& graph, int remembered);

    /// The colour the colour chooser opens on for the symbol (`line` false)
    /// or line custom colour: that custom colour when it is `kNoColor` or a
    /// colour above black, else black.
    Color ChooserStart(bool line) const;
    /// The colour chooser's "OK": stores `color` as the custom colour and
    /// selects "Custom" in that list.
    void ChooseCustom(bool line, Color color);
    /// The colour an item of a colour list stands for: a fixed colour, or
    /// for "Custom" the matching custom colour.
    Color ItemColor(bool line, int item) const;

    /// "Apply": stores `animation` as the graph's `m_singlePlotOnly`, then gives
    /// every selected set of the graph (in list order, active or not) the
    /// listed style; with 16-bit coordinates a thick line that is not solid
    /// shows `kSolidLineWarning` once. The document's modified flag is left alone.
    PlotStyleApplied Apply(Graph& graph, bool animation, Messages& messages) const;

    PlotStyleItems m_items;
    Color m_customPointColor = kNoCustomColor;
    Color m_customLineColor = kNoCustomColor;
};

/// After "Plot Options" closes: a graph in animation mode with sets and no
/// shown set yet shows set 0. Returns whether the index changed.
bool ResetSinglePlotIndex(Graph& graph);
