#pragma once

#include "model/colors.h"
#include "model/graph_object.h"
#include "model/stack.h"
#include "model/style_codes.h"
#include "model/text_object.h"

#include <cstdint>
#include <string>

/// One (x, y) point of a data set.
struct PlotPoint {
    float x;
    float y;
    bool operator==(const PlotPoint&) const = default;
};

/// One data set of a graph: points with optional x and y error values, a name,
/// a legend entry and its drawing style. Its chains are stacks, so every
/// traversal runs from the newest element to the oldest. Copying a set reverses
/// its chains, unless `m_handOver` is set on the source, which then gives its
/// chains to the copy unchanged and is left empty. `m_visible` is the set's
/// active state.
class Plot : public GraphObject {
public:
    Plot() = default;
    Plot(const Plot& other);
    /// Tag of the copy that keeps the chains' order.
    struct SameOrder {};
    /// Copies every field like the plain copy, but keeps the chains in their
    /// order and shares their storage with `other` until either side changes
    /// them; `m_handOver` of `other` is ignored. The page's undo history keeps
    /// its sets this way.
    Plot(const Plot& other, SameOrder);
    Plot& operator=(const Plot& other);
    ~Plot() override = default;

    /// Puts a point in front of the point chain.
    void AddPoint(float x, float y) { m_points.Push({x, y}); }
    /// Puts a value in front of the x error chain.
    void AddDx(float value) { m_dx.Push(value); }
    /// Puts a value in front of the y error chain.
    void AddDy(float value) { m_dy.Push(value); }

    /// Print scaling of the set and of its legend entry, whose font grows
    /// with the printer's resolution like every other text on the page.
    void BeginPrintScaling(Canvas& canvas, int num, int den, const PageRect& rect) override;
    void EndPrintScaling(Canvas& canvas, const PageRect& rect) override;
    void SetPrintMode(int flag) override;

    int PointCount() const { return m_points.Count(); }
    bool HasDx() const { return !m_dx.IsEmpty(); }
    bool HasDy() const { return !m_dy.IsEmpty(); }

    /// Device x of data value `x` on this set's copy of the graph geometry,
    /// truncated and clamped with `ClampCoord`.
    int PlotToDeviceX(float x, const PageRect& page) const;
    /// Device y of data value `y`, likewise.
    int PlotToDeviceY(float y, const PageRect& page) const;

    /// The smallest and largest value along x (`alongX`) or y, widened by the
    /// error values (a set with fewer error values than points takes 0 for the
    /// rest). False for a set without points. Computed once and kept until the
    /// chains change. Not for use from two threads at once.
    bool Extent(bool alongX, double& low, double& high) const;

    /// Memory held by the chains, in bytes.
    std::size_t HeldBytes() const
    {
        return m_points.HeldBytes() + m_dx.HeldBytes() + m_dy.HeldBytes();
    }

    // Fields in the order the record is stored.
    mutable int m_handOver = 0;
    Stack<PlotPoint> m_points;
    Stack<float> m_dy;
    Stack<float> m_dx;
    int m_yErrorBarDisplay = kErrorBarNone;
    int m_xErrorBarDisplay = kErrorBarNone;
    int m_errorBarHatSize = 3;
    int m_errorBarLineStyle = kSolid;
    int m_errorBarLineSize = 1;
    // Copies of the owning graph's plot area (page fractions) and log flags.
    float m_left = 0.0f;
    float m_bottom = 0.0f;
    float m_right = 1.0f;
    float m_top = 1.0f;
    int m_xLog = 0;
    int m_yLog = 0;
    int m_xPositive = 0;
    int m_yPositive = 0;
    int m_pointStyle = kNoSymbol;
    int m_pointSize = 3;
    int m_pointColorNone = 1;
    Color m_pointColor = 0x000000;
    int m_lineStyle = kSolid;
    int m_lineSize = 1;
    Color m_lineColor = 0x000000;
    // Copy of the owning graph's ranges (decade exponents on a log axis).
    float m_xMin = 0.0f;
    float m_xMax = 1.0f;
    float m_yMin = 0.0f;
    float m_yMax = 1.0f;
    std::string m_info;
    TextObject m_label;

private:
    void CopyFields(const Plot& other, bool sameOrder = false);
    void ComputeExtent(bool alongX, double& low, double& high) const;

    // One direction's extent, valid while both chains are at these versions.
    struct ExtentCache {
        bool valid = false;
        std::uint64_t pointsVersion = 0;
        std::uint64_t errorsVersion = 0;
        double low = 0.0;
        double high = 0.0;
    };
    mutable ExtentCache m_extent[2];
};
