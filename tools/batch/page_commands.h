#pragma once

#include <string>
#include <vector>

class CTarnDoc;
class Messages;
struct OptionSpec;
struct BatchArguments;

/// Raised by `BuildPage` when the page asked for cannot be built: the command
/// then ends with exit status 1 and writes nothing (no image, no document, no
/// text), so files of the names it was given stay as they were.
struct PageNotBuilt {};

/// Builds the page from the program's command line (`pageArgs`) as `corvid`
/// would. Raises `PageNotBuilt` (after the reason was shown) when the
/// document cannot be opened or a data file cannot be imported; a stream
/// named by -pipe is then not read. Returns false when a later step failed:
/// a command-line error or a stream that broke off. What could be built is
/// then still there.
bool BuildPage(CTarnDoc& doc, const std::vector<std::string>& pageArgs, Messages& messages);

/// Splits `args` with the command's `options`. Returns false, with `exitCode`
/// set, when the command is done: help was asked for (usage on standard
/// output, 0) or the arguments are malformed (usage on standard error, 2).
bool SplitOrExplain(const char* command, const std::vector<std::string>& args,
                    const std::vector<OptionSpec>& options, BatchArguments& split, int& exitCode);

// The corvid-batch commands that build a page from the program's command line
// (DOCUMENT, format flags with data files, log flags, -pipe N). `args` are the
// arguments after the command name. Each returns the exit code: 0 when
// everything asked for worked, 1 when a step failed (what could be made is
// still made; a page that cannot be built raises `PageNotBuilt`), 2 for a
// usage error (after printing the usage text).

/// render: writes the page as an image (-o) or a document (--save).
int RunRenderCommand(const std::vector<std::string>& args);

/// info: prints the page as JSON; --points adds every set's values.
int RunInfoCommand(const std::vector<std::string>& args);

/// export: writes the Export Data text of the current graph's sets (all, or
/// those of --sets) to -o OUT, or to standard output without -o.
int RunExportCommand(const std::vector<std::string>& args);
