#pragma once

#include "analysis/fit_options.h"
#include "analysis/fit_parameter.h"
#include "analysis/lev_marq_fit.h"
#include "equation/equation.h"
#include "model/list.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Graph;
class Plot;
class Messages;

/// Stages of the curve fit dialog.
enum FitStage : int { kFitEquation = 0, kFitEstimates = 1, kFitAdjust = 2, kFitRunning = 3 };

/// The message for a fit without a set.
inline constexpr const char* kFitSelectOneSet = "Please select one data set to fit";

/// Most sets the fit's set list shows.
constexpr int kMaxFitListedSets = 3600;

/// The texts of the "init val", "min" and "max" edits.
struct ParameterEdits {
    std::string init;
    std::string min;
    std::string max;
};

/// The "Non-linear Curve Fit" dialog without its window: the graph and set to
/// fit, the stages and their checks, the model and its parameters, the live
/// chi-squared, the model drawn as the graph's overlay curve, "Save Fit", and
/// what goes to and comes back from the fit. The window only shows it.
class CurveFit {
public:
    /// Works on `graph`; `redraw` is called whenever the overlay curve changed.
    CurveFit(Graph& graph, Messages& messages, std::function<void()> redraw = {});

    /// The set list: "Set #%d (N = %d) " and the name in double quotes for
    /// each active set, at most 3600 (more shows the truncation message).
    std::vector<std::string> ListSets();
    /// The graph index of each entry of `ListSets`.
    const std::vector<int>& ListedSets() const { return m_listed; }
    /// The chosen entry `row` (-1 for none): marks exactly that listed set
    /// selected and makes it the set to fit, or shows "Please select one
    /// data set to fit"; then recomputes and shows chi-squared.
    void SelectSet(int row);

    /// "Next >>": the check of the current stage (model at stage 0, with
    /// `edits` stored first the estimates at stage 1); on success the next
    /// stage. Returns whether the stage advanced.
    bool Next(const ParameterEdits& edits);
    /// "<< Prev": one stage back, not below 0.
    void Prev();

    /// Stage 0 check: parses the f(x) text, requires x and at least one
    /// parameter, simplifies when asked, and rebuilds the parameter list.
    bool CheckModel();
    /// Stage 1 check: an estimate for every parameter within its bounds;
    /// then the slider ranges and `PlotFit`.
    bool CheckEstimates();

    /// Stores the edits into the current parameter: each number field read
    /// sets its value and flag, a refused one ("???", "---", "") clears the flag.
    void StoreEdits(const ParameterEdits& edits);
    /// The edits of parameter `index`: "%g", or "???" / "---" when not set.
    ParameterEdits EditsOf(int index) const;
    /// The list row of parameter `index`: name, value, min, max.
    std::vector<std::string> RowOf(int index);
    /// A click on parameter row `row` (-1 for none, taken as 0): at stage 1 the
    /// edits are stored first; at stage 2 the slider range is recomputed.
    void SelectParameter(int row, const ParameterEdits& edits);
    /// The slider was moved to `position` (stage 2): the current parameter
    /// takes that value and the model is drawn.
    void MoveSlider(int position);
    /// Whether the slider is usable for the current parameter, and where it stands.
    bool SliderEnabled() const;
    int SliderPosition() const;

    /// The chi-squared of the model on the set (-1 before stage 2, for an
    /// incomplete model, without a set, or where the model fails); with
    /// `display` the chi-squared text follows.
    double ChiSquare(bool display);
    /// Sets the parameter values into the model, draws it as the graph's
    /// overlay curve and returns `ChiSquare` with display.
    double PlotFit();
    /// "Save Fit": the model over the set's x range (101 points) as a new set
    /// "Curve fit to plot N" of the graph. Returns the new set's index, or -1
    /// after "Unable to evalute the functionwithin the given range of x".
    int SaveFit();
    /// The residuals y - f(x) of the fitted set at its own x values, as a new
    /// set "Residuals of plot N" (circles, no line). Returns its index, or -1
    /// with a message when the model cannot be computed at any point.
    int SaveResiduals();
    /// The 95 % confidence band of the model curve over the x values of
    /// "Save Fit": f(x) -/+ t(0.975, dof) sqrt(g^T C g), with g the model's
    /// gradient in the parameters and C their covariance (scaled as the
    /// report's errors are), as two new sets "Lower 95% confidence band of
    /// plot N" and "Upper ..." (dashed lines). Returns the index of the
    /// lower set (the upper follows it), or -1 with a message when the band
    /// cannot be found (no degrees of freedom, a singular covariance).
    int SaveConfidenceBand();
    /// Switches the overlay curve off ("Close").
    void RemoveCurve();

    /// The options as the options dialog shows them, and their new values.
    FitOptions Options() const;
    void SetOptions(const FitOptions& options);

    /// "Fit": checks the model ("Invalid equation passed to fitting engine")
    /// and the set, then enters stage 3. Returns whether the fit may start.
    bool StartFit();
    /// A fit of copies of the model, parameters and points.
    std::unique_ptr<LevMarqFit> MakeFit() const;
    /// The fit has ended: shows its message or report; unless it was
    /// cancelled, takes the fitted model and parameters and draws the model.
    /// Back at stage 2 in every case.
    void FinishFit(const FitOutcome& outcome, const LevMarqFit& fit);
    /// `StartFit`, the fit on this thread, and `FinishFit`.
    FitOutcome RunFit();
    /// The report of a converged fit.
    std::string ReportText(const FitOutcome& outcome, const LevMarqFit& fit);

    /// The parameter's variable name.
    std::string ParameterName(int index);
    int ParameterCount() const { return m_params.Count(); }
    Graph& GetGraph() { return m_graph; }

    int m_stage = kFitEquation;
    int m_setIndex = -1;
    std::atomic<int> m_cancel{0};
    int m_maxIterations = 1000;
    float m_tolerance = 1e-6f;
    int m_algorithm = 0;
    int m_simplify = 1;
    int m_weight = 1;
    int m_fitCurveSteps = 100;
    int m_saveResiduals = 0;  ///< "Save Fit" also saves the residuals
    int m_saveBand = 0;       ///< "Save Fit" also saves the confidence band
    int m_current = 0;
    Equation m_model;
    List<FitParameter> m_params;
    std::string m_chiText;
    std::string m_fxText;

private:
    void SetParameterValues();
    // The x values of the saved curves; `start` receives the range's low end.
    std::vector<float> CurveXs(float& start) const;
    // Appends a saved curve with the log flags of "Save Fit" and rescales.
    int AddCurveSet(Plot& result, float start, float smallestY);
    void Redraw();

    Graph& m_graph;
    Messages& m_messages;
    std::function<void()> m_redraw;
    std::vector<int> m_listed;
};
