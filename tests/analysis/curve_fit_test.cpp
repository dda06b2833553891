#include "analysis/curve_fit.h"

#include "analysis/fit_history.h"
#include "analysis/fit_report.h"
#include "model/style_codes.h"
#include "render/equation_curve.h"
#include "tests/analysis/analysis_fixture.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

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
    float Value(int k) { return fit.m_params.Get(k).value; }

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
    FitPage page(kLine);
    ASSERT_TRUE(page.Prepare("a*x+b", {Edits("1"), Edits("1")}));
    EXPECT_EQ(page.fit.m_stage, kFitAdjust);
    EXPECT_EQ(page.fit.m_chiText, "5") << "x + 1 misses by 0, 1 and 2";
    const FitOutcome outcome = page.fit.RunFit();
    ASSERT_EQ(outcome.end, FitEnd::Converged) << outcome.message;
    EXPECT_NEAR(page.Value(0), 2.0f, 1e-5);
    EXPECT_NEAR(page.Value(1), 1.0f, 1e-5);
    EXPECT_LT(outcome.chiSquare, 1e-8f);
    EXPECT_EQ(page.fit.m_stage, kFitAdjust);
    // The standard errors are the square roots of the inverse of J'J's diagonal.
    const std::string expected =
        "Curve Fit Results: Performed a 2 parameter Levenberg-Marquardt fit.\n\n"
        "Fitting f(x) = a*x+b\n"
        "to data set [0]: data.\n\n"
        "Iterations required for convergence = " +
        std::to_string(outcome.iterations) +
        "\n"
        "Fit tolerance = 1e-06\n\n"
        "Minimized value of chi squared = " +
        G(outcome.chiSquare) + "\n\n" + "a = " + G(page.Value(0)) + " +/- 0.707107\n\n" +
        "b = " + G(page.Value(1)) + " +/- 0.912871\n\n";
    ASSERT_EQ(page.messages.shown.size(), 1u);
    EXPECT_EQ(page.messages.shown[0], expected);
    EXPECT_EQ(page.fit.m_chiText, G(outcome.chiSquare));
    // The graph draws the fitted model.
    ASSERT_TRUE(page.doc.CurrentGraph().m_curve);
    double y = 0;
    ASSERT_TRUE(page.doc.CurrentGraph().m_curve->Evaluate(4.0, y));
    EXPECT_NEAR(y, 9.0, 1e-4);
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

TEST(CurveFit, BoundHeldParameterIsReported)
{
    FitPage page(kLine);
    ASSERT_TRUE(page.Prepare("a*x+b", {Edits("1", "---", "1.5"), Edits("1")}));
    const FitOutcome outcome = page.fit.RunFit();
    ASSERT_EQ(outcome.end, FitEnd::Converged) << outcome.message;
    EXPECT_EQ(page.Value(0), 1.5f);
    ASSERT_EQ(page.messages.shown.size(), 1u);
    const std::string& report = page.messages.shown[0];
    const std::string line = "** Constrained parameter: a = max(a) **\na = 1.5 +/- ";
    EXPECT_NE(report.find(line), std::string::npos) << report;
    EXPECT_EQ(report.find("min(a)"), std::string::npos);
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
    // NIST StRD Misra1a (lower difficulty): y = b1 * (1 - exp(-b2 * x)),
    // to within what single precision resolves (1e-5 of each parameter);
    // certified b1 = 2.3894212918E+02 (sd 2.7070075241E+00),
    // b2 = 5.5015643181E-04 (sd 7.2668688436E-06), residual sum of squares
    // 1.2455138894E-01, from both published starting points.
    const std::vector<PlotPoint> misra = {
        {77.6f, 10.07f},  {114.9f, 14.73f}, {141.1f, 17.94f}, {190.8f, 23.93f}, {239.9f, 29.61f},
        {289.0f, 35.18f}, {332.8f, 40.02f}, {378.4f, 44.82f}, {434.8f, 50.76f}, {477.3f, 55.05f},
        {536.8f, 61.01f}, {593.1f, 66.40f}, {689.1f, 75.47f}, {760.0f, 81.78f}};
    struct Start {
        const char* b1;
        const char* b2;
    };
    for (const Start& start : {Start{"500", "1e-4"}, Start{"250", "5e-4"}}) {
        SCOPED_TRACE(start.b1);
        FitPage page(misra);
        ASSERT_TRUE(page.Prepare("b1*(1-exp(-b2*x))", {Edits(start.b1), Edits(start.b2)}));
        const FitOutcome outcome = page.fit.RunFit();
        ASSERT_EQ(outcome.end, FitEnd::Converged) << outcome.message;
        EXPECT_NEAR(page.Value(0), 2.3894212918E+02, 2.3894212918E+02 * 1e-5);
        EXPECT_NEAR(page.Value(1), 5.5015643181E-04, 5.5015643181E-04 * 1e-5);
        EXPECT_NEAR(outcome.chiSquare, 1.2455138894E-01, 1.2455138894E-01 * 1e-4);
        // The report's errors are unscaled; scaled by the residual variance
        // (14 points, 2 parameters) they give the certified deviations.
        const double scale = std::sqrt(1.2455138894E-01 / 12.0);
        ASSERT_EQ(outcome.errors.size(), 2u);
        EXPECT_NEAR(outcome.errors[0] * scale, 2.7070075241E+00, 2.7070075241E+00 * 1e-3);
        EXPECT_NEAR(outcome.errors[1] * scale, 7.2668688436E-06, 7.2668688436E-06 * 1e-3);
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
