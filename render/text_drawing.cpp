#include "render/text_drawing.h"

#include "model/text_object.h"
#include "render/canvas.h"
#include "render/scale_map.h"
#include "render/selection_outline.h"
#include "render/text_block.h"

const TextBlock& TextBlockOf(const TextObject& text)
{
    const std::shared_ptr<const TextBlock>& block = text.m_block;
    // The fields are public and may have been changed directly, so the block
    // is checked against them rather than trusted.
    if (!block || block->SourceText() != text.m_text || !(block->SourceFont() == text.m_font) ||
        block->TextColor() != text.m_color) {
        auto fresh = std::make_shared<TextBlock>();
        fresh->SetText(text.m_text, text.m_font, text.Orientation(), text.m_color);
        text.m_block = std::move(fresh);
    }
    return *text.m_block;
}

TextLayout MeasureTextObject(const TextObject& text, Canvas& canvas)
{
    if (text.m_text.empty()) {
        text.SetMeasuredSize(0, 0);
        return {};
    }
    TextLayout layout = TextBlockOf(text).Layout(canvas, text.SpacingRatio());
    text.SetMeasuredSize(layout.Width(), layout.Height());
    return layout;
}

// Draws a laid-out text so that the middle of its unturned rectangle lands on
// (cx, cy) once turned.
static void EmitCentred(const TextObject& text, const TextLayout& layout, Canvas& canvas, int cx,
                        int cy)
{
    const int u = (layout.left + layout.right) / 2;
    const int v = (layout.top + layout.bottom) / 2;
    const DevicePoint centre = TurnOffset(0, 0, u, v, text.Orientation());
    const TextBlock& block = TextBlockOf(text);
    EmitText(layout, block.Fonts(), block.Orientation(), block.TextColor(), cx - centre.x,
             cy - centre.y, canvas);
}

void DrawTextAt(const TextObject& text, Canvas& canvas, int cx, int cy)
{
    if (text.m_text.empty())
        return;
    EmitCentred(text, MeasureTextObject(text, canvas), canvas, cx, cy);
}

void DrawTextObject(const TextObject& text, Canvas& canvas, const PageRect& page)
{
    if (!text.m_visible || text.m_text.empty())
        return;
    DrawTextAt(text, canvas, FractionToDeviceX(text.m_x, page.left, page.right),
               FractionToDeviceY(text.m_y, page.top, page.bottom));
    if (text.m_selected && !text.m_printMode)
        DrawTextSelection(text, canvas, page);
}

void DrawTextSelection(const TextObject& text, Canvas& canvas, const PageRect& page)
{
    OutlineSelection(canvas, text.GetBoundingBox(page));
}
