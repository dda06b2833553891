#include "document/page_drawing.h"

#include "document/tarn_doc.h"
#include "model/error.h"
#include "render/canvas.h"
#include "render/text_drawing.h"

// Draws one graph; an error leaves it half drawn, but not the clip behind.
static void DrawGraph(const Graph& graph, Canvas& canvas, const PageRect& page,
                      const PageDrawOptions& options)
{
    try {
        graph.Draw(canvas, page);
    } catch (const Error& error) {
        canvas.ClearClip();
        if (options.failure && options.failure->empty())
            *options.failure = error.Text();
    }
}

void DrawPage(const CTarnDoc& doc, Canvas& canvas, const PageRect& page,
              const PageDrawOptions& options)
{
    if (options.printing || doc.m_pageColor != kNoColor) {
        const Color color = doc.m_pageColor != kNoColor ? doc.m_pageColor : options.windowColor;
        canvas.FillRect({page.left, page.top, page.right, page.bottom}, color);
    }
    const int count = static_cast<int>(doc.m_graphs.size());
    for (int i = 0; i < count; ++i)
        if (i != doc.m_currentGraph)
            DrawGraph(doc.m_graphs[i], canvas, page, options);
    if (doc.m_currentGraph >= 0 && doc.m_currentGraph < count)
        DrawGraph(doc.m_graphs[doc.m_currentGraph], canvas, page, options);
    for (int i = 0; i < doc.m_labels.Count(); ++i)
        DrawTextObject(doc.m_labels.Get(i), canvas, page);
}
