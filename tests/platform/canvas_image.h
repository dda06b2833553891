#pragma once
// Drawing on a QtCanvas over a white image, for the tests of the canvas.
#include "platform/qt_canvas.h"

#include <QImage>
#include <QPainter>
#include <QSize>

/// A white RGB32 image of `size` with `draw(canvas)` run on a QtCanvas over
/// it; the painting has ended when it is returned.
template <class Draw>
QImage CanvasImage(QSize size, Draw draw)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        draw(canvas);
    }
    return image;
}
