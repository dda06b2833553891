#include "platform/page_raster.h"

#include "document/page_drawing.h"
#include "document/tarn_doc.h"
#include "model/page_rect.h"
#include "render/image_writers.h"
#include "render/raster_image.h"
#include "platform/qt_canvas.h"

#include <QImage>
#include <QPainter>

#include <new>

bool DrawPageIntoRaster(CTarnDoc& doc, RasterImage& image)
{
    if (image.Empty())
        return false;
    try {
        // The painter draws straight into the picture's rows: blue, green,
        // red bytes with the padded stride, so no second copy is made.
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

bool RenderPageToRaster(CTarnDoc& doc, int width, int height, RasterImage& image)
{
    if (!image.Allocate(width, height))
        return false;
    if (DrawPageIntoRaster(doc, image))
        return true;
    image.Allocate(0, 0);
    return false;
}

bool ExportPageImage(CTarnDoc& doc, const std::string& path, ImageFormat format, int width, int height,
                     Messages& messages)
{
    RasterImage image;
    RenderPageToRaster(doc, width, height, image);
    return format == ImageFormat::Bmp ? WriteBmpFile(image, path, messages) : WritePngFile(image, path, messages);
}
