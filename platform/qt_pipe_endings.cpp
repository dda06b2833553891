#include "platform/qt_pipe_endings.h"

#include "document/document_file.h"
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "model/safe_file_writer.h"
#include "platform/page_image.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

// The largest side an exported image may have; a stream cannot ask for
// gigabytes of pixels.
static constexpr int kLargestSide = 20000;

bool QtPipeEndings::SaveDocument(CTarnDoc& doc, const std::string& path, Messages& messages)
{
    if (!::SaveDocument(doc, path, messages))
        return false;
    doc.m_pathName = path;
    doc.SetModifiedFlag(false);
    return true;
}

bool QtPipeEndings::ExportImage(CTarnDoc& doc, const std::string& path, int kind, int width, int height,
                                Messages& messages)
{
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) {
        messages.Show("Cannot export an image of " + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels: each side must be 1 to " + std::to_string(kLargestSide) + ".");
        return false;
    }
    const QImage image = RenderPageImage(doc, QSize(width, height));
    if (image.isNull()) {
        messages.Show("Unable to write bitmap (invalid dib)");
        return false;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, kind == kPipeExportBmpKind ? "BMP" : "PNG")) {
        messages.Show("Unable to write " + path);
        return false;
    }
    std::string reason;
    if (!WriteFileSafely(path, std::string_view(bytes.constData(), std::size_t(bytes.size())), &reason)) {
        messages.Show("Unable to open " + path + " for writing");
        return false;
    }
    return true;
}
