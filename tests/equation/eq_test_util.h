#pragma once

#include "equation/eqbinaryelem.h"
#include "equation/equation.h"
#include "equation/equnaryelem.h"
#include "equation/eqvalueelem.h"

#include <cstdio>
#include <string>

// Renders a tree in prefix form: "+(a,*(b,c))", "neg(^(x,2))", "sin((x))" with
// "(...)" for a group, variable names from the equation, numbers with %.12g.
inline std::string Shape(const EqElem* element, Equation& equation)
{
    if (!element)
        return "null";
    if (const EqValueElem* value = AsValue(element)) {
        if (!value->m_isConst) {
            const char* name = equation.GetVarName(value->m_varIndex);
            return name ? name : "?";
        }
        char text[32];
        std::snprintf(text, sizeof text, "%.12g", value->m_value);
        return text;
    }
    if (const EqUnaryElem* unary = AsUnary(element)) {
        static const char* const names[] = {"neg",  "pos",   "",     "open", "close", "sqrt",
                                            "cos",  "sin",   "tan",  "acos", "asin",  "atan",
                                            "sec",  "csc",   "cot",  "cosh", "sinh",  "tanh",
                                            "exp",  "log",   "log10", "abs"};
        const std::string child = Shape(unary->C, equation);
        if (unary->m_op == EqGroup)
            return "(" + child + ")";
        return std::string(names[unary->m_op - EqUnaryMinus]) + "(" + child + ")";
    }
    const EqBinaryElem* binary = AsBinary(element);
    static const char ops[] = "+-/*^";
    return std::string(1, ops[binary->m_op]) + "(" + Shape(binary->L, equation) + "," +
           Shape(binary->R, equation) + ")";
}

inline std::string Shape(Equation& equation)
{
    return Shape(equation.Root(), equation);
}

// Message text or "" for none, so failures print readably.
inline std::string MessageOf(const Equation& equation)
{
    return equation.m_message ? equation.m_message : "";
}
