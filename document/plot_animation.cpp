#include "document/plot_animation.h"

#include "render/graph.h"

#include <cstdio>

PlotAnimationState RefreshPlotAnimation(Graph& graph)
{
    PlotAnimationState state;
    const int count = graph.m_plots.Count();
    if (!graph.m_singlePlotOnly || count < 1) {
        state.firstLine = "Animation has been disabled!";
        state.secondLine =
            graph.m_singlePlotOnly ? "please load at least one plot" : "(enable via the plot options dialog)";
        return state;
    }
    if (graph.m_singlePlotIndex < 0 || graph.m_singlePlotIndex >= count)
        graph.m_singlePlotIndex = 0;
    state.enabled = true;
    state.maximum = count - 1;
    state.position = graph.m_singlePlotIndex;
    char text[32];
    std::snprintf(text, sizeof text, "Plot: %d", state.position);
    state.firstLine = text;
    state.secondLine = graph.m_plots.Get(state.position).m_info;
    return state;
}

PlotAnimationState MovePlotAnimation(Graph& graph, int position)
{
    if (graph.m_singlePlotOnly && position >= 0 && position < graph.m_plots.Count())
        graph.m_singlePlotIndex = position;
    return RefreshPlotAnimation(graph);
}
