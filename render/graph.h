#pragma once

#include "model/colors.h"
#include "model/graph_object.h"
#include "model/list.h"
#include "model/plot.h"
#include "model/text_object.h"

/// One plot frame on the page: a plot area placed by page fractions, x and y
/// ranges (linear or logarithmic), titles and a list of data sets.
class Messages;

class Graph : public GraphObject {
public:
    Graph();

    /// Switches the x and y axes to logarithmic or linear scales, refusing what
    /// the data cannot show. Returns whether the change was accepted.
    bool SetLogScale(int xLog, int yLog, Messages& messages);

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
    int m_dragMode = 0;
    List<Plot> m_plots;
    TextObject m_title{"Graph"};
    TextObject m_yLabel{"Y Axis"};
    TextObject m_xLabel{"X Axis"};
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
};
