#pragma once

#include "model/colors.h"
#include "model/graph_object.h"
#include "model/log_font.h"

/// The legend of a graph: a box listing the graph's data sets by their legend
/// texts. It starts invisible at the page centre; the graph moves it to the
/// plot-area centre. Its entries and drawing come with the legend drawing
/// code; until then it draws nothing and covers nothing.
class Legend : public GraphObject {
public:
    Legend()
    {
        m_visible = 0;
        m_x = 0.5f;
        m_y = 0.5f;
    }

    int m_showBox = 0;
    Color m_boxFillColor = 0xFF000000u;
    Color m_boxEdgeColor = 0x000000;
    int m_gap = 4;
    LogFont m_font;
    Color m_textColor = 0x000000;
};
