#include "document/axis_settings.h"

#include "document/tarn_doc.h"
#include "equation/evalfield.h"
#include "render/graph.h"

#include <cstdio>

const char* const kAxisApplyToNames[4] = {"Current Axis", "All Axes, Current Graph",
                                           "Current Axis, All Graphs", "All Axes, All Graphs"};
const char* const kAxisSideNames[3] = {"Normal Side", "Both Sides", "Opposite Side"};

Axis& NormalAxis(Graph& graph, AxisDirection direction)
{
    return direction == AxisDirection::X ? graph.m_bottomAxis : graph.m_leftAxis;
}

Axis& OppositeAxis(Graph& graph, AxisDirection direction)
{
    return direction == AxisDirection::X ? graph.m_topAxis : graph.m_rightAxis;
}

const Axis& NormalAxis(const Graph& graph, AxisDirection direction)
{
    return direction == AxisDirection::X ? graph.m_bottomAxis : graph.m_leftAxis;
}

const Axis& OppositeAxis(const Graph& graph, AxisDirection direction)
{
    return direction == AxisDirection::X ? graph.m_topAxis : graph.m_rightAxis;
}

std::vector<AxisTarget> AxisTargets(const CTarnDoc& doc, AxisDirection direction, int applyTo)
{
    const bool allGraphs = applyTo == kApplyCurrentAxisAllGraphs || applyTo == kApplyAllAxesAllGraphs;
    const bool allAxes = applyTo == kApplyAllAxesCurrentGraph || applyTo == kApplyAllAxesAllGraphs;
    std::vector<AxisTarget> targets;
    const int count = int(doc.m_graphs.size());
    for (int graph = 0; graph < count; ++graph) {
        if (!allGraphs && graph != doc.m_currentGraph)
            continue;
        if (allAxes) {
            targets.push_back({graph, AxisDirection::X});
            targets.push_back({graph, AxisDirection::Y});
        } else {
            targets.push_back({graph, direction});
        }
    }
    return targets;
}

static int& TickSide(Graph& graph, AxisDirection direction)
{
    return direction == AxisDirection::X ? graph.m_xTickSide : graph.m_yTickSide;
}

static int& LabelSide(Graph& graph, AxisDirection direction)
{
    return direction == AxisDirection::X ? graph.m_xLabelSide : graph.m_yLabelSide;
}

static TextObject& Title(Graph& graph, AxisDirection direction)
{
    return direction == AxisDirection::X ? graph.m_xLabel : graph.m_yLabel;
}

static std::string Spacing(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", double(value));
    return text;
}

AxisPropertiesEntries LoadAxisProperties(const Graph& graph, AxisDirection direction)
{
    const Axis& normal = NormalAxis(graph, direction);
    const Axis& opposite = OppositeAxis(graph, direction);
    AxisPropertiesEntries entries;
    entries.title = (direction == AxisDirection::X ? graph.m_xLabel : graph.m_yLabel).m_text;
    entries.majorSpacing = Spacing(normal.m_majorSpacing);
    entries.minorSpacing = Spacing(normal.m_minorSpacing);
    entries.ticks = normal.m_showTicks || opposite.m_showTicks;
    entries.labels = normal.m_showLabels || opposite.m_showLabels;
    entries.grid = normal.m_showGrid || opposite.m_showGrid;
    entries.color = normal.m_color;
    return entries;
}

// Reads one spacing field; on failure stores the message naming it.
static bool ReadSpacing(const std::string& text, const char* which, float& value, std::string* message)
{
    if (!EvalField(text.c_str(), value)) {
        *message = std::string("Please enter a valid number for the ") + which + " tick spacing.";
        return false;
    }
    if (!(value > 0.0f)) {
        *message = std::string("Please enter a positive number for the ") + which + " tick spacing.";
        return false;
    }
    return true;
}

bool ApplyAxisProperties(CTarnDoc& doc, AxisDirection direction, int applyTo,
                         const AxisPropertiesEntries& entries, std::string* message)
{
    float major = 0.0f;
    float minor = 0.0f;
    if (!ReadSpacing(entries.majorSpacing, "major", major, message) ||
        !ReadSpacing(entries.minorSpacing, "minor", minor, message))
        return false;
    for (const AxisTarget& target : AxisTargets(doc, direction, applyTo)) {
        Graph& graph = doc.m_graphs[std::size_t(target.graph)];
        // The typed title belongs to the direction being edited; applying the
        // other settings to both directions leaves the other title alone.
        if (target.direction == direction)
            Title(graph, direction).m_text = entries.title;
        const int ticks = TickSide(graph, target.direction);
        const int labels = LabelSide(graph, target.direction);
        Axis& normal = NormalAxis(graph, target.direction);
        Axis& opposite = OppositeAxis(graph, target.direction);
        normal.m_showLabels = entries.labels && (labels == kNormalSide || labels == kBothSides);
        opposite.m_showLabels = entries.labels && (labels == kBothSides || labels == kOppositeSide);
        normal.m_showTicks = entries.ticks && (ticks == kNormalSide || ticks == kBothSides);
        opposite.m_showTicks = entries.ticks && (ticks == kBothSides || ticks == kOppositeSide);
        for (Axis* axis : {&normal, &opposite}) {
            axis->m_majorSpacing = major;
            axis->m_minorSpacing = minor;
            axis->m_color = entries.color;
            axis->m_userSpacing = 1;
        }
        normal.m_showGrid = entries.grid;
    }
    return true;
}

int TickDirectionFor(AxisDirection direction, int side, bool out)
{
    const bool opposite = side == kOppositeSide;
    if (direction == AxisDirection::Y)
        return (out != opposite) ? kTicksLeft : kTicksRight;
    return (out != opposite) ? kTicksDown : kTicksUp;
}

TickMarkEntries LoadTickMarks(const Graph& graph, AxisDirection direction)
{
    TickMarkEntries entries;
    const int side = direction == AxisDirection::X ? graph.m_xTickSide : graph.m_yTickSide;
    entries.side = side >= kNormalSide && side <= kOppositeSide ? side : kNormalSide;
    const Axis& relevant = entries.side == kOppositeSide ? OppositeAxis(graph, direction)
                                                         : NormalAxis(graph, direction);
    entries.out = relevant.m_tickDirection == TickDirectionFor(direction, entries.side, true);
    return entries;
}

void ApplyTickMarks(CTarnDoc& doc, AxisDirection direction, int applyTo, const TickMarkEntries& entries)
{
    for (const AxisTarget& target : AxisTargets(doc, direction, applyTo)) {
        Graph& graph = doc.m_graphs[std::size_t(target.graph)];
        TickSide(graph, target.direction) = entries.side;
        Axis& normal = NormalAxis(graph, target.direction);
        Axis& opposite = OppositeAxis(graph, target.direction);
        const int chosen = TickDirectionFor(target.direction, entries.side, entries.out);
        const bool y = target.direction == AxisDirection::Y;
        const int mirrored = y ? (chosen == kTicksLeft ? kTicksRight : kTicksLeft)
                               : (chosen == kTicksUp ? kTicksDown : kTicksUp);
        switch (entries.side) {
        case kBothSides:
            normal.m_showTicks = opposite.m_showTicks = 1;
            normal.m_tickDirection = chosen;
            opposite.m_tickDirection = mirrored;
            break;
        case kOppositeSide:
            normal.m_showTicks = 0;
            opposite.m_showTicks = 1;
            opposite.m_tickDirection = chosen;
            break;
        default:
            normal.m_showTicks = 1;
            normal.m_tickDirection = chosen;
            opposite.m_showTicks = 0;
            break;
        }
    }
}

TickLabelEntries LoadTickLabels(const Graph& graph, AxisDirection direction)
{
    const Axis& normal = NormalAxis(graph, direction);
    TickLabelEntries entries;
    const int side = direction == AxisDirection::X ? graph.m_xLabelSide : graph.m_yLabelSide;
    entries.side = side >= kNormalSide && side <= kOppositeSide ? side : kNormalSide;
    entries.font = normal.m_labelFont;
    entries.color = normal.m_labelColor;
    entries.format = normal.m_format;
    entries.precision = normal.m_precision;
    return entries;
}

void ApplyTickLabels(CTarnDoc& doc, AxisDirection direction, int applyTo,
                     const TickLabelEntries& entries)
{
    for (const AxisTarget& target : AxisTargets(doc, direction, applyTo)) {
        Graph& graph = doc.m_graphs[std::size_t(target.graph)];
        LabelSide(graph, target.direction) = entries.side;
        Axis& normal = NormalAxis(graph, target.direction);
        Axis& opposite = OppositeAxis(graph, target.direction);
        normal.m_showLabels = entries.side == kNormalSide || entries.side == kBothSides;
        opposite.m_showLabels = entries.side == kBothSides || entries.side == kOppositeSide;
        for (Axis* axis : {&normal, &opposite}) {
            axis->m_labelFont = entries.font;
            axis->m_labelColor = entries.color;
            axis->m_format = entries.format;
            axis->m_precision = entries.precision;
        }
    }
}

GridEntries LoadGrid(const Graph& graph, AxisDirection direction)
{
    const Axis& normal = NormalAxis(graph, direction);
    return {normal.m_gridType, normal.m_gridSize, normal.m_gridColor};
}

bool ApplyGrid(CTarnDoc& doc, AxisDirection direction, int applyTo, const GridEntries& entries)
{
    const bool currentGraph = applyTo == kApplyCurrentAxis || applyTo == kApplyAllAxesCurrentGraph;
    for (const AxisTarget& target : AxisTargets(doc, direction, applyTo)) {
        Axis& normal = NormalAxis(doc.m_graphs[std::size_t(target.graph)], target.direction);
        normal.m_gridType = entries.type;
        normal.m_gridSize = entries.size;
        normal.m_gridColor = entries.color;
        if (currentGraph)
            normal.m_showGrid = 1;
    }
    return currentGraph;
}
