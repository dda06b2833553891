// The model and its derivatives evaluated together must give what each
// equation gives on its own, point by point.
#include "analysis/model_program.h"

#include "equation/equation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The model with x independent, its parameters set, and its simplified
// derivative for every parameter.
struct Family {
    explicit Family(const char* text, bool simplify)
    {
        model.Parse(text);
        model.DefineIndepVar("x");
        if (simplify)
            model.Simplify();
        for (int i = 0; i < model.NumVars(); ++i)
            if (std::string(model.GetVarName(i)) != "x")
                model.SetVar(i, 0.5f + 0.75f * float(i));
        for (int i = 0; i < model.NumVars(); ++i) {
            if (i == model.IndepVars().Get(0))
                continue;
            derivatives.push_back(model.Deriv(i));
            if (simplify)
                derivatives.back().Simplify();
        }
        equations.push_back(&model);
        for (const Equation& derivative : derivatives)
            equations.push_back(&derivative);
    }
    std::vector<double> Values()
    {
        std::vector<double> values;
        for (int i = 0; i < model.NumVars(); ++i)
            values.push_back(model.IsSet(i) ? model.GetVar(i) : 0.0);
        return values;
    }
    Equation model;
    std::vector<Equation> derivatives;
    std::vector<const Equation*> equations;
};

} // namespace

TEST(ModelProgram, SameNumbersAndFailuresAsEachEquation)
{
    const char* const models[] = {
        "a*exp(-b*x)+c", "b1*(1-exp(-b2*x))", "a*x^b", "(x-a)^2", "log(x-a)+b", "a/(x-b)",
        "sqrt(x*a)+tan(b*x)", "a*sin(w*x+p)*exp(-k*x)", "acos(a*x)+log10(x*x+b)", "sec(x)*a+csc(x)*b+cot(x)*c",
        "a+0*b*x", "cosh(a*x)-sinh(b)*tanh(x)",
    };
    std::vector<float> points;
    for (int i = -300; i <= 300; ++i)
        points.push_back(float(i) * 0.0125f);
    for (const char* text : models) {
        for (bool simplify : {true, false}) {
            SCOPED_TRACE(std::string(text) + (simplify ? "" : " unsimplified"));
            Family family(text, simplify);
            ModelProgram program;
            program.Compile(family.equations, family.model.NumVars(), family.model.IndepVars().Get(0));
            ASSERT_EQ(program.Outputs(), int(family.equations.size()));
            const std::vector<double> values = family.Values();
            const std::size_t outputs = family.equations.size();
            std::vector<std::vector<double>> results(outputs, std::vector<double>(ModelProgram::kBlock));
            std::vector<std::vector<unsigned char>> failed(outputs, std::vector<unsigned char>(ModelProgram::kBlock));
            std::vector<double*> resultRows;
            std::vector<unsigned char*> failedRows;
            for (std::size_t e = 0; e < outputs; ++e) {
                resultRows.push_back(results[e].data());
                failedRows.push_back(failed[e].data());
            }
            for (std::size_t start = 0; start < points.size(); start += ModelProgram::kBlock) {
                const int n = int(std::min<std::size_t>(ModelProgram::kBlock, points.size() - start));
                program.Run(values.data(), points.data() + start, n, resultRows.data(), failedRows.data());
                for (std::size_t e = 0; e < outputs; ++e) {
                    Equation single(*family.equations[e]);
                    for (int i = 0; i < n; ++i) {
                        single.ClearMessage();
                        const double value = double(single.Eval(points[start + std::size_t(i)]));
                        const bool singleFailed = single.m_message != nullptr;
                        ASSERT_EQ(failed[e][std::size_t(i)] != 0, singleFailed)
                            << "equation " << e << " at " << points[start + std::size_t(i)];
                        if (!singleFailed) {
                            ASSERT_EQ(std::memcmp(&value, &results[e][std::size_t(i)], sizeof value), 0)
                                << "equation " << e << " at " << points[start + std::size_t(i)];
                        }
                    }
                }
            }
        }
    }
}

TEST(ModelProgram, SharedPartsAreEvaluatedOnce)
{
    Family family("a*exp(-b*x)+c", true);
    ModelProgram alone;
    alone.Compile({&family.model}, family.model.NumVars(), family.model.IndepVars().Get(0));
    ModelProgram together;
    together.Compile(family.equations, family.model.NumVars(), family.model.IndepVars().Get(0));
    // d/da = exp(-b*x) is wholly a part of the model; d/db adds a few
    // products around it; d/dc is the number 1.
    EXPECT_LT(together.Parts(), alone.Parts() + 6);
}
