#include "render/equation_curve.h"
#include "render/graph.h"

#include <gtest/gtest.h>

#include <memory>

static Equation Parsed(const char* text)
{
    Equation equation(text);
    equation.DefineIndepVar("x");
    return equation;
}

TEST(EquationCurve, SamplesTheTypedFunction)
{
    EquationCurve curve(Parsed("2*x+1"));
    EXPECT_TRUE(curve.IsValid());
    double y = 0;
    EXPECT_TRUE(curve.Evaluate(3.0, y));
    EXPECT_DOUBLE_EQ(y, 7.0);

    // Failed samples are skipped and do not poison the next one.
    EquationCurve root(Parsed("sqrt(x)"));
    EXPECT_FALSE(root.Evaluate(-1.0, y));
    EXPECT_TRUE(root.Evaluate(4.0, y));
    EXPECT_DOUBLE_EQ(y, 2.0);

    EquationCurve broken(Parsed("2*"));
    EXPECT_FALSE(broken.IsValid());
}

TEST(EquationCurve, GraphDrawsItAcrossTheXRange)
{
    Graph graph;
    graph.m_curve = std::make_shared<EquationCurve>(Parsed("log(x)"));
    graph.m_showCurve = 1;
    graph.m_xMin = -1;
    graph.m_xMax = 1;
    const PageRect page{0, 0, 800, 600};
    // log(x) fails for x <= 0: only the positive half of the 101 samples is drawn.
    EXPECT_EQ(graph.CurvePoints(page).size(), 50u);
}
