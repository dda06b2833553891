#pragma once

#include "io/pipe_endings.h"

/// The writers behind the link stream's end messages in both programs: the
/// page image through the image export's BMP and PNG writers (as asked,
/// whatever the file's name says); the document through the
/// document file writer, after which the page carries the file's name and is
/// unmodified.
class QtPipeEndings : public PipeEndings {
public:
    bool SaveDocument(CTarnDoc& doc, const std::string& path, Messages& messages) override;
    /// Sizes must be 1 to 20000 pixels each.
    bool ExportImage(CTarnDoc& doc, const std::string& path, int kind, int width, int height,
                     Messages& messages) override;
};
