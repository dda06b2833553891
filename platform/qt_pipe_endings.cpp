#include "platform/qt_pipe_endings.h"

#include "document/document_file.h"
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "platform/page_raster.h"

#include <string>

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
    return ExportPageImage(doc, path, kind == kPipeExportBmpKind ? ImageFormat::Bmp : ImageFormat::Png, width,
                           height, messages);
}
