#include "platform/page_image.h"

#include "document/page_drawing.h"
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "model/safe_file_writer.h"
#include "platform/page_raster.h"
#include "platform/qt_canvas.h"
#include "render/image_writers.h"

#include <QBuffer>
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

// Draws the page in the format of `suffix` into `bytes`; returns the reason
// it cannot, or an empty string.
static QString EncodePage(CTarnDoc& doc, const QString& suffix, QSize size, QByteArray& bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (suffix == "png" || suffix == "bmp") {
        QImage image = RenderPageImage(doc, size);
        if (image.isNull())
            return QString("cannot make an image of %1 x %2 pixels").arg(size.width()).arg(size.height());
        if (!image.save(&buffer, suffix == "png" ? "PNG" : "BMP"))
            return QString("cannot encode the image as %1").arg(suffix);
        return {};
    }
    if (suffix == "svg") {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle("CorvidPlot page");
        QPainter painter;
        if (!painter.begin(&generator))
            return QString("cannot draw the page as SVG");
        PaintPage(doc, painter, size);
        painter.end();
        return {};
    }
    if (suffix == "pdf") {
        QPdfWriter writer(&buffer);
        writer.setResolution(96);
        writer.setPageSize(
            QPageSize(QSizeF(size.width() * 72.0 / 96.0, size.height() * 72.0 / 96.0), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(kImageTitle);
        writer.setCreator(kImageAuthor);
        QPainter painter;
        if (!painter.begin(&writer))
            return QString("cannot draw the page as PDF");
        PaintPage(doc, painter, size);
        painter.end();
        return {};
    }
    return QString("unsupported image type \"%1\" (use .png, .bmp, .svg or .pdf)").arg(suffix);
}

namespace {

// Keeps the messages of the BMP and PNG writers as the reason of a failure.
class CollectedMessages : public Messages {
public:
    void Show(const std::string& text) override { m_text += (m_text.empty() ? "" : "; ") + text; }
    bool Ask(const std::string&) override { return true; }
    void ShowText(const std::string&, const std::string&) override {}
    QString Text() const { return QString::fromStdString(m_text); }

private:
    std::string m_text;
};

} // namespace

QString ExportPage(CTarnDoc& doc, const QString& path, QSize size)
{
    return ExportPageAs(doc, path, QFileInfo(path).suffix().toLower(), size);
}

QString ExportPageAs(CTarnDoc& doc, const QString& path, const QString& suffix, QSize size)
{
    if (size.width() <= 0 || size.height() <= 0)
        return QString("invalid image size %1 x %2").arg(size.width()).arg(size.height());
    if (suffix == "png" || suffix == "bmp") {
        // Raster images go through the program's own writers.
        CollectedMessages messages;
        if (ExportPageImage(doc, path.toStdString(), suffix == "png" ? ImageFormat::Png : ImageFormat::Bmp,
                            size.width(), size.height(), messages))
            return {};
        return messages.Text();
    }
    QByteArray bytes;
    const QString error = EncodePage(doc, suffix, size, bytes);
    if (!error.isEmpty())
        return error;
    std::string reason;
    if (!WriteFileSafely(path.toStdString(), std::string_view(bytes.constData(), std::size_t(bytes.size())),
                         &reason))
        return QString("cannot write \"%1\": %2").arg(path, QString::fromStdString(reason));
    return {};
}

QByteArray PageSvg(CTarnDoc& doc, QSize size)
{
    QByteArray bytes;
    if (EncodePage(doc, "svg", size, bytes).isEmpty())
        return bytes;
    return {};
}
