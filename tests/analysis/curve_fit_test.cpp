#include "analysis/curve_fit.h"

#include "analysis/fit_history.h"
#include "analysis/fit_report.h"
#include "model/style_codes.h"
#include "render/equation_curve.h"
#include "analysis/fit_statistics.h"
#include "tests/analysis/analysis_fixture.h"
#include "tests/analysis/nist_problem.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

ParameterEdits Edits(const char* init, const char* min = "---", const char* max = "---")
{
    return {init, min, max};
}

// A page with one set to fit and the fit dialog's state on its graph.
struct FitPage {
    explicit FitPage(const std::vector<PlotPoint>& points, const std::vector<float>& dy = {})
    {
        Plot plot = MakePlot(points, "data");
        for (auto error = dy.rbegin(); error != dy.rend(); ++error)
            plot.AddDy(*error);
        AppendResultSet(doc.CurrentGraph(), plot);
        doc.CurrentGraph().AutoScale(false, messages);
        fit.ListSets();
        fit.SelectSet(0);
    }
    // Types the model and the edits of each parameter and goes to stage 2.
    bool Prepare(const char* model, const std::vector<ParameterEdits>& edits)
    {
        fit.m_fxText = model;
        if (!fit.Next({}))
            return false;
        for (std::size_t k = 1; k < edits.size(); ++k)
            fit.SelectParameter(int(k), edits[k - 1]);
        return fit.Next(edits.empty() ? ParameterEdits{} : edits.back());
    }
    double Value(int k) { return fit.m_params.Get(k).value; }

    CTarnDoc doc;
    RecordingMessages messages;
    int redraws = 0;
    CurveFit fit{doc.CurrentGraph(), messages, [this] { ++redraws; }};
};

const std::vector<PlotPoint> kLine = {{0, 1}, {1, 3}, {2, 5}};

std::string G(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// Sets the cancel flag as soon as the fit reports its first chi-squared.
struct CancelOnProgress : FitObserver {
    explicit CancelOnProgress(std::atomic<int>& cancel) : cancel(cancel) {}
    void Progress(const Equation&, const std::string& text) override
    {
        texts.push_back(text);
        cancel = 1;
    }
    std::atomic<int>& cancel;
    std::vector<std::string> texts;
};

} // namespace

TEST(CurveFit, LinearModelConvergesWithItsReport)
{
    // A line through (0, 1), (1, 3), (2, 4) by the textbook formulas: slope
    // Sxy / Sxx = 1.5, intercept 8/3 - 1.5, s^2 = chi-squared / (N - 2),
    // errors s / sqrt(Sxx) and s sqrt(1/N + mean(x)^2 / Sxx), correlation
    // -mean(x) / sqrt(Sxx (1/N + mean(x)^2 / Sxx)).
    FitPage page({{0, 1}, {1, 3}, {2, 4}});
    ASSERT_TRUE(page.Prepare("a*x+b", {Edits("1"), Edits("1")}));
    EXPECT_EQ(page.fit.m_stage, kFitAdjust);
    EXPECT_EQ(page.fit.m_chiText, "2") << "x + 1 misses by 0, 1 and 1";
    const FitOutcome outcome = page.fit.RunFit();
    ASSERT_EQ(outcome.end, FitEnd::Converged) << outcome.message;
    EXPECT_NEAR(page.Value(0), 1.5, 1e-9);
    EXPECT_NEAR(page.Value(1), 8.0 / 3.0 - 1.5, 1e-9);
    EXPECT_NEAR(outcome.chiSquare, 1.0 / 6.0, 1e-12);
    const double s = std::sqrt(outcome.chiSquare / 1.0);
    const std::string expected =
        "Curve Fit Results: Performed a 2 parameter Levenberg-Marquardt fit.\n\n"
        "Fitting f(x) = a*x+b\n"
        "to data set [0]: data.\n\n"
        "Iterations required for convergence = " +
        std::to_string(outcome.iterations) +
        "\n"
        "Fit tolerance = 1e-06\n\n"
        "Minimized value of chi squared = " +
        G(outcome.chiSquare) + "\n\n" + "a = " + G(page.Value(0)) + " +/- " + G(s / std::sqrt(2.0)) +
        "\n\n" + "b = " + G(page.Value(1)) + " +/- " + G(s * std::sqrt(1.0 / 3 + 1.0 / 2)) + "\n\n" +
        "Points = 3, parameters = 2, degrees of freedom = 1\n"
        "Reduced chi squared = 0.166667\n"
        "R^2 = 0.96428571\n"
        "Unweighted fit: the standard errors are scaled by sqrt(chi squared / degrees of freedom).\n\n"
        "Correlation matrix of the parameters:\n"
        "               a        b\n"
        "a         1.0000  -0.7746\n"
        "b        -0.7746   1.0000\n\n";
    ASSERT_EQ(page.messages.shown.size(), 1u);
    EXPECT_EQ(page.messages.shown[0], expected);
    EXPECT_EQ(page.fit.m_chiText, G(outcome.chiSquare));
    // The graph draws the fitted model.
    ASSERT_TRUE(page.doc.CurrentGraph().m_curve);
    double y = 0;
    ASSERT_TRUE(page.doc.CurrentGraph().m_curve->Evaluate(4.0, y));
    EXPECT_NEAR(y, 6.0 + 8.0 / 3.0 - 1.5, 1e-6);
}

TEST(CurveFit, StageZeroChecks)
{
    struct Row {
        const char* model;
        const char* message;
    };
    const Row rows[] = {
        {"a*b", "Function does not contain 'x'."},
        {"x^2", "Please define at least a single parameter to fit!"},
        {"x*(", "Dangling expression"},
        {"", "No equation"},
        {"log(0)*a+x", "Unable to simplify the equation"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.model);
        FitPage page(kLine);
        page.fit.m_fxText = row.model;
        EXPECT_FALSE(page.fit.Next({}));
        EXPECT_EQ(page.fit.m_stage, kFitEquation);
        EXPECT_EQ(page.messages.shown, std::vector<std::string>{row.message});
    }
}

TEST(CurveFit, ParametersInOrderOfFirstAppearance)
{
    FitPage page(kLine);
    page.fit.m_fxText = "c+b*x+a*x^2";
    ASSERT_TRUE(page.fit.Next({}));
    ASSERT_EQ(page.fit.ParameterCount(), 3);
    EXPECT_EQ(page.fit.RowOf(0), (std::vector<std::string>{"c", "???", "---", "---"}));
    EXPECT_EQ(page.fit.ParameterName(1), "b");
    EXPECT_EQ(page.fit.ParameterName(2), "a");
    // A click stores the edits into the row left and shows the row clicked.
    page.fit.SelectParameter(2, Edits("1.5", "0", "2*pi"));
    EXPECT_EQ(page.fit.RowOf(0), (std::vector<std::string>{"c", "1.5", "0", "6.28319"}));
    EXPECT_EQ(page.fit.m_current, 2);
    page.fit.SelectParameter(-1, Edits("???", "", "x"));
    EXPECT_EQ(page.fit.m_current, 0) << "no row chosen means row 0";
    EXPECT_EQ(page.fit.RowOf(2), (std::vector<std::string>{"a", "???", "---", "---"}));
    // Going back to stage 0 and forward again rebuilds the list.
    page.fit.Prev();
    ASSERT_TRUE(page.fit.Next({}));
    EXPECT_EQ(page.fit.RowOf(0), (std::vector<std::string>{"c", "???", "---", "---"}));
}

TEST(CurveFit, StageOneChecks)
{
    struct Row {
        std::vector<ParameterEdits> edits;
        const char* message;
    };
    const Row rows[] = {
        {{Edits("???"), Edits("1")}, "Please provide an initial estimate for 'a'"},
        {{Edits("1"), Edits("")}, "Please provide an initial estimate for 'b'"},
        {{Edits("2", "0", "1"), Edits("1")}, "Initial estimate for 'a' is above upper bound"},
        {{Edits("-1", "0", "1"), Edits("1")}, "Initial estimate for 'a' is below lower bound"},
        {{Edits("1"), Edits("5", "6")}, "Initial estimate for 'b' is below lower bound"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        FitPage page(kLine);
        EXPECT_FALSE(page.Prepare("a*x+b", row.edits));
        EXPECT_EQ(page.fit.m_stage, kFitEstimates);
        EXPECT_EQ(page.messages.shown, std::vector<std::string>{row.message});
    }
    FitPage page(kLine);
    EXPECT_TRUE(page.Prepare("a*x+b", {Edits("1", "1", "1"), Edits("0")})) << "bounds may meet the estimate";
}

TEST(CurveFit, SliderRangesAndPositions)
{
    struct Row {
        ParameterEdits edits;
        float sliderMin, sliderMax;
        int position;
        bool enabled;
    };
    const Row rows[] = {
        {Edits("2"), 1, 3, 50, true},
        {Edits("0"), -1, 1, 50, true},
        {Edits("-2"), -1, -3, 50, true},
        {Edits("3", "0", "4"), 0, 4, 75, true},
        {Edits("1", "1", "1"), 1, 1, 0, false},
        {Edits("1", "0"), 0, 1.5f, 66, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.edits.init + " " + row.edits.min + " " + row.edits.max);
        FitPage page(kLine);
        ASSERT_TRUE(page.Prepare("a*x", {row.edits}));
        const FitParameter& parameter = page.fit.m_params.Get(0);
        EXPECT_EQ(parameter.sliderMin, row.sliderMin);
        EXPECT_EQ(parameter.sliderMax, row.sliderMax);
        EXPECT_EQ(page.fit.SliderPosition(), row.position);
        EXPECT_EQ(page.fit.SliderEnabled(), row.enabled);
    }
}

TEST(CurveFit, SliderMovesTheModelAndChiSquare)
{
    FitPage page(kLine);
    ASSERT_TRUE(page.Prepare("a*x+b", {Edits("2"), Edits("1")}));
    EXPECT_EQ(page.fit.m_chiText, "0");
    page.fit.SelectParameter(0, {});
    const int before = page.redraws;
    page.fit.MoveSlider(100);
    EXPECT_EQ(page.fit.m_params.Get(0).value, 3.0f);
    EXPECT_EQ(page.fit.m_chiText, "5") << "residuals 0, -1, -2";
    EXPECT_GT(page.redraws, before);
    page.fit.MoveSlider(0);
    EXPECT_EQ(page.fit.m_params.Get(0).value, 1.0f);
    // The second parameter gets its own slider range when it is clicked.
    page.fit.SelectParameter(1, {});
    EXPECT_EQ(page.fit.m_params.Get(1).sliderMax, 1.5f);
    EXPECT_EQ(page.fit.SliderPosition(), 50);
}

TEST(CurveFit, ChiSquareTexts)
{
    FitPage page(kLine);
    EXPECT_EQ(page.fit.ChiSquare(true), -1.0f) << "nothing before stage 2";
    EXPECT_EQ(page.fit.m_chiText, "");
    ASSERT_TRUE(page.Prepare("log(x-a)+b", {Edits("0.5"), Edits("1")}));
    EXPECT_EQ(page.fit.m_chiText, "Could not compute") << "x = 0 lies below a";
    EXPECT_EQ(page.fit.m_model.m_message, nullptr) << "the message is cleared";
    page.fit.SelectSet(-1);
    EXPECT_EQ(page.messages.shown.back(), "Please select one data set to fit");
    EXPECT_EQ(page.fit.m_chiText, "Select a plot!");
    EXPECT_EQ(page.doc.CurrentGraph().m_plots.Get(0).m_selected, 0);
}

TEST(CurveFit, ZeroErrorKeepsWeightOne)
{
    // Weighted by the y errors: the point with error 0 counts as if its error were 1.
    FitPage weighted(kLine, {0.0f, 0.5f, 4.0f});
    ASSERT_TRUE(weighted.Prepare("a*x+b", {Edits("1"), Edits("1")}));
    EXPECT_EQ(weighted.fit.ChiSquare(false), 0.0f + 4.0f + 0.25f);
    weighted.fit.m_weight = 0;
    EXPECT_EQ(weighted.fit.ChiSquare(false), 0.0f + 1.0f + 4.0f);
    // A set with fewer errors than points keeps its last error for the rest.
    FitPage shorter(kLine, {1.0f, 0.5f});
    ASSERT_TRUE(shorter.Prepare("a*x+b", {Edits("1"), Edits("1")}));
    EXPECT_EQ(shorter.fit.ChiSquare(false), 0.0f + 4.0f + 16.0f);
}

TEST(CurveFit, BoundsGiveTheBestFitWithinThem)
{
    // a*x + b through (0, 1), (1, 3), (2, 5) is best at a = 2, b = 1. Held
    // at a = 1.5 the best b is the mean of y - 1.5 x = 1.5; a start on a
    // bound whose gradient points inside leaves the bound.
    struct Row {
        ParameterEdits a;
        double bestA, bestB;
        const char* constrained;
    };
    const Row rows[] = {
        {Edits("1", "---", "1.5"), 1.5, 1.5, "** Constrained parameter: a = max(a) **\na = 1.5 +/- "},
        {Edits("2.5", "2.2"), 2.2, 0.8, "** Constrained parameter: a = min(a) **\na = 2.2 +/- "},
        {Edits("1", "1", "3"), 2.0, 1.0, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.a.init + " " + row.a.min + " " + row.a.max);
        FitPage page(kLine);
        ASSERT_TRUE(page.Prepare("a*x+b", {row.a, Edits("1")}));
        const FitOutcome outcome = page.fit.RunFit();
        ASSERT_EQ(outcome.end, FitEnd::Converged) << outcome.message;
        // A bound typed into the dialog is read as a float.
        EXPECT_NEAR(page.Value(0), row.bestA, 1e-6);
        EXPECT_NEAR(page.Value(1), row.bestB, 1e-6);
        ASSERT_EQ(page.messages.shown.size(), 1u);
        const std::string& report = page.messages.shown[0];
        if (row.constrained) {
            EXPECT_NE(report.find(row.constrained), std::string::npos) << report;
        } else {
            EXPECT_EQ(report.find("Constrained"), std::string::npos) << report;
        }
    }
}

TEST(CurveFit, StandardErrorsOfALine)
{
    // Unweighted, the errors are scaled by the residuals (s^2 = chi^2 / (N - 2));
    // with y errors they are the absolute ones of weighted least squares:
    // with S = sum w, Sx = sum w x, Sxx = sum w x^2, D = S Sxx - Sx^2,
    // error(a) = sqrt(S / D), error(b) = sqrt(Sxx / D).
    const std::vector<PlotPoint> points = {{0, 1.1f}, {1, 2.9f}, {2, 5.2f}, {3, 6.8f}, {4, 9.1f}};
    const std::vector<float> sigma = {0.5f, 0.2f, 0.1f, 0.4f, 0.3f};
    for (const bool weighted : {false, true}) {
        SCOPED_TRACE(weighted ? "weighted" : "unweighted");
        FitPage page(points, weighted ? sigma : std::vector<float>{});
        ASSERT_TRUE(page.Prepare("a*x+b", {Edits("1"), Edits("0")}));
        const FitOutcome outcome = page.fit.RunFit();
        ASSERT_EQ(outcome.end, FitEnd::Converged) << outcome.message;
        double S = 0, Sx = 0, Sxx = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double w = weighted ? 1.0 / (double(sigma[i]) * sigma[i]) : 1.0;
            S += w;
            Sx += w * points[i].x;
            Sxx += w * points[i].x * points[i].x;
        }
        const double D = S * Sxx - Sx * Sx;
        const double scale = weighted ? 1.0 : std::sqrt(outcome.chiSquare / 3.0);
        double a = 0, errorA = 0, b = 0, errorB = 0;
        const std::string& report = page.messages.shown.at(0);
        ASSERT_EQ(std::sscanf(report.c_str() + report.find("\na = "), "\na = %lf +/- %lf\n\nb = %lf +/- %lf",
                              &a, &errorA, &b, &errorB),
                  4)
            << report;
        EXPECT_NEAR(errorA, scale * std::sqrt(S / D), 1e-5 * errorA);
        EXPECT_NEAR(errorB, scale * std::sqrt(Sxx / D), 1e-5 * errorB);
        EXPECT_NE(report.find(weighted ? "Weighted fit" : "Unweighted fit: the standard errors are scaled"),
                  std::string::npos);
    }
}

TEST(CurveFit, ResidualsAndConfidenceBandOfALine)
{
    // The band of a line is f(x) -/+ t s sqrt(1/N + (x - mean)^2 / Sxx).
    const std::vector<PlotPoint> points = {{0, 1.1f}, {1, 2.9f}, {2, 5.2f}, {3, 6.8f}, {4, 9.1f}};
    FitPage page(points);
    ASSERT_TRUE(page.Prepare("a*x+b", {Edits("1"), Edits("0")}));
    ASSERT_EQ(page.fit.RunFit().end, FitEnd::Converged);
    const double a = page.Value(0);
    const double b = page.Value(1);
    const int residuals = page.fit.SaveResiduals();
    ASSERT_GE(residuals, 0);
    const Plot& residualSet = page.doc.CurrentGraph().m_plots.Get(residuals);
    EXPECT_EQ(residualSet.m_info, "Residuals of plot 0");
    double chiSquare = 0;
    std::size_t i = 0;
    for (const PlotPoint& point : Points(residualSet)) {
        EXPECT_EQ(point.x, points[i].x) << "in the set's own order";
        EXPECT_NEAR(point.y, points[i].y - (a * point.x + b), 1e-6);
        chiSquare += double(point.y) * point.y;
        ++i;
    }
    EXPECT_EQ(i, points.size());

    const int lower = page.fit.SaveConfidenceBand();
    ASSERT_GE(lower, 0);
    const Graph& graph = page.doc.CurrentGraph();
    EXPECT_EQ(graph.m_plots.Get(lower).m_info, "Lower 95% confidence band of plot 0");
    EXPECT_EQ(graph.m_plots.Get(lower + 1).m_info, "Upper 95% confidence band of plot 0");
    const double s = std::sqrt(chiSquare / 3.0);
    const double t = 3.18244630528371;  // t(0.975, 3 degrees of freedom)
    const std::vector<PlotPoint> low = Points(graph.m_plots.Get(lower));
    const std::vector<PlotPoint> high = Points(graph.m_plots.Get(lower + 1));
    ASSERT_EQ(low.size(), 101u);
    ASSERT_EQ(high.size(), low.size());
    for (std::size_t k = 0; k < low.size(); k += 10) {
        const double x = low[k].x;
        const double half = t * s * std::sqrt(1.0 / 5.0 + (x - 2.0) * (x - 2.0) / 10.0);
        EXPECT_NEAR(low[k].y, a * x + b - half, 1e-5) << x;
        EXPECT_NEAR(high[k].y, a * x + b + half, 1e-5) << x;
    }
}

TEST(FitStatistics, StudentQuantiles)
{
    struct Row {
        double p;
        int degrees;
        double t;
    };
    const Row rows[] = {
        {0.975, 1, 12.7062047361747}, {0.975, 3, 3.18244630528371}, {0.975, 10, 2.22813885198627},
        {0.975, 100, 1.98397151852355}, {0.025, 5, -2.57058183563631}, {0.5, 7, 0.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.degrees);
        EXPECT_NEAR(StudentQuantile(row.p, row.degrees), row.t, 1e-9 * std::max(1.0, std::fabs(row.t)));
    }
    EXPECT_TRUE(std::isnan(StudentQuantile(0.975, 0)));
}

TEST(CurveFit, FailuresEndTheFitWithTheirMessage)
{
    struct Row {
        const char* model;
        std::vector<ParameterEdits> edits;
        int maxIterations;
        const char* message;
    };
    const Row rows[] = {
        {"abs(x-a)", {Edits("1")}, 1000, "Unable to compute derivative"},
        {"a*x+b", {Edits("10"), Edits("-7")}, 1, "Maximum number of iterations exceeded!"},
        {"a*x+0*b", {Edits("1"), Edits("1")}, 1000, "LU_factor: Failed to factor alpha"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.model);
        FitPage page(kLine);
        ASSERT_TRUE(page.Prepare(row.model, row.edits));
        page.fit.m_maxIterations = row.maxIterations;
        const FitOutcome outcome = page.fit.RunFit();
        EXPECT_EQ(outcome.end, FitEnd::Failed);
        EXPECT_EQ(page.messages.shown, std::vector<std::string>{row.message});
        EXPECT_EQ(page.fit.m_stage, kFitAdjust);
    }
}

TEST(CurveFit, FitNeedsAModelAndASet)
{
    FitPage page(kLine);
    ASSERT_TRUE(page.Prepare("a*x+b", {Edits("1"), Edits("1")}));
    page.fit.m_model.m_message = "Binary divide by zero";
    EXPECT_FALSE(page.fit.StartFit());
    EXPECT_EQ(page.messages.shown.back(), "Invalid equation passed to fitting engine");
    page.fit.m_model.ClearMessage();
    page.fit.SelectSet(-1);
    EXPECT_FALSE(page.fit.StartFit());
    EXPECT_EQ(page.messages.shown.back(), "Please select one data set to fit");
    EXPECT_EQ(page.fit.m_stage, kFitAdjust);
}

TEST(CurveFit, CancelStopsAfterTheCurrentStepWithoutReport)
{
    FitPage page(kLine);
    ASSERT_TRUE(page.Prepare("a*x+b", {Edits("1"), Edits("1")}));
    ASSERT_TRUE(page.fit.StartFit());
    EXPECT_EQ(page.fit.m_stage, kFitRunning);
    std::unique_ptr<LevMarqFit> fit = page.fit.MakeFit();
    CancelOnProgress observer(page.fit.m_cancel);
    const FitOutcome outcome = fit->Run(page.fit.m_cancel, &observer);
    EXPECT_EQ(outcome.end, FitEnd::Cancelled);
    EXPECT_EQ(observer.texts, std::vector<std::string>{"5"}) << "only the first chi-squared";
    page.fit.FinishFit(outcome, *fit);
    EXPECT_TRUE(page.messages.shown.empty());
    EXPECT_EQ(page.fit.m_stage, kFitAdjust);
    EXPECT_EQ(page.Value(0), 1.0f) << "a cancelled fit hands nothing back";
}

TEST(CurveFit, ProgressReportsTheBestChiSquare)
{
    FitPage page(kLine);
    ASSERT_TRUE(page.Prepare("a*x+b", {Edits("1"), Edits("1")}));
    ASSERT_TRUE(page.fit.StartFit());
    std::unique_ptr<LevMarqFit> fit = page.fit.MakeFit();
    struct Recorder : FitObserver {
        void Progress(const Equation& model, const std::string& text) override
        {
            texts.push_back(text);
            EXPECT_TRUE(model.IsValid(1));
        }
        std::vector<std::string> texts;
    } observer;
    const FitOutcome outcome = fit->Run(page.fit.m_cancel, &observer);
    ASSERT_EQ(outcome.end, FitEnd::Converged);
    ASSERT_EQ(int(observer.texts.size()), outcome.iterations + 1) << "once at the start, once per step";
    EXPECT_EQ(observer.texts.front(), "5");
}

TEST(CurveFit, CentralDifferenceStandsInForAFailingDerivative)
{
    // d/db of a*x^b holds log(x), which fails at x = 0; the model does not.
    std::vector<PlotPoint> points;
    for (int i = 0; i <= 6; ++i)
        points.push_back({float(i), float(2.0 * std::pow(i, 1.5))});
    FitPage page(points);
    ASSERT_TRUE(page.Prepare("a*x^b", {Edits("1.5"), Edits("1.2")}));
    const FitOutcome outcome = page.fit.RunFit();
    ASSERT_EQ(outcome.end, FitEnd::Converged) << outcome.message;
    EXPECT_NEAR(page.Value(0), 2.0f, 1e-4);
    EXPECT_NEAR(page.Value(1), 1.5f, 1e-4);
}

TEST(CurveFit, CentralDifferenceOfALargeParameter)
{
    // Without simplification d/da of (x-a)^2 keeps log(x-a) * 0, which fails
    // for every x below a, so each slope is a central difference; at a = 99
    // a step of 1e-6 is lost in the float and the parameter's own scale is used.
    std::vector<PlotPoint> points;
    for (int x = 90; x < 99; ++x)
        points.push_back({float(x), float((x - 100) * (x - 100))});
    FitPage page(points);
    page.fit.m_simplify = 0;
    ASSERT_TRUE(page.Prepare("(x-a)^2", {Edits("99.5")}));
    const FitOutcome outcome = page.fit.RunFit();
    ASSERT_EQ(outcome.end, FitEnd::Converged) << outcome.message;
    EXPECT_NEAR(page.Value(0), 100.0f, 1e-3);
}

TEST(CurveFit, CertifiedNonlinearRegression)
{
    // NIST's StRD problems of every difficulty from both published starts.
    // A fit that says it converged has every certified parameter to 4 or
    // more significant digits, the certified residual sum of squares and,
    // scaled by the residual variance, the certified standard deviations;
    // BoxBOD from start 1 runs onto a plateau where exp(-b2 x) vanishes,
    // and must say that it did not converge. (The data are held as floats,
    // which moves the least-squares point of the Lanczos problems in their
    // fifth digit.)
    const char* const problems[] = {"Misra1a", "Chwirut2", "Chwirut1", "Lanczos3", "Gauss1",
                                    "DanWood", "Kirby2", "Hahn1", "MGH17", "Lanczos1",
                                    "MGH09", "Thurber", "BoxBOD", "Rat42", "Eckerle4"};
    for (const char* name : problems) {
        const NistProblem problem =
            NistProblem::Read(std::string(CORVID_SOURCE_DIR) + "/tests/data/nist/" + name + ".dat");
        ASSERT_FALSE(problem.points.empty()) << name;
        for (int start = 0; start < 2; ++start) {
            SCOPED_TRACE(std::string(name) + " from start " + std::to_string(start + 1));
            FitPage page(problem.points);
            // The parameters come in their order of appearance in the model.
            page.fit.m_fxText = problem.model;
            ASSERT_TRUE(page.fit.Next({})) << problem.model;
            std::vector<std::size_t> order;
            std::vector<ParameterEdits> edits;
            for (int k = 0; k < page.fit.ParameterCount(); ++k) {
                const auto name = std::find(problem.names.begin(), problem.names.end(), page.fit.ParameterName(k));
                ASSERT_NE(name, problem.names.end());
                order.push_back(std::size_t(name - problem.names.begin()));
                edits.push_back(Edits(problem.starts[start][order.back()].c_str()));
            }
            page.fit.Prev();
            ASSERT_TRUE(page.Prepare(problem.model.c_str(), edits));
            const FitOutcome outcome = page.fit.RunFit();
            if (std::string(name) == "BoxBOD" && start == 0) {
                EXPECT_EQ(outcome.end, FitEnd::Failed);
                EXPECT_EQ(outcome.message, kFitNoProgress);
                continue;
            }
            ASSERT_EQ(outcome.end, FitEnd::Converged) << outcome.message;
            const std::size_t n = problem.names.size();
            const double scale = std::sqrt(outcome.chiSquare / double(problem.points.size() - n));
            // Lanczos1's data are exact to 13 digits (residual sum of squares
            // 1.4e-25); as floats they leave residuals of about 1e-8, so only
            // its parameters can match.
            const bool exactData = problem.residualSumOfSquares < 1e-20;
            for (std::size_t k = 0; k < n; ++k) {
                const std::size_t certified = order[k];
                SCOPED_TRACE(problem.names[certified]);
                EXPECT_GE(NistProblem::Digits(page.Value(int(k)), problem.certified[certified]), 4.0);
                if (!exactData) {
                    EXPECT_GE(NistProblem::Digits(outcome.errors[k] * scale, problem.deviations[certified]), 3.0);
                }
            }
            if (!exactData) {
                EXPECT_GE(NistProblem::Digits(outcome.chiSquare, problem.residualSumOfSquares), 3.0);
            }
        }
    }
}

TEST(CurveFit, SaveFitAddsTheCurveOverTheSetsRange)
{
    FitPage page(kLine);
    ASSERT_TRUE(page.Prepare("a*x+b", {Edits("2"), Edits("1")}));
    const Plot& source = page.doc.CurrentGraph().m_plots.Get(0);
    const float a = source.m_xMin, b = source.m_xMax;
    const int index = page.fit.SaveFit();
    ASSERT_EQ(index, 1);
    const Plot& saved = page.doc.CurrentGraph().m_plots.Get(1);
    EXPECT_EQ(saved.m_info, "Curve fit to plot 0");
    EXPECT_EQ(saved.m_pointStyle, kNoSymbol);
    EXPECT_EQ(saved.m_lineStyle, kSolid);
    EXPECT_EQ(saved.m_xPositive, 0) << "the range starts below 0";
    EXPECT_EQ(saved.m_yPositive, 1) << "2x + 1 stays above 0 from x = -0.1 on";
    const std::vector<PlotPoint> points = Points(saved);
    ASSERT_GE(points.size(), 100u);
    ASSERT_LE(points.size(), 101u);
    EXPECT_FLOAT_EQ(points.back().x, a) << "pushed from a up, so listed from the top down";
    EXPECT_LE(points.front().x, b);
    for (const PlotPoint& point : points)
        EXPECT_FLOAT_EQ(point.y, 2 * point.x + 1);
}

TEST(CurveFit, SaveFitOnALogAxis)
{
    FitPage page({{1, 2}, {10, 20}, {100, 200}});
    ASSERT_TRUE(page.doc.CurrentGraph().SetLogScale(1, 1, page.messages));
    ASSERT_TRUE(page.Prepare("a*x", {Edits("2")}));
    ASSERT_EQ(page.fit.SaveFit(), 1);
    const Plot& saved = page.doc.CurrentGraph().m_plots.Get(1);
    EXPECT_EQ(saved.m_xPositive, 1);
    EXPECT_EQ(saved.m_yPositive, 1);
    EXPECT_EQ(page.doc.CurrentGraph().m_xLog, 1);
    const std::vector<PlotPoint> points = Points(saved);
    ASSERT_FALSE(points.empty());
    EXPECT_FLOAT_EQ(points.back().x, 1.0f) << "10^0";
    EXPECT_GE(points.front().x, 95.0f) << "about 10^2, as far as the float steps reach";
    EXPECT_LE(points.front().x, 100.0f);
}

TEST(CurveFit, SaveFitWithoutAnyValue)
{
    FitPage page(kLine);
    ASSERT_TRUE(page.Prepare("sqrt(a-x-10)", {Edits("1")}));
    EXPECT_EQ(page.fit.SaveFit(), -1);
    EXPECT_EQ(page.messages.shown.back(), "Unable to evalute the functionwithin the given range of x");
    EXPECT_EQ(page.doc.CurrentGraph().m_plots.Count(), 1);
}

TEST(CurveFit, CloseSwitchesTheCurveOff)
{
    FitPage page(kLine);
    ASSERT_TRUE(page.Prepare("a*x+b", {Edits("1"), Edits("1")}));
    EXPECT_EQ(page.doc.CurrentGraph().m_showCurve, 1);
    page.fit.RemoveCurve();
    EXPECT_EQ(page.doc.CurrentGraph().m_showCurve, 0);
}

TEST(CurveFit, SetListEntries)
{
    FitPage page(kLine);
    Plot hidden = MakePlot({{1, 1}}, "hidden");
    hidden.m_visible = 0;
    AppendResultSet(page.doc.CurrentGraph(), hidden);
    Plot other = MakePlot({{1, 1}, {2, 2}}, "two");
    AppendResultSet(page.doc.CurrentGraph(), other);
    EXPECT_EQ(page.fit.ListSets(),
              (std::vector<std::string>{"Set #0 (N = 3) \"data\"", "Set #2 (N = 2) \"two\""}));
    page.fit.SelectSet(1);
    EXPECT_EQ(page.fit.m_setIndex, 2);
    EXPECT_EQ(page.doc.CurrentGraph().m_plots.Get(0).m_selected, 0);
    EXPECT_EQ(page.doc.CurrentGraph().m_plots.Get(2).m_selected, 1);
}

TEST(FitOptions, OptionsDialogChecks)
{
    struct Row {
        const char* iterations;
        const char* tolerance;
        const char* message;
        int maxIterations;
    };
    const Row rows[] = {
        {"0", "1e-6", "Invalid Max Iterations ( < 0)", 0},
        {"-3", "1e-6", "Invalid Max Iterations ( < 0)", 0},
        {"many", "1e-6", "Invalid Max Iterations", 0},
        {"1e3", "1e-6", nullptr, 1000},
        {"2.9", "-1", nullptr, 2},
        {"1e30", "0", nullptr, 2147483647},
        {"10", "tiny", "Invalid Fit Tolerance", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.iterations);
        RecordingMessages messages;
        FitOptions options;
        FitOptionsEntry entry = OptionsEntry(options);
        EXPECT_EQ(entry.maxIterations, "1000");
        EXPECT_EQ(entry.tolerance, "1e-06");
        entry.maxIterations = row.iterations;
        entry.tolerance = row.tolerance;
        entry.weight = false;
        const bool accepted = ReadFitOptions(entry, options, messages);
        EXPECT_EQ(accepted, row.message == nullptr);
        if (row.message) {
            EXPECT_EQ(messages.shown, std::vector<std::string>{row.message});
            EXPECT_EQ(options.maxIterations, 1000) << "unchanged";
            EXPECT_EQ(options.weight, 1);
        } else {
            EXPECT_EQ(options.maxIterations, row.maxIterations);
            EXPECT_EQ(options.weight, 0);
        }
    }
}

TEST(FitHistory, NewTextsGoBehindTheEntryBeingEdited)
{
    std::vector<std::string> history;
    EXPECT_TRUE(AddToFitHistory(history, ""));
    EXPECT_TRUE(AddToFitHistory(history, "a*x"));
    EXPECT_TRUE(AddToFitHistory(history, "b*x"));
    EXPECT_FALSE(AddToFitHistory(history, "a*x"));
    EXPECT_EQ(history, (std::vector<std::string>{"", "b*x", "a*x"}));
    std::vector<std::string> first;
    AddToFitHistory(first, "c");
    EXPECT_EQ(first, std::vector<std::string>{"c"}) << "an empty history starts at 0";
}
