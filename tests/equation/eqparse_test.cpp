#include "equation/eqelem.h"
#include "equation/eqtoken.h"
#include "tests/equation/eq_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

TEST(EqTokenSet, ClassifiesPiecesByLength)
{
    struct Row {
        const char* piece;
        const char* message;  // null when accepted
        EqKind kind;
        double value;
    };
    const Row rows[] = {
        {"x", nullptr, EqSymbol, 0},
        {"7", nullptr, EqNumber, 7},
        {".", nullptr, EqNumber, 0},
        {"{", nullptr, EqOpen, 0},
        {"]", nullptr, EqClose, 0},
        {"^", nullptr, EqPower, 0},
        {"%", "Invalid character", EqNumber, 0},
        {"\xc3", "Invalid character", EqNumber, 0},
        {"ln", nullptr, EqLog, 0},
        {"log", nullptr, EqLog, 0},
        {"log10", nullptr, EqLog10, 0},
        {"abs", nullptr, EqAbs, 0},
        {"pi", nullptr, EqNumber, 3.14159265359},
        {"2.5", nullptr, EqNumber, 2.5},
        {"e", nullptr, EqSymbol, 0},
        {"x1y2", nullptr, EqSymbol, 0},
        {"1e5", "Unknown symbol", EqNumber, 0},
        {"2x", "Unknown symbol", EqNumber, 0},
        {"1.5.2", "Unknown symbol", EqNumber, 0},
        {"sinh2", nullptr, EqSymbol, 0},      // five characters, no function name
        {"1234567.25", nullptr, EqNumber, 1234567.25},  // longer than five: no name table
        {"alpha_", "Unknown symbol", EqNumber, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.piece);
        EqToken token;
        const char* message = token.Set(row.piece, int(std::string(row.piece).size()));
        if (row.message) {
            ASSERT_NE(message, nullptr);
            EXPECT_STREQ(message, row.message);
            continue;
        }
        ASSERT_EQ(message, nullptr);
        EXPECT_EQ(token.m_kind, row.kind);
        EXPECT_EQ(token.m_text, row.piece);
        if (row.kind == EqNumber) {
            EXPECT_DOUBLE_EQ(token.m_value, row.value);
        }
    }
    EqToken token;
    EXPECT_STREQ(token.Set("", 0), "Zero length string in EqToken::Set");
}

TEST(EquationParse, ReportsEachMessageOfTheChecks)
{
    struct Row {
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        {"x+%", "Invalid character"},
        {"x%2", "Unknown symbol"},
        {"3e4", "Unknown symbol"},
        {"2 pi", "Unknown symbol"},  // blanks go first: one piece "2pi"
        {"x+", "Dangling expression"},
        {"x(", "Dangling expression"},
        {"*x", "Binary operator at start of Equation"},
        {"x*/y", "Misplaced binary operator"},
        {"(*x)", "Misplaced binary operator"},
        {"(x+)", "Misplaced binary operator"},
        {"sin-x", "Missing '('"},
        {"sin(x", "Unmatched '(' or ')'"},
        {"x)", "Unmatched '(' or ')'"},
        {")x(y", "Unmatched '('"},
        {"()", "Empty '()'"},
        {"x+(-)", "Empty '()'"},
        {"x*(())", "Empty '()'"},
        {"", "No equation"},
        {" \t\r\n\v\f", "No equation"},
        {"x^-*y", "NULL P pointer and binary->!binary Push"},
        {"(2(x))", "Missing a binary operator between braces or after '-'"},
        {"(-x(y))", "Missing a binary operator between braces or before '-'"},
        {"(x^2(y))", "Missing a binary operator between braces or before '-'"},
        {"x(y)", "Parse error: binary operator expected after value"},
        {"2(x)", "Parse error: binary operator expected after value"},
        {"(a)(b)", "NULL P pointer and unary->!binary Push"},
        {"x^2(y)", "NULL P pointer and binary->!binary Push"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        Equation equation;
        EXPECT_EQ(equation.Parse(row.text), 0);
        EXPECT_EQ(MessageOf(equation), row.message);
        // A failed parse leaves nothing behind.
        EXPECT_EQ(equation.Root(), nullptr);
        EXPECT_EQ(equation.Text(), nullptr);
        EXPECT_EQ(equation.NumVars(), 0);
    }
    Equation equation;
    EXPECT_EQ(equation.Parse(nullptr), 0);
    EXPECT_EQ(MessageOf(equation), "Null Parse() string");
}

TEST(EquationParse, BuildsTreesByPrecedenceAndAssociativity)
{
    struct Row {
        const char* text;
        const char* shape;
    };
    const Row rows[] = {
        {"a+b*c", "+(a,*(b,c))"},
        {"a*b+c", "+(*(a,b),c)"},
        {"-x^2", "neg(^(x,2))"},
        {"(-x)^2", "^((neg(x)),2)"},
        {"2^-x", "^(2,neg(x))"},
        {"a-b-c", "-(-(a,b),c)"},
        {"a/b*c", "*(/(a,b),c)"},
        {"a^b^c", "^(^(a,b),c)"},
        {"sin(x)^2", "^(sin((x)),2)"},
        {"-a*b", "neg(*(a,b))"},
        {"-a+b", "+(neg(a),b)"},
        {"+a*b", "*(pos(a),b)"},
        {"a+b*c^d", "+(a,*(b,^(c,d)))"},
        {"a*b^c*d", "*(*(a,^(b,c)),d)"},
        {"a-b^c+d", "+(-(a,^(b,c)),d)"},
        {"x*-y", "*(x,neg(y))"},
        {"--x", "neg(neg(x))"},
        {"+-x", "pos(neg(x))"},
        {"(+x)", "(pos(x))"},
        {"[a+b}*c", "*((+(a,b)),c)"},
        {"(x]", "(x)"},
        {"  SIN( X ) ", "sin((x))"},
        {"sin x", "sinx"},
        {"log10(x)+ln(x)", "+(log10((x)),log((x)))"},
        {"pi", "3.14159265359"},
        {"-(a+b)*c", "neg(*((+(a,b)),c))"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        Equation equation(row.text);
        ASSERT_EQ(MessageOf(equation), "");
        EXPECT_EQ(Shape(equation), row.shape);
    }
}

TEST(EquationParse, NumbersVariablesByFirstAppearance)
{
    Equation equation("b*x+a*x");
    ASSERT_EQ(equation.NumVars(), 3);
    EXPECT_STREQ(equation.GetVarName(0), "b");
    EXPECT_STREQ(equation.GetVarName(1), "x");
    EXPECT_STREQ(equation.GetVarName(2), "a");
    EXPECT_STREQ(equation.Text(), "b*x+a*x");

    Equation blanks("  SIN( X ) ");
    EXPECT_STREQ(blanks.Text(), "sin(x)");
    ASSERT_EQ(blanks.NumVars(), 1);
    EXPECT_STREQ(blanks.GetVarName(0), "x");

    // "pi" is a number and "e" a variable.
    EXPECT_EQ(Equation("pi*2").NumVars(), 0);
    EXPECT_EQ(Equation("e").NumVars(), 1);
}

TEST(EquationParse, ReparsingDiscardsEverythingBefore)
{
    Equation equation("a+b");
    equation.SetVar(0, 1);
    equation.DefineIndepVar("b");
    ASSERT_EQ(equation.Parse("x"), 1);
    EXPECT_EQ(equation.NumVars(), 1);
    EXPECT_EQ(equation.IndepVars().Count(), 0);
    EXPECT_EQ(equation.IsSet(0), 0);
    ASSERT_EQ(equation.Parse("x+"), 0);
    EXPECT_EQ(equation.NumVars(), 0);
    ASSERT_EQ(equation.Parse("2"), 1);
    EXPECT_EQ(equation.m_message, nullptr);
}

TEST(EquationParse, DeepOrLongTextFailsCleanly)
{
    struct Row {
        std::string text;
        const char* message;
    };
    const std::string deep(100000, '(');
    const Row rows[] = {
        {deep, "Unmatched '(' or ')'"},
        {deep + "x" + std::string(100000, ')'), kEqTooDeepMessage},
        {std::string(kEqMaxDepth + 1, '(') + "x" + std::string(kEqMaxDepth + 1, ')'),
         kEqTooDeepMessage},
        {"x" + std::string(100000, ')'), "Unmatched '(' or ')'"},
        // Function calls nest through their brackets.
        {[] {
             std::string calls;
             for (int i = 0; i <= kEqMaxDepth; ++i)
                 calls += "sin(";
             return calls + "x" + std::string(kEqMaxDepth + 1, ')');
         }(),
         kEqTooDeepMessage},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 20));
        Equation equation;
        EXPECT_EQ(equation.Parse(row.text.c_str()), 0);
        EXPECT_EQ(MessageOf(equation), row.message);
    }

    // Exactly at the limit is still an equation.
    const std::string limit =
        std::string(kEqMaxDepth - 1, '(') + "x" + std::string(kEqMaxDepth - 1, ')');
    Equation atLimit(limit.c_str());
    EXPECT_EQ(MessageOf(atLimit), "");
}

// Chains of operators or signs nest in the tree as deeply as they are long,
// but not in the text: any length is an equation, evaluated without recursion.
TEST(EquationParse, LongChainsWithoutBracketsAreLegal)
{
    struct Row {
        const char* what;
        std::string text;
        float x;
        double value;
    };
    auto chain = [](const std::string& first, const std::string& link, int count) {
        std::string text = first;
        for (int i = 0; i < count; ++i)
            text += link;
        return text;
    };
    const Row rows[] = {
        {"flat sum", chain("x", "+x", 199999), 1, 200000},
        {"differences", chain("x", "-1", 100000), 0, -100000},
        {"product", chain("x", "*x", 100000), 1, 1},
        {"quotients", chain("x", "/x", 100000), 2, std::pow(2.0, -99999)},
        {"power tower", chain("x", "^x", 100000), 1, 1},
        {"even minus chain", std::string(100000, '-') + "x", 3, 3},
        {"odd minus chain", std::string(100001, '-') + "x", 3, -3},
        {"plus chain", std::string(100000, '+') + "x", 3, 3},
        {"alternating signs", chain("", "+-", 50000) + "x", 3, 3},
        {"minus then product", std::string(100001, '-') + chain("x", "*x", 1000), 1, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Equation equation(row.text.c_str());
        ASSERT_EQ(MessageOf(equation), "");
        for (int i = 0; i < equation.NumVars(); ++i)
            equation.SetVar(i, row.x);
        const double compiled = double(equation.Eval());
        EXPECT_EQ(MessageOf(equation), "");
        EXPECT_DOUBLE_EQ(compiled, row.value);
        // The element walk agrees with the compiled program, bit for bit.
        std::vector<double> values(std::size_t(equation.NumVars()), double(row.x));
        EXPECT_EQ(equation.Root()->Eval(values.data()), compiled);
        // Copies are whole and equal.
        Equation copy(equation);
        ASSERT_EQ(MessageOf(copy), "");
        EXPECT_TRUE(copy.Root()->IsEqual(equation.Root()));
        EXPECT_EQ(EqElem::Count(copy.Root()), EqElem::Count(equation.Root()));
    }
}

// 50,000 distinct names: indices follow first appearance, repeats reuse them.
TEST(EquationParse, ManyVariablesKeepTheirOrder)
{
    std::string text;
    const int count = 50000;
    for (int i = count - 1; i >= 0; --i)
        text += "v" + std::to_string(i) + "+";
    text += "v0+v49999";
    Equation equation(text.c_str());
    ASSERT_EQ(MessageOf(equation), "");
    ASSERT_EQ(equation.NumVars(), count);
    EXPECT_STREQ(equation.GetVarName(0), "v49999");
    EXPECT_STREQ(equation.GetVarName(count - 1), "v0");
    for (int i = 0; i < count; ++i)
        equation.SetVar(i, float(i));
    // Each index i is used once, and indices 0 and count-1 a second time.
    const double expected = double(count) * (count - 1) / 2 + (count - 1);
    EXPECT_EQ(double(equation.Eval()), expected);
}

} // namespace
