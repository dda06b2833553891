#pragma once

#include <string>

/// Kinds of tokens and tree elements. The numeric values matter: the engine
/// classifies kinds by ranges (binary 0..4, unary 5..26 including the two
/// bracket kinds, function 10..26, value 27..28).
enum EqKind : int {
    EqPlus = 0,
    EqMinus = 1,
    EqDivide = 2,
    EqMultiply = 3,
    EqPower = 4,
    EqUnaryMinus = 5,
    EqUnaryPlus = 6,
    EqGroup = 7,
    EqOpen = 8,
    EqClose = 9,
    EqSqrt = 10,
    EqCos = 11,
    EqSin = 12,
    EqTan = 13,
    EqAcos = 14,
    EqAsin = 15,
    EqAtan = 16,
    EqSec = 17,
    EqCsc = 18,
    EqCot = 19,
    EqCosh = 20,
    EqSinh = 21,
    EqTanh = 22,
    EqExp = 23,
    EqLog = 24,
    EqLog10 = 25,
    EqAbs = 26,
    EqNumber = 27,
    EqSymbol = 28,
};

inline bool IsBinaryKind(int kind) { return kind >= EqPlus && kind <= EqPower; }
inline bool IsUnaryKind(int kind) { return kind >= EqUnaryMinus && kind <= EqAbs; }
inline bool IsFunctionKind(int kind) { return kind >= EqSqrt && kind <= EqAbs; }
inline bool IsValueKind(int kind) { return kind == EqNumber || kind == EqSymbol; }

/// Reads a decimal number the way the C library does in the "C" locale,
/// whatever the process locale is: the longest valid prefix of `text` is
/// converted; `*end` (when given) receives the first character not read.
double EqReadDecimal(const char* text, const char** end = nullptr);

/// One piece of equation text: its kind, its characters and, for numbers, its value.
class EqToken {
public:
    /// Classifies `length` characters at `chars` and stores kind, text and value.
    /// Returns null on success, or the message ("Zero length string in EqToken::Set",
    /// "Invalid character", "Unknown symbol"); on failure the token is unchanged.
    const char* Set(const char* chars, int length);

    EqKind m_kind = EqNumber;
    std::string m_text;
    double m_value = 0.0;
};
