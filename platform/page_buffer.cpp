#include "platform/page_buffer.h"

#include "document/page_drawing.h"
#include "document/tarn_doc.h"
#include "platform/qt_canvas.h"

#include <QPainter>

const QImage& PageBuffer::Image(const CTarnDoc& doc, QSize size, bool* drawn, qreal ratio)
{
    const bool redraw = NeedsDrawing(size, ratio);
    if (drawn)
        *drawn = redraw;
    if (!redraw)
        return m_image;
    if (m_size != size || m_ratio != ratio || m_image.isNull()) {
        m_image = QImage(size * ratio, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(ratio);
        m_size = size;
        m_ratio = ratio;
    }
    if (!m_image.isNull()) {
        m_image.fill(Qt::white);
        QPainter painter(&m_image);
        QtCanvas canvas(painter);
        DrawPage(doc, canvas, {0, 0, size.width(), size.height()});
    }
    m_stale = false;
    ++m_drawCount;
    return m_image;
}
