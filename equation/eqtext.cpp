#include "equation/eqtext.h"

#include "equation/eqbinaryelem.h"
#include "equation/equation.h"
#include "equation/equnaryelem.h"
#include "equation/eqvalueelem.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace {

// Function names by kind, from sqrt (10) to abs (26).
constexpr const char* kFunctionNames[] = {
    "sqrt", "cos",  "sin",  "tan",  "acos", "asin", "atan", "sec", "csc",
    "cot",  "cosh", "sinh", "tanh", "exp",  "log",  "log10", "abs",
};

// Binding strength of the binary operators; signs and groups sit apart.
int Precedence(int op)
{
    switch (op) {
    case EqPlus:
    case EqMinus: return 1;
    case EqDivide:
    case EqMultiply: return 3;
    default: return 4;
    }
}

bool IsSign(const EqElem* element)
{
    const EqUnaryElem* unary = AsUnary(element);
    return unary && (unary->m_op == EqUnaryMinus || unary->m_op == EqUnaryPlus);
}

// True when `operand` of the binary operator `op` must be bracketed: a sign
// (a minus would take a following "*", "/" or "^" chain into itself, and the
// grammar gives signs no place between operands otherwise), or a looser
// operator, or on the right an equally strong one (the grammar is left
// associative).
bool NeedsBrackets(int op, const EqElem* operand, bool right)
{
    if (IsSign(operand))
        return true;
    const EqBinaryElem* binary = AsBinary(operand);
    if (!binary)
        return false;
    return right ? Precedence(binary->m_op) <= Precedence(op)
                 : Precedence(binary->m_op) < Precedence(op);
}

// The magnitude of a finite number in positional decimal, shortest exact form.
void WriteMagnitude(double magnitude, std::string& out)
{
    // The longest forms are about 330 characters (the smallest subnormal).
    char buffer[512];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed);
    out.append(buffer, result.ptr);
}

} // namespace

bool EquationText(const Equation& equation, std::string& text)
{
    const EqElem* root = equation.Root();
    if (!root)
        return false;
    std::vector<const std::string*> names;
    const List<EqToken>& variables = equation.Vars();
    names.reserve(std::size_t(variables.Count()));
    for (int i = 0; i < variables.Count(); ++i)
        names.push_back(&variables.Get(i).m_text);

    // A work list of elements still to write and pieces of text between
    // them, taken from the back: each element pushes its parts in reverse.
    struct Item {
        const EqElem* element;
        const char* piece;
    };
    std::vector<Item> pending{{root, nullptr}};
    auto piece = [&pending](const char* chars) { pending.push_back({nullptr, chars}); };
    auto operand = [&pending, &piece](const EqElem* element, bool bracketed) {
        if (bracketed)
            piece(")");
        pending.push_back({element, nullptr});
        if (bracketed)
            piece("(");
    };

    // A text whose brackets nest deeper than the parser accepts could not be
    // read back, however legal its tree.
    int depth = 0;
    std::string out;
    while (!pending.empty()) {
        const Item item = pending.back();
        pending.pop_back();
        if (item.piece) {
            if (*item.piece == '(' && ++depth > kEqMaxDepth)
                return false;
            if (*item.piece == ')')
                --depth;
            out += item.piece;
            continue;
        }
        const EqElem* element = item.element;
        if (const EqValueElem* value = AsValue(element)) {
            if (!value->m_isConst) {
                if (value->m_varIndex < 0 || std::size_t(value->m_varIndex) >= names.size())
                    return false;
                out += *names[std::size_t(value->m_varIndex)];
                continue;
            }
            if (!std::isfinite(value->m_value))
                return false;
            // No signed numbers in the language: a negative one is a bracketed
            // minus, which negates exactly (-0 included).
            if (std::signbit(value->m_value)) {
                if (depth + 1 > kEqMaxDepth)
                    return false;
                out += "(-";
                WriteMagnitude(-value->m_value, out);
                out += ')';
            } else {
                WriteMagnitude(value->m_value, out);
            }
            continue;
        }
        if (const EqUnaryElem* unary = AsUnary(element)) {
            const EqElem* child = unary->C;
            if (!child)
                return false;
            switch (unary->m_op) {
            case EqGroup:
                operand(child, true);
                break;
            case EqUnaryMinus:
                // "-a*b" is -(a*b) already; only a sum needs brackets.
                operand(child, AsBinary(child) && Precedence(AsBinary(child)->m_op) == 1);
                out += '-';
                break;
            case EqUnaryPlus:
                // A plus binds no chain: "+a*b" is (+a)*b.
                operand(child, AsBinary(child) != nullptr);
                out += '+';
                break;
            default:
                if (!IsFunctionKind(unary->m_op))
                    return false;
                // A function's argument is a group after parsing; other trees
                // get the bracket the function needs.
                operand(child, !(AsUnary(child) && AsUnary(child)->m_op == EqGroup));
                out += kFunctionNames[unary->m_op - EqSqrt];
                break;
            }
            continue;
        }
        const EqBinaryElem* binary = AsBinary(element);
        if (!binary || !binary->L || !binary->R || !IsBinaryKind(binary->m_op))
            return false;
        static const char* const operators[] = {"+", "-", "/", "*", "^"};
        operand(binary->R, NeedsBrackets(binary->m_op, binary->R, true));
        piece(operators[binary->m_op]);
        operand(binary->L, NeedsBrackets(binary->m_op, binary->L, false));
    }
    text = std::move(out);
    return true;
}
