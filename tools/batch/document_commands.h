#pragma once

#include <string>

class CTarnDoc;
class Messages;

/// Opens the document a page command names (`render DOCUMENT ...`, `info
/// DOCUMENT ...`) as the page the other arguments then add to. False after
/// the reason was shown; the page stays as it was.
bool OpenBatchDocument(CTarnDoc& doc, const std::string& path, Messages& messages);

/// `--save DOCUMENT`: writes the page as a document file. False after the
/// reason was shown; a previous file of that name then stays as it was.
bool SaveBatchDocument(CTarnDoc& doc, const std::string& path, Messages& messages);
