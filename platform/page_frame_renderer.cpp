#include "platform/page_frame_renderer.h"

#include "document/page_drawing.h"
#include "document/tarn_doc.h"
#include "model/page_rect.h"
#include "platform/qt_canvas.h"
#include "render/raster_image.h"

#include <QImage>
#include <QPainter>

#include <new>

bool PageFrameRenderer::RenderFrame(CTarnDoc& doc, RasterImage& image)
{
    if (image.Empty())
        return false;
    try {
        // The painter draws straight into the frame's rows (blue, green, red
        // bytes with the padded stride), the layout the movie writer takes.
        QImage surface(image.Bits(), image.Width(), image.Height(), qsizetype(image.Stride()),
                       QImage::Format_BGR888);
        if (surface.isNull())
            return false;
        QPainter painter(&surface);
        QtCanvas canvas(painter);
        PageDrawOptions options;
        options.printing = true;
        doc.SetPrintMode(1);
        DrawPage(doc, canvas, {0, 0, image.Width(), image.Height()}, options);
        doc.SetPrintMode(0);
    } catch (const std::bad_alloc&) {
        doc.SetPrintMode(0);
        return false;
    }
    return true;
}
