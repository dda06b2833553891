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
    /// Whether `Image` at `size` and `ratio` would draw the page.
    bool NeedsDrawing(QSize size, qreal ratio = 1.0) const
    {
        return m_stale || m_size != size || m_ratio != ratio || m_image.isNull();
    }

    /// The page at `size` (in window units), drawn (with selection marks) on
    /// a white ground when stale or resized. The copy holds `ratio` device
    /// pixels per window unit, so on a high-density screen the page is drawn
    /// at the screen's own resolution. `drawn`, when given, tells whether it drew.
    const QImage& Image(const CTarnDoc& doc, QSize size, bool* drawn = nullptr, qreal ratio = 1.0);
    /// How many times the page was drawn.
    int DrawCount() const { return m_drawCount; }

private:
    QImage m_image;
    QSize m_size;
    qreal m_ratio = 1.0;
    bool m_stale = true;
    int m_drawCount = 0;
};
