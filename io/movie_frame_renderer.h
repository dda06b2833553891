#pragma once

class CTarnDoc;
class RasterImage;

/// Draws one frame of a movie: the whole page into a picture whose size is
/// the frame's, as an exported image is drawn. The recorder has already made
/// the frame's set the shown one; the renderer only draws.
class MovieFrameRenderer {
public:
    virtual ~MovieFrameRenderer() = default;
    /// Draws the page of `doc` over all of `image` (already allocated at the
    /// frame size). False when the picture could not be drawn (no memory).
    virtual bool RenderFrame(CTarnDoc& doc, RasterImage& image) = 0;
};
