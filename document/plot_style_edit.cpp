#include "document/plot_style_edit.h"

#include "model/drawing_settings.h"
#include "model/messages.h"
#include "model/plot.h"
#include "model/style_codes.h"
#include "render/graph.h"

const char* const kSolidLineWarning =
    "Warning! Only solid lines can have a size greater than 1. Line will appear solid.";

static constexpr int kPointStyles = 8;
static constexpr int kPointSizes = 10;
static constexpr int kLineStyles = 6;
static constexpr int kLineSizes = 5;

// The item of a list of `count` entries that shows `value`, or the first item.
static int ItemOf(int value, int count)
{
    return value >= 0 && value < count ? value : 0;
}

// The colour list item of `color`; a custom colour also becomes `custom`.
static int ColorItem(Color color, Color& custom)
{
    const int code = CodeFromColor(color);
    if (code >= 0)
        return ItemOf(code, kCustomColorItem);
    custom = ColorFromCode(code);
    return kCustomColorItem;
}

void PlotStyleEdit::Load(const Graph& graph, int remembered)
{
    m_items = PlotStyleItems{};
    if (remembered < 0 || remembered >= graph.m_plots.Count())
        return;
    const Plot& plot = graph.m_plots.Get(remembered);
    m_items.pointStyle = ItemOf(plot.m_pointStyle, kPointStyles);
    m_items.pointSize = ItemOf(plot.m_pointSize - 1, kPointSizes);
    m_items.pointColor = ColorItem(plot.m_pointColor, m_customPointColor);
    m_items.lineStyle = ItemOf(plot.m_lineStyle, kLineStyles);
    m_items.lineSize = ItemOf(plot.m_lineSize - 1, kLineSizes);
    m_items.lineColor = ColorItem(plot.m_lineColor, m_customLineColor);
}

Color PlotStyleEdit::ChooserStart(bool line) const
{
    const Color custom = line ? m_customLineColor : m_customPointColor;
    if (custom == kNoColor || (custom > 0 && custom <= 0x00FFFFFFu))
        return custom;
    return 0;
}

void PlotStyleEdit::ChooseCustom(bool line, Color color)
{
    (line ? m_customLineColor : m_customPointColor) = color;
    (line ? m_items.lineColor : m_items.pointColor) = kCustomColorItem;
}

Color PlotStyleEdit::ItemColor(bool line, int item) const
{
    if (item != kCustomColorItem)
        return ColorFromCode(ItemOf(item, kCustomColorItem));
    const Color custom = line ? m_customLineColor : m_customPointColor;
    // "Custom" is only shown once a custom colour exists; black stands in
    // for one never chosen, as the colour chooser starts on black.
    return custom == kNoCustomColor ? 0 : custom;
}

PlotStyleApplied PlotStyleEdit::Apply(Graph& graph, bool animation, Messages& messages) const
{
    PlotStyleApplied applied;
    applied.modeChanged = (graph.m_singlePlotOnly != 0) != animation;
    graph.m_singlePlotOnly = animation ? 1 : 0;
    const Color pointColor = ItemColor(false, m_items.pointColor);
    const Color lineColor = ItemColor(true, m_items.lineColor);
    const int lineStyle = ItemOf(m_items.lineStyle, kLineStyles);
    const int lineSize = ItemOf(m_items.lineSize, kLineSizes) + 1;
    for (int i = 0; i < graph.m_plots.Count(); ++i) {
        Plot& plot = graph.m_plots.Get(i);
        if (!plot.m_selected)
            continue;
        plot.m_pointStyle = ItemOf(m_items.pointStyle, kPointStyles);
        plot.m_pointSize = ItemOf(m_items.pointSize, kPointSizes) + 1;
        plot.m_pointColor = pointColor;
        plot.m_lineStyle = lineStyle;
        plot.m_lineSize = lineSize;
        plot.m_lineColor = lineColor;
        plot.m_pointColorNone = plot.m_pointColor == kNoColor ? 1 : 0;
        ++applied.changedSets;
    }
    // Every changed set has the same line, so one look decides the warning.
    if (applied.changedSets > 0 && use16BitCoordinates && lineStyle != kSolid && lineSize > 1)
        messages.Show(kSolidLineWarning);
    return applied;
}

bool ResetSinglePlotIndex(Graph& graph)
{
    if (!graph.m_singlePlotOnly || graph.m_singlePlotIndex >= 0 || graph.m_plots.Count() == 0)
        return false;
    graph.m_singlePlotIndex = 0;
    return true;
}
