#pragma once

#include "model/colors.h"
#include "model/graph_object.h"
#include "model/log_font.h"

/// Orientation of an axis.
enum AxisOrientation : int { kHorizontal = 0, kVertical = 1 };

/// Side toward which an axis's ticks point (and its label side codes).
enum TickDirection : int { kTicksLeft = 2, kTicksRight = 3, kTicksUp = 4, kTicksDown = 5 };

/// One axis of a graph: a line along one edge of the plot area with its range
/// (a copy the graph keeps in step), tick spacings, tick and label style and
/// grid settings. Positions are page fractions; `m_x`, `m_y` are the centre.
/// Ticks, tick labels and grid lines are drawn by the axis drawing code; this
/// class draws the axis line, which frames the plot area.
class Axis : public GraphObject {
public:
    Axis() = default;
    /// An axis centred at (x, y) of `length` page fraction, showing `min` to
    /// `max`, with spacings (max - min) x 0.2 and x 0.1 and ticks and labels on.
    Axis(float x, float y, float length, int orientation, float min, float max, int tickDirection,
         int labelSide);

    /// Draws the axis line (lower end to upper end) with a square-capped pen
    /// of width `lineScaling`, then the selection marks when selected.
    void Draw(Canvas& canvas, const PageRect& page) const override;
    /// The bounding box outlined with a dotted pen in XOR mode.
    void DrawSelection(Canvas& canvas, const PageRect& page) const override;
    /// Empty when the line is not drawn; otherwise 5 device units either side
    /// of the line and 5 beyond each end.
    BoundingBox GetBoundingBox(const PageRect& page) const override;
    /// Grid lines across the plot area of `gridLength` page fraction. Nothing
    /// yet: the grid arrives with the tick drawing.
    void DrawGrid(Canvas& canvas, const PageRect& page, float gridLength) const;

    float m_majorSpacing = 1.8f;
    float m_minorSpacing = 0.9f;
    int m_log = 0;
    Color m_color = 0x000000;
    float m_length = 0.75f;
    int m_orientation = kHorizontal;
    int m_drawLine = 1;
    int m_majorTickLength = 10;
    int m_minorTickLength = 5;
    int m_userSpacing = 0;
    int m_tickDirection = kTicksDown;
    int m_showTicks = 1;
    int m_showGrid = 0;
    Color m_gridColor = 0x000000;
    int m_gridSize = 1;
    int m_gridType = 0;
    LogFont m_labelFont = DefaultLabelFont();
    Color m_labelColor = 0x000000;
    int m_precision = 3;
    float m_min = 1.0f;
    float m_max = 10.0f;
    int m_showLabels = 1;
    int m_labelSide = kTicksDown;
    int m_format = 0;

private:
    static LogFont DefaultLabelFont()
    {
        LogFont font;
        font.height = -12;
        font.charSet = 0;
        return font;
    }
};
