#include "equation/eqbinaryelem.h"
#include "equation/equnaryelem.h"
#include "equation/eqvalueelem.h"
#include "tests/equation/eq_test_util.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <string>

// Counts allocations, so a test can show that evaluation makes none.
static std::atomic<long> allocationCount{0};

void* operator new(std::size_t size)
{
    ++allocationCount;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

// Evaluates `text` with every variable set to `x`, through the compiled form.
struct Outcome {
    double value;
    std::string message;
};

Outcome EvalAt(const char* text, float x)
{
    Equation equation(text);
    if (equation.m_message)
        return {0, equation.m_message};
    for (int i = 0; i < equation.NumVars(); ++i)
        equation.SetVar(i, x);
    const double value = double(equation.Eval());
    return {value, MessageOf(equation)};
}

// Evaluates the tree itself, element by element.
Outcome TreeAt(const char* text, float x)
{
    Equation equation(text);
    std::vector<double> values(std::size_t(equation.NumVars()), double(x));
    try {
        return {equation.Root()->Eval(values.data()), ""};
    } catch (const char* message) {
        return {-1, message};
    }
}

TEST(EquationEval, ChecksEveryDomainAndKeepsOperandOrder)
{
    struct Row {
        const char* text;
        float x;
        double value;  // ignored when a message is expected
        const char* message;
    };
    const Row rows[] = {
        {"x^2", 3, 9, ""},
        {"sqrt(x)", -1, 0, "Unary sqrt of negative number"},
        {"sec(x)", 0, 1, ""},
        {"csc(x)", 0, 0, "Unary csc divide by zero"},
        {"cot(x)", 0, 0, "Unary cot divide by zero"},
        {"cot(x)", 1, 0.642092615934, ""},
        {"log(x)", 0, 0, "Unary log of <= 0"},
        {"log10(x)", -2, 0, "Unary log10 of <= 0"},
        {"log10(x)", 1000, 3, ""},
        {"exp(x)", 1000, HUGE_VAL, ""},  // overflow is no failure
        {"log(exp(x))", 1000, 0, "Unary log of <= 0"},  // log of +infinity fails too
        {"1/x", 0, 0, "Binary divide by zero"},
        {"x/x", 0, 0, "Binary divide by zero"},
        {"exp(x)/2", 1000, 0, "Binary divide by zero"},  // overflow through "/"
        {"(-8)^(1/3)", 0, 0, "Binary pow range error"},
        {"x^-1", 0, 0, "Binary pow range error"},
        {"(-8)^x", 2, 64, ""},
        {"sqrt(x)+log(x)", -1, 0, "Unary log of <= 0"},  // "+" evaluates R first
        {"sqrt(x)-log(x)", -1, 0, "Unary sqrt of negative number"},
        {"sqrt(x)*log(x)", -1, 0, "Unary log of <= 0"},
        {"sqrt(x)/log(x)", -1, 0, "Unary sqrt of negative number"},
        {"sqrt(x)^log(x)", -1, 0, "Unary sqrt of negative number"},
        {"x-3*x/2", 4, -2, ""},
        {"abs(x)-cosh(x)+sinh(x)+tanh(x)", -1, 1 - std::cosh(1.0) - std::sinh(1.0) - std::tanh(1.0), ""},
        {"atan(x)+asin(x)+acos(x)", 1, std::atan(1.0) + std::asin(1.0) + std::acos(1.0), ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const Outcome compiled = EvalAt(row.text, row.x);
        EXPECT_EQ(compiled.message, row.message);
        if (!*row.message) {
            if (std::isinf(row.value))
                EXPECT_EQ(compiled.value, row.value);
            else
                EXPECT_NEAR(compiled.value, row.value, 1e-12 * (1 + std::fabs(row.value)));
        } else {
            EXPECT_EQ(compiled.value, -1);
        }
        // The element-by-element walk reports the same.
        const Outcome tree = TreeAt(row.text, row.x);
        EXPECT_EQ(tree.message, compiled.message);
        if (!*row.message) {
            EXPECT_EQ(tree.value, compiled.value);
        }
    }

    // A not-a-number from acos carries no message.
    const Outcome nan = EvalAt("acos(x)", 2);
    EXPECT_TRUE(std::isnan(nan.value));
    EXPECT_EQ(nan.message, "");
}

TEST(EquationEval, IndependentVariableDecidesTheArgumentCount)
{
    Equation square("x^2");
    ASSERT_EQ(square.DefineIndepVar("x"), 1);
    EXPECT_EQ(double(square.Eval(3.0f)), 9.0);
    EXPECT_EQ(square.GetVar(0), 3.0);
    try {
        square.Eval();
        ADD_FAILURE() << "Eval() raised nothing";
    } catch (const char* message) {
        EXPECT_STREQ(message, "Incorrect number of arguments (not 0)");
    }

    Equation product("2*3");
    EXPECT_EQ(double(product.Eval()), 6.0);
    try {
        product.Eval(1.0f);
        ADD_FAILURE() << "Eval(x) raised nothing";
    } catch (const char* message) {
        EXPECT_STREQ(message, "Incorrect number of arguments (not 1)");
    }

    EXPECT_EQ(square.DefineIndepVar("t"), 0);
    EXPECT_EQ(square.IndepVars().Count(), 0);
    try {
        square.DefineIndepVar(nullptr);
        ADD_FAILURE();
    } catch (const char* message) {
        EXPECT_STREQ(message, "NULL pointer in DefineIndepVar(1)");
    }
}

TEST(EquationEval, GoesOnAfterClearMessage)
{
    Equation equation("log(x)");
    equation.DefineIndepVar("x");
    EXPECT_EQ(double(equation.Eval(0.0f)), -1.0);
    EXPECT_EQ(MessageOf(equation), "Unary log of <= 0");
    // Evaluation does not clear an earlier message.
    EXPECT_EQ(double(equation.Eval(1.0f)), 0.0);
    EXPECT_EQ(MessageOf(equation), "Unary log of <= 0");
    equation.ClearMessage();
    EXPECT_EQ(double(equation.Eval(1.0f)), 0.0);
    EXPECT_EQ(equation.m_message, nullptr);
}

TEST(EquationEval, VariableInterfaceRejectsBadIndices)
{
    Equation equation("a*x+b");
    struct Row {
        const char* what;
        void (*call)(Equation&);
        const char* message;
    };
    const Row rows[] = {
        {"SetVar -1", [](Equation& e) { e.SetVar(-1, 0); }, "Index underflow in SetVar"},
        {"SetVar 3", [](Equation& e) { e.SetVar(3, 0); }, "Index overflow in SetVar"},
        {"GetVar -1", [](Equation& e) { e.GetVar(-1); }, "Index underflow in GetVar"},
        {"GetVar 3", [](Equation& e) { e.GetVar(3); }, "Index overflow in GetVar"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        try {
            row.call(equation);
            ADD_FAILURE() << "nothing raised";
        } catch (const char* message) {
            EXPECT_STREQ(message, row.message);
        }
    }
    EXPECT_EQ(equation.m_message, nullptr);
    EXPECT_EQ(equation.GetVarName(5), nullptr);
    EXPECT_EQ(MessageOf(equation), "Overflow in GetVarName");
    EXPECT_EQ(equation.GetVarName(-1), nullptr);
    EXPECT_EQ(MessageOf(equation), "Underflow in GetVarName");
}

TEST(EquationEval, IsValidAsksForEveryValueButTheIndependentOne)
{
    Equation equation("a*x+b");
    EXPECT_EQ(equation.IsValid(0), 1);
    EXPECT_EQ(equation.IsValid(1), 0);
    equation.DefineIndepVar("x");
    equation.SetVar(0, 2);
    EXPECT_EQ(equation.IsValid(1), 0);
    equation.SetVar(2, 1);
    EXPECT_EQ(equation.IsValid(1), 1);
    EXPECT_EQ(double(equation.Eval(5.0f)), 11.0);
    EXPECT_EQ(Equation("2").IsValid(1), 1);
    EXPECT_EQ(Equation("2+").IsValid(0), 0);
    EXPECT_EQ(Equation().IsValid(0), 0);
}

TEST(EquationEval, CopiesValidEquationsAndRefusesFailedOnes)
{
    Equation source("a*x^2");
    source.DefineIndepVar("x");
    source.SetVar(0, 3);
    Equation copy(source);
    EXPECT_EQ(Shape(copy), Shape(source));
    EXPECT_EQ(copy.IsSet(0), 1);
    EXPECT_EQ(double(copy.Eval(2.0f)), 12.0);
    // The copy owns its own values.
    copy.SetVar(0, 1);
    EXPECT_EQ(double(source.Eval(2.0f)), 12.0);

    Equation failed("x+");
    Equation copyOfFailed(failed);
    EXPECT_EQ(MessageOf(copyOfFailed), "Can not copy an invalid equation");
    EXPECT_EQ(copyOfFailed.Root(), nullptr);
    // Assigning a valid one over it gives a clean copy.
    copyOfFailed = source;
    EXPECT_EQ(copyOfFailed.m_message, nullptr);
    EXPECT_EQ(double(copyOfFailed.Eval(1.0f)), 3.0);
    // An equation that failed to evaluate is not valid either.
    Equation logOfZero("log(0)");
    logOfZero.Eval();
    Equation copyOfEvalFailure = logOfZero;
    EXPECT_EQ(MessageOf(copyOfEvalFailure), "Can not copy an invalid equation");
}

TEST(EquationEval, EmptyOrBrokenTreesReportInsteadOfCrashing)
{
    Equation empty;
    EXPECT_EQ(double(empty.Eval()), -1.0);
    EXPECT_EQ(MessageOf(empty), "NULL tree");
    Equation failed("x+");
    EXPECT_EQ(double(failed.Eval()), -1.0);
    EXPECT_EQ(MessageOf(failed), "Dangling expression");

    struct Row {
        const char* what;
        EqElem* (*make)();
        const char* message;
    };
    const Row rows[] = {
        {"unary without child", [] { return EqUnaryElem::Make(EqSin, nullptr).release(); },
         "Unary C is NULL"},
        {"binary without L",
         [] { return EqBinaryElem::Make(EqPlus, nullptr, EqValueElem::MakeNumber(1)).release(); },
         "Binary L is NULL"},
        {"binary without R",
         [] { return EqBinaryElem::Make(EqMinus, EqValueElem::MakeNumber(1), nullptr).release(); },
         "Binary R is NULL"},
        {"bracket kind as operator",
         [] { return EqUnaryElem::Make(EqOpen, EqValueElem::MakeNumber(1)).release(); },
         "Unknown unary operator"},
        {"negative variable index",
         [] {
             auto value = std::make_unique<EqValueElem>();
             value->m_varIndex = -1;
             return static_cast<EqElem*>(value.release());
         },
         "stack underflow Eval()"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Equation equation("x");
        equation.ReplaceTree(row.make());
        EXPECT_EQ(double(equation.Eval()), -1.0);
        EXPECT_EQ(MessageOf(equation), row.message);
        const double values[1] = {0};
        try {
            equation.Root()->Eval(values);
            ADD_FAILURE() << "the tree walk raised nothing";
        } catch (const char* message) {
            EXPECT_STREQ(message, row.message);
        }
    }
}

TEST(EquationEval, EvaluatingAllocatesNothing)
{
    Equation equation("a*exp(-b*x)+c/(1+x^2)-sqrt(abs(x))");
    equation.DefineIndepVar("x");
    equation.SetVar(0, 2);
    equation.SetVar(1, 0.5f);
    equation.SetVar(3, 1);
    const long before = allocationCount.load();
    double sum = 0;
    for (int i = 0; i < 1000; ++i)
        sum += double(equation.Eval(float(i) * 0.01f));
    EXPECT_EQ(allocationCount.load(), before);
    EXPECT_TRUE(std::isfinite(sum));
}

} // namespace
