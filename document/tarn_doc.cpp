#include "document/tarn_doc.h"

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
    m_modified = false;
}

void CTarnDoc::SetPipeNumber(const std::string& text)
{
    m_pipeNumber = std::atoi(text.c_str());
}
