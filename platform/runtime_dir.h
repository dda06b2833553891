#pragma once

/// Gives the process a private runtime directory when the session has none
/// (XDG_RUNTIME_DIR unset, as in scripts and CI), so Qt neither warns nor
/// falls back to a shared location.
void EnsureRuntimeDirectory();
