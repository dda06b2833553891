#pragma once

#include <string>
#include <vector>

// The function-plot and curve-fit commands of corvid-batch. `args` are the
// arguments after the command name; `argv` is the program's, for the Qt
// application that only a page image needs. Each returns the
// exit code: 0 when everything worked, 1 when a step failed (a message was
// shown), 2 for a usage error.

/// function (--fx F | --xt X --yt Y | --rt R) [--min A] [--max B]
/// [--points N] [page arguments]: the equation editor's OK; prints the new
/// set as export text, or renders the page with it (-o IMAGE).
int RunFunctionCommand(const std::vector<std::string>& args, char** argv);

/// fit FORMAT-FLAG FILE --model F NAME=INIT[:MIN:MAX] ... [--set N]
/// [--max-iter N] [--tol T] [--no-weight] [--no-simplify] [--save-curve]:
/// the curve fit dialog's stages and "Fit"; prints the "Curve Fit Results"
/// text, with --save-curve then the fitted curve as export text (or the
/// page with it, -o IMAGE).
int RunFitCommand(const std::vector<std::string>& args, char** argv);
