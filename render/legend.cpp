#include "render/legend.h"

#include "model/drawing_settings.h"
#include "model/plot.h"
#include "model/style_codes.h"
#include "render/plot_drawing.h"
#include "render/scale_map.h"
#include "render/selection_outline.h"
#include "render/style_pen.h"
#include "render/text_drawing.h"

#include <algorithm>

static int SampleLength(const PageRect& page)
{
    return ClampCoord(0.075 * page.Width());
}

LegendLayout Legend::Layout(Canvas& canvas, const PageRect& page, const List<Plot>& plots) const
{
    LegendLayout layout;
    layout.sampleLength = SampleLength(page);
    int widest = 0;
    int total = 0;
    for (int i = 0; i < plots.Count(); ++i) {
        const Plot& plot = plots.Get(i);
        if (!plot.m_visible || plot.m_label.m_text.empty())
            continue;
        const TextLayout text = MeasureTextObject(plot.m_label, canvas);
        LegendEntry entry;
        entry.plotIndex = i;
        entry.textWidth = text.Width();
        entry.textHeight = text.Height();
        widest = std::max(widest, entry.textWidth);
        total += entry.textHeight + m_gap;
        layout.entries.push_back(entry);
    }
    m_measuredWidth = widest;
    m_measuredHeight = total;

    const int cx = FractionToDeviceX(m_x, page.left, page.right);
    const int cy = FractionToDeviceY(m_y, page.top, page.bottom);
    const int L = layout.sampleLength;
    layout.box = {cx, cy, (widest + 3 * m_gap + L) / 2, (total + m_gap) / 2};
    const int left = cx - layout.box.halfWidth;
    const int right = cx + layout.box.halfWidth;
    int running = cy - layout.box.halfHeight;
    for (LegendEntry& entry : layout.entries) {
        const int middle = running + m_gap + entry.textHeight / 2;
        entry.textCentre = {left + m_gap + entry.textWidth / 2, middle};
        const int lineStart = right - m_gap - L;
        entry.lineFrom = {lineStart, middle};
        entry.lineTo = {lineStart + L, middle};
        entry.symbol = {lineStart + L / 2, middle};
        running += entry.textHeight + m_gap;
    }
    return layout;
}

void Legend::DrawForSets(Canvas& canvas, const PageRect& page, const List<Plot>& plots) const
{
    if (!m_visible)
        return;
    const LegendLayout layout = Layout(canvas, page, plots);
    const BoundingBox& box = layout.box;
    if (m_showBox) {
        Pen pen = PlainStylePen(kSolid, lineScaling, m_boxEdgeColor);
        const Pen previousPen = canvas.SetPen(pen);
        const Brush previousBrush = canvas.SetBrush(
            m_boxFillColor == kNoColor ? Brush::Hollow() : Brush::Solid(m_boxFillColor));
        canvas.Rectangle({box.x - box.halfWidth, box.y - box.halfHeight, box.x + box.halfWidth,
                          box.y + box.halfHeight});
        canvas.SetBrush(previousBrush);
        canvas.SetPen(previousPen);
    }
    for (const LegendEntry& entry : layout.entries) {
        const Plot& plot = plots.Get(entry.plotIndex);
        DrawTextAt(plot.m_label, canvas, entry.textCentre.x, entry.textCentre.y);
        if (plot.m_lineStyle != kNoLine)
            DrawLineSample(canvas, plot, entry.lineFrom, entry.lineTo);
        switch (plot.m_pointStyle) {
        case kHistogramX:
        case kHistogramY: {
            const Pen previousPen = canvas.SetPen(PlotSymbolPen(plot));
            const Brush previousBrush = canvas.SetBrush(PlotSymbolBrush(plot));
            canvas.Rectangle({entry.lineFrom.x, entry.symbol.y - entry.textHeight / 2,
                              entry.lineTo.x, entry.symbol.y + entry.textHeight / 2});
            canvas.SetBrush(previousBrush);
            canvas.SetPen(previousPen);
            break;
        }
        case kVector:
        case kNoSymbol:
            break;
        default:
            DrawSymbolSample(canvas, plot, entry.symbol);
            break;
        }
    }
    if (m_selected && !m_printMode)
        DrawSelection(canvas, page);
}

BoundingBox Legend::GetBoundingBox(const PageRect& page) const
{
    const int cx = FractionToDeviceX(m_x, page.left, page.right);
    const int cy = FractionToDeviceY(m_y, page.top, page.bottom);
    return {cx, cy, (m_measuredWidth + SampleLength(page) + 3 * m_gap + 10) / 2,
            (m_measuredHeight + m_gap + 10) / 2};
}

void Legend::DrawSelection(Canvas& canvas, const PageRect& page) const
{
    OutlineSelection(canvas, GetBoundingBox(page));
}

void Legend::BeginPrintScaling(Canvas& canvas, int num, int den, const PageRect& rect)
{
    GraphObject::BeginPrintScaling(canvas, num, den, rect);
    if (!m_scaled) {
        m_unscaledHeight = m_font.height;
        m_unscaledGap = m_gap;
        m_scaled = true;
    }
    m_font.height = -MulDiv(-m_unscaledHeight, num, den);
    m_gap = MulDiv(m_unscaledGap, num, den);
}

void Legend::EndPrintScaling(Canvas& canvas, const PageRect& rect)
{
    GraphObject::EndPrintScaling(canvas, rect);
    if (m_scaled) {
        m_font.height = m_unscaledHeight;
        m_gap = m_unscaledGap;
    }
    m_scaled = false;
}
