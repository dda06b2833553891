#pragma once

#include "model/colors.h"
#include "model/graph_object.h"
#include "model/log_font.h"
#include "render/canvas.h"

#include <vector>

/// Orientation of an axis.
enum AxisOrientation : int { kHorizontal = 0, kVertical = 1 };

/// Side toward which an axis's ticks point (and its label side codes).
enum TickDirection : int { kTicksLeft = 2, kTicksRight = 3, kTicksUp = 4, kTicksDown = 5 };

/// One tick label: its value and its position along the axis (page fraction).
struct AxisLabelSpot {
    float value = 0.0f;
    float position = 0.0f;
    bool operator==(const AxisLabelSpot&) const = default;
};

/// One axis of a graph: a line along one edge of the plot area with its range
/// (a copy the graph keeps in step), tick spacings, tick and label style and
/// grid settings. Positions are page fractions; `m_x`, `m_y` are the centre.
/// It draws its line, major and minor ticks (decade and intermediate ticks on
/// a log axis) and number labels, and the left and bottom axes draw the grid.
/// A spacing that is not a positive step along the axis, or that would put
/// more than `kMostTicks` ticks on it, draws no ticks, labels or grid lines of
/// its kind.
class Axis : public GraphObject {
public:
    Axis() = default;
    /// An axis centred at (x, y) of `length` page fraction, showing `min` to
    /// `max`, with spacings (max - min) x 0.2 and x 0.1 and ticks and labels on.
    Axis(float x, float y, float length, int orientation, float min, float max, int tickDirection,
         int labelSide);

    /// Most ticks of one kind an axis draws.
    static constexpr int kMostTicks = 10000;

    /// Draws the axis line (lower end to upper end), the ticks and the labels
    /// as switched on, with a square-capped pen of width `lineScaling`, then
    /// the selection marks when selected and not printing. Nothing when
    /// invisible; an orientation other than 0 or 1 raises `Error` "Illegal
    /// axis orientation".
    void Draw(Canvas& canvas, const PageRect& page) const override;
    /// The bounding box outlined with a dotted pen in XOR mode.
    void DrawSelection(Canvas& canvas, const PageRect& page) const override;
    /// Empty when the line is not drawn; otherwise 5 device units either side
    /// of the line and 5 beyond each end.
    BoundingBox GetBoundingBox(const PageRect& page) const override;
    /// Grid lines across the plot area of `gridLength` page fraction (to the
    /// right of a vertical axis, upwards from a horizontal one), when the grid
    /// is on: at the major positions except the lower end, then the decade
    /// intermediates (log) or every minor step (linear), short of the upper
    /// end. Type None draws nothing.
    void DrawGrid(Canvas& canvas, const PageRect& page, float gridLength) const;
    /// Draws the tick label of `value` at `position` along the axis: beside
    /// a vertical axis (left of it when `m_labelSide` is 2) or under a
    /// horizontal one (above when 4), two major tick lengths away, with the
    /// exponent after it in a font two thirds as high, top-aligned. The label
    /// font and colour must be selected.
    void DrawLabel(Canvas& canvas, const PageRect& page, float value, float position) const;
    /// Scales the label font height and the tick lengths by num / den.
    void BeginPrintScaling(Canvas& canvas, int num, int den, const PageRect& rect) override;
    /// Undoes the scaling, then leaves print mode.
    void EndPrintScaling(Canvas& canvas, const PageRect& rect) override;

    /// The tick marks in drawing order: major ticks (each followed by its
    /// intermediates on a log axis), then the minor ticks of a linear axis.
    std::vector<DeviceSegment> TickSegments(const PageRect& page) const;
    /// The labels: values from `m_min` by `m_majorSpacing` at the major positions.
    std::vector<AxisLabelSpot> LabelSpots() const;
    /// The grid lines `DrawGrid` draws, in its order.
    std::vector<DeviceSegment> GridSegments(const PageRect& page, float gridLength) const;
    /// The pen of the line and ticks.
    Pen LinePen() const;
    /// The pen of the grid lines (null for type None).
    Pen GridPen() const;

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
    void CheckOrientation() const;
    DevicePoint AxisPoint(const PageRect& page, float position) const;
    float LowerEnd() const;
    float UpperEnd() const;
    static LogFont DefaultLabelFont()
    {
        LogFont font;
        font.height = -12;
        font.charSet = 0;
        return font;
    }
};
