#pragma once

#include <string>

class Graph;

/// What the Animate Plots window shows for a graph.
struct PlotAnimationState {
    bool enabled = false; ///< the slider can be moved
    int maximum = 0;      ///< slider range 0 .. maximum
    int position = 0;
    std::string firstLine;
    std::string secondLine;
};

/// The Animate Plots window's refresh: with the graph in animation mode and
/// holding sets, the slider spans the sets and stands at `m_singlePlotIndex`,
/// which is first put back to 0 when it is below 0 or past the last set;
/// the lines read "Plot: %d" and the set's name. With no sets, or with the
/// mode off, the slider is disabled at 0 and the lines say why.
PlotAnimationState RefreshPlotAnimation(Graph& graph);

/// The slider was moved to `position`: the graph shows that set (a position
/// outside the sets is ignored). Returns the state to show.
PlotAnimationState MovePlotAnimation(Graph& graph, int position);
