#include "platform/page_frame_renderer.h"

#include "platform/page_raster.h"

bool PageFrameRenderer::RenderFrame(CTarnDoc& doc, RasterImage& image)
{
    // The frame's rows are blue, green, red bytes with the padded stride,
    // the layout the movie writer takes.
    return DrawPageIntoRaster(doc, image);
}
