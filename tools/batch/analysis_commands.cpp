#include "tools/batch/analysis_commands.h"

#include "analysis/differences.h"
#include "analysis/histogram.h"
#include "analysis/integration.h"
#include "analysis/set_selection.h"
#include "analysis/statistics.h"
#include "document/tarn_doc.h"
#include "equation/evalfield.h"
#include "io/ascii_export.h"
#include "model/messages.h"
#include "platform/page_image.h"
#include "render/graph.h"
#include "tools/batch/batch_arguments.h"
#include "tools/batch/batch_usage.h"
#include "tools/batch/style_options.h"
#include "tools/batch/document_commands.h"
#include "tools/batch/page_commands.h"

#include <cmath>
#include <cstdio>

namespace {

// What every analysis command reads before it computes.
struct AnalysisPage {
    StreamMessages messages;
    CTarnDoc doc;
    bool built = false;
};

// Builds the page and marks the chosen sets of the current graph selected:
// those of --sets, or every set. False (with `exitCode`) when --sets is
// malformed or names a set the graph does not have.
bool PreparePage(const char* command, const BatchArguments& split, AnalysisPage& page,
                 int& exitCode)
{
    std::vector<int> sets;
    if (split.Has("--sets") && !ParseSetList(split.Value("--sets"), sets))
        return UsageError(command, "--sets needs set numbers separated by commas, as 0,2", exitCode);
    page.built = BuildPage(page.doc, split.positional, page.messages);
    if (!ApplyStyleOptions(page.doc, split, command, page.messages, page.built, exitCode))
        return false;
    Graph& graph = page.doc.CurrentGraph();
    for (int index : sets) {
        if (index >= graph.m_plots.Count()) {
            std::fprintf(stderr, "corvid-batch %s: the graph has no set %d (it holds %d)\n", command,
                         index, graph.m_plots.Count());
            exitCode = 1;
            return false;
        }
    }
    for (int i = 0; i < graph.m_plots.Count(); ++i)
        graph.m_plots.Get(i).m_selected = split.Has("--sets") ? 0 : 1;
    for (int index : sets)
        graph.m_plots.Get(index).m_selected = 1;
    return true;
}

// The options of the commands that make sets: where the result goes.
const std::vector<OptionSpec> kResultOptions = {
    {"--sets", true}, {"-o", true}, {"--output", true}, {"--size", true}, {"--save", true}};

std::vector<OptionSpec> WithResultOptions(std::vector<OptionSpec> options)
{
    options.insert(options.end(), kResultOptions.begin(), kResultOptions.end());
    return WithStyleOptions(options);
}

// Checks the output options of a set-making command before anything is computed.
bool CheckResultOptions(const char* command, const BatchArguments& split, int& width, int& height,
                        int& exitCode)
{
    width = 800;
    height = 600;
    if (split.Has("--size") && !ParseImageSize(split.Value("--size"), width, height))
        return UsageError(command, "--size needs WIDTHxHEIGHT, each 1 to 20000", exitCode);
    return true;
}

// Hands on the new sets: the page image (-o), the document (--save), or
// else their export text on standard output.
bool DeliverResult(const BatchArguments& split, AnalysisPage& page, const AddedSets& added,
                   int width, int height)
{
    const std::string output = split.Value("-o", split.Value("--output"));
    const std::string save = split.Value("--save");
    bool ok = true;
    if (!save.empty() && !SaveBatchDocument(page.doc, save, page.messages))
        ok = false;
    if (!output.empty()) {
        const QString error =
            ExportPage(page.doc, QString::fromStdString(output), QSize(width, height));
        if (!error.isEmpty()) {
            page.messages.Show(error.toStdString());
            ok = false;
        }
    }
    if (output.empty() && save.empty()) {
        const std::string text = ExportText(page.doc.m_graphs[std::size_t(added.graph)], added.sets);
        ok = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && ok;
    }
    return ok;
}

} // namespace

int RunStatsCommand(const std::vector<std::string>& args)
{
    BatchArguments split;
    int exitCode = 0;
    if (!SplitOrExplain("stats", args, WithStyleOptions({{"--sets", true}}), split, exitCode))
        return exitCode;
    AnalysisPage page;
    if (!PreparePage("stats", split, page, exitCode))
        return exitCode;
    const bool shown = ShowStatistics(page.doc.CurrentGraph(), page.messages);
    return shown && page.built ? 0 : 1;
}

int RunIntegrateCommand(const std::vector<std::string>& args)
{
    BatchArguments split;
    int exitCode = 0;
    if (!SplitOrExplain("integrate", args, WithStyleOptions({{"--sets", true}, {"--from", true}, {"--to", true}}),
                        split, exitCode))
        return exitCode;
    if (split.Has("--from") != split.Has("--to")) {
        UsageError("integrate", "--from and --to go together", exitCode);
        return exitCode;
    }
    AnalysisPage page;
    if (!PreparePage("integrate", split, page, exitCode))
        return exitCode;
    IntegrationLimits limits;
    limits.userDefined = split.Has("--from");
    if (limits.userDefined) {
        const std::string from = split.Value("--from"), to = split.Value("--to");
        if (!EvalField(from.c_str(), limits.from) || !std::isfinite(limits.from) ||
            !EvalField(to.c_str(), limits.to) || !std::isfinite(limits.to)) {
            page.messages.Show("Please enter a number.");
            return 1;
        }
    }
    const bool shown = ShowIntegration(page.doc.CurrentGraph(), limits, page.messages);
    return shown && page.built ? 0 : 1;
}

int RunHistogramCommand(const std::vector<std::string>& args)
{
    BatchArguments split;
    int exitCode = 0;
    const auto options = WithResultOptions({{"--width", true},
                                            {"--bins", true},
                                            {"--start", true},
                                            {"--end", true},
                                            {"--normalize", false},
                                            {"--no-align", false}});
    if (!SplitOrExplain("histogram", args, options, split, exitCode))
        return exitCode;
    if (split.Has("--width") == split.Has("--bins")) {
        UsageError("histogram", "give either --width W or --bins N", exitCode);
        return exitCode;
    }
    if (!split.Has("--start") || !split.Has("--end")) {
        UsageError("histogram", "give --start S and --end E", exitCode);
        return exitCode;
    }
    int width = 0, height = 0;
    if (!CheckResultOptions("histogram", split, width, height, exitCode))
        return exitCode;
    AnalysisPage page;
    if (!PreparePage("histogram", split, page, exitCode))
        return exitCode;
    HistogramRequest request;
    request.byBinCount = split.Has("--bins");
    request.binWidth = split.Value("--width");
    request.binCount = split.Value("--bins");
    request.start = split.Value("--start");
    request.end = split.Value("--end");
    request.normalize = split.Has("--normalize");
    request.alignOnValue = !split.Has("--no-align");
    AddedSets added;
    if (!MakeHistograms(page.doc, request, page.messages, &added))
        return 1;
    const bool delivered = DeliverResult(split, page, added, width, height);
    return delivered && page.built ? 0 : 1;
}

int RunDiffCommand(const std::vector<std::string>& args)
{
    BatchArguments split;
    int exitCode = 0;
    if (!SplitOrExplain("diff", args, WithResultOptions({{"--left", false}, {"--right", false}}),
                        split, exitCode))
        return exitCode;
    if (split.Has("--left") && split.Has("--right")) {
        UsageError("diff", "give --left or --right, not both", exitCode);
        return exitCode;
    }
    int width = 0, height = 0;
    if (!CheckResultOptions("diff", split, width, height, exitCode))
        return exitCode;
    AnalysisPage page;
    if (!PreparePage("diff", split, page, exitCode))
        return exitCode;
    DerivativeRequest request;
    request.placement = split.Has("--left")    ? SlopePlacement::Left
                        : split.Has("--right") ? SlopePlacement::Right
                                               : SlopePlacement::Centered;
    AddedSets added;
    if (!MakeDerivatives(page.doc, request, page.messages, &added))
        return 1;
    const bool delivered = DeliverResult(split, page, added, width, height);
    return delivered && page.built ? 0 : 1;
}
