#include "render/graph.h"

#include "model/drawing_settings.h"

Graph::Graph()
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
}

bool Graph::SetLogScale(int xLog, int yLog, Messages&)
{
    m_xLog = xLog;
    m_yLog = yLog;
    return true;
}
