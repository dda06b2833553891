#pragma once

#include <string>

/// The usage text of corvid-batch, listing every command with its arguments
/// in the order the parsers accept them.
const char* BatchUsage();

/// Prints "corvid-batch COMMAND: REASON" and the usage text to standard error,
/// sets `exitCode` to 2 (a usage error) and returns false.
bool UsageError(const char* command, const std::string& reason, int& exitCode);
