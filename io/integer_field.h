#pragma once

#include <string>

/// Reads integer text as the dialogs' integer fields do: blanks around an
/// optional sign and digits, nothing else. The magnitude is held at 2^40, so
/// a long run of digits reads as a value beyond any range a field allows.
/// False when the text is not such an integer.
bool ReadIntegerText(const std::string& text, long long& value);

/// Reads an integer field: false, with "Please enter an integer." in
/// `message`, for anything but an integer or a value outside the int range.
bool ReadIntegerField(const std::string& text, int& value, std::string& message);
