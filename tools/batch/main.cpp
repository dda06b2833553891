#include "model/temporary_files.h"
#include "platform/runtime_dir.h"
#include "tools/batch/analysis_commands.h"
#include "tools/batch/animate_command.h"
#include "tools/batch/audio_command.h"
#include "tools/batch/batch_usage.h"
#include "tools/batch/equation_commands.h"
#include "tools/batch/fit_commands.h"
#include "tools/batch/page_commands.h"

#include <QGuiApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    EnsureRuntimeDirectory();
    // SIGINT and SIGTERM remove the temporary files of unfinished writes.
    InstallTemporaryFileCleanup();
    // Rendering needs fonts and a paint engine but never a screen.
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    setenv("CORVID_MESSAGES", "stderr", 1);
    if (argc < 2) {
        std::fputs(BatchUsage(), stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(BatchUsage(), stdout);
        return 0;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);

    if (command == "eval")
        return RunEvalCommand(args, stdout, stderr);
    if (command == "field")
        return RunFieldCommand(args, stdout, stderr);
    if (command == "deriv")
        return RunDerivCommand(args, stdout, stderr);
    // Text output needs no Qt application; these make one only for an image.
    if (command == "function" || command == "fit") {
        try {
            return command == "fit" ? RunFitCommand(args, argv) : RunFunctionCommand(args, argv);
        } catch (const std::bad_alloc&) {
            std::fputs("message: There is not enough memory to finish this command.\n", stderr);
            return 1;
        } catch (const PageNotBuilt&) {
            return 1;
        }
    }

    using PageCommand = int (*)(const std::vector<std::string>&);
    PageCommand run = nullptr;
    if (command == "render")
        run = RunRenderCommand;
    else if (command == "info")
        run = RunInfoCommand;
    else if (command == "export")
        run = RunExportCommand;
    else if (command == "stats")
        run = RunStatsCommand;
    else if (command == "integrate")
        run = RunIntegrateCommand;
    else if (command == "histogram")
        run = RunHistogramCommand;
    else if (command == "diff")
        run = RunDiffCommand;
    else if (command == "audio")
        run = RunAudioCommand;
    else if (command == "animate")
        run = RunAnimateCommand;
    if (!run) {
        std::fprintf(stderr, "corvid-batch: unknown command \"%s\"\n\n%s", command.c_str(), BatchUsage());
        return 2;
    }
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    // Qt sets the locale from the environment; numbers are read and written in C style.
    std::setlocale(LC_NUMERIC, "C");
    try {
        return run(args);
    } catch (const std::bad_alloc&) {
        std::fputs("message: There is not enough memory to finish this command.\n", stderr);
        return 1;
    } catch (const PageNotBuilt&) {
        return 1; // the reason was shown; nothing was written
    }
}
