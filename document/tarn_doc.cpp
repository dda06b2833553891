#include "document/tarn_doc.h"

#include "model/drawing_settings.h"
#include "model/messages.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

CTarnDoc::CTarnDoc()
{
    OnNewDocument();
}

void CTarnDoc::OnNewDocument()
{
    m_graphs.clear();
    m_labels.Clear();
    m_graphs.emplace_back();
    m_rows = 1;
    m_columns = 1;
    m_graphCount = 1;
    m_currentGraph = 0;
    m_graphs[0].m_selected = 1;
    m_pathName.clear();
    m_modified = false;
    ResetHistory();
}

void CTarnDoc::SetModifiedFlag(bool modified)
{
    m_modified = modified;
    if (modified)
        m_history.Commit(*this, true);
    else
        m_history.MarkSaved(*this);
}

bool CTarnDoc::Undo()
{
    return m_history.Undo(*this, &m_modified);
}

bool CTarnDoc::Redo()
{
    return m_history.Redo(*this, &m_modified);
}

void CTarnDoc::SetPipeNumber(const std::string& text)
{
    m_pipeNumber = std::atoi(text.c_str());
}

// ---- number check ------------------------------------------------------------

static std::string Trim(const std::string& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    return text.substr(first, last - first);
}

bool CheckNumber(const std::string& text, bool positive)
{
    const std::string trimmed = Trim(text);
    if (trimmed.empty())
        return false;
    if (positive && trimmed[0] == '-')
        return false;
    int plus = 0;
    int minus = 0;
    int points = 0;
    int exponents = 0;
    int exponentPlus = 0;
    int exponentMinus = 0;
    for (char c : trimmed) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            continue;
        switch (c) {
        case '+':
            if (++(exponents ? exponentPlus : plus) > 1)
                return false;
            break;
        case '-':
            if (++(exponents ? exponentMinus : minus) > 1)
                return false;
            break;
        case '.':
            if (++points > 1)
                return false;
            break;
        case 'e':
        case 'E':
            if (++exponents > 1)
                return false;
            break;
        default:
            return false;
        }
    }
    return true;
}

static std::string Format3g(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3g", value);
    return buffer;
}

static std::string NotPositiveMessage(const char* entry, const char* tail)
{
    return std::string("Can't convert the \"") + entry + "\" entry to a positive number. " + tail;
}

ArrangeSizes ComputeArrangeSizes(const std::string& rows, const std::string& columns,
                                 const std::string& horizontalGap, const std::string& verticalGap)
{
    ArrangeSizes sizes;
    const int rowCount = std::atoi(rows.c_str());
    const int columnCount = std::atoi(columns.c_str());
    if (rowCount <= 0) {
        sizes.message = "Invalid row value!";
        return sizes;
    }
    if (columnCount <= 0) {
        sizes.message = "Invalid column value!";
        return sizes;
    }
    if (!CheckNumber(horizontalGap)) {
        sizes.message = NotPositiveMessage("Horizontal gap", "Is there a typing error?");
        return sizes;
    }
    if (!CheckNumber(verticalGap)) {
        sizes.message = NotPositiveMessage("Vertical gap", "Is there a typing error?");
        return sizes;
    }
    const double hGap = std::atof(horizontalGap.c_str());
    const double vGap = std::atof(verticalGap.c_str());
    sizes.width = Format3g((0.75 - (columnCount - 1) * hGap) / columnCount);
    sizes.height = Format3g((0.75 - (rowCount - 1) * vGap) / rowCount);
    return sizes;
}

std::string CheckArrangeCounts(const std::string& rows, const std::string& columns)
{
    if (std::atoi(rows.c_str()) <= 0)
        return "Invalid row value!";
    if (std::atoi(columns.c_str()) <= 0)
        return "Invalid column value!";
    return {};
}

// ---- placement and arrangement -------------------------------------------------

void CTarnDoc::PlaceGraph(int index, float left, float bottom, float width, float height)
{
    Graph& graph = m_graphs.at(index);
    graph.m_left = left;
    graph.m_right = left + width;
    graph.m_bottom = bottom;
    graph.m_top = bottom + height;
    graph.m_x = left + width * 0.5f;
    graph.m_y = bottom + height * 0.5f;
    graph.SyncPlotGeometry();
    graph.m_title.m_x = graph.m_x;
    graph.m_title.m_y = graph.m_top + 0.1f;
    graph.m_yLabel.m_x = graph.m_left - 0.1f;
    graph.m_yLabel.m_y = graph.m_y;
    graph.m_xLabel.m_x = graph.m_x;
    graph.m_xLabel.m_y = graph.m_bottom - 0.1f;
    graph.m_leftAxis.m_x = graph.m_left;
    graph.m_leftAxis.m_y = graph.m_y;
    graph.m_rightAxis.m_x = graph.m_right;
    graph.m_rightAxis.m_y = graph.m_y;
    graph.m_leftAxis.m_length = graph.m_rightAxis.m_length = height;
    graph.m_topAxis.m_x = graph.m_x;
    graph.m_topAxis.m_y = graph.m_top;
    graph.m_bottomAxis.m_x = graph.m_x;
    graph.m_bottomAxis.m_y = graph.m_bottom;
    graph.m_topAxis.m_length = graph.m_bottomAxis.m_length = width;
    graph.m_legend.m_x = graph.m_x;
    graph.m_legend.m_y = graph.m_y;
}

ArrangeRequest CTarnDoc::CurrentArrangement() const
{
    ArrangeRequest request;
    request.rows = std::to_string(m_rows);
    request.columns = std::to_string(m_columns);
    request.verticalGap = Format3g(m_verticalGap);
    request.horizontalGap = Format3g(m_horizontalGap);
    request.startX = Format3g(m_startX);
    request.startY = Format3g(m_startY);
    request.width = Format3g(m_graphWidth);
    request.height = Format3g(m_graphHeight);
    return request;
}

bool CTarnDoc::Arrange(const ArrangeRequest& request, Messages& messages)
{
    // The dialog refuses these before it closes; checked again so that the
    // page invariants hold whoever calls.
    if (const std::string message = CheckArrangeCounts(request.rows, request.columns);
        !message.empty()) {
        messages.Show(message);
        return false;
    }
    const struct {
        const char* name;
        const std::string& text;
    } entries[] = {
        {"Graph height", request.height},     {"Graph width", request.width},
        {"Horizontal gap", request.horizontalGap}, {"Vertical gap", request.verticalGap},
        {"Start at x", request.startX},       {"Start at y", request.startY},
    };
    for (const auto& entry : entries) {
        if (!CheckNumber(entry.text, true)) {
            messages.Show(NotPositiveMessage(entry.name, "No Changes made."));
            return false;
        }
    }
    const int rows = std::atoi(request.rows.c_str());
    const int columns = std::atoi(request.columns.c_str());
    const long long count = static_cast<long long>(rows) * columns;
    if (request.allGraphs && count > kMostGraphs) {
        messages.Show("Too many graphs (" + std::to_string(count) + "); a page holds at most " +
                      std::to_string(kMostGraphs) + " graphs. No changes made.");
        return false;
    }
    const float width = float(std::atof(request.width.c_str()));
    const float height = float(std::atof(request.height.c_str()));
    const float startX = float(std::atof(request.startX.c_str()));
    const float startY = float(std::atof(request.startY.c_str()));
    const float verticalGap = float(std::atof(request.verticalGap.c_str()));
    const float horizontalGap = float(std::atof(request.horizontalGap.c_str()));

    if (count < m_graphCount && m_modified && !messages.Ask("Delete excess graph(s)?"))
        return false;

    const struct {
        const char* name;
        const char* symbol;
        float value;
        bool always;
    } bounds[] = {
        {"Graph width", "width", width, true},   {"Graph height", "height", height, true},
        {"Start at x", "x", startX, true},       {"Start at y", "y", startY, true},
        {"Vertical gap", "gap", verticalGap, false}, {"Horizontal gap", "gap", horizontalGap, false},
    };
    for (const auto& bound : bounds) {
        if (!bound.always && !request.allGraphs)
            continue;
        if (!(bound.value > 0.0f && bound.value <= 1.0f)) {
            messages.Show(std::string("\"") + bound.name + "\" is out of bounds (require 1.0 >= " +
                          bound.symbol + " > 0.0). Not changes made.");
            return false;
        }
    }

    m_graphWidth = width;
    m_graphHeight = height;
    m_startX = startX;
    m_startY = startY;
    if (!request.allGraphs) {
        PlaceGraph(m_currentGraph, m_startX, m_startY, m_graphWidth, m_graphHeight);
        SetModifiedFlag();
        return true;
    }
    m_verticalGap = verticalGap;
    m_horizontalGap = horizontalGap;
    if (rows != m_rows || columns != m_columns) {
        std::vector<Graph> graphs(static_cast<std::size_t>(count));
        const int kept = std::min<int>(m_graphCount, int(count));
        for (int i = 0; i < kept; ++i)
            graphs[i] = m_graphs[i];
        m_graphs.swap(graphs);
        m_rows = rows;
        m_columns = columns;
        m_graphCount = int(count);
        // Graph 0 becomes current; it is also the one marked selected, so the
        // handles never stand on a graph that commands do not act on.
        m_currentGraph = 0;
        for (Graph& graph : m_graphs)
            graph.m_selected = 0;
        m_graphs[0].m_selected = 1;
    }
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < m_columns; ++c)
            PlaceGraph(r * m_columns + c, m_startX + c * (m_graphWidth + m_horizontalGap),
                       m_startY + r * (m_graphHeight + m_verticalGap), m_graphWidth,
                       m_graphHeight);
    SetModifiedFlag();
    return true;
}

// ---- overlap, select, properties --------------------------------------------------

bool CTarnDoc::CanOverlap(Messages& messages) const
{
    if (m_graphCount < 2) {
        messages.Show("Can't overlap less than two graphs!");
        return false;
    }
    return true;
}

bool CTarnDoc::OverlapGraphs(int top, int bottom, Messages& messages)
{
    if (top == bottom) {
        messages.Show("Unable to place a graph on top of itself!");
        return false;
    }
    if (top < 0 || bottom < 0 || top >= m_graphCount || bottom >= m_graphCount)
        return false;
    Graph& a = m_graphs[top];
    const Graph& b = m_graphs[bottom];
    a.m_x = b.m_x;
    a.m_y = b.m_y;
    a.m_left = b.m_left;
    a.m_bottom = b.m_bottom;
    a.m_right = b.m_right;
    a.m_top = b.m_top;
    for (auto [to, from] : {std::pair<TextObject*, const TextObject*>{&a.m_title, &b.m_title},
                            {&a.m_yLabel, &b.m_yLabel}, {&a.m_xLabel, &b.m_xLabel}}) {
        to->m_x = from->m_x;
        to->m_y = from->m_y;
    }
    a.m_legend.m_x = b.m_legend.m_x;
    a.m_legend.m_y = b.m_legend.m_y;
    for (auto [to, from] : {std::pair<Axis*, const Axis*>{&a.m_leftAxis, &b.m_leftAxis},
                            {&a.m_rightAxis, &b.m_rightAxis}, {&a.m_topAxis, &b.m_topAxis},
                            {&a.m_bottomAxis, &b.m_bottomAxis}}) {
        to->m_x = from->m_x;
        to->m_y = from->m_y;
        to->m_length = from->m_length;
    }
    // The data sets draw from their own copy of the plot area; without this
    // they would stay where the graph was.
    a.SyncPlotGeometry();
    SetModifiedFlag();
    return true;
}

void CTarnDoc::SelectGraph(int index)
{
    if (index < 0 || index >= m_graphCount)
        return;
    for (Graph& graph : m_graphs)
        graph.m_selected = 0;
    m_currentGraph = index;
    m_graphs[index].m_selected = 1;
    SetModifiedFlag();
}

bool CTarnDoc::ApplyDisplaySettings(int lineChoice, float fontScale, Messages& messages)
{
    bool changed = false;
    if (lineChoice != lineScaling) {
        if (lineScaling == 1 && use16BitCoordinates &&
            !messages.Ask("Please note that if lines are scaled by more than 1,\r\nall lines will "
                          "appear solid. Continue?"))
            return false;
        lineScaling = lineChoice;
        if (lineChoice > 0)
            m_displaySettings.lineScaling = lineChoice;
        else
            messages.Show("Bad lineScaling parameter!");
        changed = true;
    }
    if (fontScale != fontScaling) {
        fontScaling = fontScale;
        if (fontScale >= 0.0f)
            m_displaySettings.fontScaling = fontScale;
        else
            messages.Show("Bad fontScaling parameter!");
        changed = true;
    }
    if (changed)
        RecordUnmarkedChange();
    return changed;
}

void CTarnDoc::SetPrintMode(int flag)
{
    for (Graph& graph : m_graphs)
        graph.SetPrintMode(flag);
    for (int i = 0; i < m_labels.Count(); ++i)
        m_labels.Get(i).SetPrintMode(flag);
}
