#pragma once

#include <cstddef>
#include <string>

class CTarnDoc;
class Messages;

/// The message of every failed open whose bytes do not form a page.
inline constexpr const char* kUnexpectedFileFormat = "Unexpected file format.";

/// The page as the bytes of a document file in the current layout (every
/// object version 1.23, every optional part present).
std::string DocumentToBytes(const CTarnDoc& doc);

/// Reads a document file held in memory into a fresh page and, when all of it
/// reads, puts that page in `doc` (graphs, labels, arrangement, page colour,
/// display settings; the pipe state stays), marks `doc` unmodified and sets
/// the process-wide line and font scaling. On a format error, on data that
/// ends early or when memory runs out, `doc` stays exactly as it was and
/// false is returned after "Unexpected file format." (or the memory message)
/// was shown.
bool DocumentFromBytes(CTarnDoc& doc, const void* data, std::size_t size, Messages& messages);

/// Writes the page to `path` through the safe file writer, so a failed save
/// keeps the previous file, its mode and its link. Shows why on failure. The
/// document's modified flag is left to the caller (clear it on success).
bool SaveDocument(const CTarnDoc& doc, const std::string& path, Messages& messages);

/// Reads the document file at `path` into `doc` as `DocumentFromBytes` does,
/// reading only as far as its records go (a pipe or a device too: bytes that
/// form no document fail at the first field that cannot be valid); a file
/// that cannot be read shows why and changes nothing.
bool OpenDocument(CTarnDoc& doc, const std::string& path, Messages& messages);
