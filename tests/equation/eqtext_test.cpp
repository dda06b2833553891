#include "equation/eqtext.h"
#include "tests/equation/eq_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

std::string TextOf(const Equation& equation)
{
    std::string text;
    EXPECT_TRUE(EquationText(equation, text));
    return text;
}

// The compiled value with each variable at `x` plus a step that depends on
// its name only (a text may meet the names in another order), or the message.
std::string Outcome(Equation& equation, float x)
{
    for (int i = 0; i < equation.NumVars(); ++i) {
        const std::string name = equation.GetVarName(i);
        equation.SetVar(i, x + 0.25f * float(name.size() + std::size_t(name[0] - 'a')));
    }
    const double value = double(equation.Eval());
    if (equation.m_message) {
        const std::string message = equation.m_message;
        equation.ClearMessage();
        return message;
    }
    // Bits, not digits: the round trip must be exact.
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return std::to_string(bits);
}

// Writes `source`, parses the text and checks that it writes the same text
// again and evaluates bit for bit like the source.
void ExpectRoundTrip(Equation& source)
{
    const std::string text = TextOf(source);
    SCOPED_TRACE(text.substr(0, 200));
    Equation parsed(text.c_str());
    ASSERT_EQ(MessageOf(parsed), "");
    EXPECT_EQ(TextOf(parsed), text);
    for (float x : {-1.5f, 0.0f, 0.5f, 2.0f})
        EXPECT_EQ(Outcome(parsed, x), Outcome(source, x));
}

TEST(EquationText, WritesMinimalBracketsByThePrecedenceOfTheGrammar)
{
    struct Row {
        const char* input;
        const char* text;
    };
    const Row rows[] = {
        {"a+b*c", "a+b*c"},
        {"(a+b)*c", "(a+b)*c"},
        {"a-b-c", "a-b-c"},
        {"a-(b-c)", "a-(b-c)"},
        {"a/b*c", "a/b*c"},
        {"a/(b*c)", "a/(b*c)"},
        {"a^b^c", "a^b^c"},
        {"a^(b^c)", "a^(b^c)"},
        {"-a*b", "-a*b"},        // the minus holds the product
        {"(-a)*b", "(-a)*b"},
        {"a*-b*c", "a*(-b*c)"},  // a*(-(b*c))
        {"a*-b+c", "a*(-b)+c"},
        {"2^-x", "2^(-x)"},
        {"-a+b", "(-a)+b"},
        {"+a*b", "(+a)*b"},
        {"--x", "--x"},
        {"+-x", "+-x"},
        {"-(a+b)*c", "-(a+b)*c"},
        {"sin(x)^2", "sin(x)^2"},
        {"  SIN( X ) ", "sin(x)"},
        {"[a+b}*c", "(a+b)*c"},
        {"((x))", "((x))"},
        {"ln(x)+log10(x)", "log(x)+log10(x)"},
        {"pi", "3.14159265359"},
        {"1.50+.", "1.5+0"},
        {"0.1*12345678901234567890", "0.1*12345678901234567168"},  // the double, exactly
        {"x^0.000001", "x^0.000001"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        Equation equation(row.input);
        ASSERT_EQ(MessageOf(equation), "");
        EXPECT_EQ(TextOf(equation), row.text);
        ExpectRoundTrip(equation);
    }
}

TEST(EquationText, WritesSimplifiedAndDerivedTrees)
{
    struct Row {
        const char* input;
        bool derive;
        const char* text;
    };
    const Row rows[] = {
        {"x-2", false, "x+(-2)"},           // a - c became a + (-c)
        {"2-x", false, "-((-2)+x)"},
        {"(x*y)/(-y)", false, "-x"},
        {"x^3", true, "x^3*(3/x*1+log(x)*0)"},
        {"log10(x)", true, "0.43429448190325176/(x)*(1*1)"},  // the group counts
        {"sin(x)", true, "cos(x)*(1*1)"},
        {"x*y-x", true, "1*y+x*0-1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        Equation equation(row.input);
        ASSERT_EQ(MessageOf(equation), "");
        if (row.derive) {
            equation = equation.Deriv(0);
        } else {
            equation.Simplify();
        }
        ASSERT_EQ(MessageOf(equation), "");
        EXPECT_EQ(TextOf(equation), row.text);
        ExpectRoundTrip(equation);
    }
}

TEST(EquationText, NumbersReadBackExactly)
{
    struct Row {
        double value;
        const char* text;
    };
    const Row rows[] = {
        {0.1, "0.1"},
        {1e22, "10000000000000000000000"},
        {1.5e-7, "0.00000015"},
        {-3, "(-3)"},
        {-0.0, "(-0)"},
        {2.0 / 3.0, "0.6666666666666666"},
        {std::numeric_limits<double>::max(), nullptr},
        {std::numeric_limits<double>::denorm_min(), nullptr},
        {-1e-300, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        Equation equation("x");
        equation.ReplaceTree(EqValueElem::MakeNumber(row.value).release());
        const std::string text = TextOf(equation);
        if (row.text) {
            EXPECT_EQ(text, row.text);
        }
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos);
        Equation parsed(text.c_str());
        ASSERT_EQ(MessageOf(parsed), "");
        const double read = double(parsed.Eval());
        EXPECT_EQ(std::memcmp(&read, &row.value, sizeof read), 0) << read;
    }
}

TEST(EquationText, RefusesWhatTheLanguageCannotWrite)
{
    const double refused[] = {std::nan(""), HUGE_VAL, -HUGE_VAL};
    for (double value : refused) {
        SCOPED_TRACE(value);
        Equation equation("x+1");
        auto* sum = const_cast<EqBinaryElem*>(AsBinary(equation.Root()));
        AsValue(sum->R)->m_value = value;
        std::string text = "kept";
        EXPECT_FALSE(EquationText(equation, text));
        EXPECT_EQ(text, "kept");
    }
    std::string text = "kept";
    EXPECT_FALSE(EquationText(Equation(), text));
    EXPECT_FALSE(EquationText(Equation("x+"), text));
    // -x*-x*... nests to the right: its brackets would go past the parser's limit.
    std::string nested = "x";
    for (int i = 0; i <= kEqMaxDepth; ++i)
        nested += "*-x";
    Equation deep(nested.c_str());
    ASSERT_EQ(MessageOf(deep), "");
    EXPECT_FALSE(EquationText(deep, text));
    Equation broken("x");
    broken.ReplaceTree(EqUnaryElem::Make(EqSin, nullptr).release());
    EXPECT_FALSE(EquationText(broken, text));
    EXPECT_EQ(text, "kept");
}

TEST(EquationText, LongChainsNeedNoBrackets)
{
    struct Row {
        const char* what;
        std::string text;
    };
    auto chain = [](const char* first, const char* link, int count) {
        std::string text = first;
        for (int i = 0; i < count; ++i)
            text += link;
        return text;
    };
    const Row rows[] = {
        {"differences", chain("x", "-y", 20000)},
        {"quotients", chain("x", "/y", 20000)},
        {"power tower", chain("x", "^y", 20000)},
        {"minus chain", std::string(50001, '-') + "x"},
        {"functions", chain("x", "+sin(x)*cos(-x)^2", 5000)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Equation equation(row.text.c_str());
        ASSERT_EQ(MessageOf(equation), "");
        EXPECT_EQ(TextOf(equation), row.text);
        ExpectRoundTrip(equation);
    }
}

} // namespace
