#pragma once

/// A reference line of a graph: a vertical line at x = `m_value`
/// (`m_orientation` 0) or a horizontal one at y = `m_value` (1).
struct RefLine {
    int m_orientation = 1;
    int m_lineStyle = 0;
    float m_value = 0.0f;
};
