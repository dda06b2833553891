#include "document/help_texts.h"
#include "document/page_json.h"
#include "document/tarn_command_line_info.h"
#include "document/tarn_doc.h"
#include "io/startup_actions.h"
#include "model/messages.h"
#include "platform/page_image.h"
#include "platform/runtime_dir.h"
#include "tools/batch/batch_options.h"
#include "tools/batch/equation_commands.h"

#include <QGuiApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

static const char* const kUsage =
    "usage: corvid-batch COMMAND [ARGUMENTS]\n"
    "\n"
    "  render [DOCUMENT] [-xy|-nxy|-xydx|-xydy|-xydxdy|-wav FILE...] [-logx|-logy|-logxy]\n"
    "         [-o IMAGE.png|.bmp|.svg|.pdf] [--size WxH] [--save DOCUMENT]\n"
    "  info   [same page arguments as render] [--points]\n"
    "  eval   EXPR [--simplify] [NAME=VALUE ...]\n"
    "  field  TEXT\n"
    "  deriv  EXPR VAR [--simplify] [NAME=VALUE ...]\n"
    "\n"
    "Messages are written to standard error as \"message: TEXT\" lines.\n";

/// Builds the page from the program's command line as `corvid` would.
/// Returns false when the page cannot be made (a document that cannot be opened).
static bool BuildPage(CTarnDoc& doc, const std::vector<std::string>& pageArgs, Messages& messages)
{
    TarnCommandLineInfo info = ParseStartupCommandLine(pageArgs, messages);
    if (info.m_nShellCommand == TarnCommandLineInfo::FileOpen) {
        messages.Show("Cannot open \"" + info.m_strFileName +
                      "\": reading saved documents is not available in this version.");
        return false;
    }
    RunStartupImports(doc, info, messages);
    if (info.help)
        messages.ShowText(kCommandLineHelpCaption, kCommandLineHelpText);
    if (info.pipe)
        doc.SetPipeNumber(info.pipeAddress);
    return true;
}

static int RunPageCommand(const std::string& command, const std::vector<std::string>& args)
{
    const BatchOptions options = ParseBatchOptions(args);
    if (!options.error.empty()) {
        std::fprintf(stderr, "corvid-batch %s: %s\n", command.c_str(), options.error.c_str());
        return 2;
    }
    if (command == "render" && options.output.empty() && options.save.empty()) {
        std::fprintf(stderr, "corvid-batch render: give -o IMAGE or --save DOCUMENT\n");
        return 2;
    }
    StreamMessages messages;
    CTarnDoc doc;
    if (!BuildPage(doc, options.pageArgs, messages))
        return 1;
    if (command == "info") {
        std::fputs(PageToJson(doc, options.points).c_str(), stdout);
        return 0;
    }
    if (!options.save.empty()) {
        messages.Show("Cannot save \"" + options.save +
                      "\": writing documents is not available in this version.");
        return 1;
    }
    const QString error = ExportPage(doc, QString::fromStdString(options.output),
                                     QSize(options.width, options.height));
    if (!error.isEmpty()) {
        messages.Show(error.toStdString());
        return 1;
    }
    return 0;
}

int main(int argc, char** argv)
{
    EnsureRuntimeDirectory();
    // Rendering needs fonts and a paint engine but never a screen.
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    setenv("CORVID_MESSAGES", "stderr", 1);
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);

    if (command == "eval")
        return RunEvalCommand(args, stdout, stderr);
    if (command == "field")
        return RunFieldCommand(args, stdout, stderr);
    if (command == "deriv")
        return RunDerivCommand(args, stdout, stderr);
    if (command != "render" && command != "info") {
        std::fprintf(stderr, "corvid-batch: unknown command \"%s\"\n\n%s", command.c_str(), kUsage);
        return 2;
    }
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return RunPageCommand(command, args);
}
