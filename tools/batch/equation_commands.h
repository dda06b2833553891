#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The equation subcommands of corvid-batch. `args` are the arguments after the
// subcommand name; results go to `out`, messages and usage to `err`. Each
// returns the exit code: 0 done, 1 the engine refused (message printed),
// 2 a usage error.

/// eval EXPR [--simplify] [NAME=VALUE ...]: parses (and simplifies when asked),
/// sets the named variables and prints the value with "%.17g".
int RunEvalCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

/// field TEXT: the number-field reading printed with "%.9g", or "refused".
int RunFieldCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

/// deriv EXPR VAR [--simplify] [NAME=VALUE ...]: the derivative with respect
/// to VAR (simplified when asked), evaluated like eval.
int RunDerivCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);
