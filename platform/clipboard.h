#pragma once

#include <string>

/// Whether the clipboard offers text that Paste Data can read.
bool ClipboardHasText();

/// The clipboard's text (UTF-8), or an empty string.
std::string ClipboardText();

/// Puts `text` on the clipboard as plain text; false when there is no clipboard.
bool SetClipboardText(const std::string& text);
