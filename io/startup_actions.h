#pragma once

#include <string>
#include <vector>

class CTarnDoc;
class Messages;
class TarnCommandLineInfo;

/// Parses the program's arguments (without the program name). A command-line
/// error is shown through `messages` and parsing stops there; what was parsed
/// before it is kept and returned.
TarnCommandLineInfo ParseStartupCommandLine(const std::vector<std::string>& args,
                                            Messages& messages);

/// Imports every file of the command line, in order, into the current graph
/// with the format of the first format flag; a failed file does not stop the
/// following ones. Then applies the log flags to the current graph, so their
/// checks see the imported data.
void RunStartupImports(CTarnDoc& doc, const TarnCommandLineInfo& info, Messages& messages);

/// Imports one data file into the current graph in `format` (0 x y, 1 x y1..yn,
/// 2 x y dx, 3 x y dy, 4 x y dx dy, 5 WAV). Returns false after reporting a failure.
bool ImportFile(CTarnDoc& doc, const std::string& fileName, int format, Messages& messages);
