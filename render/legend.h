#pragma once

#include "model/colors.h"
#include "model/graph_object.h"
#include "model/list.h"
#include "model/log_font.h"
#include "render/canvas.h"

#include <vector>

class Plot;

/// Where the legend puts one entry, in device units.
struct LegendEntry {
    int plotIndex = 0;           ///< index of the set in the graph's list
    DevicePoint textCentre;      ///< centre of the entry text
    int textWidth = 0;
    int textHeight = 0;
    DevicePoint lineFrom;        ///< the sample line, at the row's middle
    DevicePoint lineTo;
    DevicePoint symbol;          ///< centre of the sample symbol
    bool operator==(const LegendEntry&) const = default;
};

/// The legend's layout: its box (centre and half sizes), the sample length
/// and one entry per active set with a legend text, top to bottom.
struct LegendLayout {
    BoundingBox box;
    int sampleLength = 0;
    std::vector<LegendEntry> entries;
};

/// The legend of a graph: a box listing the graph's active data sets that
/// have a legend text (their own `m_label`), each with a sample of its line
/// and symbol. It starts invisible at the page centre; the graph moves it to
/// the plot-area centre. The graph hands it its set list when drawing, so
/// that copies of a graph never point into another graph's list.
class Legend : public GraphObject {
public:
    Legend()
    {
        m_visible = 0;
        m_x = 0.5f;
        m_y = 0.5f;
    }

    /// Measures the entries of `plots` through `canvas` and places them:
    /// sample length L = 0.075 x page width, box half width (widest text +
    /// 3 gaps + L) / 2 and half height (sum of (text height + gap) + gap) / 2
    /// around the device position; rows from the top, each text at the left
    /// and its samples at the right. The measured sizes are kept for
    /// `GetBoundingBox`.
    LegendLayout Layout(Canvas& canvas, const PageRect& page, const List<Plot>& plots) const;
    /// Draws the legend of `plots` (nothing when invisible): the box when
    /// `m_showBox`, then each entry's text, line sample (unless its line is
    /// None) and symbol sample (unless None; histogram symbols as a bar over
    /// the sample, vectors not at all), then the selection outline when
    /// selected and not printing.
    void DrawForSets(Canvas& canvas, const PageRect& page, const List<Plot>& plots) const;
    /// The box grown by 5 on every side, from the sizes last measured.
    BoundingBox GetBoundingBox(const PageRect& page) const override;
    /// The bounding box outlined with a dotted pen in XOR mode.
    void DrawSelection(Canvas& canvas, const PageRect& page) const override;
    /// Print scaling: the font height and the gap grow by num / den;
    /// `EndPrintScaling` restores them exactly.
    void BeginPrintScaling(Canvas& canvas, int num, int den, const PageRect& rect) override;
    void EndPrintScaling(Canvas& canvas, const PageRect& rect) override;

    int m_showBox = 0;
    Color m_boxFillColor = 0xFF000000u;
    Color m_boxEdgeColor = 0x000000;
    int m_gap = 4;
    LogFont m_font;
    Color m_textColor = 0x000000;

private:
    mutable int m_measuredWidth = 0;  // widest entry text
    mutable int m_measuredHeight = 0; // sum of text height + gap over the entries
    bool m_scaled = false;
    int m_unscaledHeight = 0;
    int m_unscaledGap = 0;
};
