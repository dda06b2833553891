#pragma once

#include "model/colors.h"
#include "model/list.h"
#include "model/text_object.h"
#include "render/graph.h"

#include <string>
#include <vector>

/// The page's copy of the process-wide display scaling.
struct DisplaySettings {
    int lineScaling = 1;
    float fontScaling = 1.0f;
};

/// The document: one page of graphs in rows and columns (row 0 at the bottom,
/// column 0 at the left), one of which is the current graph, plus free text
/// labels, the page colour, the display scaling and the pipe state.
class CTarnDoc {
public:
    CTarnDoc();

    /// Discards all graphs and labels and makes a page with one default, selected
    /// graph. Arrangement sizes, gaps, start, page colour and display settings stay.
    void OnNewDocument();

    /// The graph at `m_currentGraph`.
    Graph& CurrentGraph() { return m_graphs[m_currentGraph]; }
    const Graph& CurrentGraph() const { return m_graphs[m_currentGraph]; }

    /// Stores `text` read with atoi as the pipe number for the link reader.
    void SetPipeNumber(const std::string& text);

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    DisplaySettings m_displaySettings;
    std::vector<Graph> m_graphs;
    int m_graphCount = 1;
    int m_rows = 1;
    int m_columns = 1;
    float m_graphWidth = 0.75f;
    float m_graphHeight = 0.75f;
    float m_verticalGap = 0.1f;
    float m_horizontalGap = 0.1f;
    float m_startX = 0.125f;
    float m_startY = 0.125f;
    int m_currentGraph = 0;
    Color m_pageColor = kNoColor;
    List<TextObject> m_labels;
    int m_pipeNumber = 0;
    int m_pipeHalt = 0;
    std::string m_exportFile;
    int m_exportKind = 0;
    int m_exportWidth = 0;
    int m_exportHeight = 0;

private:
    bool m_modified = false;
};
