#include "analysis/curve_fit.h"

#include "analysis/fit_data.h"
#include "analysis/fit_report.h"
#include "analysis/fit_statistics.h"
#include "analysis/set_selection.h"
#include "document/set_control.h"
#include "equation/evalfield.h"
#include "model/messages.h"
#include "render/equation_curve.h"
#include "render/graph.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

std::string Format(const char* format, double value)
{
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Filled(const char* format, const std::string& name)
{
    std::string text(std::strlen(format) + name.size(), '\0');
    const int size = std::snprintf(text.data(), text.size() + 1, format, name.c_str());
    text.resize(std::size_t(size > 0 ? size : 0));
    return text;
}

} // namespace

CurveFit::CurveFit(Graph& graph, Messages& messages, std::function<void()> redraw)
    : m_graph(graph), m_messages(messages), m_redraw(std::move(redraw))
{
}

void CurveFit::SetParameterValues()
{
    for (int i = 0; i < m_params.Count(); ++i) {
        const FitParameter& parameter = m_params.Get(i);
        m_model.SetVarExact(parameter.varIndex, parameter.value);
    }
}

void CurveFit::Redraw()
{
    if (m_redraw)
        m_redraw();
}

std::vector<std::string> CurveFit::ListSets()
{
    std::vector<std::string> entries;
    m_listed.clear();
    for (int i = 0; i < m_graph.m_plots.Count(); ++i) {
        const Plot& plot = m_graph.m_plots.Get(i);
        if (!plot.m_visible)
            continue;
        if (int(m_listed.size()) == kMaxFitListedSets) {
            m_messages.Show(kSetListTruncated);
            break;
        }
        char text[64];
        std::snprintf(text, sizeof text, "Set #%d (N = %d) ", i, plot.PointCount());
        entries.push_back(text + ("\"" + plot.m_info + "\""));
        m_listed.push_back(i);
    }
    return entries;
}

void CurveFit::SelectSet(int row)
{
    m_setIndex = -1;
    for (std::size_t i = 0; i < m_listed.size(); ++i) {
        if (m_listed[i] >= m_graph.m_plots.Count())
            continue;
        const bool chosen = int(i) == row;
        m_graph.m_plots.Get(m_listed[i]).m_selected = chosen ? 1 : 0;
        if (chosen)
            m_setIndex = m_listed[i];
    }
    if (m_setIndex < 0)
        m_messages.Show(kFitSelectOneSet);
    ChiSquare(true);
}

bool CurveFit::Next(const ParameterEdits& edits)
{
    if (m_stage == kFitEquation) {
        if (!CheckModel())
            return false;
    } else if (m_stage == kFitEstimates) {
        StoreEdits(edits);
        if (!CheckEstimates())
            return false;
    } else {
        return false;
    }
    ++m_stage;
    return true;
}

void CurveFit::Prev()
{
    if (m_stage > kFitEquation)
        --m_stage;
}

bool CurveFit::CheckModel()
{
    try {
        m_model.ClearMessage();
        if (!m_model.Parse(m_fxText.c_str())) {
            m_messages.Show(m_model.m_message ? m_model.m_message : "Sorry - cannot fit the given function!");
            return false;
        }
        if (!m_model.DefineIndepVar("x")) {
            m_messages.Show("Function does not contain 'x'.");
            return false;
        }
        if (m_model.NumVars() == 1) {
            m_messages.Show("Please define at least a single parameter to fit!");
            return false;
        }
        if (m_simplify) {
            m_model.Simplify();
            if (m_model.m_message) {
                m_messages.Show("Unable to simplify the equation");
                return false;
            }
        }
        List<FitParameter> parameters;
        const int independent = m_model.IndepVars().Get(0);
        for (int i = 0; i < m_model.NumVars(); ++i) {
            if (i == independent)
                continue;
            FitParameter parameter;
            parameter.varIndex = i;
            parameters.Append(parameter);
        }
        m_params = std::move(parameters);
    } catch (...) {
        m_messages.Show("Sorry - cannot fit the given function!");
        return false;
    }
    m_current = 0;
    return true;
}

void CurveFit::StoreEdits(const ParameterEdits& edits)
{
    if (m_current < 0 || m_current >= m_params.Count())
        return;
    FitParameter& parameter = m_params.Get(m_current);
    float value = 0;  // a typed number field reads as a float
    parameter.hasValue = EvalField(edits.init.c_str(), value);
    if (parameter.hasValue)
        parameter.value = value;
    parameter.hasMax = EvalField(edits.max.c_str(), value);
    if (parameter.hasMax)
        parameter.max = value;
    parameter.hasMin = EvalField(edits.min.c_str(), value);
    if (parameter.hasMin)
        parameter.min = value;
}

bool CurveFit::CheckEstimates()
{
    for (int i = 0; i < m_params.Count(); ++i) {
        const FitParameter& parameter = m_params.Get(i);
        const std::string name = ParameterName(i);
        if (!parameter.hasValue) {
            m_messages.Show(Filled("Please provide an initial estimate for '%s'", name));
            return false;
        }
        if (parameter.hasMin && parameter.min > parameter.value) {
            m_messages.Show(Filled("Initial estimate for '%s' is below lower bound", name));
            return false;
        }
        if (parameter.hasMax && !(parameter.max >= parameter.value)) {
            m_messages.Show(Filled("Initial estimate for '%s' is above upper bound", name));
            return false;
        }
    }
    for (int i = 0; i < m_params.Count(); ++i)
        ComputeSliderRange(m_params.Get(i));
    // The stage check runs before the stage moves on, and the chi-squared of
    // the first drawing belongs to the stage being entered.
    const int stage = m_stage;
    m_stage = kFitAdjust;
    PlotFit();
    m_stage = stage;
    return true;
}

ParameterEdits CurveFit::EditsOf(int index) const
{
    ParameterEdits edits;
    if (index < 0 || index >= m_params.Count())
        return edits;
    const FitParameter& parameter = m_params.Get(index);
    edits.init = parameter.hasValue ? Format("%g", double(parameter.value)) : "???";
    edits.min = parameter.hasMin ? Format("%g", double(parameter.min)) : "---";
    edits.max = parameter.hasMax ? Format("%g", double(parameter.max)) : "---";
    return edits;
}

std::vector<std::string> CurveFit::RowOf(int index)
{
    const ParameterEdits edits = EditsOf(index);
    return {ParameterName(index), edits.init, edits.min, edits.max};
}

std::string CurveFit::ParameterName(int index)
{
    if (index < 0 || index >= m_params.Count())
        return "";
    const char* name = m_model.GetVarName(m_params.Get(index).varIndex);
    return name ? name : "";
}

void CurveFit::SelectParameter(int row, const ParameterEdits& edits)
{
    if (m_stage == kFitEstimates)
        StoreEdits(edits);
    m_current = row >= 0 && row < m_params.Count() ? row : 0;
    if (m_stage == kFitAdjust && m_current < m_params.Count())
        ComputeSliderRange(m_params.Get(m_current));
}

bool CurveFit::SliderEnabled() const
{
    if (m_current < 0 || m_current >= m_params.Count())
        return false;
    const FitParameter& parameter = m_params.Get(m_current);
    return parameter.sliderMax != parameter.sliderMin;
}

int CurveFit::SliderPosition() const
{
    if (m_current < 0 || m_current >= m_params.Count())
        return 0;
    return ::SliderPosition(m_params.Get(m_current));
}

void CurveFit::MoveSlider(int position)
{
    if (m_stage != kFitAdjust || m_current < 0 || m_current >= m_params.Count())
        return;
    FitParameter& parameter = m_params.Get(m_current);
    parameter.value = SliderValue(parameter, position);
    PlotFit();
}

double CurveFit::ChiSquare(bool display)
{
    if (m_stage <= kFitEstimates)
        return -1.0;
    if (!m_model.IsValid(1)) {
        if (display)
            m_chiText = "Invalid Equation!";
        return -1.0;
    }
    if (m_setIndex < 0 || m_setIndex >= m_graph.m_plots.Count()) {
        if (display)
            m_chiText = "Select a plot!";
        return -1.0;
    }
    const FitData data = FitData::FromPlot(m_graph.m_plots.Get(m_setIndex), m_weight != 0);
    ModelValues evaluator;
    std::vector<double> values;
    if (evaluator.Evaluate(m_model, data, values) >= 0) {
        m_model.ClearMessage();
        m_chiText = "Could not compute";
        return -1.0;
    }
    const double chiSquare = ChiSquareOf(data, values);
    if (display)
        m_chiText = Format("%g", chiSquare);
    return chiSquare;
}

double CurveFit::PlotFit()
{
    SetParameterValues();
    m_graph.m_showCurve = 1;
    m_graph.SetCurve(std::make_shared<EquationCurve>(m_model));
    Redraw();
    return ChiSquare(true);
}

void CurveFit::RemoveCurve()
{
    m_graph.m_showCurve = 0;
    Redraw();
}

std::vector<float> CurveFit::CurveXs(float& start) const
{
    std::vector<float> xs;
    const Plot& fitted = m_graph.m_plots.Get(m_setIndex);
    float a = fitted.m_xMin;
    float b = fitted.m_xMax;
    // A reversed axis still spans its range.
    if (a > b)
        std::swap(a, b);
    start = a;
    const int steps = m_fitCurveSteps > 0 ? m_fitCurveSteps : 1;
    const float step = (b - a) / float(steps);
    float u = a;
    // At most steps + 1 samples: a step too small to move u (or none at all)
    // must not sample forever.
    for (int sample = 0; sample <= steps && u <= b; ++sample) {
        const float x = fitted.m_xLog ? float(std::pow(10.0, double(u))) : u;
        if (std::isfinite(x))
            xs.push_back(x);
        const float next = u + step;
        if (!(next > u))
            break;
        u = next;
    }
    return xs;
}

int CurveFit::AddCurveSet(Plot& result, float start, float smallestY)
{
    const Plot& fitted = m_graph.m_plots.Get(m_setIndex);
    result.m_xLog = m_graph.m_xLog;
    result.m_yLog = m_graph.m_yLog;
    if (start > 0 || fitted.m_xLog) {
        result.m_xPositive = 1;
    } else {
        result.m_xPositive = 0;
        m_graph.m_xLog = 0;
    }
    if (smallestY > 0) {
        result.m_yPositive = 1;
    } else {
        result.m_yPositive = 0;
        m_graph.m_yLog = 0;
    }
    const int index = AppendResultSet(m_graph, result);
    m_graph.ApplyLogFlags();
    m_graph.AutoScale(false, m_messages);
    m_graph.SyncPlotGeometry();
    Redraw();
    return index;
}

int CurveFit::SaveFit()
{
    if (m_setIndex < 0 || m_setIndex >= m_graph.m_plots.Count()) {
        m_messages.Show(kFitSelectOneSet);
        return -1;
    }
    SetParameterValues();
    float a = 0.0f;
    Plot result;
    float smallestY = 0.0f;
    bool any = false;
    for (const float x : CurveXs(a)) {
        m_model.ClearMessage();
        const double value = double(m_model.Eval(x));
        const float y = float(value);
        if (m_model.m_message) {
            m_model.ClearMessage();
        } else if (std::isfinite(y)) {
            result.AddPoint(x, y);
            if (!any || y < smallestY)
                smallestY = y;
            any = true;
        }
    }
    if (!any) {
        m_messages.Show("Unable to evalute the functionwithin the given range of x");
        return -1;
    }
    char name[48];
    std::snprintf(name, sizeof name, "Curve fit to plot %d", m_setIndex);
    result.m_info = name;
    result.m_pointStyle = kNoSymbol;
    result.m_lineStyle = kSolid;
    result.m_lineColor = 0x000000;
    return AddCurveSet(result, a, smallestY);
}

FitOptions CurveFit::Options() const
{
    FitOptions options;
    options.algorithm = m_algorithm;
    options.maxIterations = m_maxIterations;
    options.tolerance = m_tolerance;
    options.weight = m_weight;
    options.simplify = m_simplify;
    return options;
}

void CurveFit::SetOptions(const FitOptions& options)
{
    m_algorithm = options.algorithm;
    m_maxIterations = options.maxIterations;
    m_tolerance = options.tolerance;
    m_weight = options.weight;
    m_simplify = options.simplify;
}

bool CurveFit::StartFit()
{
    if (!m_model.IsValid(1)) {
        m_messages.Show("Invalid equation passed to fitting engine");
        return false;
    }
    if (m_setIndex < 0 || m_setIndex >= m_graph.m_plots.Count()) {
        m_messages.Show(kFitSelectOneSet);
        return false;
    }
    m_cancel = 0;
    m_stage = kFitRunning;
    return true;
}

std::unique_ptr<LevMarqFit> CurveFit::MakeFit() const
{
    std::vector<FitParameter> parameters;
    for (int i = 0; i < m_params.Count(); ++i)
        parameters.push_back(m_params.Get(i));
    FitSettings settings;
    settings.maxIterations = m_maxIterations;
    settings.tolerance = double(m_tolerance);
    settings.simplify = m_simplify;
    FitData data;
    if (m_setIndex >= 0 && m_setIndex < m_graph.m_plots.Count())
        data = FitData::FromPlot(m_graph.m_plots.Get(m_setIndex), m_weight != 0);
    return std::make_unique<LevMarqFit>(m_model, std::move(parameters), std::move(data), settings);
}

std::string CurveFit::ReportText(const FitOutcome& outcome, const LevMarqFit& fit)
{
    FitReportInfo info;
    info.model = m_fxText;
    info.setIndex = m_setIndex;
    if (m_setIndex >= 0 && m_setIndex < m_graph.m_plots.Count())
        info.setName = m_graph.m_plots.Get(m_setIndex).m_info;
    info.iterations = outcome.iterations;
    info.tolerance = m_tolerance;
    info.chiSquare = outcome.chiSquare;
    info.parameters = fit.Parameters();
    info.statistics = DescribeFit(fit.Data(), outcome.chiSquare, outcome.covariance);
    Equation model(fit.Model());
    for (const FitParameter& parameter : info.parameters) {
        const char* name = model.GetVarName(parameter.varIndex);
        info.names.push_back(name ? name : "");
    }
    return FitReportText(info);
}

void CurveFit::FinishFit(const FitOutcome& outcome, const LevMarqFit& fit)
{
    if (outcome.end == FitEnd::Failed)
        m_messages.Show(outcome.message);
    else if (outcome.end == FitEnd::Converged)
        m_messages.ShowText(kFitReportCaption, ReportText(outcome, fit));
    m_stage = kFitAdjust;
    if (m_cancel.load())
        return;
    m_model = fit.Model();
    List<FitParameter> parameters;
    for (const FitParameter& parameter : fit.Parameters())
        parameters.Append(parameter);
    m_params = std::move(parameters);
    if (m_current < m_params.Count())
        ComputeSliderRange(m_params.Get(m_current));
    m_graph.m_showCurve = 1;
    m_graph.SetCurve(std::make_shared<EquationCurve>(m_model));
    Redraw();
    ChiSquare(true);
}

FitOutcome CurveFit::RunFit()
{
    FitOutcome outcome;
    if (!StartFit()) {
        outcome.end = FitEnd::Failed;
        return outcome;
    }
    std::unique_ptr<LevMarqFit> fit = MakeFit();
    outcome = fit->Run(m_cancel);
    FinishFit(outcome, *fit);
    return outcome;
}
