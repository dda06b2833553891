#pragma once

#include <string>
#include <vector>

// The corvid-batch commands that build a page from the program's command line
// (DOCUMENT, format flags with data files, log flags, -pipe N). `args` are the
// arguments after the command name. Each returns the exit code: 0 when
// everything asked for worked, 1 when a step failed (what could be made is
// still made), 2 for a usage error (after printing the usage text).

/// render: writes the page as an image (-o) or a document (--save).
int RunRenderCommand(const std::vector<std::string>& args);

/// info: prints the page as JSON; --points adds every set's values.
int RunInfoCommand(const std::vector<std::string>& args);

/// export: writes the Export Data text of the current graph's sets (all, or
/// those of --sets) to -o OUT, or to standard output without -o.
int RunExportCommand(const std::vector<std::string>& args);
