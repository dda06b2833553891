// Any bytes as markup text: build the tree, lay it out through the recording
// canvas at several orientations and print ratios, draw it, and measure it as
// a text object. Nothing may crash, hang, recurse without bound or leak.
#include "model/text_object.h"
#include "render/markup_parser.h"
#include "render/recording_canvas.h"
#include "render/text_block.h"
#include "render/text_drawing.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    MarkupFailure failure;
    ParseMath(text, 14, &failure);

    RecordingCanvas canvas;
    LogFont font;
    for (int orientation : {0, 900, 1234}) {
        TextBlock block;
        block.SetText(text, font, orientation, 0x000000);
        const TextLayout layout = block.Layout(canvas, orientation == 0 ? 1.0 : 6.25);
        block.Draw(canvas, 100, 100);
        if (layout.Width() < 0 || layout.Height() < 0)
            __builtin_trap();
        canvas.ClearRecords();
    }

    TextObject object(text);
    object.m_selected = 1;
    DrawTextObject(object, canvas, {0, 0, 800, 600});
    object.GetBoundingBox({0, 0, 800, 600});
    return 0;
}
