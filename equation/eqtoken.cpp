#include "equation/eqtoken.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace {

struct FunctionName {
    const char* name;
    EqKind kind;
};

// Every name here is 2 to 5 characters long; "ln" and "log" are the same function.
constexpr FunctionName kFunctionNames[] = {
    {"sqrt", EqSqrt}, {"cos", EqCos},   {"sin", EqSin},     {"tan", EqTan},   {"acos", EqAcos},
    {"asin", EqAsin}, {"atan", EqAtan}, {"sec", EqSec},     {"csc", EqCsc},   {"cot", EqCot},
    {"cosh", EqCosh}, {"sinh", EqSinh}, {"tanh", EqTanh},   {"exp", EqExp},   {"log", EqLog},
    {"ln", EqLog},    {"log10", EqLog10}, {"abs", EqAbs},
};

// The value "pi" stands for: the double nearest to the eleven-place decimal.
constexpr double kPi = 3.14159265359;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

locale_t ClassicLocale()
{
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return classic;
}

bool IsNumberText(const char* chars, int length)
{
    if (length == 2 && chars[0] == 'p' && chars[1] == 'i')
        return true;
    int dots = 0;
    for (int i = 0; i < length; ++i) {
        if (chars[i] == '.')
            ++dots;
        else if (!IsDigit(chars[i]))
            return false;
    }
    return dots <= 1;
}

bool IsSymbolText(const char* chars, int length)
{
    if (!IsLetter(chars[0]))
        return false;
    for (int i = 1; i < length; ++i) {
        if (!IsLetter(chars[i]) && !IsDigit(chars[i]))
            return false;
    }
    return true;
}

} // namespace

double EqReadDecimal(const char* text, const char** end)
{
    char* stop = nullptr;
    double value = strtod_l(text, &stop, ClassicLocale());
    if (end)
        *end = stop;
    return value;
}

const char* EqToken::Set(const char* chars, int length)
{
    if (!chars || length <= 0)
        return "Zero length string in EqToken::Set";

    std::string text(chars, std::size_t(length));
    if (length == 1) {
        const char c = chars[0];
        EqKind kind;
        double value = 0.0;
        if (IsLetter(c)) {
            kind = EqSymbol;
        } else if (IsDigit(c) || c == '.') {
            kind = EqNumber;
            value = c == '.' ? 0.0 : double(c - '0');
        } else {
            switch (c) {
            case '(': case '[': case '{': kind = EqOpen; break;
            case ')': case ']': case '}': kind = EqClose; break;
            case '*': kind = EqMultiply; break;
            case '+': kind = EqPlus; break;
            case '-': kind = EqMinus; break;
            case '/': kind = EqDivide; break;
            case '^': kind = EqPower; break;
            default: return "Invalid character";
            }
        }
        m_kind = kind;
        m_text = std::move(text);
        m_value = value;
        return nullptr;
    }

    if (length <= 5) {
        for (const FunctionName& function : kFunctionNames) {
            if (std::strlen(function.name) == std::size_t(length) &&
                std::memcmp(function.name, chars, std::size_t(length)) == 0) {
                m_kind = function.kind;
                m_text = std::move(text);
                m_value = 0.0;
                return nullptr;
            }
        }
    }
    if (IsNumberText(chars, length)) {
        m_kind = EqNumber;
        // A lone "." reads nothing and so stands for 0.
        m_value = text == "pi" ? kPi : EqReadDecimal(text.c_str());
        m_text = std::move(text);
        return nullptr;
    }
    if (IsSymbolText(chars, length)) {
        m_kind = EqSymbol;
        m_text = std::move(text);
        m_value = 0.0;
        return nullptr;
    }
    return "Unknown symbol";
}
