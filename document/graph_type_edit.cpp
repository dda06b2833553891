#include "document/graph_type_edit.h"

#include "document/tarn_doc.h"
#include "render/graph.h"

const char* const kGraphTypeNames[4] = {"Linear X, Linear Y", "Linear X, Log Y", "Log X, Linear Y",
                                        "Log X, Log Y"};

int GraphTypeItem(const Graph& graph)
{
    if (!graph.m_xLog && !graph.m_yLog)
        return 0;
    if (!graph.m_xLog)
        return 1;
    if (!graph.m_yLog)
        return 2;
    return 3;
}

bool GraphTypeLogX(int item)
{
    return item == 2 || item == 3;
}

bool GraphTypeLogY(int item)
{
    return item == 1 || item == 3;
}

bool ApplyGraphType(CTarnDoc& doc, int item, Messages& messages)
{
    Graph& graph = doc.CurrentGraph();
    const int before = GraphTypeItem(graph);
    const bool accepted = graph.SetLogScale(GraphTypeLogX(item), GraphTypeLogY(item), messages);
    // A switch refused for one axis still applies the other; that change is
    // the user's and must not be lost without the save question.
    if (!accepted && GraphTypeItem(graph) == before)
        return false;
    doc.SetModifiedFlag();
    return true;
}
