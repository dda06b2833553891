#include "tools/batch/page_commands.h"

#include "document/help_texts.h"
#include "document/page_json.h"
#include "document/tarn_command_line_info.h"
#include "document/tarn_doc.h"
#include "io/ascii_export.h"
#include "io/startup_actions.h"
#include "model/messages.h"
#include "platform/page_image.h"
#include "render/graph.h"
#include "tools/batch/annotation_options.h"
#include "tools/batch/axis_options.h"
#include "tools/batch/batch_arguments.h"
#include "tools/batch/batch_usage.h"
#include "tools/batch/document_commands.h"
#include "tools/batch/page_options.h"
#include "tools/batch/pipe_command.h"
#include "tools/batch/style_options.h"

#include <cstdio>

bool BuildPage(CTarnDoc& doc, const std::vector<std::string>& pageArgs, Messages& messages)
{
    bool parsed = true;
    TarnCommandLineInfo info = ParseStartupCommandLine(pageArgs, messages, &parsed);
    if (info.m_nShellCommand == TarnCommandLineInfo::FileOpen &&
        !OpenBatchDocument(doc, info.m_strFileName, messages)) {
        info.files.Clear();
        throw PageNotBuilt{};
    }
    const bool imported = RunStartupImports(doc, info, messages);
    info.files.Clear();
    if (!imported)
        throw PageNotBuilt{};
    if (info.help)
        messages.ShowText(kCommandLineHelpCaption, kCommandLineHelpText);
    bool piped = true;
    if (info.pipe) {
        doc.SetPipeNumber(info.pipeAddress);
        piped = ReadBatchPipe(doc, messages);
    }
    return parsed && piped;
}

bool SplitOrExplain(const char* command, const std::vector<std::string>& args,
                    const std::vector<OptionSpec>& options, BatchArguments& split, int& exitCode)
{
    split = SplitArguments(args, options);
    if (split.Has("--help") || split.Has("-h")) {
        std::fputs(BatchUsage(), stdout);
        exitCode = 0;
        return false;
    }
    if (!split.error.empty())
        return UsageError(command, split.error, exitCode);
    return true;
}

int RunRenderCommand(const std::vector<std::string>& args)
{
    BatchArguments split;
    int exitCode = 0;
    const std::vector<OptionSpec> options =
        WithPageOptions({{"-o", true}, {"--output", true}, {"--size", true}, {"--save", true}});
    if (!SplitOrExplain("render", args, options, split, exitCode))
        return exitCode;
    const std::string output = split.Value("-o", split.Value("--output"));
    const std::string save = split.Value("--save");
    int width = 800, height = 600;
    if (split.Has("--size") && !ParseImageSize(split.Value("--size"), width, height)) {
        UsageError("render", "--size needs WIDTHxHEIGHT, each 1 to 20000", exitCode);
        return exitCode;
    }
    // A stream may bring its own output with its end message.
    if (output.empty() && save.empty() && !NamesPipe(split.positional)) {
        UsageError("render", "give -o IMAGE or --save DOCUMENT", exitCode);
        return exitCode;
    }
    StreamMessages messages;
    CTarnDoc doc;
    bool ok = BuildPage(doc, split.positional, messages);
    if (!ApplyPageOptions(doc, split, "render", messages, ok, exitCode))
        return exitCode;
    if (!save.empty() && !SaveBatchDocument(doc, save, messages))
        ok = false;
    if (!output.empty()) {
        const QString error = ExportPage(doc, QString::fromStdString(output), QSize(width, height));
        if (!error.isEmpty()) {
            messages.Show(error.toStdString());
            ok = false;
        }
    }
    return ok ? 0 : 1;
}

int RunInfoCommand(const std::vector<std::string>& args)
{
    BatchArguments split;
    int exitCode = 0;
    std::vector<OptionSpec> options{{"--points", false}, {"--x-axis", true}, {"--y-axis", true}};
    options.insert(options.end(), kAnnotationOptions.begin(), kAnnotationOptions.end());
    options = WithStyleOptions(options);
    if (!SplitOrExplain("info", args, options, split, exitCode))
        return exitCode;
    StreamMessages messages;
    CTarnDoc doc;
    bool ok = BuildPage(doc, split.positional, messages);
    if (!ApplyAxisOptions(doc, split, "info", messages, ok, exitCode))
        return exitCode;
    if (!ApplyAnnotationOptions(doc, split, "info", messages, ok, exitCode))
        return exitCode;
    if (!ApplyStyleOptions(doc, split, "info", messages, ok, exitCode))
        return exitCode;
    std::fputs(PageToJson(doc, split.Has("--points")).c_str(), stdout);
    return ok ? 0 : 1;
}

int RunExportCommand(const std::vector<std::string>& args)
{
    BatchArguments split;
    int exitCode = 0;
    if (!SplitOrExplain("export", args, WithStyleOptions({{"-o", true}, {"--output", true}, {"--sets", true}}),
                        split, exitCode))
        return exitCode;
    std::vector<int> sets;
    if (split.Has("--sets") && !ParseSetList(split.Value("--sets"), sets)) {
        UsageError("export", "--sets needs set numbers separated by commas, as 0,2", exitCode);
        return exitCode;
    }
    StreamMessages messages;
    CTarnDoc doc;
    bool ok = BuildPage(doc, split.positional, messages);
    if (!ApplyStyleOptions(doc, split, "export", messages, ok, exitCode))
        return exitCode;
    const Graph& graph = doc.CurrentGraph();
    if (!split.Has("--sets")) {
        for (int i = 0; i < graph.m_plots.Count(); ++i)
            sets.push_back(i);
    }
    for (int index : sets) {
        if (index >= graph.m_plots.Count()) {
            std::fprintf(stderr, "corvid-batch export: the graph has no set %d (it holds %d)\n", index,
                         graph.m_plots.Count());
            return 1;
        }
    }
    const std::string output = split.Value("-o", split.Value("--output"));
    if (output.empty() || output == "-") {
        const std::string text = ExportText(graph, sets);
        ok = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && ok;
    } else {
        ok = ExportData(graph, sets, output, messages) && ok;
    }
    return ok ? 0 : 1;
}
