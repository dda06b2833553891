#pragma once

#include <string>
#include <vector>

class CTarnDoc;
class Messages;
class TarnCommandLineInfo;

/// Parses the program's arguments (without the program name). A command-line
/// error is shown through `messages` and parsing stops there; what was parsed
/// before it is kept and returned. `parsed`, when given, tells whether the
/// whole command line was read without an error.
TarnCommandLineInfo ParseStartupCommandLine(const std::vector<std::string>& args,
                                            Messages& messages, bool* parsed = nullptr);

/// Imports every file of the command line, in order, into the current graph
/// with the format of the first format flag; a failed file does not stop the
/// following ones. Then applies the log flags to the current graph, so their
/// checks see the imported data. Returns whether every file was imported.
bool RunStartupImports(CTarnDoc& doc, const TarnCommandLineInfo& info, Messages& messages);
