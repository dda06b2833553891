#pragma once

#include "document/function_history.h"
#include "document/page_history.h"
#include "model/colors.h"
#include "model/list.h"
#include "model/text_object.h"
#include "render/graph.h"

#include <string>
#include <vector>

class Messages;

/// The page's copy of the process-wide display scaling.
struct DisplaySettings {
    int lineScaling = 1;
    float fontScaling = 1.0f;
};

/// The entries of the Arrange dialog, as typed.
struct ArrangeRequest {
    bool allGraphs = true;
    std::string rows = "1";
    std::string columns = "1";
    std::string verticalGap = "0.1";
    std::string horizontalGap = "0.1";
    std::string startX = "0.125";
    std::string startY = "0.125";
    std::string width = "0.75";
    std::string height = "0.75";
};

/// Most graphs a page may hold; more would be smaller than a pixel each and
/// could exhaust memory.
constexpr long long kMostGraphs = 10000;

/// Whether `text` reads as a number: surrounding white space is ignored; the
/// rest must be non-empty and made of digits, "+", "-", "." and one "e"/"E",
/// with "+", "-" and "." at most once each, and "+" and "-" once more after
/// the exponent mark. With `positive`, a text beginning with "-" fails too.
bool CheckNumber(const std::string& text, bool positive = false);

/// The Arrange dialog's live sizes for the typed rows, columns and gaps.
struct ArrangeSizes {
    std::string message; ///< the reason the sizes cannot be computed, or empty
    std::string width;   ///< "%.3g" of (0.75 - (columns - 1) x horizontal gap) / columns
    std::string height;  ///< "%.3g" of (0.75 - (rows - 1) x vertical gap) / rows
};
ArrangeSizes ComputeArrangeSizes(const std::string& rows, const std::string& columns,
                                 const std::string& horizontalGap,
                                 const std::string& verticalGap);

/// The check the Arrange dialog makes on OK: "Invalid row value!" or
/// "Invalid column value!" for a count of 0 or less, else empty.
std::string CheckArrangeCounts(const std::string& rows, const std::string& columns);

/// The document: one page of graphs in rows and columns (row 0 at the bottom,
/// column 0 at the left), one of which is the current graph, plus free text
/// labels, the page colour, the display scaling and the pipe state.
/// Invariants: `m_graphCount` = `m_rows` x `m_columns` = number of graphs >= 1
/// and 0 <= `m_currentGraph` < `m_graphCount`.
class CTarnDoc {
public:
    CTarnDoc();

    /// Discards all graphs and labels and makes a page with one default, selected
    /// graph. Arrangement sizes, gaps, start, page colour and display settings stay.
    void OnNewDocument();

    /// The graph at `m_currentGraph`.
    Graph& CurrentGraph() { return m_graphs[m_currentGraph]; }
    const Graph& CurrentGraph() const { return m_graphs[m_currentGraph]; }

    /// Stores `text` read with atoi as the pipe number for the link reader.
    void SetPipeNumber(const std::string& text);

    bool IsModified() const { return m_modified; }
    /// With `modified`, marks the page modified and records the change for
    /// undo; without, marks the page as it is now as saved.
    void SetModifiedFlag(bool modified = true);
    /// Records a change that by design leaves the modified mark alone (the
    /// style, display, shift and zoom commands), so it can be undone too. A
    /// run of changes with the same non-zero `mergeKey` is one step.
    void RecordUnmarkedChange(int mergeKey = 0) { m_history.Commit(*this, false, mergeKey); }
    /// Undoes the last recorded change; false when there is none. The page is
    /// then modified exactly when it differs from the saved one by a change
    /// that marked it.
    bool Undo();
    /// Redoes the change last undone; false when there is none.
    bool Redo();
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    /// The page as it is now starts a new history (a new or opened page).
    void ResetHistory() { m_history.Reset(*this, m_modified); }
    const PageHistory& History() const { return m_history; }
    /// Opens and closes a group of changes that undo takes as one step
    /// (`PageChanges` does both).
    void BeginChanges() { m_history.BeginGroup(); }
    void EndChanges() { m_history.EndGroup(*this); }

    /// Places graph `index` with its plot area at (left, bottom) of the given
    /// size, moving its titles, axes and legend with it and updating its data
    /// sets' copies of the plot area.
    void PlaceGraph(int index, float left, float bottom, float width, float height);

    /// The Arrange command after its dialog closed with OK: checks the entries
    /// (each failure shows its message and changes nothing), asks "Delete
    /// excess graph(s)?" when graphs would be lost from a modified page, then
    /// stores the sizes and places the graphs. Returns whether the page changed.
    bool Arrange(const ArrangeRequest& request, Messages& messages);
    /// The entries the Arrange dialog opens with: the page's values, sizes and
    /// gaps with "%.3g".
    ArrangeRequest CurrentArrangement() const;

    /// Whether Overlap may open; shows "Can't overlap less than two graphs!"
    /// when the page has fewer than two graphs.
    bool CanOverlap(Messages& messages) const;
    /// Gives graph `top` the placement of graph `bottom`. The same graph twice
    /// shows "Unable to place a graph on top of itself!" and returns false;
    /// indexes outside the page return false.
    bool OverlapGraphs(int top, int bottom, Messages& messages);

    /// Makes graph `index` the current and only selected graph (ignored when
    /// outside the page).
    void SelectGraph(int index);

    /// The Properties command: `lineChoice` 1 to 5, `fontScale` 1.0 to 3.0.
    /// Returns whether anything changed (the view then redraws); the document
    /// is not marked modified.
    bool ApplyDisplaySettings(int lineChoice, float fontScale, Messages& messages);

    /// Puts every graph and free label into print mode (1) or back (0).
    void SetPrintMode(int flag);

    /// Whether the current graph can shift vertically (y is linear) or
    /// horizontally (x is linear).
    bool CanShiftVertically() const { return !CurrentGraph().m_yLog; }
    bool CanShiftHorizontally() const { return !CurrentGraph().m_xLog; }

    DisplaySettings m_displaySettings;
    std::vector<Graph> m_graphs;
    int m_graphCount = 1;
    int m_rows = 1;
    int m_columns = 1;
    float m_graphWidth = 0.75f;
    float m_graphHeight = 0.75f;
    float m_verticalGap = 0.1f;
    float m_horizontalGap = 0.1f;
    float m_startX = 0.125f;
    float m_startY = 0.125f;
    int m_currentGraph = 0;
    Color m_pageColor = kNoColor;
    List<TextObject> m_labels;
    /// The file the page was opened from or last saved to; empty for a new page.
    std::string m_pathName;
    int m_pipeNumber = 0;
    int m_pipeHalt = 0;
    std::string m_exportFile;
    int m_exportKind = 0;
    int m_exportWidth = 0;
    int m_exportHeight = 0;
    /// The formulas of the three equation editors (y = f(x), parametric,
    /// polar), kept for as long as the document object lives.
    FunctionHistory m_functionHistory;
    FunctionHistory m_parametricHistory;
    FunctionHistory m_polarHistory;

private:
    bool m_modified = false;
    PageHistory m_history;
};

/// Makes the changes of its lifetime one undo step.
class PageChanges {
public:
    explicit PageChanges(CTarnDoc& doc) : m_doc(doc) { m_doc.BeginChanges(); }
    ~PageChanges() { m_doc.EndChanges(); }
    PageChanges(const PageChanges&) = delete;
    PageChanges& operator=(const PageChanges&) = delete;

private:
    CTarnDoc& m_doc;
};
