#pragma once

class ArchiveReader;
class ArchiveWriter;
class CTarnDoc;

/// Writes the whole page, depth first, in the current layout.
void WriteDocument(ArchiveWriter& out, const CTarnDoc& doc);

/// Reads a whole page into `page`, a freshly made document, following the
/// version conditions of each object and converting older layouts. Raises
/// `ArchiveError` on a format error or when the data ends early; `page` is
/// then half read and must be thrown away.
void ReadDocument(ArchiveReader& in, CTarnDoc& page);
