#pragma once

#include <string>
#include <vector>

class CTarnDoc;
class Graph;
class Plot;

/// What every analysis says when no set of the current graph is both active
/// and selected.
extern const char* const kNoPlotsSelected;

/// Indices of the sets of `graph` that are active and selected, in list order.
std::vector<int> SelectedSets(const Graph& graph);

/// The entries of a "Load Result to graph:" list: "Current", then the number
/// of every visible graph of the page, in page order.
std::vector<std::string> TargetGraphEntries(const CTarnDoc& doc);

/// The graph that entry `entry` of `TargetGraphEntries` stands for: the
/// current graph for 0 (and for an entry outside the list), else the graph
/// whose number the entry shows.
int TargetGraphIndex(const CTarnDoc& doc, int entry);

/// Where an analysis put the sets it made.
struct AddedSets {
    int graph = -1;        ///< index of the target graph on the page
    std::vector<int> sets; ///< indices of the new sets in that graph's list
};

/// Appends `result` to the end of `graph`'s set list without copying or
/// reordering its points (the set is traversed in the graph as it was built);
/// `result` is left without points. Returns the new set's index.
int AppendResultSet(Graph& graph, Plot& result);
