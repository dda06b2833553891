#pragma once

#include "model/colors.h"
#include "model/graph_object.h"
#include "model/list.h"
#include "model/plot.h"
#include "model/text_object.h"
#include "render/axis.h"
#include "render/canvas.h"
#include "render/curve_function.h"
#include "render/legend.h"
#include "render/ref_line.h"
#include "render/scale_map.h"

#include <array>
#include <memory>
#include <vector>

class Messages;

/// Data ranges of a graph in data units.
struct GraphRange {
    double xMin = 1.0;
    double xMax = 10.0;
    double yMin = 1.0;
    double yMax = 10.0;
};

/// What a Shift-drag of a graph moves (`m_dragMode`).
enum DragMode : int { kDragWhole = 0, kDragLeft = 1, kDragRight = 2, kDragTop = 3, kDragBottom = 4 };

/// One plot frame on the page: a plot area placed by page fractions, x and y
/// ranges (linear, or logarithmic with decade exponents as the range), four
/// axes, three titles, a legend, data sets, reference lines, an optional
/// overlay curve and a background colour. Copying a graph copies everything;
/// its data sets are copied as sets are (their point order reverses).
class Graph : public GraphObject {
public:
    Graph();

    /// Draws the whole graph: background, then clipped to the plot area the
    /// grid, data sets, reference lines and overlay curve, then titles, axes,
    /// legend and, when selected and not printing, the selection handles.
    /// An invisible graph draws nothing.
    void Draw(Canvas& canvas, const PageRect& page) const override;
    /// Inverted 7 x 7 squares around the four plot-area corners (drawing them
    /// twice erases them).
    void DrawSelection(Canvas& canvas, const PageRect& page) const override;
    /// The plot area grown by 5 device units on every side.
    BoundingBox GetBoundingBox(const PageRect& page) const override;
    /// Print scaling for the graph, its titles, axes, legend and data sets.
    void BeginPrintScaling(Canvas& canvas, int num, int den, const PageRect& rect) override;
    void EndPrintScaling(Canvas& canvas, const PageRect& rect) override;
    void SetPrintMode(int flag) override;

    /// Moves the whole graph (drag mode 0) or its left or right plot-area edge
    /// (modes 1, 2) by `dx` page fraction; modes 3 and 4 move nothing in x.
    /// Returns `m_x`.
    float MoveX(float dx) override;
    /// Moves the whole graph (mode 0) or its top or bottom edge (modes 3, 4)
    /// by `dy`; modes 1 and 2 move nothing in y. Returns `m_y`.
    float MoveY(float dy) override;
    /// `MoveX` by x - `m_x`.
    float SetX(float x) override;
    /// `MoveY` by y - `m_y`.
    float SetY(float y) override;

    /// The plot area in device units (right and bottom exclusive).
    DeviceRect PlotArea(const PageRect& page) const;
    /// Mapping of the x direction on `page`.
    ScaleMap XMap(const PageRect& page) const;
    /// Mapping of the y direction on `page` (larger y is higher on the page).
    ScaleMap YMap(const PageRect& page) const;
    int DataToDeviceX(float x, const PageRect& page) const { return XMap(page).Transform(x); }
    int DataToDeviceY(float y, const PageRect& page) const { return YMap(page).Transform(y); }
    double DeviceToDataX(int px, const PageRect& page) const { return XMap(page).InvTransform(px); }
    double DeviceToDataY(int py, const PageRect& page) const { return YMap(page).InvTransform(py); }
    /// The ranges in data units (10^exponent on log axes).
    GraphRange GetRange() const;

    /// Sets the x range to a .. b. With a fixed x range in use and `force`
    /// false, the fixed range is used instead. Equal bounds show "X coordinate
    /// range is too small! Restoring default XY range." and restore the
    /// automatic ranges; non-positive bounds on a log axis show "Can't have a
    /// negative range with a log scale!" and change nothing. On a log axis the
    /// exponents are snapped outward to whole decades. a > b is accepted.
    void SetXRange(float a, float b, bool force, Messages& messages);
    /// The same for y.
    void SetYRange(float a, float b, bool force, Messages& messages);
    /// `SetXRange` then `SetYRange`.
    void SetRanges(float xMin, float xMax, float yMin, float yMax, bool force, Messages& messages);
    /// Chooses the x range from the active data sets (5 % margin on a linear
    /// axis, whole decades on a log axis); 1 to 10 without data. With a fixed
    /// x range in use and `force` false, the fixed range is applied instead.
    void AutoScaleX(bool force, Messages& messages);
    /// The same for y.
    void AutoScaleY(bool force, Messages& messages);
    /// `AutoScaleX` then `AutoScaleY`.
    void AutoScale(bool force, Messages& messages);
    void SetFixedRanges(float xMin, float xMax, float yMin, float yMax);
    void SetFixedXRange(float min, float max);
    void SetFixedYRange(float min, float max);
    void ClearFixedRanges();
    void ClearFixedXRange() { m_useFixedX = 0; }
    void ClearFixedYRange() { m_useFixedY = 0; }

    /// Switches the axes to logarithmic (non-zero) or linear scales. A shown
    /// data set with values <= 0, or with a histogram symbol along that
    /// direction, refuses the switch with a warning; the refused axis stays
    /// linear, the other is still applied, and the result is false.
    bool SetLogScale(int xLog, int yLog, Messages& messages);
    /// Pushes the log flags to the data sets, clearing a flag that an active
    /// set's data cannot show.
    void ApplyLogFlags();
    /// Moves the x range by `fraction` of its span (nothing on a log axis).
    void ShiftX(float fraction, Messages& messages);
    /// Moves the y range likewise.
    void ShiftY(float fraction, Messages& messages);
    /// Starts a run of imports that only append sets (several files at once).
    /// Until `EndAppendRun`, `ApplyLogFlags` and the automatic ranges look only
    /// at the sets appended since their last call (the others cannot have
    /// changed), and the sets' copies of the ranges are written once, at the
    /// end; the axes, spacings and messages follow every step as without a run.
    /// So a run costs time in proportion to its sets, not to sets times files.
    void BeginAppendRun();
    /// Ends the run: every set takes the copy of the ranges it would hold had
    /// each step written them.
    void EndAppendRun();

    /// Copies the plot-area fractions into every data set from index `first` on.
    void SyncPlotGeometry(int first = 0);

    /// The overlay curve in data units: 101 samples from the lower to the
    /// upper x bound, failed samples skipped, ending at the first value <= 0 on
    /// a log y axis (`metNonPositive` then tells so). Empty without a valid
    /// curve or when the x range is not increasing.
    std::vector<CurveSample> CurveSamples(bool* metNonPositive = nullptr) const;
    /// The overlay curve's samples as device points.
    std::vector<DevicePoint> CurvePoints(const PageRect& page) const;
    /// Switches the overlay curve off when it meets a value <= 0 on a log y
    /// axis. Runs whenever the curve, the x range or the log flags change, so
    /// drawing never has to change the graph.
    void UpdateCurveVisibility();
    /// Sets the overlay function (null for none) and checks it against the axes.
    void SetCurve(std::shared_ptr<const CurveFunction> curve);

    float m_xMin = 1.0f;
    float m_xMax = 10.0f;
    float m_yMin = 1.0f;
    float m_yMax = 10.0f;
    int m_useFixedX = 0;
    int m_useFixedY = 0;
    float m_fixedXMin = 1.0f;
    float m_fixedXMax = 10.0f;
    float m_fixedYMin = 1.0f;
    float m_fixedYMax = 10.0f;
    int m_dragMode = kDragWhole;
    List<Plot> m_plots;
    TextObject m_title{"Graph"};
    TextObject m_yLabel{"Y Axis"};
    TextObject m_xLabel{"X Axis"};
    Axis m_leftAxis;
    Axis m_rightAxis;
    Axis m_topAxis;
    Axis m_bottomAxis;
    Legend m_legend;
    List<RefLine> m_refLines;
    float m_left = 0.125f;
    float m_bottom = 0.125f;
    float m_right = 0.875f;
    float m_top = 0.875f;
    Color m_background = 0x00FFFFFF;
    int m_xLog = 0;
    int m_yLog = 0;
    int m_xTickSide = 0;
    int m_yTickSide = 0;
    int m_xLabelSide = 0;
    int m_yLabelSide = 0;
    int m_singlePlotOnly = 0;
    int m_showCurve = 0;
    int m_singlePlotIndex = -1;
    /// The overlay function; shared and never changed once set, so graph
    /// copies may share it.
    std::shared_ptr<const CurveFunction> m_curve;

private:
    void DrawPlots(Canvas& canvas, const PageRect& page) const;
    void DrawCurve(Canvas& canvas, const PageRect& page) const;
    void CopyXRangeOut(bool activeOnly);
    // The range copies a run has still to write into the sets of one direction.
    struct PendingCopy {
        bool visible = false;  // the active sets take visibleMin/visibleMax
        bool all = false;      // the others take allMin/allMax
        float visibleMin = 0, visibleMax = 0, allMin = 0, allMax = 0;
        void Note(float min, float max, bool activeOnly);
    };
    // What a run of appending imports has already taken into account.
    struct AppendRun {
        bool active = false;
        int logFrom = 0;               // sets the log flags were pushed to
        int lastXLog = -1, lastYLog = -1;
        int extentFrom[2] = {0, 0};    // sets in the running extents (x, y)
        bool contributed[2] = {false, false};
        double low[2] = {0, 0}, high[2] = {0, 0};
        PendingCopy x, y;
    };
    AppendRun m_run;
    /// The titles, the four axes and the legend, in the order print scaling
    /// visits them; they move with the whole graph.
    std::array<GraphObject*, 8> Parts();
    /// The automatic range along x or y from the active sets: 5 % margin on a
    /// linear axis, whole decade exponents on a log axis, 1 to 10 without data.
    void ChooseAutoRange(bool alongX, int log, float& min, float& max);
    void CopyYRangeOut(bool activeOnly);
};
