#include "analysis/function_plot.h"

#include "analysis/set_selection.h"
#include "document/function_history.h"
#include "document/tarn_doc.h"
#include "equation/equation.h"
#include "equation/evalfield.h"
#include "model/error.h"
#include "model/messages.h"
#include "render/graph.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <numbers>
#include <vector>

const char* const kPointCountMessage = "Please enter an integer between 1 and 4294967295.";
const char* const kFunctionNoMemory =
    "There is not enough memory to finish this command. It was abandoned; the page is as it was before it.";

namespace {

// Points evaluated together.
constexpr std::uint64_t kBlock = 1024;

// A failure of the OK handler: the text is shown and nothing changes.
struct Refusal {
    std::string text;
};

[[noreturn]] void Refuse(std::string text)
{
    throw Refusal{std::move(text)};
}

std::string Filled(const char* format, const char* name)
{
    std::string text(std::strlen(format) + std::strlen(name), '\0');
    const int size = std::snprintf(text.data(), text.size() + 1, format, name);
    text.resize(std::size_t(size > 0 ? size : 0));
    return text;
}

// A range field: a number field holding a finite number (an infinite end
// cannot place any point).
float ReadRange(const std::string& text, const char* refusal)
{
    float value = 0;
    if (!EvalField(text.c_str(), value) || !std::isfinite(value))
        Refuse(refusal);
    return value;
}

// Parses the formula; the parser's message is shown for a failure.
void ParseFormula(Equation& equation, const std::string& text)
{
    if (!equation.Parse(WithoutLineBreaks(text).c_str()))
        Refuse(equation.m_message ? equation.m_message : "Ooof! Unable to evaluate equation!");
}

// The first variable other than the independent one, or null.
const char* OtherVariable(Equation& equation)
{
    const int independent = equation.IndepVars().Count() == 1 ? equation.IndepVars().Get(0) : -1;
    for (int i = 0; i < equation.NumVars(); ++i)
        if (i != independent)
            return equation.GetVarName(i);
    return nullptr;
}

void SimplifyFormula(Equation& equation)
{
    equation.Simplify();
    if (equation.m_message)
        Refuse(equation.m_message);
}

// Evaluation needs exactly one independent variable; a formula without any
// variable fails as its first evaluation would.
void RequireOneVariable(const Equation& equation)
{
    if (equation.IndepVars().Count() != 1)
        throw "Incorrect number of arguments (not 1)";
}

// The step between the values of the free variable, as a float; a range too
// narrow for the number of points has none (0).
float StepOf(float min, float max, std::uint64_t count)
{
    const double span = double(max) - double(min);
    return float(count == 1 ? span : span / double(count - 1));
}

// The values of the free variable: `count` evenly spaced values from `first`
// to `last`, both ends included. Each value is computed from the two ends, not
// by adding up a rounded step, so rounding can neither lose an end nor place a
// value outside the range. A single value stands at `first`.
class EvenValues {
public:
    EvenValues(float first, float last, std::uint64_t count)
        : m_first(first), m_last(last), m_count(count), m_low(std::min(first, last)),
          m_high(std::max(first, last))
    {
    }
    float operator[](std::uint64_t i) const
    {
        if (i == 0)
            return m_first;
        if (i + 1 == m_count)
            return m_last;
        const double fraction = double(i) / double(m_count - 1);
        const double value = double(m_first) + (double(m_last) - double(m_first)) * fraction;
        return std::clamp(float(value), m_low, m_high);
    }

private:
    float m_first;
    float m_last;
    std::uint64_t m_count;
    float m_low;
    float m_high;
};

// Counts the points for the progress bar.
class ProgressCounter {
public:
    ProgressCounter(std::uint64_t total, const FunctionProgress& progress)
        : m_total(total), m_step(ProgressStep(total)), m_progress(progress)
    {
    }
    // Every k-th point advances the bar by k; the points of a block are
    // counted when the block is done.
    void Count(std::uint64_t points)
    {
        m_done += points;
        while (m_progress && m_reported + m_step <= m_done) {
            m_reported += m_step;
            m_progress(m_reported, m_total);
        }
    }

private:
    std::uint64_t m_total;
    std::uint64_t m_step;
    std::uint64_t m_done = 0;
    std::uint64_t m_reported = 0;
    const FunctionProgress& m_progress;
};

struct Computed {
    std::vector<PlotPoint> points;
    float smallestX = 0;
    float smallestY = 0;

    void Keep(float x, float y)
    {
        if (points.empty() || x < smallestX)
            smallestX = x;
        if (points.empty() || y < smallestY)
            smallestY = y;
        points.push_back({x, y});
    }
};

// Room for every point is taken before computing, so a count beyond the
// memory is refused at once instead of after all the evaluations.
void Reserve(Computed& computed, std::uint64_t count)
{
    if (count > std::uint64_t(computed.points.max_size()))
        throw std::bad_alloc();
    computed.points.reserve(std::size_t(count));
}

Computed PlotExplicit(const FunctionRequest& request, std::uint64_t count,
                      const FunctionProgress& progress, float& min)
{
    const float max = ReadRange(request.max, "Invalid x max value!");
    min = ReadRange(request.min, "Invalid x min value!");
    if (min >= max)
        Refuse("x min is greater than (or equal) to x max.");
    const float step = StepOf(min, max, count);
    if (!(step > 0))
        Refuse("Invalid x step size.");
    Equation equation;
    ParseFormula(equation, request.formula);
    if (!equation.DefineIndepVar("x") && equation.NumVars() > 0)
        Refuse("Please specify a function of x.");
    if (const char* other = OtherVariable(equation))
        Refuse(Filled("The symbol '%s' is undefined", other));
    SimplifyFormula(equation);
    RequireOneVariable(equation);

    Computed computed;
    Reserve(computed, count);
    ProgressCounter counter(count, progress);
    const EvenValues values(max, min, count);
    float xs[kBlock];
    double ys[kBlock];
    const char* failures[kBlock];
    for (std::uint64_t first = 0; first < count; first += kBlock) {
        const int n = int(std::min(kBlock, count - first));
        for (int i = 0; i < n; ++i)
            xs[i] = values[first + std::uint64_t(i)];
        equation.EvalMany(xs, n, ys, failures);
        for (int i = 0; i < n; ++i) {
            const float y = float(ys[i]);
            if (!failures[i] && std::isfinite(y))
                computed.Keep(xs[i], y);
        }
        counter.Count(std::uint64_t(n));
    }
    if (computed.points.empty())
        Refuse("Unable to evalute the function within the given range of x");
    return computed;
}

Computed PlotParametric(const FunctionRequest& request, std::uint64_t count,
                        const FunctionProgress& progress)
{
    const float max = ReadRange(request.max, "Invalid max t value!");
    const float min = ReadRange(request.min, "Invalid min t value!");
    // No order is imposed: with min > max the points run the other way.
    Equation xt, yt;
    ParseFormula(xt, request.formula);
    ParseFormula(yt, request.formula2);
    if (!xt.DefineIndepVar("t") && xt.NumVars() > 0)
        Refuse("Please specify a function of t for x.");
    if (!yt.DefineIndepVar("t") && yt.NumVars() > 0)
        Refuse("Please specify a function of t for y.");
    if (const char* other = OtherVariable(xt))
        Refuse(Filled("The symbol '%s' is undefined in x(t)", other));
    SimplifyFormula(xt);
    if (const char* other = OtherVariable(yt))
        Refuse(Filled("The symbol '%s' is undefined in y(t)", other));
    SimplifyFormula(yt);
    RequireOneVariable(xt);
    RequireOneVariable(yt);

    Computed computed;
    Reserve(computed, count);
    ProgressCounter counter(count, progress);
    const EvenValues values(max, min, count);
    float ts[kBlock];
    double xs[kBlock], ys[kBlock];
    const char* xFailures[kBlock];
    const char* yFailures[kBlock];
    for (std::uint64_t first = 0; first < count; first += kBlock) {
        const int n = int(std::min(kBlock, count - first));
        for (int i = 0; i < n; ++i)
            ts[i] = values[first + std::uint64_t(i)];
        xt.EvalMany(ts, n, xs, xFailures);
        yt.EvalMany(ts, n, ys, yFailures);
        for (int i = 0; i < n; ++i) {
            const float x = float(xs[i]);
            const float y = float(ys[i]);
            if (!xFailures[i] && !yFailures[i] && std::isfinite(x) && std::isfinite(y))
                computed.Keep(x, y);
        }
        counter.Count(std::uint64_t(n));
    }
    if (computed.points.empty())
        Refuse("Unable to evalute the function within the given range of t");
    return computed;
}

Computed PlotPolar(const FunctionRequest& request, std::uint64_t count,
                   const FunctionProgress& progress)
{
    const float max = ReadRange(request.max, "Invalid max t value!");
    const float min = ReadRange(request.min, "Invalid min t value!");
    if (min >= max)
        Refuse("t min is greater than (or equal) to t max.");
    const float step = StepOf(min, max, count);
    if (!(step > 0))
        Refuse("Invalid t step size.");
    Equation equation;
    ParseFormula(equation, request.formula);
    if (!equation.DefineIndepVar("t") && equation.NumVars() > 0)
        Refuse("Please specify a function of t.");
    if (const char* other = OtherVariable(equation))
        Refuse(Filled("The symbol '%s' is undefined", other));
    SimplifyFormula(equation);
    RequireOneVariable(equation);

    Computed computed;
    Reserve(computed, count);
    ProgressCounter counter(count, progress);
    const EvenValues values(max, min, count);
    float ts[kBlock];
    double rs[kBlock];
    const char* failures[kBlock];
    for (std::uint64_t first = 0; first < count; first += kBlock) {
        const int n = int(std::min(kBlock, count - first));
        for (int i = 0; i < n; ++i)
            ts[i] = values[first + std::uint64_t(i)];
        equation.EvalMany(ts, n, rs, failures);
        for (int i = 0; i < n; ++i) {
            if (failures[i])
                continue;
            const double t = double(ts[i]);
            const float x = float(rs[i] * std::cos(t));
            const float y = float(rs[i] * std::sin(t));
            if (std::isfinite(x) && std::isfinite(y))
                computed.Keep(x, y);
        }
        counter.Count(std::uint64_t(n));
    }
    if (computed.points.empty())
        Refuse("Unable to evalute the function within the given range of t");
    return computed;
}

std::string SetName(const FunctionRequest& request)
{
    if (request.kind != FunctionKind::Parametric)
        return WithoutLineBreaks(request.formula);
    std::string name(1, '{');
    name += WithoutLineBreaks(request.formula);
    name += ", ";
    name += WithoutLineBreaks(request.formula2);
    name += '}';
    return name;
}

} // namespace

const char* FunctionCaption(FunctionKind kind)
{
    switch (kind) {
    case FunctionKind::Parametric: return "Parametric Equation Editor";
    case FunctionKind::Polar: return "Polar Equation Editor";
    default: return "Equation Editor";
    }
}

FunctionRequest DefaultFunctionRequest(FunctionKind kind, const Graph& graph)
{
    FunctionRequest request;
    request.kind = kind;
    double min = 0.0;
    double max = 1.0;
    if (kind == FunctionKind::Explicit) {
        const GraphRange range = graph.GetRange();
        min = range.xMin;
        max = range.xMax;
    } else if (kind == FunctionKind::Polar) {
        max = double(float(2.0 * std::numbers::pi));
    }
    char text[32];
    std::snprintf(text, sizeof text, "%g", min);
    request.min.assign(text);
    std::snprintf(text, sizeof text, "%g", max);
    request.max.assign(text);
    return request;
}

FunctionHistory& HistoryOf(CTarnDoc& doc, FunctionKind kind)
{
    switch (kind) {
    case FunctionKind::Parametric: return doc.m_parametricHistory;
    case FunctionKind::Polar: return doc.m_polarHistory;
    default: return doc.m_functionHistory;
    }
}

FunctionHistoryEntry EntryOf(const FunctionRequest& request)
{
    return {request.formula, request.formula2, request.points, request.min, request.max};
}

FunctionRequest RequestOf(FunctionKind kind, const FunctionHistoryEntry& entry)
{
    FunctionRequest request;
    request.kind = kind;
    request.formula = entry.formula;
    request.formula2 = entry.formula2;
    request.points = entry.points;
    request.min = entry.min;
    request.max = entry.max;
    return request;
}

bool ReadPointCount(const std::string& text, std::uint64_t& count)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return false;
    const std::size_t last = text.find_last_not_of(" \t");
    std::uint64_t value = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + std::uint64_t(c - '0');
        if (value > kMostFunctionPoints)
            return false;
    }
    if (value < 1)
        return false;
    count = value;
    return true;
}

std::string WithoutLineBreaks(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n')
            result += c;
    return result;
}

std::uint64_t ProgressStep(std::uint64_t count)
{
    if (count <= 100)
        return 10;
    const double step = std::pow(10.0, std::log10(double(count)) - 2.0);
    return std::max<std::uint64_t>(1, std::uint64_t(step));
}

int PlotFunction(Graph& graph, const FunctionRequest& request, Messages& messages,
                 const FunctionProgress& progress)
{
    std::uint64_t count = 0;
    if (!ReadPointCount(request.points, count)) {
        messages.Show(kPointCountMessage);
        return -1;
    }
    try {
        float min = 0;
        Computed computed;
        switch (request.kind) {
        case FunctionKind::Explicit: computed = PlotExplicit(request, count, progress, min); break;
        case FunctionKind::Parametric: computed = PlotParametric(request, count, progress); break;
        case FunctionKind::Polar: computed = PlotPolar(request, count, progress); break;
        }
        Plot result;
        for (const PlotPoint& point : computed.points)
            result.AddPoint(point.x, point.y);
        computed.points = {};
        result.m_info = SetName(request);
        result.m_xLog = graph.m_xLog;
        result.m_yLog = graph.m_yLog;
        // For y = f(x) the range minimum decides, for the curves the smallest x reached.
        const float smallestX = request.kind == FunctionKind::Explicit ? min : computed.smallestX;
        result.m_xPositive = smallestX > 0 ? 1 : 0;
        result.m_yPositive = computed.smallestY > 0 ? 1 : 0;
        result.m_pointStyle = kNoSymbol;
        result.m_lineStyle = kSolid;
        result.m_lineColor = 0x000000;
        const int index = AppendResultSet(graph, result);
        graph.ApplyLogFlags();
        graph.AutoScale(false, messages);
        graph.SyncPlotGeometry();
        return index;
    } catch (const Refusal& refusal) {
        messages.Show(refusal.text);
    } catch (const char* text) {
        messages.Show(text ? text : "Ooof! Unable to evaluate equation!");
    } catch (const std::bad_alloc&) {
        messages.Show(kFunctionNoMemory);
    } catch (const Error& error) {
        messages.Show(error.Text());
    } catch (...) {
        messages.Show("Ooof! Unable to evaluate equation!");
    }
    return -1;
}
