#include "platform/page_image.h"

#include "document/page_drawing.h"
#include "document/tarn_doc.h"
#include "platform/qt_canvas.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

// Draws the page on `painter` over a `size` page, on a white ground, with
// every graph and label in print mode for the time being.
static void PaintPage(CTarnDoc& doc, QPainter& painter, QSize size)
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    QtCanvas canvas(painter);
    doc.SetPrintMode(1);
    DrawPage(doc, canvas, {0, 0, size.width(), size.height()});
    doc.SetPrintMode(0);
}

QImage RenderPageImage(CTarnDoc& doc, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    QPainter painter(&image);
    PaintPage(doc, painter, size);
    return image;
}

QString ExportPage(CTarnDoc& doc, const QString& path, QSize size)
{
    if (size.width() <= 0 || size.height() <= 0)
        return QString("invalid image size %1 x %2").arg(size.width()).arg(size.height());
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "png" || suffix == "bmp") {
        QImage image = RenderPageImage(doc, size);
        if (image.isNull())
            return QString("cannot make an image of %1 x %2 pixels").arg(size.width()).arg(size.height());
        if (!image.save(path, suffix == "png" ? "PNG" : "BMP"))
            return QString("cannot write \"%1\"").arg(path);
        return {};
    }
    if (suffix == "svg") {
        QSvgGenerator generator;
        generator.setFileName(path);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle("CorvidPlot page");
        QPainter painter;
        if (!painter.begin(&generator))
            return QString("cannot write \"%1\"").arg(path);
        PaintPage(doc, painter, size);
        painter.end();
        return {};
    }
    if (suffix == "pdf") {
        QPdfWriter writer(path);
        writer.setResolution(96);
        writer.setPageSize(
            QPageSize(QSizeF(size.width() * 72.0 / 96.0, size.height() * 72.0 / 96.0), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            return QString("cannot write \"%1\"").arg(path);
        PaintPage(doc, painter, size);
        painter.end();
        return {};
    }
    return QString("unsupported image type \"%1\" (use .png, .bmp, .svg or .pdf)").arg(suffix);
}
