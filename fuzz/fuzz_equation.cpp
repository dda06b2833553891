// Any bytes as equation text: parse, evaluate, simplify, differentiate (raw
// and simplified trees, first and second derivatives), write as text, and
// read the text as a number field. Nothing may crash, hang or leak, and three
// oracles abort on a wrong answer:
//  a. a simplified tree evaluates like the original, within the error that
//     rounding and the 1e-14 number tolerance allow, wherever the original
//     evaluates cleanly and stably;
//  b. a derivative agrees with a central difference where the function is
//     smooth and the difference quotient is stable;
//  c. the text of a tree parses to a tree that evaluates bit for bit alike
//     and writes the same text again.
#include "equation/eqbinaryelem.h"
#include "equation/eqtext.h"
#include "equation/equation.h"
#include "equation/equnaryelem.h"
#include "equation/eqvalueelem.h"
#include "equation/evalfield.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kMaxWorkNodes = 3000;          // larger trees are not simplified
constexpr std::uint64_t kMaxDerivNodes = 20000;

[[noreturn]] void Wrong(const char* what)
{
    std::fprintf(stderr, "wrong answer: %s\n", what);
    std::abort();
}

void EvaluateEverywhere(Equation& equation)
{
    // No name is empty, so this leaves no independent variable and Eval() may run.
    equation.DefineIndepVar("");
    for (int i = 0; i < equation.NumVars(); ++i)
        equation.SetVar(i, 0.5f + float(i));
    equation.Eval();
    equation.ClearMessage();
    if (equation.NumVars() > 0 && equation.DefineIndepVar(equation.GetVarName(0))) {
        for (float x : {-2.0f, 0.0f, 1.0f, 3.5f}) {
            equation.Eval(x);
            equation.ClearMessage();
        }
    }
}

// A value with a first-order bound on its distance from the exact value of
// the tree (numbers count as uncertain by the 1e-14 that equality allows).
struct Bounded {
    double value;
    double error;
};

constexpr double kUnit = 1.2e-16;  // a little over half an ulp, relative

// Evaluates `root` with error bounds; false when anything fails, is not
// finite, or the bound says the value is not stable (then no comparison is fair).
bool EvalBounded(const EqElem* root, const std::vector<double>& values, Bounded& out)
{
    struct Frame {
        const EqElem* element;
        bool expanded;
    };
    std::vector<Frame> pending{{root, false}};
    std::vector<Bounded> done;
    while (!pending.empty()) {
        Frame& frame = pending.back();
        const EqElem* element = frame.element;
        if (const EqValueElem* value = AsValue(element)) {
            if (value->m_isConst) {
                done.push_back({value->m_value, 1e-14 + kUnit * std::fabs(value->m_value)});
            } else {
                if (value->m_varIndex < 0 || std::size_t(value->m_varIndex) >= values.size())
                    return false;
                done.push_back({values[std::size_t(value->m_varIndex)], 0});
            }
            pending.pop_back();
            continue;
        }
        const EqElem* children[2];
        const int count = EqElem::Children(element, children);
        if (!frame.expanded) {
            frame.expanded = true;
            for (int i = count - 1; i >= 0; --i)
                pending.push_back({children[i], false});
            if (count != (AsUnary(element) ? 1 : 2))
                return false;  // a broken element
            continue;
        }
        pending.pop_back();
        Bounded result;
        const char* message = nullptr;
        if (const EqUnaryElem* unary = AsUnary(element)) {
            const Bounded a = done.back();
            done.pop_back();
            result.value = EqUnaryElem::Apply(unary->m_op, a.value, message);
            if (message)
                return false;
            // The slope from a symmetric difference over the error interval
            // (or a tiny one), which also sees poles and domain edges.
            const double step = std::max(a.error, 1e-300 + 1e-12 * std::fabs(a.value));
            const char* low = nullptr;
            const char* high = nullptr;
            const double below = EqUnaryElem::Apply(unary->m_op, a.value - step, low);
            const double above = EqUnaryElem::Apply(unary->m_op, a.value + step, high);
            if (low || high || !std::isfinite(below) || !std::isfinite(above))
                return false;
            const double spread = std::max(std::fabs(above - result.value),
                                           std::fabs(below - result.value));
            result.error = (a.error > 0 ? spread : 0) + 4 * kUnit * std::fabs(result.value);
        } else {
            const EqBinaryElem* binary = AsBinary(element);
            const Bounded b = done.back();
            done.pop_back();
            const Bounded a = done.back();
            done.pop_back();
            result.value = EqBinaryElem::Apply(binary->m_op, a.value, b.value, message);
            if (message)
                return false;
            const double v = std::fabs(result.value);
            switch (binary->m_op) {
            case EqPlus:
            case EqMinus: result.error = a.error + b.error + kUnit * v; break;
            case EqMultiply:
                result.error = std::fabs(a.value) * b.error + std::fabs(b.value) * a.error +
                               a.error * b.error + kUnit * v;
                break;
            case EqDivide:
                if (std::fabs(b.value) <= 2 * b.error)
                    return false;
                result.error = (a.error + v * b.error) / (std::fabs(b.value) - b.error) + kUnit * v;
                break;
            default: {
                // Power: the corners of the error box bound the spread.
                if (a.value == 0 && b.value == 0)
                    return false;  // 0^0 is 1, but 0^a simplifies to 0
                double spread = 0;
                for (double da : {-a.error, a.error}) {
                    for (double db : {-b.error, b.error}) {
                        const char* corner = nullptr;
                        const double at =
                            EqBinaryElem::Apply(EqPower, a.value + da, b.value + db, corner);
                        if (corner || !std::isfinite(at))
                            return false;
                        spread = std::max(spread, std::fabs(at - result.value));
                    }
                }
                result.error = spread + 4 * kUnit * v;
                break;
            }
            }
        }
        if (!std::isfinite(result.value) || !std::isfinite(result.error))
            return false;
        // Past this the first-order bound means little.
        if (result.error > 1e-3 * std::fabs(result.value) + 1e-6)
            return false;
        done.push_back(result);
    }
    out = done.back();
    return true;
}

// Values for every variable of `equation`, by name, so that two equations
// with the same names in another order get the same values.
std::vector<double> ValuesFor(Equation& equation, double base)
{
    std::vector<double> values;
    for (int i = 0; i < equation.NumVars(); ++i) {
        const char* name = equation.GetVarName(i);
        unsigned hash = 0;
        for (const char* c = name; *c; ++c)
            hash = hash * 31 + unsigned(*c);
        values.push_back(base + 0.37 * double(hash % 7) - 0.9);
    }
    return values;
}

// Oracle a.
void CheckSimplified(Equation& original, Equation& simplified)
{
    if (!original.Root() || !simplified.Root() || simplified.m_message)
        return;
    for (double base : {0.3, 1.1, 2.6}) {
        const std::vector<double> values = ValuesFor(original, base);
        Bounded a;
        Bounded b;
        if (!EvalBounded(original.Root(), values, a) || !EvalBounded(simplified.Root(), values, b))
            continue;
        const double allowed = 1e3 * (a.error + b.error) +
                               1e-9 * std::max(std::fabs(a.value), std::fabs(b.value)) + 1e-300;
        if (std::fabs(a.value - b.value) > allowed)
            Wrong("simplified tree changes the value");
    }
}

// Oracle b: derivative by variable `variable` against a central difference.
void CheckDerivative(Equation& function, Equation& derivative, int variable)
{
    if (!function.Root() || !derivative.Root())
        return;
    for (double base : {0.3, 1.1, 2.6}) {
        std::vector<double> values = ValuesFor(function, base);
        const double x = values[std::size_t(variable)];
        const double h = 1e-4 * std::max(1.0, std::fabs(x));
        double f[5];
        bool clean = true;
        for (int k = -2; k <= 2 && clean; ++k) {
            values[std::size_t(variable)] = x + k * h;
            try {
                f[k + 2] = function.Root()->Eval(values.data());
                clean = std::isfinite(f[k + 2]) && std::fabs(f[k + 2]) < 1e100;
            } catch (const char*) {
                clean = false;
            }
        }
        if (!clean)
            continue;
        values[std::size_t(variable)] = x;
        double exact;
        try {
            exact = derivative.Root()->Eval(values.data());
        } catch (const char*) {
            continue;  // the rules may fail where the function does not (log(u) * d(v))
        }
        if (!std::isfinite(exact) || std::fabs(exact) > 1e100)
            continue;
        const double near = (f[3] - f[1]) / (2 * h);
        const double far = (f[4] - f[0]) / (4 * h);
        const double noise = 1e-9 * (std::fabs(f[0]) + std::fabs(f[2]) + std::fabs(f[4])) / h;
        // Unstable quotients (kinks, poles, rounding) disagree with each other.
        if (std::fabs(near - far) > 1e-2 * (std::fabs(near) + std::fabs(far)) + noise)
            continue;
        if (std::fabs(exact - near) > 0.05 * (std::fabs(near) + std::fabs(exact)) + 10 * noise + 1e-6)
            Wrong("derivative disagrees with the central difference");
    }
}

// The compiled value at `base` (by variable name), or the message; bits exact.
std::string Outcome(Equation& equation, double base)
{
    const std::vector<double> values = ValuesFor(equation, base);
    for (int i = 0; i < equation.NumVars(); ++i)
        equation.SetVar(i, float(values[std::size_t(i)]));
    equation.DefineIndepVar("");
    const double value = double(equation.Eval());
    if (equation.m_message) {
        std::string message = equation.m_message;
        equation.ClearMessage();
        return message;
    }
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return std::to_string(bits);
}

// Oracle c.
void CheckText(Equation& equation)
{
    std::string text;
    if (!EquationText(equation, text))
        return;
    Equation parsed(text.c_str());
    if (parsed.m_message)
        Wrong("written text does not parse");
    std::string again;
    if (!EquationText(parsed, again) || again != text)
        Wrong("text of the parsed text differs");
    for (double base : {0.3, 1.1, 2.6}) {
        if (Outcome(parsed, base) != Outcome(equation, base))
            Wrong("parsed text evaluates differently");
    }
}

// Derivatives by the first few variables, checked, then their own derivatives.
void Differentiate(Equation& function, int depth)
{
    for (int i = 0; i < function.NumVars() && i < 2; ++i) {
        if (function.Root()->DerivSize(kMaxDerivNodes) > kMaxDerivNodes)
            return;
        Equation derivative = function.Deriv(i);
        if (derivative.m_message)
            continue;
        CheckDerivative(function, derivative, i);
        CheckText(derivative);
        Equation copy(derivative);
        EvaluateEverywhere(copy);
        if (EqElem::Count(derivative.Root()) <= kMaxWorkNodes) {
            Equation simplified(derivative);
            simplified.Simplify();
            CheckSimplified(derivative, simplified);
            if (!simplified.m_message)
                EvaluateEverywhere(simplified);
        }
        if (depth > 1)
            Differentiate(derivative, depth - 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);

    float field = 0.0f;
    EvalField(text.c_str(), field);

    Equation equation(text.c_str());
    if (equation.m_message)
        return 0;
    Equation copy(equation);
    EvaluateEverywhere(copy);
    CheckText(equation);

    // Raw trees: first and second derivatives.
    Differentiate(equation, 2);

    if (EqElem::Count(equation.Root()) > kMaxWorkNodes)
        return 0;
    Equation simplified(equation);
    simplified.Simplify();
    CheckSimplified(equation, simplified);
    if (simplified.m_message)
        return 0;
    CheckText(simplified);
    EvaluateEverywhere(simplified);
    Differentiate(simplified, 2);
    return 0;
}
