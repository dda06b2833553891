#pragma once

#include <string>

class CTarnDoc;
class Messages;

/// Image formats an end message may ask for (the values of `m_exportKind`).
enum PipeExportKind : int { kPipeExportNone = 0, kPipeExportBmpKind = 1, kPipeExportPngKind = 2 };

/// The writers that end messages call on: saving the document (message 26)
/// and writing the page as an image (27, 28). Each program hands in its own,
/// so the reader's core needs neither the document format nor a paint engine.
class PipeEndings {
public:
    virtual ~PipeEndings() = default;
    /// Saves `doc` to `path` in the document format. False after showing why
    /// it could not through `messages`.
    virtual bool SaveDocument(CTarnDoc& doc, const std::string& path, Messages& messages) = 0;
    /// Writes the page as a `kind` image (`kPipeExportBmpKind` or
    /// `kPipeExportPngKind`) of `width` x `height` pixels to `path`. False after
    /// showing why it could not.
    virtual bool ExportImage(CTarnDoc& doc, const std::string& path, int kind, int width, int height,
                             Messages& messages) = 0;
};
