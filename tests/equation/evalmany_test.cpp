// Evaluating many points at once must give what evaluating them one by one gives.
#include "equation/eqbinaryelem.h"
#include "equation/equnaryelem.h"
#include "equation/eqvalueelem.h"
#include "tests/equation/eq_test_util.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Points from -3 to 3 and beyond a few blocks, with the values where
// functions fail (0, 1, -1) among them.
std::vector<float> Points()
{
    std::vector<float> points;
    for (int i = -700; i <= 700; ++i)
        points.push_back(float(i) * (3.0f / 700.0f));
    for (float special : {0.0f, 1.0f, -1.0f, 0.5f, 1e30f, -1e30f})
        points.push_back(special);
    return points;
}

// Every point: the same bits as Eval and the message Eval stores.
void ExpectSameAsEval(Equation& equation, const std::vector<float>& points)
{
    std::vector<double> results(points.size());
    std::vector<const char*> failures(points.size(), "untouched");
    Equation single(equation);
    equation.EvalMany(points.data(), int(points.size()), results.data(), failures.data());
    ASSERT_EQ(equation.m_message, nullptr) << "the message stays as it was";
    for (std::size_t i = 0; i < points.size(); ++i) {
        single.ClearMessage();
        const double value = double(single.Eval(points[i]));
        SCOPED_TRACE(points[i]);
        EXPECT_EQ(failures[i] ? std::string(failures[i]) : "", MessageOf(single));
        EXPECT_EQ(std::memcmp(&value, &results[i], sizeof value), 0) << value << " " << results[i];
    }
}

// The variable of index 0 (x in the equation "x").
EqElemPtr X()
{
    auto value = std::make_unique<EqValueElem>();
    value->m_varIndex = 0;
    return value;
}

} // namespace

TEST(EquationEvalMany, SameNumbersAndFailuresAsEval)
{
    const char* const formulas[] = {
        "a*exp(-b*x)+c", "x-a-b*x/c", "x^a", "a^x", "(x-1)^0.5", "sqrt(x)+log(x)",
        "sqrt(x)-log(x)", "1/x", "0/x", "tan(x)+sec(x)*csc(x)", "cot(x)", "acos(x)+asin(x)+atan(x)",
        "cosh(x)-sinh(x)*tanh(x)", "log10(x*a)", "abs(x)-(-x)", "-(-(x))", "x*x*x*x*x*x*x",
        "5+0*x", "exp(x*1000)", "a*(b*(c*(x+1)+1)+1)",
    };
    const std::vector<float> points = Points();
    for (const char* formula : formulas) {
        for (bool simplified : {false, true}) {
            SCOPED_TRACE(std::string(formula) + (simplified ? " simplified" : ""));
            Equation equation(formula);
            ASSERT_EQ(equation.m_message, nullptr);
            ASSERT_EQ(equation.DefineIndepVar("x"), 1);
            for (int i = 0; i < equation.NumVars(); ++i)
                if (std::string(equation.GetVarName(i)) != "x")
                    equation.SetVar(i, 0.75f + 0.5f * float(i));
            if (simplified)
                equation.Simplify();
            ExpectSameAsEval(equation, points);
        }
    }
}

TEST(EquationEvalMany, BrokenTreesFailAtEveryPoint)
{
    struct Row {
        const char* what;
        EqElem* (*make)();
    };
    const Row rows[] = {
        {"unary without child over x",
         [] {
             return EqBinaryElem::Make(EqPlus, EqUnaryElem::Make(EqSin, nullptr), X())
                 .release();
         }},
        {"bracket kind as operator, alone",
         [] { return EqUnaryElem::Make(EqOpen, X()).release(); }},
        {"bracket kind as operator under a sum",
         [] {
             return EqBinaryElem::Make(EqMinus, EqUnaryElem::Make(EqClose, X()),
                                       EqValueElem::MakeNumber(1))
                 .release();
         }},
        {"binary without R",
         [] { return EqBinaryElem::Make(EqMinus, X(), nullptr).release(); }},
    };
    const std::vector<float> points = Points();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Equation equation("x");
        ASSERT_EQ(equation.DefineIndepVar("x"), 1);
        equation.ReplaceTree(row.make());
        ExpectSameAsEval(equation, points);
    }
}

TEST(EquationEvalMany, NeedsOneIndependentVariable)
{
    Equation constant("2*3");
    float x = 1;
    double result = 0;
    const char* failure = nullptr;
    try {
        constant.EvalMany(&x, 1, &result, &failure);
        ADD_FAILURE() << "nothing raised";
    } catch (const char* message) {
        EXPECT_STREQ(message, "Incorrect number of arguments (not 1)");
    }
    Equation line("x+1");
    line.DefineIndepVar("x");
    line.EvalMany(&x, 0, &result, &failure);
    EXPECT_EQ(result, 0.0) << "no points, nothing written";
    line.EvalMany(&x, 1, &result, &failure);
    EXPECT_EQ(result, 2.0);
    EXPECT_EQ(line.GetVar(0), 1.0) << "the independent variable keeps the last x";
}
