#pragma once

/// A process-wide list of the temporary files still being written, so that a
/// program stopped by a signal can remove them. The list is a fixed array of
/// path buffers: the signal handler neither allocates nor locks.

/// Adds `path`; returns its slot, or -1 when the list is full or the path too
/// long (the file is then only removed the ordinary way).
int RegisterTemporaryFile(const char* path);

/// Drops the slot `slot` (-1 is ignored), once the file is gone or renamed.
void ForgetTemporaryFile(int slot);

/// Removes every file still listed. Async-signal-safe.
void RemoveTemporaryFiles();

/// Installs handlers for SIGINT and SIGTERM that remove the listed files and
/// then stop the program with the signal's default action, so the exit
/// status still tells the signal.
void InstallTemporaryFileCleanup();
