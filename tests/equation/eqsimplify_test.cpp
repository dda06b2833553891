#include "equation/eqsimplifier.h"
#include "tests/equation/eq_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Sets every variable of `equation` from `values` (in variable order) and evaluates.
double ValueAt(Equation& equation, std::initializer_list<float> values)
{
    int index = 0;
    for (float value : values) {
        if (index < equation.NumVars())
            equation.SetVar(index++, value);
    }
    return double(equation.Eval());
}

TEST(EquationSimplify, RewritesToTheExpectedTrees)
{
    struct Row {
        const char* text;
        const char* shape;
    };
    const Row rows[] = {
        {"2*3+x", "+(6,x)"},
        {"x*1+0", "x"},
        {"x+x", "*(x,2)"},
        {"x*x", "^(x,2)"},
        {"x/x", "1"},
        {"--x", "x"},
        {"+x", "x"},
        {"exp(log(x))", "x"},
        {"cos(acos(x))", "x"},
        {"log(exp(x))", "x"},
        {"acos(cos(x))", "acos(cos((x)))"},  // the reverse pairs stay, and so does the inner group
        {"(x-y)+x", "-(*(x,2),y)"},
        {"(y-x)+x", "y"},
        {"x-(y-x)", "-(*(x,2),y)"},
        {"x+1+2", "+(+(x,1),2)"},  // a constant equal to one is never folded
        {"0*a+x", "x"},
        {"0^x", "0"},
        {"x^0", "1"},
        {"1^x", "1"},
        {"x/1", "x"},
        {"1/x", "/(1,x)"},
        {"x/0", "/(x,0)"},
        {"2^3*x", "*(8,x)"},
        {"(-x)*y", "neg(*(x,y))"},
        {"x/(-y)", "neg(/(x,y))"},
        {"x+(-y)", "-(x,y)"},
        {"x-(-y)", "+(x,y)"},
        {"x-2", "+(x,-2)"},
        {"2-x", "neg(+(-2,x))"},
        {"((x))", "(x)"},  // one group per pass; a pass that only removes groups is the last
        {"sin(2*(3))", "-0.279415498199"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        Equation equation(row.text);
        equation.Simplify();
        EXPECT_EQ(MessageOf(equation), "");
        EXPECT_EQ(Shape(equation), row.shape);
    }
}

TEST(EquationSimplify, KeepsTheValueAtEveryPoint)
{
    const char* const texts[] = {
        "(x-y)+x", "(a/2)*3", "x+1+2", "x-x", "2-(x-3)", "x*2*x*3", "(x*y)/(y*x)",
        "3*x-2*x+4-x", "(a+b)*(a+b)-(b+a)*(a+b)", "-(-x*-y)/-(2)", "2/(x/3)",
        "a-b-c+a+b+c", "x^2*x^3/x", "sin(x)*sin(x)+cos(x)^2", "(x+0)*(1*y)-0/x",
        "[a*b]/{b}+(a)-(a)", "2^(1+1)^x", "-x^2+x*x", "x/2/3*6", "4-x-3+x*1",
    };
    const float points[][3] = {{0.5f, 2.0f, -1.5f}, {3.0f, -0.25f, 7.0f}, {-2.0f, 1.5f, 0.75f}};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        Equation plain(text);
        ASSERT_EQ(MessageOf(plain), "");
        Equation simple(plain);
        simple.Simplify();
        ASSERT_EQ(MessageOf(simple), "");
        for (const auto& point : points) {
            const double expected = ValueAt(plain, {point[0], point[1], point[2]});
            const double actual = ValueAt(simple, {point[0], point[1], point[2]});
            EXPECT_NEAR(actual, expected, 1e-9 * (1 + std::fabs(expected)));
        }
    }
}

TEST(EquationSimplify, StopsAtAFailingConstant)
{
    Equation equation("log(0)+x");
    equation.Simplify();
    EXPECT_EQ(MessageOf(equation), "Unary log of <= 0");
    ASSERT_NE(equation.Root(), nullptr);
    // An invalid equation is left alone.
    const std::string before = Shape(equation);
    equation.Simplify();
    EXPECT_EQ(Shape(equation), before);

    Equation power("(0-2)^0.5+x");
    power.Simplify();
    EXPECT_EQ(MessageOf(power), "Binary pow range error");

    // Variables that vanish keep their place in the table.
    Equation vanished("0*a+x");
    vanished.Simplify();
    EXPECT_EQ(vanished.NumVars(), 2);
    EXPECT_EQ(vanished.IsValid(1), 0);
}

TEST(EquationSimplify, HelpersReportBrokenArguments)
{
    EqElem* root = nullptr;
    EqSimplifier simplifier(root);
    struct Row {
        const char* what;
        void (*call)(EqSimplifier&);
        const char* message;
    };
    const Row rows[] = {
        {"RemoveUnaryElem", [](EqSimplifier& s) { s.RemoveUnaryElem(nullptr); },
         "NULL ptr in RemoveUnaryElem"},
        {"InsertParent element", [](EqSimplifier& s) { s.InsertParent(nullptr, nullptr); },
         "NULL ptr in InsertParent"},
        {"GetNextConstVal",
         [](EqSimplifier&) {
             int sign = 1;
             EqSimplifier::GetNextConstVal(nullptr, sign, EqPlus);
         },
         "NULL pointer in GetNextConstVal"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        try {
            row.call(simplifier);
            ADD_FAILURE() << "nothing raised";
        } catch (const char* message) {
            EXPECT_STREQ(message, row.message);
        }
    }
    Equation sum("x+y");
    try {
        EqValueElem value;
        EqSimplifier::GetOp(&value, &value, &value);
        ADD_FAILURE();
    } catch (const char* message) {
        EXPECT_STREQ(message, "Bad operator in GetOp");
    }
    const EqBinaryElem* top = AsBinary(sum.Root());
    EXPECT_EQ(EqSimplifier::GetOp(top, top->L, top->R), EqPlus);
    Equation other("z");
    try {
        EqSimplifier::GetOp(top, other.Root(), top->R);
        ADD_FAILURE();
    } catch (const char* message) {
        EXPECT_STREQ(message, "NULL tmp_L->P in GetOp");
    }
}

TEST(EquationSimplify, FindsTheFirstConstantWithItsSign)
{
    Equation equation("x-(y-3)");
    const EqBinaryElem* top = AsBinary(equation.Root());
    int sign = -1;
    // Through the group nothing is found: only "+" and "-" elements are entered.
    EXPECT_EQ(EqSimplifier::GetNextConstVal(top->R, sign, EqMinus), nullptr);
    Equation bare("x-y-3");
    sign = 1;
    EqValueElem* found = EqSimplifier::GetNextConstVal(
        const_cast<EqElem*>(bare.Root()), sign, EqPlus);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->m_value, 3.0);
    EXPECT_EQ(sign, -1);
}

TEST(EquationDeriv, MatchesTheWorkedExamples)
{
    struct Row {
        const char* text;
        float x;
        bool simplify;
        double value;
        const char* message;
    };
    const Row rows[] = {
        {"x^3", 2, false, 12, ""},
        {"sin(x)", 0, false, 1, ""},
        {"cot(x)", 1, false, -1.412282927437, ""},
        {"csc(x)", 1, false, -0.763059722233, ""},
        {"x^2", -1, false, -1, "Unary log of <= 0"},
        {"x^2", -1, true, -2, ""},
        {"abs(x)", 1, false, -1, "Derivative of abs() not implemented!"},
        {"log10(x)", 2, false, 0.43429448190325176 / 2, ""},
        {"-x", 3, true, -1, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + (row.simplify ? " simplified" : ""));
        Equation source(row.text);
        Equation derivative = source.Deriv(0);
        if (row.simplify)
            derivative.Simplify();
        if (!derivative.m_message) {
            derivative.DefineIndepVar("x");
            const double value = double(derivative.Eval(row.x));
            if (!*row.message) {
                EXPECT_NEAR(value, row.value, 1e-11);
            }
        }
        EXPECT_EQ(MessageOf(derivative), row.message);
        EXPECT_EQ(source.m_message, nullptr);
    }
}

TEST(EquationDeriv, CarriesTheSourceVariablesAndReportsMisuse)
{
    Equation source("a*x^2+b");
    source.SetVar(0, 3);
    source.SetVar(2, 5);
    source.DefineIndepVar("x");
    Equation derivative = source.Deriv(1);
    EXPECT_STREQ(derivative.Text(), "a*x^2+b");
    EXPECT_EQ(derivative.NumVars(), 3);
    EXPECT_EQ(derivative.IsValid(1), 1);
    derivative.Simplify();
    EXPECT_NEAR(double(derivative.Eval(2.0f)), 12.0, 1e-12);

    Equation byB = source.Deriv(2);
    EXPECT_NEAR(double(byB.Eval(7.0f)), 1.0, 1e-12);

    Equation missing = source.Deriv(3);
    EXPECT_EQ(MessageOf(missing), "Variable not found in Deriv()");
    EXPECT_EQ(missing.Root(), nullptr);

    // A variable that the tree lost differentiates to 0.
    Equation vanished("0*a+x");
    vanished.Simplify();
    Equation byA = vanished.Deriv(0);
    byA.SetVar(1, 4);
    EXPECT_EQ(double(byA.Eval()), 0.0);

    Equation failed("x+");
    Equation fromFailed = failed.Deriv(0);
    EXPECT_EQ(MessageOf(failed), "Unable to differentiate invalid equation!");
    EXPECT_EQ(MessageOf(fromFailed), "Can not copy an invalid equation");
}

TEST(EquationDeriv, AgreesWithACentralDifference)
{
    const char* const texts[] = {
        "sqrt(x)", "cos(x)", "tan(x)", "acos(x/2)", "asin(x/2)", "atan(x)", "sec(x)",
        "csc(x)", "cot(x)", "cosh(x)", "sinh(x)", "tanh(x)", "exp(-x)", "log(x)",
        "log10(x)", "x^x", "(x+1)/(x^2+2)", "-sin(x)*+x", "2^x", "x*exp(x)-x^3",
    };
    const double points[] = {0.3, 0.8, 1.7};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        Equation function(text);
        ASSERT_EQ(MessageOf(function), "");
        function.DefineIndepVar("x");
        Equation derivative = function.Deriv(0);
        ASSERT_EQ(MessageOf(derivative), "");
        Equation simplified(derivative);
        simplified.Simplify();
        for (double x : points) {
            const float at = float(x);
            const double step = 1e-6;
            // The difference is taken in double through the tree itself.
            double low = at - step, high = at + step;
            const double slope =
                (function.Root()->Eval(&high) - function.Root()->Eval(&low)) / (2 * step);
            const double exact = double(derivative.Eval(at));
            EXPECT_EQ(MessageOf(derivative), "");
            EXPECT_NEAR(exact, slope, 1e-6 * (1 + std::fabs(slope)));
            EXPECT_NEAR(double(simplified.Eval(at)), exact, 1e-9 * (1 + std::fabs(exact)));
        }
    }
}

TEST(EquationDeriv, RefusesDerivativesLargerThanTheLimit)
{
    // x^x^...^x is x^(x^n): its derivative at 1 is 1 for every n, while the
    // derivative's size grows with the square of n.
    auto tower = [](int levels) {
        std::string text = "x";
        for (int i = 0; i < levels; ++i)
            text += "^x";
        return text;
    };
    Equation source(tower(400).c_str());
    ASSERT_EQ(MessageOf(source), "");
    Equation derivative = source.Deriv(0);
    ASSERT_EQ(MessageOf(derivative), "");
    derivative.SetVar(0, 1);
    EXPECT_DOUBLE_EQ(double(derivative.Eval()), 1.0);

    Equation high(tower(1000).c_str());
    ASSERT_EQ(MessageOf(high), "");
    ASSERT_GT(high.Root()->DerivSize(kEqMaxDerivSize), kEqMaxDerivSize);
    Equation refused = high.Deriv(0);
    EXPECT_EQ(MessageOf(refused), kEqDerivTooLargeMessage);
    EXPECT_EQ(refused.Root(), nullptr);
    EXPECT_EQ(MessageOf(high), "");
}

TEST(EquationDeriv, SizeIsCountedBeforeBuilding)
{
    const char* const texts[] = {
        "x", "2*x", "x+y", "x-y", "x*y", "x/y", "x^y", "-x", "+x", "(x)", "sqrt(x)", "cos(x)",
        "sin(x)", "tan(x)", "acos(x)", "asin(x)", "atan(x)", "sec(x)", "csc(x)", "cot(x)",
        "cosh(x)", "sinh(x)", "tanh(x)", "exp(x)", "log(x)", "log10(x)",
        "a*exp(-b*x)/(c+x^2)-sec(x*y)^csc(y)", "x*x*x*x*x", "(x^x)^(x^x)",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        Equation source(text);
        ASSERT_EQ(MessageOf(source), "");
        Equation derivative = source.Deriv(0);
        ASSERT_EQ(MessageOf(derivative), "");
        EXPECT_EQ(source.Root()->DerivSize(kEqMaxDerivSize),
                  std::uint64_t(EqElem::Count(derivative.Root())));
    }
}

} // namespace
