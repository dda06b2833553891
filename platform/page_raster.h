#pragma once

#include <string>

class CTarnDoc;
class Messages;
class RasterImage;

/// The raster formats of the "Image ..." export.
enum class ImageFormat { Bmp, Png };

/// Draws the page headless into `image`, made `width` x `height` pixels, as
/// the export does: the page rectangle is the whole image, the page is filled
/// with its colour (white when it has none) and every graph and label is in
/// print mode meanwhile, so no selection marks are drawn. False, with an
/// empty image, when the picture cannot be allocated.
bool RenderPageToRaster(CTarnDoc& doc, int width, int height, RasterImage& image);

/// Draws the page as RenderPageToRaster does into `image` as it is made
/// (its size is the page rectangle), so a movie reuses one picture for
/// every frame. False when the image is empty or drawing ran out of memory.
bool DrawPageIntoRaster(CTarnDoc& doc, RasterImage& image);

/// Renders the page at `width` x `height` and writes it to `path` in
/// `format` through WriteBmpFile or WritePngFile; every failure is shown
/// through `messages` ("Unable to write bitmap (invalid dib)" when the
/// picture cannot be made). Returns whether the file was written.
bool ExportPageImage(CTarnDoc& doc, const std::string& path, ImageFormat format, int width, int height,
                     Messages& messages);
