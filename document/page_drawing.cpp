#include "document/page_drawing.h"

#include "document/tarn_doc.h"
#include "render/canvas.h"
#include "render/text_drawing.h"

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
            doc.m_graphs[i].Draw(canvas, page);
    if (doc.m_currentGraph >= 0 && doc.m_currentGraph < count)
        doc.m_graphs[doc.m_currentGraph].Draw(canvas, page);
    for (int i = 0; i < doc.m_labels.Count(); ++i)
        DrawTextObject(doc.m_labels.Get(i), canvas, page);
}
