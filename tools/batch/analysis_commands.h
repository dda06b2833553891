#pragma once

#include <string>
#include <vector>

// The analysis commands of corvid-batch. Each builds the page from the
// program's command line (FORMAT-FLAG FILE ...), chooses the current graph's
// sets (all of them, or those of --sets; only active sets count, as in the
// dialogs' lists) and prints exactly what the dialog shows. `args` are the
// arguments after the command name. Each returns the exit code: 0 when
// everything worked, 1 when a step failed (a message was shown), 2 for a
// usage error.

/// stats: the "Plot Statistics Results" text.
int RunStatsCommand(const std::vector<std::string>& args);

/// integrate: the "Integration results" text; --from A --to B for user limits.
int RunIntegrateCommand(const std::vector<std::string>& args);

/// histogram: (--width W | --bins N) --start S --end E [--normalize]
/// [--no-align]; prints the new sets as export text, or renders the page
/// with them (-o IMAGE).
int RunHistogramCommand(const std::vector<std::string>& args);

/// diff: the three-point derivative, centred or [--left|--right]; output as
/// for histogram.
int RunDiffCommand(const std::vector<std::string>& args);
