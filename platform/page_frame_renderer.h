#pragma once

#include "io/movie_frame_renderer.h"

/// Draws movie frames with Qt, exactly as the image export draws the page:
/// the page rectangle is the whole frame, the page is filled with its colour
/// (white when it has none), and every graph and label is in print mode
/// meanwhile, so no selection marks are drawn.
class PageFrameRenderer : public MovieFrameRenderer {
public:
    bool RenderFrame(CTarnDoc& doc, RasterImage& image) override;
};
