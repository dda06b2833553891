// Any bytes as equation text: parse, evaluate, simplify, differentiate with
// respect to each variable, simplify and evaluate the derivatives, and read the
// text as a number field. Nothing may crash, hang or leak.
#include "equation/equation.h"
#include "equation/evalfield.h"

#include <cstddef>
#include <cstdint>
#include <string>

static void EvaluateEverywhere(Equation& equation)
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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    float field = 0.0f;
    EvalField(text.c_str(), field);

    Equation equation(text.c_str());
    if (equation.m_message)
        return 0;
    Equation copy(equation);
    EvaluateEverywhere(copy);

    equation.Simplify();
    if (equation.m_message)
        return 0;
    EvaluateEverywhere(equation);

    for (int i = 0; i <= equation.NumVars() && i < 3; ++i) {
        Equation derivative = equation.Deriv(i);
        derivative.Simplify();
        if (derivative.m_message)
            continue;
        EvaluateEverywhere(derivative);
    }
    return 0;
}
