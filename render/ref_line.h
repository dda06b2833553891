#pragma once

#include <string>

/// A reference line of a graph: a vertical line at x = `m_value`
/// (`m_orientation` 0) or a horizontal one at y = `m_value` (1), in line
/// style `m_lineStyle` (0 Solid to 4 Dash-Dot-Dot).
struct RefLine {
    int m_orientation = 1;
    int m_lineStyle = 0;
    float m_value = 0.0f;
};

/// The text the "Lines" dialog lists for `line`: "x = %g" or "y = %g".
std::string RefLineText(const RefLine& line);
