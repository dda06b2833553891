#include "tools/batch/fit_commands.h"

#include "tools/batch/document_commands.h"

#include "analysis/curve_fit.h"
#include "analysis/fit_data.h"
#include "analysis/fit_options.h"
#include "analysis/fit_statistics.h"
#include "analysis/function_plot.h"
#include "document/tarn_doc.h"
#include "io/ascii_export.h"
#include "model/messages.h"
#include "platform/page_image.h"
#include "render/graph.h"
#include "tools/batch/batch_arguments.h"
#include "tools/batch/batch_usage.h"
#include "tools/batch/page_commands.h"
#include "tools/batch/style_options.h"

#include <QGuiApplication>

#include <cctype>
#include <clocale>
#include <cstdio>
#include <optional>

namespace {

const std::vector<OptionSpec> kOutputOptions = {
    {"-o", true}, {"--output", true}, {"--size", true}, {"--save", true}};

std::vector<OptionSpec> WithOutputOptions(std::vector<OptionSpec> options)
{
    options.insert(options.end(), kOutputOptions.begin(), kOutputOptions.end());
    return WithStyleOptions(options);
}

// Where a new set goes: the page image (-o), the document (--save), or the
// export text on standard output. Only an image needs the Qt application,
// so a command that prints text starts no more than it needs.
class Delivery {
public:
    Delivery(const BatchArguments& split, char** argv)
        : m_output(split.Value("-o", split.Value("--output"))), m_save(split.Value("--save")),
          m_argv(argv)
    {
    }

    // Checks --size; false (with `exitCode`) when it is malformed.
    bool Check(const char* command, const BatchArguments& split, int& exitCode)
    {
        if (split.Has("--size") && !ParseImageSize(split.Value("--size"), m_width, m_height))
            return UsageError(command, "--size needs WIDTHxHEIGHT, each 1 to 20000", exitCode);
        return true;
    }

    bool PrintsText() const { return m_output.empty() && m_save.empty(); }

    bool Deliver(CTarnDoc& doc, int graph, const std::vector<int>& sets, Messages& messages)
    {
        bool ok = true;
        if (!m_save.empty() && !SaveBatchDocument(doc, m_save, messages))
            ok = false;
        if (!m_output.empty()) {
            int qtArgc = 1;
            QGuiApplication application(qtArgc, m_argv);
            // Qt sets the locale from the environment; numbers stay in C style.
            std::setlocale(LC_NUMERIC, "C");
            const QString error =
                ExportPage(doc, QString::fromStdString(m_output), QSize(m_width, m_height));
            if (!error.isEmpty()) {
                messages.Show(error.toStdString());
                ok = false;
            }
        }
        if (PrintsText() && !sets.empty()) {
            const std::string text = ExportText(doc.m_graphs[std::size_t(graph)], sets);
            ok = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && ok;
        }
        return ok;
    }

private:
    std::string m_output;
    std::string m_save;
    int m_width = 800;
    int m_height = 600;
    char** m_argv;
};

// A parameter given on the command line: NAME=INIT[:MIN:MAX].
struct ParameterField {
    std::string name;
    ParameterEdits edits;
};

// Whether `argument` reads as NAME=...; the name is lowered, as the
// equation language lowers every name.
std::optional<ParameterField> ReadParameterField(const std::string& argument)
{
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos || equals == 0 ||
        !std::isalpha(static_cast<unsigned char>(argument[0])))
        return std::nullopt;
    ParameterField parameter;
    for (std::size_t i = 0; i < equals; ++i) {
        const unsigned char c = static_cast<unsigned char>(argument[i]);
        if (!std::isalnum(c) && c != '_')
            return std::nullopt;
        parameter.name += char(std::tolower(c));
    }
    const std::string rest = argument.substr(equals + 1);
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = rest.find(':', start);
        fields.push_back(rest.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    if (fields.size() > 3)
        return std::nullopt;
    // An empty field leaves that entry unset, as "???" and "---" do in the dialog.
    parameter.edits.init = fields[0];
    parameter.edits.min = fields.size() > 1 ? fields[1] : "";
    parameter.edits.max = fields.size() > 2 ? fields[2] : "";
    return parameter;
}

// Keeps a new set's index; false when it could not be made.
bool AddSet(std::vector<int>& sets, int index)
{
    if (index < 0)
        return false;
    sets.push_back(index);
    return true;
}

} // namespace

int RunFunctionCommand(const std::vector<std::string>& args, char** argv)
{
    BatchArguments split;
    int exitCode = 0;
    const auto options = WithOutputOptions({{"--fx", true},
                                            {"--xt", true},
                                            {"--yt", true},
                                            {"--rt", true},
                                            {"--min", true},
                                            {"--max", true},
                                            {"--points", true}});
    if (!SplitOrExplain("function", args, options, split, exitCode))
        return exitCode;
    const bool fx = split.Has("--fx");
    const bool parametric = split.Has("--xt") || split.Has("--yt");
    const bool polar = split.Has("--rt");
    if (int(fx) + int(parametric) + int(polar) != 1) {
        UsageError("function", "give one of --fx F, --xt X --yt Y or --rt R", exitCode);
        return exitCode;
    }
    if (parametric && !(split.Has("--xt") && split.Has("--yt"))) {
        UsageError("function", "--xt and --yt go together", exitCode);
        return exitCode;
    }
    Delivery delivery(split, argv);
    if (!delivery.Check("function", split, exitCode))
        return exitCode;
    StreamMessages messages;
    CTarnDoc doc;
    bool built = BuildPage(doc, split.positional, messages);
    if (!ApplyStyleOptions(doc, split, "function", messages, built, exitCode))
        return exitCode;
    const FunctionKind kind = fx ? FunctionKind::Explicit
                              : polar ? FunctionKind::Polar
                                      : FunctionKind::Parametric;
    FunctionRequest request = DefaultFunctionRequest(kind, doc.CurrentGraph());
    request.formula = split.Value(fx ? "--fx" : polar ? "--rt" : "--xt");
    request.formula2 = split.Value("--yt");
    request.points = split.Value("--points", request.points);
    request.min = split.Value("--min", request.min);
    request.max = split.Value("--max", request.max);
    const int set = PlotFunction(doc.CurrentGraph(), request, messages);
    if (set < 0)
        return 1;
    const bool delivered = delivery.Deliver(doc, doc.m_currentGraph, {set}, messages);
    return delivered && built ? 0 : 1;
}

int RunFitCommand(const std::vector<std::string>& args, char** argv)
{
    BatchArguments split;
    int exitCode = 0;
    const auto options = WithOutputOptions({{"--model", true},
                                            {"--set", true},
                                            {"--max-iter", true},
                                            {"--tol", true},
                                            {"--no-weight", false},
                                            {"--no-simplify", false},
                                            {"--save-curve", false},
                                            {"--residuals", false},
                                            {"--band", false},
                                            {"--values", false}});
    if (!SplitOrExplain("fit", args, options, split, exitCode))
        return exitCode;
    if (!split.Has("--model")) {
        UsageError("fit", "give the model with --model F", exitCode);
        return exitCode;
    }
    std::vector<std::string> pageArgs;
    std::vector<ParameterField> givenParameters;
    for (const std::string& argument : split.positional) {
        if (std::optional<ParameterField> parameter = ReadParameterField(argument))
            givenParameters.push_back(*parameter);
        else
            pageArgs.push_back(argument);
    }
    int setIndex = -1;
    if (split.Has("--set")) {
        std::vector<int> sets;
        if (!ParseSetList(split.Value("--set"), sets) || sets.size() != 1) {
            UsageError("fit", "--set needs one set number", exitCode);
            return exitCode;
        }
        setIndex = sets.front();
    }
    Delivery delivery(split, argv);
    if (!delivery.Check("fit", split, exitCode))
        return exitCode;

    StreamMessages messages;
    CTarnDoc doc;
    bool built = BuildPage(doc, pageArgs, messages);
    if (!ApplyStyleOptions(doc, split, "fit", messages, built, exitCode))
        return exitCode;
    Graph& graph = doc.CurrentGraph();
    CurveFit fit(graph, messages);

    FitOptions fitOptions = fit.Options();
    fitOptions.weight = split.Has("--no-weight") ? 0 : 1;
    fitOptions.simplify = split.Has("--no-simplify") ? 0 : 1;
    FitOptionsEntry entry = OptionsEntry(fitOptions);
    entry.maxIterations = split.Value("--max-iter", entry.maxIterations);
    entry.tolerance = split.Value("--tol", entry.tolerance);
    if (!ReadFitOptions(entry, fitOptions, messages))
        return 1;
    fit.SetOptions(fitOptions);

    // The set: the first one listed, as the dialog opens, or the one asked for.
    const std::vector<std::string> entries = fit.ListSets();
    int row = entries.empty() ? -1 : 0;
    if (setIndex >= 0) {
        row = -1;
        for (std::size_t i = 0; i < fit.ListedSets().size(); ++i)
            if (fit.ListedSets()[i] == setIndex)
                row = int(i);
        if (row < 0) {
            std::fprintf(stderr, "corvid-batch fit: the graph has no active set %d\n", setIndex);
            return 1;
        }
    }
    fit.SelectSet(row);
    if (row < 0)
        return 1;

    fit.m_fxText = split.Value("--model");
    if (!fit.Next({}))
        return 1;
    for (const ParameterField& parameter : givenParameters) {
        bool known = false;
        for (int i = 0; i < fit.ParameterCount(); ++i)
            known = known || fit.ParameterName(i) == parameter.name;
        if (!known) {
            UsageError("fit", "the model has no parameter '" + parameter.name + "'", exitCode);
            return exitCode;
        }
    }
    // Each parameter takes its entries as typed into the dialog's edits;
    // one without any is left "???".
    for (int i = 0; i < fit.ParameterCount(); ++i) {
        ParameterEdits edits{"???", "---", "---"};
        for (const ParameterField& parameter : givenParameters)
            if (fit.ParameterName(i) == parameter.name)
                edits = parameter.edits;
        fit.m_current = i;
        fit.StoreEdits(edits);
    }
    fit.m_current = 0;
    if (!fit.CheckEstimates())
        return 1;
    fit.m_stage = kFitAdjust;
    const FitOutcome outcome = fit.RunFit();
    if (outcome.end != FitEnd::Converged)
        return 1;
    if (split.Has("--values")) {
        // Every digit of each parameter and its error, for scripts.
        const std::vector<double> errors =
            DescribeFit(FitData::FromPlot(graph.m_plots.Get(fit.m_setIndex), fit.m_weight != 0),
                        outcome.chiSquare, outcome.covariance)
                .errors;
        for (int i = 0; i < fit.ParameterCount(); ++i)
            std::printf("%s %.17g %.17g\n", fit.ParameterName(i).c_str(), fit.m_params.Get(i).value,
                        errors[std::size_t(i)]);
    }
    std::vector<int> saved;
    const bool curve = split.Has("--save-curve");
    const bool residuals = split.Has("--residuals");
    const bool band = split.Has("--band");
    if (curve || residuals || band) {
        if (curve && !AddSet(saved, fit.SaveFit()))
            return 1;
        if (residuals && !AddSet(saved, fit.SaveResiduals()))
            return 1;
        if (band) {
            const int lower = fit.SaveConfidenceBand();
            if (!AddSet(saved, lower))
                return 1;
            saved.push_back(lower + 1);
        }
        fit.RemoveCurve();
    }
    // Without saved sets an image shows the fitted model as the graph's overlay curve.
    const bool delivered = delivery.Deliver(doc, doc.m_currentGraph, saved, messages);
    return delivered && built ? 0 : 1;
}
