#pragma once

/// Reads a dialog's number field: an arithmetic expression without variables
/// ("2*pi", "1/3", "10^-3") or, when the text does not parse as an equation, a
/// plain decimal number with optional exponent ("1e-3", "-2.5E+4"). Returns 1
/// and stores the number in `value`, or 0 for a refused text (null, empty,
/// variables, a failing or non-finite evaluation, a malformed number); after
/// 0 `value` may have been overwritten. Never throws; independent of the
/// process locale.
int EvalField(const char* text, float& value);
