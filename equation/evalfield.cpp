#include "equation/evalfield.h"

#include "equation/eqtoken.h"
#include "equation/equation.h"

#include <cmath>
#include <cstring>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The reading for a text that is no equation: digits, one ".", one exponent
// letter and at most one sign of each kind on either side of that letter.
int ReadPlainNumber(const char* text, float& value)
{
    const char* first = text;
    const char* last = text + std::strlen(text);
    while (first < last && IsBlank(*first))
        ++first;
    while (last > first && IsBlank(last[-1]))
        --last;
    if (first == last)
        return 0;

    int dots = 0;
    int exponents = 0;
    int minus = 0;
    int plus = 0;
    for (const char* c = first; c < last; ++c) {
        if (*c >= '0' && *c <= '9')
            continue;
        if (*c == '.') {
            if (++dots > 1)
                return 0;
        } else if (*c == 'e' || *c == 'E') {
            if (++exponents > 1)
                return 0;
            minus = 0;
            plus = 0;
        } else if (*c == '-') {
            if (++minus > 1)
                return 0;
        } else if (*c == '+') {
            if (++plus > 1)
                return 0;
        } else {
            return 0;
        }
    }

    const std::string number(first, last);
    const char* end = nullptr;
    const double read = EqReadDecimal(number.c_str(), &end);
    // A text with no number at its start ("-", "e", "+.") reads nothing: refused.
    if (end == number.c_str())
        return 0;
    value = float(read);
    // Refused beyond the float range too, as an expression would be.
    return std::isfinite(value) ? 1 : 0;
}

} // namespace

int EvalField(const char* text, float& value)
{
    if (!text)
        return 0;
    try {
        Equation equation;
        if (!equation.Parse(text))
            return ReadPlainNumber(text, value);
        // "No variables allowed in evaluation limits".
        if (equation.NumVars() > 0)
            return 0;
        value = float(equation.Eval());
        // "Can't represent number as float".
        if (!std::isfinite(value))
            return 0;
        if (equation.m_message)
            return 0;
        return 1;
    } catch (...) {
        return 0;
    }
}
