#pragma once

#include "analysis/set_selection.h"
#include "document/tarn_doc.h"
#include "render/graph.h"

#include <ostream>
#include <string>
#include <vector>

/// A set whose traversal runs through `points` in the order given.
inline Plot MakePlot(const std::vector<PlotPoint>& points, const std::string& name = "set")
{
    Plot plot;
    plot.m_info = name;
    plot.m_xPositive = plot.m_yPositive = 1;
    for (auto point = points.rbegin(); point != points.rend(); ++point) {
        plot.AddPoint(point->x, point->y);
        plot.m_xPositive &= point->x > 0;
        plot.m_yPositive &= point->y > 0;
    }
    return plot;
}

/// Appends a set traversed through `points` to `graph`, selected; returns its index.
inline int AddSet(Graph& graph, const std::vector<PlotPoint>& points, const std::string& name = "set",
                  bool selected = true)
{
    Plot plot = MakePlot(points, name);
    plot.m_selected = selected ? 1 : 0;
    return AppendResultSet(graph, plot);
}

/// The points of `plot` in traversal order.
inline std::vector<PlotPoint> Points(const Plot& plot)
{
    return {plot.m_points.begin(), plot.m_points.end()};
}

/// A set of points with the given y values, x counting from 1.
inline std::vector<PlotPoint> WithY(const std::vector<float>& ys)
{
    std::vector<PlotPoint> points;
    for (std::size_t i = 0; i < ys.size(); ++i)
        points.push_back({float(i + 1), ys[i]});
    return points;
}

/// Shows points as (x, y) in test failures.
inline void PrintTo(const PlotPoint& point, std::ostream* out)
{
    *out << "(" << point.x << ", " << point.y << ")";
}
