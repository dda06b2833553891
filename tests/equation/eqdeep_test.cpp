// Trees as deep as their texts are long: every algorithm must get through
// them on an ordinary thread's stack, and give the values the short forms give.
#include "equation/eqtext.h"
#include "tests/equation/eq_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>

namespace {

// `count` copies of `term` joined by `link`; "#" in the term becomes 1, 2, ...
std::string Chain(const std::string& term, const char* link, int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i) {
        if (i > 1)
            text += link;
        std::string piece = term;
        if (const std::size_t mark = piece.find('#'); mark != std::string::npos)
            piece.replace(mark, 1, std::to_string(i));
        text += piece;
    }
    return text;
}

int IndexOf(Equation& equation, const char* name)
{
    for (int i = 0; i < equation.NumVars(); ++i) {
        if (std::string(equation.GetVarName(i)) == name)
            return i;
    }
    return -1;
}

// The variable x is `x`; a variable xN is N/8 (exact in binary), so sums of
// them have exact expectations.
double ValueAt(Equation& equation, float x)
{
    for (int i = 0; i < equation.NumVars(); ++i) {
        const std::string name = equation.GetVarName(i);
        equation.SetVar(i, name == "x" ? x : float(std::stoi(name.substr(1))) / 8);
    }
    return double(equation.Eval());
}

void ExpectNear(double actual, double expected)
{
    EXPECT_NEAR(actual, expected, 1e-9 * (1 + std::fabs(expected)));
}

struct DeepRow {
    const char* what;
    std::string text;
    float x;
    double value;       // of the text at x
    double derivative;  // of the text by x at x
};

// Runs each row through parse, evaluation, copy, text, simplification and
// differentiation (plain and simplified), checking the values.
void RunDeepRows(const std::vector<DeepRow>& rows)
{
    for (const DeepRow& row : rows) {
        SCOPED_TRACE(row.what);
        Equation source(row.text.c_str());
        ASSERT_EQ(MessageOf(source), "");
        ExpectNear(ValueAt(source, row.x), row.value);

        Equation copy(source);
        ASSERT_EQ(MessageOf(copy), "");
        EXPECT_TRUE(copy.Root()->IsEqual(source.Root()));
        std::string text;
        ASSERT_TRUE(EquationText(source, text));
        Equation reread(text.c_str());
        EXPECT_EQ(ValueAt(reread, row.x), ValueAt(source, row.x));

        Equation simplified(source);
        simplified.Simplify();
        ASSERT_EQ(MessageOf(simplified), "");
        ExpectNear(ValueAt(simplified, row.x), row.value);

        const int x = IndexOf(source, "x");
        ASSERT_GE(x, 0);
        Equation derivative = source.Deriv(x);
        ASSERT_EQ(MessageOf(derivative), "");
        ExpectNear(ValueAt(derivative, row.x), row.derivative);
        derivative.Simplify();
        ASSERT_EQ(MessageOf(derivative), "");
        ExpectNear(ValueAt(derivative, row.x), row.derivative);
    }
}

// The sums of N/8 for N = 1 .. count.
double Eighths(int count)
{
    return double(count) * (count + 1) / 16;
}

TEST(EquationDeep, LongSumsEvaluateSimplifyAndDifferentiate)
{
    // Sums whose simplification is linear are taken at 20,000 terms; the ones
    // whose rules keep re-walking the chain (x+x+..., x-1-1-...) at 3,000,
    // which is still far deeper than recursion could go; the benchmark times
    // them at 20,000.
    RunDeepRows({
        {"distinct names", Chain("x#", "+", 20000) + "+x", 0.5f, Eighths(20000) + 0.5, 1},
        {"numbers", Chain("#", "+", 20000) + "+x", 2, 200010002, 1},
        {"coefficients", Chain("x#*x", "+", 20000), 2, 2 * Eighths(20000), Eighths(20000)},
        {"x+x+...", Chain("x", "+", 3000), 0.5f, 1500, 3000},
        {"differences", "x-" + Chain("1", "-", 3000), 3, 3 - 3000.0, 1},
    });
}

TEST(EquationDeep, ChainsOfProductsPowersAndSigns)
{
    RunDeepRows({
        {"x*x*...", Chain("x", "*", 300), 1, 1, 300},
        {"x^x^...", Chain("x", "^", 300), 1, 1, 1},  // x^(x^299): slope 1 at 1
        {"------x", std::string(100000, '-') + "x", 2, 2, 1},
        {"-------x", std::string(100001, '-') + "x", 2, -2, -1},
        {"-x*-x*...", Chain("-x", "*", 100), 1, 1, 100},
        {"sin(...)", "x+" + Chain("sin(x)", "*", 200), 0, 0, 1},
    });
}

// A worker thread has the process's usual 8 MB stack at most; ASan's larger
// frames make recursion overflow it far sooner than a plain build would.
TEST(EquationDeep, WorksOnAnotherThread)
{
    bool done = false;
    std::thread worker([&done] {
        const std::string sum = Chain("x#*x", "+", 20000);
        Equation source(sum.c_str());
        Equation derivative = source.Deriv(IndexOf(source, "x"));
        derivative.Simplify();
        Equation big(Chain("x", "+", 50000).c_str());
        big.SetVar(0, 2);
        done = !source.m_message && !derivative.m_message && double(big.Eval()) == 100000;
    });
    worker.join();
    EXPECT_TRUE(done);
}

} // namespace
