#pragma once

class CTarnDoc;
class Graph;
class Messages;

extern const char* const kErrorBarNoSelection;

/// The item numbers of the five lists of "Error Bar".
struct ErrorBarItems {
    int hatSize = 0;   ///< "1" ... "10": `m_errorBarHatSize` - 1
    int lineStyle = 0; ///< "Solid" ... "None": `m_errorBarLineStyle`
    int lineSize = 0;  ///< "1" ... "10": `m_errorBarLineSize` - 1
    int xDisplay = 2;  ///< "Left", "Right", "Both", "None"
    int yDisplay = 2;  ///< "Top", "Bottom", "Both", "None"
    bool operator==(const ErrorBarItems&) const = default;
};

/// The logic of the "Error Bar" dialog: the items its lists show and what
/// "OK" does. The dialog only shows it; corvid-batch runs it without one.
class ErrorBarEdit {
public:
    /// Shows the error-bar style of set `remembered` of `graph`; with no such
    /// set the lists show their first items, except both display lists, which
    /// show "Both". A value outside its list shows that default item.
    void Load(const Graph& graph, int remembered);

    /// "OK": every active and selected set of the current graph takes the
    /// listed error-bar style. With at least one such set the document is
    /// marked modified and the result is true (the dialog closes and the
    /// views are updated); otherwise "No Plots have been selected!" is shown,
    /// nothing changes and the result is false.
    bool Apply(CTarnDoc& doc, Messages& messages) const;

    ErrorBarItems m_items;
};
