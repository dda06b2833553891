#include "render/graph.h"

#include <array>

#include "model/drawing_settings.h"
#include "model/messages.h"
#include "model/style_codes.h"
#include "render/plot_drawing.h"
#include "render/reference_lines.h"
#include "render/selection_outline.h"
#include "render/text_drawing.h"

#include <algorithm>
#include <cmath>

Graph::Graph()
    : m_leftAxis(kDefaultGraphOrigin, 0.5f, 0.75f, kVertical, 1.0f, 10.0f, kTicksLeft, kTicksLeft),
      m_rightAxis(kDefaultGraphOrigin + 0.75f, 0.5f, 0.75f, kVertical, 1.0f, 10.0f, kTicksRight,
                  kTicksRight),
      m_topAxis(0.5f, kDefaultGraphOrigin + 0.75f, 0.75f, kHorizontal, 1.0f, 10.0f, kTicksUp,
                kTicksUp),
      m_bottomAxis(0.5f, kDefaultGraphOrigin, 0.75f, kHorizontal, 1.0f, 10.0f, kTicksDown,
                   kTicksDown)
{
    m_left = kDefaultGraphOrigin;
    m_bottom = kDefaultGraphOrigin;
    m_right = m_left + 0.75f;
    m_top = m_bottom + 0.75f;
    m_x = m_left + (m_right - m_left) * 0.5f;
    m_y = m_bottom + (m_top - m_bottom) * 0.5f;
    m_title.m_x = 0.5f;
    m_title.m_y = m_top + 0.05f;
    m_title.m_font.height = -21;
    m_yLabel.m_x = m_left - 0.1f;
    m_yLabel.m_y = 0.5f;
    m_yLabel.m_font.escapement = 900;
    m_yLabel.m_font.orientation = 900;
    m_xLabel.m_x = 0.5f;
    m_xLabel.m_y = m_bottom - 0.1f;
    m_rightAxis.m_showTicks = m_rightAxis.m_showLabels = 0;
    m_topAxis.m_showTicks = m_topAxis.m_showLabels = 0;
    m_legend.m_x = m_x;
    m_legend.m_y = m_y;
}

// ---- mapping ---------------------------------------------------------------

ScaleMap Graph::XMap(const PageRect& page) const
{
    return {double(page.left), double(page.right), m_left, m_right, m_xMin, m_xMax, m_xLog != 0};
}

ScaleMap Graph::YMap(const PageRect& page) const
{
    return {double(page.bottom), double(page.top), m_bottom, m_top, m_yMin, m_yMax, m_yLog != 0};
}

DeviceRect Graph::PlotArea(const PageRect& page) const
{
    return {FractionToDeviceX(m_left, page.left, page.right),
            FractionToDeviceY(m_top, page.top, page.bottom),
            FractionToDeviceX(m_right, page.left, page.right),
            FractionToDeviceY(m_bottom, page.top, page.bottom)};
}

GraphRange Graph::GetRange() const
{
    auto data = [](float value, int log) { return log ? std::pow(10.0, double(value)) : value; };
    return {data(m_xMin, m_xLog), data(m_xMax, m_xLog), data(m_yMin, m_yLog),
            data(m_yMax, m_yLog)};
}

// ---- ranges ----------------------------------------------------------------

// An axis keeps a spacing the user chose while the new proposal stays within
// a factor of ten of it; otherwise the proposal replaces it.
static void ProposeSpacing(Axis& axis, float major, float minor)
{
    auto keep = [&axis](float current, float proposal) {
        return axis.m_userSpacing && proposal >= current * 0.1f && proposal <= current * 10.0f;
    };
    if (!keep(axis.m_majorSpacing, major))
        axis.m_majorSpacing = major;
    if (!keep(axis.m_minorSpacing, minor))
        axis.m_minorSpacing = minor;
}

static void CopyRangeToAxis(Axis& axis, float min, float max, int log)
{
    axis.m_min = min;
    axis.m_max = max;
    axis.m_log = log;
}

// Snaps a decade exponent to a whole decade in `direction` (floor or ceil),
// unless it already lies within 1e-7 of its integer part.
static float SnapDecade(double exponent, double (*direction)(double))
{
    if (std::fabs(exponent - std::trunc(exponent)) <= 1e-7)
        return float(exponent);
    return float(direction(exponent));
}

void Graph::PendingCopy::Note(float min, float max, bool activeOnly)
{
    visible = true;
    visibleMin = min;
    visibleMax = max;
    if (!activeOnly) {
        all = true;
        allMin = min;
        allMax = max;
    }
}

void Graph::BeginAppendRun()
{
    m_run = AppendRun();
    m_run.active = true;
}

void Graph::EndAppendRun()
{
    if (!m_run.active)
        return;
    const AppendRun run = m_run;
    m_run = AppendRun();
    for (int i = 0; i < m_plots.Count(); ++i) {
        Plot& plot = m_plots.Get(i);
        const bool active = plot.m_visible != 0;
        if (active ? run.x.visible : run.x.all) {
            plot.m_xMin = active ? run.x.visibleMin : run.x.allMin;
            plot.m_xMax = active ? run.x.visibleMax : run.x.allMax;
        }
        if (active ? run.y.visible : run.y.all) {
            plot.m_yMin = active ? run.y.visibleMin : run.y.allMin;
            plot.m_yMax = active ? run.y.visibleMax : run.y.allMax;
        }
    }
}

void Graph::CopyXRangeOut(bool activeOnly)
{
    CopyRangeToAxis(m_bottomAxis, m_xMin, m_xMax, m_xLog);
    CopyRangeToAxis(m_topAxis, m_xMin, m_xMax, m_xLog);
    if (m_run.active) {
        m_run.x.Note(m_xMin, m_xMax, activeOnly);
        return;
    }
    for (int i = 0; i < m_plots.Count(); ++i) {
        Plot& plot = m_plots.Get(i);
        if (activeOnly && !plot.m_visible)
            continue;
        plot.m_xMin = m_xMin;
        plot.m_xMax = m_xMax;
    }
}

void Graph::CopyYRangeOut(bool activeOnly)
{
    CopyRangeToAxis(m_leftAxis, m_yMin, m_yMax, m_yLog);
    CopyRangeToAxis(m_rightAxis, m_yMin, m_yMax, m_yLog);
    if (m_run.active) {
        m_run.y.Note(m_yMin, m_yMax, activeOnly);
        return;
    }
    for (int i = 0; i < m_plots.Count(); ++i) {
        Plot& plot = m_plots.Get(i);
        if (activeOnly && !plot.m_visible)
            continue;
        plot.m_yMin = m_yMin;
        plot.m_yMax = m_yMax;
    }
}

// The range of one direction and everything that differs between x and y, so
// that the range rules are written once.
struct Direction {
    float& min;
    float& max;
    int& useFixed;
    float& fixedMin;
    float& fixedMax;
    int log;
    Axis& first;
    Axis& second;
    const char* tooSmall;
};

static void ApplySpacings(const Direction& d)
{
    if (d.log) {
        for (Axis* axis : {&d.first, &d.second})
            axis->m_majorSpacing = axis->m_minorSpacing = 1.0f;
        return;
    }
    const float span = d.max - d.min;
    ProposeSpacing(d.first, span * 0.2f, span * 0.1f);
    ProposeSpacing(d.second, span * 0.2f, span * 0.1f);
}

void Graph::ChooseAutoRange(bool alongX, int log, float& min, float& max)
{
    double low = 1.0;
    double high = 10.0;
    bool contributed = false;
    // In a run of appending imports, the sets seen before are in the running extents.
    const int direction = alongX ? 0 : 1;
    int first = 0;
    if (m_run.active) {
        first = m_run.extentFrom[direction];
        contributed = m_run.contributed[direction];
        if (contributed) {
            low = m_run.low[direction];
            high = m_run.high[direction];
        }
    }
    for (int i = first; i < m_plots.Count(); ++i) {
        double setLow = 0.0;
        double setHigh = 0.0;
        const Plot& plot = m_plots.Get(i);
        if (!plot.m_visible || !plot.Extent(alongX, setLow, setHigh))
            continue;
        low = contributed ? std::min(low, setLow) : setLow;
        high = contributed ? std::max(high, setHigh) : setHigh;
        contributed = true;
    }
    if (m_run.active) {
        m_run.extentFrom[direction] = m_plots.Count();
        m_run.contributed[direction] = contributed;
        m_run.low[direction] = low;
        m_run.high[direction] = high;
    }
    min = float(low);
    max = float(high);
    if (contributed && !log) {
        float span = max - min;
        if (span == 0.0f)
            span = 9.0f;
        const float margin = span * 0.05f;
        max += margin;
        min -= margin;
    }
    if (!log)
        return;
    // The log flags keep non-positive data off a log axis; should such data
    // slip through, fall back to one decade rather than infinities.
    if (min > 0.0f && max > 0.0f) {
        min = std::floor(std::log10(min));
        max = std::ceil(std::log10(max));
    } else {
        min = 0.0f;
        max = 1.0f;
    }
}

void Graph::AutoScaleX(bool force, Messages& messages)
{
    if (m_useFixedX && !force) {
        SetXRange(m_fixedXMin, m_fixedXMax, true, messages);
        return;
    }
    ChooseAutoRange(true, m_xLog, m_xMin, m_xMax);
    ApplySpacings({m_xMin, m_xMax, m_useFixedX, m_fixedXMin, m_fixedXMax, m_xLog, m_bottomAxis,
                   m_topAxis, nullptr});
    CopyXRangeOut(true);
    UpdateCurveVisibility();
}

void Graph::AutoScaleY(bool force, Messages& messages)
{
    if (m_useFixedY && !force) {
        SetYRange(m_fixedYMin, m_fixedYMax, true, messages);
        return;
    }
    ChooseAutoRange(false, m_yLog, m_yMin, m_yMax);
    ApplySpacings({m_yMin, m_yMax, m_useFixedY, m_fixedYMin, m_fixedYMax, m_yLog, m_leftAxis,
                   m_rightAxis, nullptr});
    CopyYRangeOut(true);
}

void Graph::AutoScale(bool force, Messages& messages)
{
    AutoScaleX(force, messages);
    AutoScaleY(force, messages);
}

enum class RangeResult { Set, TooSmall, Refused };

// Shared body of SetXRange and SetYRange.
static RangeResult SetDirectionRange(const Direction& d, float a, float b, bool force,
                              Messages& messages)
{
    if (d.useFixed && !force) {
        a = d.fixedMin;
        b = d.fixedMax;
    }
    if (a == b) {
        messages.Show(d.tooSmall);
        // A fixed range with equal bounds would be applied again by the
        // automatic range and recurse without end; it is dropped instead.
        if (d.useFixed && d.fixedMin == d.fixedMax)
            d.useFixed = 0;
        return RangeResult::TooSmall;
    }
    if (!d.log) {
        d.min = a;
        d.max = b;
    } else {
        if (a <= 0.0f || b <= 0.0f) {
            messages.Show("Can't have a negative range with a log scale!");
            return RangeResult::Refused;
        }
        d.min = SnapDecade(std::log10(double(a)), std::floor);
        d.max = SnapDecade(std::log10(double(b)), std::ceil);
    }
    ApplySpacings(d);
    return RangeResult::Set;
}

void Graph::SetXRange(float a, float b, bool force, Messages& messages)
{
    Direction d{m_xMin, m_xMax, m_useFixedX, m_fixedXMin, m_fixedXMax, m_xLog, m_bottomAxis,
                m_topAxis, "X coordinate range is too small! Restoring default XY range."};
    const RangeResult result = SetDirectionRange(d, a, b, force, messages);
    if (result == RangeResult::TooSmall) {
        AutoScaleX(false, messages);
        AutoScaleY(false, messages);
        return;
    }
    if (result == RangeResult::Refused)
        return;
    CopyXRangeOut(false);
    UpdateCurveVisibility();
}

void Graph::SetYRange(float a, float b, bool force, Messages& messages)
{
    Direction d{m_yMin, m_yMax, m_useFixedY, m_fixedYMin, m_fixedYMax, m_yLog, m_leftAxis,
                m_rightAxis, "Y coordinate range is too small! Restoring default XY range."};
    const RangeResult result = SetDirectionRange(d, a, b, force, messages);
    if (result == RangeResult::TooSmall) {
        AutoScaleX(false, messages);
        AutoScaleY(false, messages);
        return;
    }
    if (result == RangeResult::Refused)
        return;
    CopyYRangeOut(false);
}

void Graph::SetRanges(float xMin, float xMax, float yMin, float yMax, bool force,
                      Messages& messages)
{
    SetXRange(xMin, xMax, force, messages);
    SetYRange(yMin, yMax, force, messages);
}

void Graph::SetFixedRanges(float xMin, float xMax, float yMin, float yMax)
{
    SetFixedXRange(xMin, xMax);
    SetFixedYRange(yMin, yMax);
}

void Graph::SetFixedXRange(float min, float max)
{
    m_fixedXMin = min;
    m_fixedXMax = max;
    m_useFixedX = 1;
}

void Graph::SetFixedYRange(float min, float max)
{
    m_fixedYMin = min;
    m_fixedYMax = max;
    m_useFixedY = 1;
}

void Graph::ClearFixedRanges()
{
    m_useFixedX = 0;
    m_useFixedY = 0;
}

// ---- log scales and shifting -------------------------------------------------

bool Graph::SetLogScale(int xLog, int yLog, Messages& messages)
{
    if (xLog) {
        for (int i = 0; i < m_plots.Count(); ++i) {
            const Plot& plot = m_plots.Get(i);
            if (!plot.m_visible)
                continue;
            const bool negative = !plot.m_xPositive;
            const bool histogram = plot.m_pointStyle == kHistogramY;
            if (!negative && !histogram)
                continue;
            if (negative)
                messages.Show("Warning! Can't use log scale, x data <= 0.0");
            if (histogram)
                messages.Show("Warning! Can't use log scale while plotting a histogram!");
            SetLogScale(0, yLog, messages);
            return false;
        }
    }
    if (yLog) {
        for (int i = 0; i < m_plots.Count(); ++i) {
            const Plot& plot = m_plots.Get(i);
            if (!plot.m_visible)
                continue;
            const bool negative = !plot.m_yPositive;
            const bool histogram = plot.m_pointStyle == kHistogramX;
            if (!negative && !histogram)
                continue;
            if (negative)
                messages.Show("Warning! Can't use log scale, y data <= 0.0");
            if (histogram)
                messages.Show("Warning! Can't use log scale while plotting a histogram!");
            SetLogScale(xLog, 0, messages);
            return false;
        }
    }
    if (m_useFixedX && xLog && !m_xLog && (m_fixedXMin <= 0.0f || m_fixedXMax <= 0.0f))
        m_useFixedX = 0;
    if (m_useFixedY && yLog && !m_yLog && (m_fixedYMin <= 0.0f || m_fixedYMax <= 0.0f))
        m_useFixedY = 0;
    m_xLog = xLog ? 1 : 0;
    m_yLog = yLog ? 1 : 0;
    ApplyLogFlags();
    AutoScaleX(false, messages);
    AutoScaleY(false, messages);
    return true;
}

// Pushes one direction's log flag into the sets from `first` on; an active
// set that cannot be shown on a log axis switches the graph's flag off, and
// then every set follows (all of them once the flag has just gone off).
static void ApplyLogFlag(List<Plot>& plots, int& graphLog, int Plot::*positive, int Plot::*plotLog,
                         int first, int& lastLog)
{
    if (graphLog) {
        for (int i = first; i < plots.Count(); ++i) {
            Plot& plot = plots.Get(i);
            if (!plot.m_visible)
                continue;
            if (!(plot.*positive)) {
                graphLog = 0;
                break;
            }
            plot.*plotLog = 1;
        }
    }
    if (!graphLog) {
        const int start = lastLog == 0 ? first : 0;
        for (int i = start; i < plots.Count(); ++i)
            plots.Get(i).*plotLog = 0;
    }
}

void Graph::ApplyLogFlags()
{
    if (!m_run.active) {
        int unknown = -1;
        ApplyLogFlag(m_plots, m_xLog, &Plot::m_xPositive, &Plot::m_xLog, 0, unknown);
        unknown = -1;
        ApplyLogFlag(m_plots, m_yLog, &Plot::m_yPositive, &Plot::m_yLog, 0, unknown);
        return;
    }
    // In a run the earlier sets already carry the flags, unless a flag has
    // gone off since; the import's fall-back check has seen every set.
    ApplyLogFlag(m_plots, m_xLog, &Plot::m_xPositive, &Plot::m_xLog, m_run.logFrom, m_run.lastXLog);
    ApplyLogFlag(m_plots, m_yLog, &Plot::m_yPositive, &Plot::m_yLog, m_run.logFrom, m_run.lastYLog);
    m_run.lastXLog = m_xLog;
    m_run.lastYLog = m_yLog;
    m_run.logFrom = m_plots.Count();
}

void Graph::ShiftX(float fraction, Messages& messages)
{
    if (m_xLog)
        return;
    const float span = m_xMax - m_xMin;
    m_xMin += span * fraction;
    m_xMax = m_xMin + span;
    SetXRange(m_xMin, m_xMax, true, messages);
}

void Graph::ShiftY(float fraction, Messages& messages)
{
    if (m_yLog)
        return;
    const float span = m_yMax - m_yMin;
    m_yMin += span * fraction;
    m_yMax = m_yMin + span;
    SetYRange(m_yMin, m_yMax, true, messages);
}

// ---- geometry --------------------------------------------------------------

void Graph::SyncPlotGeometry(int first)
{
    for (int i = std::max(first, 0); i < m_plots.Count(); ++i) {
        Plot& plot = m_plots.Get(i);
        plot.m_left = m_left;
        plot.m_bottom = m_bottom;
        plot.m_right = m_right;
        plot.m_top = m_top;
    }
}

std::array<GraphObject*, 8> Graph::Parts()
{
    return {&m_title,     &m_yLabel,  &m_xLabel,     &m_leftAxis,
            &m_rightAxis, &m_topAxis, &m_bottomAxis, &m_legend};
}

float Graph::MoveX(float dx)
{
    switch (m_dragMode) {
    case kDragWhole:
        m_left += dx;
        m_right += dx;
        for (GraphObject* part : Parts())
            part->MoveX(dx);
        m_x = (m_left + m_right) / 2;
        break;
    case kDragLeft:
    case kDragRight:
        if (m_dragMode == kDragLeft)
            m_left += dx;
        else
            m_right += dx;
        m_topAxis.m_length = m_bottomAxis.m_length = m_right - m_left;
        for (GraphObject* part : std::initializer_list<GraphObject*>{
                 &m_title, &m_xLabel, &m_topAxis, &m_bottomAxis, &m_legend})
            part->MoveX(dx / 2);
        if (m_dragMode == kDragLeft) {
            m_yLabel.MoveX(dx);
            m_leftAxis.MoveX(dx);
        } else {
            m_rightAxis.MoveX(dx);
        }
        break;
    default:
        return m_x;
    }
    SyncPlotGeometry();
    return m_x;
}

float Graph::MoveY(float dy)
{
    switch (m_dragMode) {
    case kDragWhole:
        m_bottom += dy;
        m_top += dy;
        for (GraphObject* part : Parts())
            part->MoveY(dy);
        m_y = (m_bottom + m_top) / 2;
        break;
    case kDragTop:
    case kDragBottom:
        if (m_dragMode == kDragTop)
            m_top += dy;
        else
            m_bottom += dy;
        m_leftAxis.m_length = m_rightAxis.m_length = m_top - m_bottom;
        if (m_dragMode == kDragTop) {
            m_title.MoveY(dy);
            m_topAxis.MoveY(dy);
        } else {
            m_xLabel.MoveY(dy);
            m_bottomAxis.MoveY(dy);
        }
        for (GraphObject* part :
             std::initializer_list<GraphObject*>{&m_yLabel, &m_leftAxis, &m_rightAxis, &m_legend})
            part->MoveY(dy / 2);
        break;
    default:
        return m_y;
    }
    SyncPlotGeometry();
    return m_y;
}

float Graph::SetX(float x)
{
    return MoveX(x - m_x);
}

float Graph::SetY(float y)
{
    return MoveY(y - m_y);
}

BoundingBox Graph::GetBoundingBox(const PageRect& page) const
{
    const DeviceRect area = PlotArea(page);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    return {area.left + width / 2, area.top + height / 2, (width + 10) / 2, (height + 10) / 2};
}

// ---- print scaling -----------------------------------------------------------

void Graph::BeginPrintScaling(Canvas& canvas, int num, int den, const PageRect& rect)
{
    GraphObject::BeginPrintScaling(canvas, num, den, rect);
    for (GraphObject* part : Parts())
        part->BeginPrintScaling(canvas, num, den, rect);
    for (int i = 0; i < m_plots.Count(); ++i)
        m_plots.Get(i).BeginPrintScaling(canvas, num, den, rect);
}

void Graph::EndPrintScaling(Canvas& canvas, const PageRect& rect)
{
    GraphObject::EndPrintScaling(canvas, rect);
    for (GraphObject* part : Parts())
        part->EndPrintScaling(canvas, rect);
    for (int i = 0; i < m_plots.Count(); ++i)
        m_plots.Get(i).EndPrintScaling(canvas, rect);
}

void Graph::SetPrintMode(int flag)
{
    GraphObject::SetPrintMode(flag);
    for (GraphObject* part : Parts())
        part->SetPrintMode(flag);
    for (int i = 0; i < m_plots.Count(); ++i)
        m_plots.Get(i).SetPrintMode(flag);
}

// ---- drawing -----------------------------------------------------------------

void Graph::Draw(Canvas& canvas, const PageRect& page) const
{
    if (!m_visible)
        return;
    const DeviceRect area = PlotArea(page);
    if (m_background != kNoColor)
        canvas.FillRect(area, m_background);
    canvas.SetClipRect(area);
    m_leftAxis.DrawGrid(canvas, page, m_right - m_left);
    m_bottomAxis.DrawGrid(canvas, page, m_top - m_bottom);
    DrawPlots(canvas, page);
    DrawReferenceLines(canvas, *this, page);
    if (m_showCurve)
        DrawCurve(canvas, page);
    canvas.ClearClip();
    for (const TextObject* title : {&m_title, &m_yLabel, &m_xLabel})
        DrawTextObject(*title, canvas, page);
    for (const GraphObject* part : std::initializer_list<const GraphObject*>{
             &m_leftAxis, &m_rightAxis, &m_topAxis, &m_bottomAxis})
        if (part->m_visible)
            part->Draw(canvas, page);
    m_legend.DrawForSets(canvas, page, m_plots);
    if (m_selected && !m_printMode)
        DrawSelection(canvas, page);
}

void Graph::DrawPlots(Canvas& canvas, const PageRect& page) const
{
    if (m_singlePlotOnly) {
        if (m_singlePlotIndex >= 0 && m_singlePlotIndex < m_plots.Count())
            DrawPlot(canvas, m_plots.Get(m_singlePlotIndex), page);
        return;
    }
    for (int i = 0; i < m_plots.Count(); ++i)
        DrawPlot(canvas, m_plots.Get(i), page);
}

std::vector<CurveSample> Graph::CurveSamples(bool* metNonPositive) const
{
    std::vector<CurveSample> samples;
    if (metNonPositive)
        *metNonPositive = false;
    if (!m_curve || !m_curve->IsValid())
        return samples;
    const double step = (double(m_xMax) - double(m_xMin)) * 0.01;
    if (!(step > 0.0))
        return samples;
    // Samples are computed from their index rather than by adding the step
    // up, so rounding never drops the last sample at the upper bound.
    for (int i = 0; i <= 100; ++i) {
        const double exponent = m_xMin + step * i;
        const double x = m_xLog ? std::pow(10.0, exponent) : exponent;
        double y = 0.0;
        if (!m_curve->Evaluate(x, y))
            continue;
        if (m_yLog && y <= 0.0) {
            if (metNonPositive)
                *metNonPositive = true;
            break;
        }
        samples.push_back({x, y});
    }
    return samples;
}

std::vector<DevicePoint> Graph::CurvePoints(const PageRect& page) const
{
    const ScaleMap xMap = XMap(page);
    const ScaleMap yMap = YMap(page);
    std::vector<DevicePoint> points;
    for (const CurveSample& sample : CurveSamples())
        points.push_back({xMap.Transform(sample.x), yMap.Transform(sample.y)});
    return points;
}

void Graph::UpdateCurveVisibility()
{
    if (!m_showCurve || !m_yLog)
        return;
    bool metNonPositive = false;
    CurveSamples(&metNonPositive);
    if (metNonPositive)
        m_showCurve = 0;
}

void Graph::SetCurve(std::shared_ptr<const CurveFunction> curve)
{
    m_curve = std::move(curve);
    UpdateCurveVisibility();
}

void Graph::DrawCurve(Canvas& canvas, const PageRect& page) const
{
    const std::vector<DevicePoint> points = CurvePoints(page);
    if (points.empty())
        return;
    const Pen previous = canvas.SetPen(Pen{});
    if (points.size() == 1)
        canvas.MoveTo(points[0].x, points[0].y);
    else
        canvas.Polyline(points);
    canvas.SetPen(previous);
}

void Graph::DrawSelection(Canvas& canvas, const PageRect& page) const
{
    const DeviceRect area = PlotArea(page);
    MarkSelectionCorners(canvas, {{area.left, area.bottom}, {area.right, area.bottom}, {area.left, area.top},
                                  {area.right, area.top}});
}
