#pragma once

#include "model/colors.h"
#include "model/list.h"
#include "model/plot.h"
#include "model/text_object.h"
#include "render/graph.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CTarnDoc;

/// The state of a page that undo brings back: the graphs with their sets,
/// the arrangement, the current graph, the page colour, the free labels and
/// the display scaling. The sets keep their chains' order and share their
/// storage with the page they were taken from (and with every other
/// snapshot), so a snapshot of a page of a million points costs about as much
/// as one of an empty page. File name, pipe state and the equation editors'
/// histories are not part of it.
struct PageSnapshot {
    /// One graph: everything but its sets, then its sets in list order.
    /// Moved, never copied: a plain copy of a set would reverse its chains.
    struct GraphState {
        GraphState() = default;
        GraphState(GraphState&&) = default;
        GraphState& operator=(GraphState&&) = default;
        GraphState(const GraphState&) = delete;
        GraphState& operator=(const GraphState&) = delete;

        Graph shell; ///< the graph with an empty set list
        List<Plot> sets;
    };
    std::vector<GraphState> graphs;
    int rows = 1;
    int columns = 1;
    float graphWidth = 0.75f;
    float graphHeight = 0.75f;
    float verticalGap = 0.1f;
    float horizontalGap = 0.1f;
    float startX = 0.125f;
    float startY = 0.125f;
    int currentGraph = 0;
    Color pageColor = kNoColor;
    List<TextObject> labels;
    int lineScaling = 1;
    float fontScaling = 1.0f;
};

/// Takes the snapshot of `doc`. Titles, axes, legends and free labels are
/// kept unselected, since a restored page has no selection. `doc` is only
/// borrowed: each graph's set list is set aside while the rest is copied.
PageSnapshot TakeSnapshot(CTarnDoc& doc);

/// Makes the page of `doc` the one of `snapshot`, the process-wide line and
/// font scaling included. The modified mark is left to the caller.
void RestoreSnapshot(CTarnDoc& doc, const PageSnapshot& snapshot);

/// The page's fields as JSON, with what is no change of the page left out:
/// the selection flags, the graphs' drag modes (chosen by a Shift-click), the
/// pipe state and a pending export. `doc` is only borrowed: those are set
/// aside while the text is made.
std::string PageFields(CTarnDoc& doc);

/// What identifies the page's data: for every chain of every set its count
/// and storage blocks, and every graph's overlay curve. Equal between a page
/// and a snapshot of it until a set, a point or a curve changes.
std::vector<std::uintptr_t> DataIdentity(const CTarnDoc& doc);

/// Calls `visit` (block address, bytes) for each storage block of the sets' chains.
void ForEachDataBlock(const PageSnapshot& snapshot,
                      const std::function<void(const void*, std::size_t)>& visit);
void ForEachDataBlock(const CTarnDoc& doc, const std::function<void(const void*, std::size_t)>& visit);

/// The bytes the snapshot holds besides its sets' chains (an estimate from
/// the sizes of its records and texts).
std::size_t StructureBytes(const PageSnapshot& snapshot);
