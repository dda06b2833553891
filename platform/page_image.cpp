#include "platform/page_image.h"

#include "document/tarn_doc.h"

#include <QFileInfo>

QImage RenderPageImage(const CTarnDoc&, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QString ExportPage(const CTarnDoc& doc, const QString& path, QSize size)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != "png" && suffix != "bmp")
        return QString("unsupported image type \"%1\" (use .png, .bmp, .svg or .pdf)").arg(suffix);
    QImage image = RenderPageImage(doc, size);
    if (!image.save(path, suffix == "png" ? "PNG" : "BMP"))
        return QString("cannot write \"%1\"").arg(path);
    return {};
}
