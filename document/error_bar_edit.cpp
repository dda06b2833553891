#include "document/error_bar_edit.h"

#include "document/tarn_doc.h"
#include "model/messages.h"
#include "model/plot.h"
#include "render/graph.h"

const char* const kErrorBarNoSelection = "No Plots have been selected!";

static constexpr int kHatSizes = 10;
static constexpr int kLineStyles = 6;
static constexpr int kLineSizes = 10;
static constexpr int kDisplays = 4;

static int ItemOf(int value, int count, int fallback)
{
    return value >= 0 && value < count ? value : fallback;
}

void ErrorBarEdit::Load(const Graph& graph, int remembered)
{
    m_items = ErrorBarItems{};
    if (remembered < 0 || remembered >= graph.m_plots.Count())
        return;
    const Plot& plot = graph.m_plots.Get(remembered);
    const ErrorBarItems defaults;
    m_items.hatSize = ItemOf(plot.m_errorBarHatSize - 1, kHatSizes, defaults.hatSize);
    m_items.lineStyle = ItemOf(plot.m_errorBarLineStyle, kLineStyles, defaults.lineStyle);
    m_items.lineSize = ItemOf(plot.m_errorBarLineSize - 1, kLineSizes, defaults.lineSize);
    m_items.xDisplay = ItemOf(plot.m_xErrorBarDisplay, kDisplays, defaults.xDisplay);
    m_items.yDisplay = ItemOf(plot.m_yErrorBarDisplay, kDisplays, defaults.yDisplay);
}

bool ErrorBarEdit::Apply(CTarnDoc& doc, Messages& messages) const
{
    const ErrorBarItems defaults;
    const int hatSize = ItemOf(m_items.hatSize, kHatSizes, defaults.hatSize) + 1;
    const int lineStyle = ItemOf(m_items.lineStyle, kLineStyles, defaults.lineStyle);
    const int lineSize = ItemOf(m_items.lineSize, kLineSizes, defaults.lineSize) + 1;
    const int xDisplay = ItemOf(m_items.xDisplay, kDisplays, defaults.xDisplay);
    const int yDisplay = ItemOf(m_items.yDisplay, kDisplays, defaults.yDisplay);
    List<Plot>& plots = doc.CurrentGraph().m_plots;
    int changed = 0;
    for (int i = 0; i < plots.Count(); ++i) {
        Plot& plot = plots.Get(i);
        if (!plot.m_visible || !plot.m_selected)
            continue;
        plot.m_errorBarHatSize = hatSize;
        plot.m_errorBarLineStyle = lineStyle;
        plot.m_errorBarLineSize = lineSize;
        plot.m_xErrorBarDisplay = xDisplay;
        plot.m_yErrorBarDisplay = yDisplay;
        ++changed;
    }
    if (changed == 0) {
        messages.Show(kErrorBarNoSelection);
        return false;
    }
    doc.SetModifiedFlag();
    return true;
}
