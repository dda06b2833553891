#pragma once

#include <QImage>
#include <QSize>

class CTarnDoc;

/// The off-screen copy of the page for flicker-free redrawing. The page is
/// drawn into it only when it was invalidated or the size changed; otherwise
/// the copy from the last drawing is handed out again.
class PageBuffer {
public:
    /// Marks the copy stale: the next `Image` draws the page again.
    void Invalidate() { m_stale = true; }
    /// Whether `Image` at `size` would draw the page.
    bool NeedsDrawing(QSize size) const { return m_stale || m_image.size() != size; }

    /// The page at `size`, drawn (with selection marks) on a white ground
    /// when stale or resized. `drawn`, when given, tells whether it drew.
    const QImage& Image(const CTarnDoc& doc, QSize size, bool* drawn = nullptr);
    /// How many times the page was drawn.
    int DrawCount() const { return m_drawCount; }

private:
    QImage m_image;
    bool m_stale = true;
    int m_drawCount = 0;
};
