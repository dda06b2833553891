#pragma once

#include <string>
#include <vector>

class CTarnDoc;
class Messages;

/// Reads the link stream that the page arguments named with -pipe N (the
/// document's `m_pipeNumber`) to its end, in this thread, with the same
/// steps and messages as `corvid`; end messages 26 to 28 save or export at
/// once. Returns false when a step failed; true also when there is no pipe.
bool ReadBatchPipe(CTarnDoc& doc, Messages& messages);

/// Whether the page arguments ask for a pipe.
bool NamesPipe(const std::vector<std::string>& pageArgs);
