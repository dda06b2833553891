#pragma once

#include "io/import_option_list.h"
#include "model/list.h"

#include <string>

class CTarnDoc;
class Graph;
class IOBuffer;
class Messages;

/// Data formats of the importers.
enum ImportFormat : int {
    kImportXY = 0,     // x y (or y alone)
    kImportNXY = 1,    // x y1 ... yn
    kImportXYDX = 2,   // x y dx
    kImportXYDY = 3,   // x y dy
    kImportXYDXDY = 4, // x y dx dy
    kImportWav = 5,    // audio
};

/// Names of the formats in the Import and Paste Data dialogs.
extern const char* const kImportFormatNames[6];

/// Status codes of the readers, beside 0 (block done, more follows) and -1 (end).
enum ImportStatus : int {
    kCannotOpen = 1,
    kNoData = 2,
    kIOError = 3,
    kLineTooLong = 4,
    kMissingColumns = 5,
    kNotFloat = 6,
    kNoMemory = 7,
};

/// Reads one block of lines (up to a line of only blanks or the end) from
/// `source` into new sets at the end of `graph`'s list, applying the "#@"
/// options collected so far. `importedSets` counts the sets already made from
/// this source and grows by this block's sets. Returns 0 when a blank line
/// ended the block, -1 at the end of input, or a status code (sets made before
/// the failure stay, except after a column-count mismatch, which removes the
/// block's sets).
int ReadBlock(Graph& graph, IOBuffer& source, int& importedSets, ImportOptionList& options,
              const std::string& setName, int format, Messages& messages);

/// Reads the file `fileName` in `format` into new sets of `graph`. Returns the
/// last block's result: -1 on success or a status code. Format 5 goes to the
/// WAV reader (io/wav_reader.h), whose result 8 is shown here with the reason.
int ReadFile(Graph& graph, const std::string& fileName, int format, Messages& messages);

/// Reads text in memory (the clipboard) like `ReadFile`; its sets get an empty name.
int ReadText(Graph& graph, const char* text, int format, Messages& messages);

/// The message for a status code, for a file named `name` or for the clipboard.
std::string ImportMessage(int status, const std::string& name, bool clipboard);

/// Switches off log axes that the graph's sets cannot show, saying so for
/// `sourceName`; returns whether anything was switched. Only the sets from
/// index `first` on are looked at (the earlier ones are known to fit).
bool FallBackToLinear(Graph& graph, const std::string& sourceName, Messages& messages, int first = 0);
