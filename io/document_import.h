#pragma once

#include <string>
#include <vector>

class CTarnDoc;
class Messages;

/// Imports one data file into the current graph in `format` (0 x y, 1 x y1..yn,
/// 2 x y dx, 3 x y dy, 4 x y dx dy, 5 WAV). Returns false after reporting a failure.
bool ImportFile(CTarnDoc& doc, const std::string& fileName, int format, Messages& messages);

/// Imports `files` one after another into the current graph, each with the
/// steps and messages of `ImportFile`; a failed file does not stop the
/// following ones. The rescale after each file takes only its new sets into
/// account, so many files cost time in proportion to their sets. Returns
/// whether every file was imported.
bool ImportFiles(CTarnDoc& doc, const std::vector<std::string>& files, int format, Messages& messages);

/// Reads clipboard text into the current graph in `format`, reports failures
/// with the clipboard wording, falls back to linear axes the data cannot show,
/// rescales and marks the document modified. Returns false after a failure
/// (the sets read before it stay).
bool PasteText(CTarnDoc& doc, const std::string& text, int format, Messages& messages);
