// End-to-end checks of corvid-batch's function and fit commands: the real program.
#include "tests/support/batch_run.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

TEST(BatchFunction, PrintsTheNewSet)
{
    const ScratchDir dir("corvid-batch");
    const BatchRun run = RunBatchIn("function --fx 1/x --min -1 --max 1 --points 3", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "# 1/x (set 0)\n-1\t-1\n1\t1\n\t\n");
    EXPECT_EQ(run.err, "");
}

TEST(BatchFunction, CurvesAndDefaults)
{
    const ScratchDir dir("corvid-batch");
    const BatchRun parametric = RunBatchIn("function --xt 'cos(t)' --yt 'sin(t)' --points 3", dir);
    EXPECT_EQ(parametric.status, 0) << parametric.err;
    EXPECT_EQ(parametric.out.rfind("# {cos(t), sin(t)} (set 0)\n1\t0\n", 0), 0u) << parametric.out;
    const BatchRun polar = RunBatchIn("function --rt 1 --points 5", dir);
    EXPECT_EQ(polar.status, 1);
    EXPECT_EQ(polar.err, "message: Incorrect number of arguments (not 1)\n");
    const BatchRun circle = RunBatchIn("function --rt 'cos(t)^2+sin(t)^2'", dir);
    EXPECT_EQ(circle.status, 0);
    EXPECT_EQ(std::count(circle.out.begin(), circle.out.end(), '\n'), 102) << "header, 100 points, end line";
    // y = f(x) takes the graph's x range by default: 1 to 10 on a fresh page,
    // or the range of the data given.
    const std::string data = dir.Write("data.txt", "0 0\n20 1\n");
    const BatchRun ranged = RunBatchIn("function --fx x --points 2 -xy " + data, dir);
    EXPECT_EQ(ranged.status, 0) << ranged.err;
    EXPECT_EQ(ranged.out, "# x (set 1)\n-1\t-1\n21\t21\n\t\n");
}

TEST(BatchFunction, MessagesAndUsage)
{
    const ScratchDir dir("corvid-batch");
    struct Row {
        const char* arguments;
        int status;
        const char* err;
    };
    const Row rows[] = {
        {"function --fx a*x --min 0 --max 1", 1, "message: The symbol 'a' is undefined\n"},
        {"function --fx 'log(x)' --min -2 --max -1", 1,
         "message: Unable to evalute the function within the given range of x\n"},
        {"function --fx x --points 0", 1, "message: Please enter an integer between 1 and 4294967295.\n"},
        {"function --fx x --min 1 --max 1", 1, "message: x min is greater than (or equal) to x max.\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = RunBatchIn(row.arguments, dir);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.err, row.err);
        EXPECT_EQ(run.out, "");
    }
    for (const char* usage : {"function", "function --fx x --rt t", "function --xt t",
                              "function --fx x --size 0x0"}) {
        SCOPED_TRACE(usage);
        const BatchRun run = RunBatchIn(usage, dir);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(Contains(run.err, "usage: corvid-batch"));
    }
}

TEST(BatchFunction, RendersThePageWithTheSet)
{
    const ScratchDir dir("corvid-batch");
    const BatchRun run =
        RunBatchIn("function --fx 'sin(x)/x' --min -10 --max 10 --points 500 -o page.png --size 200x150", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(fs::exists(dir / "page.png"));
    EXPECT_GT(fs::file_size(dir / "page.png"), 100u);
    const BatchRun save = RunBatchIn("function --fx x --save page.tarn", dir);
    EXPECT_EQ(save.status, 0) << save.err;
    EXPECT_GT(fs::file_size(dir / "page.tarn"), 60u);
}

TEST(BatchFit, LinearModelReport)
{
    const ScratchDir dir("corvid-batch");
    const std::string data = dir.Write("line.txt", "0 1\n1 3\n2 4\n");
    const BatchRun run = RunBatchIn("fit -xy " + data + " --model 'a*x+b' a=1 b=1", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Curve Fit Results\nPerformed a 2 parameter Levenberg-Marquardt fit.\n\n"
                            "Fitting f(x) = a*x+b\nto data set [0]: " + data + ".\n\n",
                            0),
              0u)
        << run.out;
    // The errors of an unweighted fit are scaled by the residuals.
    EXPECT_TRUE(Contains(run.out, "\na = 1.5 +/- 0.288675\n\nb = 1.16667 +/- 0.372678\n\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "Fit tolerance = 1e-06\n\n"));
    EXPECT_TRUE(Contains(run.out, "Points = 3, parameters = 2, degrees of freedom = 1\n"));
    EXPECT_EQ(run.err, "");
    // Every digit for scripts, and the extra result sets as export text.
    const BatchRun extras = RunBatchIn("fit -xy " + data + " --model 'a*x+b' a=1 b=1 --values --residuals --band", dir);
    EXPECT_EQ(extras.status, 0) << extras.err;
    double a = 0, errorA = 0;
    ASSERT_EQ(std::sscanf(extras.out.c_str() + extras.out.rfind("\na "), "\na %lf %lf", &a, &errorA), 2)
        << extras.out;
    EXPECT_NEAR(a, 1.5, 1e-14);
    EXPECT_NEAR(errorA, std::sqrt(1.0 / 12.0), 1e-14) << "s / sqrt(Sxx) with s^2 = 1/6, Sxx = 2";
    for (const char* set : {"# Residuals of plot 0 (set 1)\n", "# Lower 95% confidence band of plot 0 (set 2)\n",
                            "# Upper 95% confidence band of plot 0 (set 3)\n"})
        EXPECT_TRUE(Contains(extras.out, set)) << set << extras.out;
    EXPECT_TRUE(Contains(extras.out, "0\t-0.16666667\n")) << "the residual at x = 0";
}

TEST(BatchFit, DecayFromZeroOffset)
{
    // The example: 3 exp(-0.5 x) + 1 with a little noise, from c = 0.
    const ScratchDir dir("corvid-batch");
    std::string text;
    for (int i = 0; i <= 200; ++i) {
        const double x = i * 0.05;
        const double noise = 0.01 * std::sin(i * 12.9898);
        char line[64];
        std::snprintf(line, sizeof line, "%.6g %.6g\n", x, 3 * std::exp(-0.5 * x) + 1 + noise);
        text += line;
    }
    const std::string data = dir.Write("decay.txt", text);
    const BatchRun run = RunBatchIn("fit -xy " + data + " --model 'a*exp(-b*x)+c' a=1 b=1 c=0", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    double a = 0, b = 0, c = 0;
    const std::size_t at = run.out.find("\na = ");
    ASSERT_NE(at, std::string::npos) << run.out;
    ASSERT_EQ(std::sscanf(run.out.c_str() + at, "\na = %lf +/- %*f\n\nb = %lf +/- %*f\n\nc = %lf", &a, &b, &c), 3)
        << run.out;
    EXPECT_NEAR(a, 3.0, 0.01);
    EXPECT_NEAR(b, 0.5, 0.01);
    EXPECT_NEAR(c, 1.0, 0.01);
}

TEST(BatchFit, BoundsWeightsAndTheSavedCurve)
{
    const ScratchDir dir("corvid-batch");
    const std::string data = dir.Write("line.txt", "0 1\n1 3\n2 5\n");
    const BatchRun bounded = RunBatchIn("fit -xy " + data + " --model a*x+b a=1::1.5 b=1", dir);
    EXPECT_EQ(bounded.status, 0) << bounded.err;
    EXPECT_TRUE(Contains(bounded.out, "** Constrained parameter: a = max(a) **\na = 1.5 +/- ")) << bounded.out;

    const BatchRun saved = RunBatchIn("fit -xy " + data + " --model a*x+b a=1 b=1 --save-curve", dir);
    EXPECT_EQ(saved.status, 0) << saved.err;
    const std::size_t set = saved.out.find("# Curve fit to plot 0 (set 1)\n");
    ASSERT_NE(set, std::string::npos) << saved.out;
    const std::size_t first = saved.out.find("\n-0.1\t", set);
    ASSERT_NE(first, std::string::npos) << "from the set's x range copy";
    EXPECT_NEAR(std::strtod(saved.out.c_str() + first + 6, nullptr), 0.8, 1e-6);

    // y errors weight the points unless --no-weight.
    const std::string errors = dir.Write("errors.txt", "0 1 1\n1 3 1\n2 6 0.01\n");
    const BatchRun weighted = RunBatchIn("fit -xydy " + errors + " --model a*x+b a=1 b=1", dir);
    const BatchRun plain = RunBatchIn("fit -xydy " + errors + " --model a*x+b a=1 b=1 --no-weight", dir);
    EXPECT_EQ(weighted.status, 0);
    EXPECT_EQ(plain.status, 0);
    EXPECT_NE(weighted.out, plain.out);
    EXPECT_TRUE(Contains(plain.out, "a = 2.5 +/- ")) << plain.out;
}

TEST(BatchFit, StageAndFitMessages)
{
    const ScratchDir dir("corvid-batch");
    const std::string data = dir.Write("line.txt", "0 1\n1 3\n2 5\n");
    struct Row {
        std::string arguments;
        int status;
        const char* err;
    };
    const Row rows[] = {
        {"--model a*b a=1 b=1", 1, "message: Function does not contain 'x'.\n"},
        {"--model x^2", 1, "message: Please define at least a single parameter to fit!\n"},
        {"--model a*x+b a=1", 1, "message: Please provide an initial estimate for 'b'\n"},
        {"--model a*x a=2:0:1", 1, "message: Initial estimate for 'a' is above upper bound\n"},
        {"--model 'abs(x-a)' a=1", 1, "message: Unable to compute derivative\n"},
        {"--model a*x a=1 --max-iter 0", 1, "message: Invalid Max Iterations ( < 0)\n"},
        {"--model a*x a=1 --tol tiny", 1, "message: Invalid Fit Tolerance\n"},
        {"--model a*x+b a=10 b=-7 --max-iter 1", 1, "message: Maximum number of iterations exceeded!\n"},
        {"--model a*x A=2 --max-iter 1e3", 0, ""},
        {"--model a*x a=2 --set 3", 1, "corvid-batch fit: the graph has no active set 3\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = RunBatchIn("fit -xy " + data + " " + row.arguments, dir);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.err, row.err);
    }
    for (const char* usage : {"--model a*x q=1", "a=1", "--model a*x a=1 --set x"}) {
        SCOPED_TRACE(usage);
        const BatchRun run = RunBatchIn("fit -xy " + data + " " + usage, dir);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(Contains(run.err, "usage: corvid-batch"));
    }
}

TEST(BatchFit, RendersTheFittedModel)
{
    const ScratchDir dir("corvid-batch");
    const std::string data = dir.Write("line.txt", "0 1\n1 3\n2 5\n");
    const BatchRun run = RunBatchIn("fit -xy " + data + " --model a*x+b a=1 b=1 -o fit.png --size 160x120", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "Curve Fit Results\n"));
    EXPECT_TRUE(fs::exists(dir / "fit.png"));
}
