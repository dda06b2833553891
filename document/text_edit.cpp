#include "document/text_edit.h"

#include "model/messages.h"
#include "render/graph.h"

#include <cerrno>
#include <cstdlib>

TextObject& TitleOf(Graph& graph, TitleKind kind)
{
    switch (kind) {
    case TitleKind::XAxis: return graph.m_xLabel;
    case TitleKind::YAxis: return graph.m_yLabel;
    case TitleKind::Title: break;
    }
    return graph.m_title;
}

const char* TitleCaption(TitleKind kind)
{
    switch (kind) {
    case TitleKind::XAxis: return "X Axis";
    case TitleKind::YAxis: return "Y Axis";
    case TitleKind::Title: break;
    }
    return "Title";
}

bool ReadOrientation(const std::string& text, int& degrees, Messages& messages)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    bool whole = end != begin && errno == 0;
    for (const char* p = end; whole && *p; ++p)
        whole = *p == ' ' || *p == '\t';
    if (!whole || value < 0 || value > 360) {
        messages.Show("Please enter a valid orientation!");
        return false;
    }
    degrees = int(value);
    return true;
}
