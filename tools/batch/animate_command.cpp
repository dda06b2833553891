#include "tools/batch/animate_command.h"

#include "document/tarn_doc.h"
#include "io/movie_recorder.h"
#include "io/movie_settings.h"
#include "model/messages.h"
#include "platform/page_frame_renderer.h"
#include "render/graph.h"
#include "tools/batch/batch_arguments.h"
#include "tools/batch/batch_usage.h"
#include "tools/batch/page_commands.h"
#include "tools/batch/page_options.h"

#include <cstdio>

// "WIDTHxHEIGHT" as two integers, each read as the dialog's fields read
// them, so 0x600 reaches the width check rather than the usage text.
static bool ParseFrameSize(const std::string& text, int& width, int& height)
{
    const std::size_t x = text.find('x');
    if (x == std::string::npos)
        return false;
    std::string ignored;
    return ReadIntegerField(text.substr(0, x), width, ignored) && ReadIntegerField(text.substr(x + 1), height, ignored);
}

// Reads the integer option `name` into `value` when given; false after the
// dialog's message for a value that is no integer.
static bool ReadOption(const BatchArguments& split, const char* name, int& value, Messages& messages)
{
    if (!split.Has(name))
        return true;
    std::string message;
    if (ReadIntegerField(split.Value(name), value, message))
        return true;
    messages.Show(message);
    return false;
}

int RunAnimateCommand(const std::vector<std::string>& args)
{
    BatchArguments split;
    int exitCode = 0;
    if (!SplitOrExplain("animate", args,
                        WithPageOptions({{"-o", true}, {"--output", true}, {"--from", true}, {"--to", true},
                                          {"--fps", true}, {"--size", true}, {"--codec", true}, {"--quality", true}}),
                        split, exitCode))
        return exitCode;
    MovieSettings settings;
    settings.fileName = split.Value("-o", split.Value("--output"));
    if (settings.fileName.empty()) {
        UsageError("animate", "give -o OUT.avi", exitCode);
        return exitCode;
    }
    settings.width = 800;
    settings.height = 600;
    if (split.Has("--size") && !ParseFrameSize(split.Value("--size"), settings.width, settings.height)) {
        UsageError("animate", "--size needs WIDTHxHEIGHT", exitCode);
        return exitCode;
    }
    const std::string codec = split.Value("--codec", "none");
    if (codec != "none" && codec != "mjpeg") {
        UsageError("animate", "--codec needs none or mjpeg", exitCode);
        return exitCode;
    }
    settings.codec = codec == "mjpeg" ? AviCodec::MotionJpeg : AviCodec::Uncompressed;
    if (split.Has("--quality")) {
        std::string ignored;
        if (!ReadIntegerField(split.Value("--quality"), settings.jpegQuality, ignored) || settings.jpegQuality < 1 ||
            settings.jpegQuality > 100) {
            UsageError("animate", "--quality needs 1 to 100", exitCode);
            return exitCode;
        }
    }

    StreamMessages messages;
    CTarnDoc doc;
    bool built = BuildPage(doc, split.positional, messages);
    if (!ApplyPageOptions(doc, split, "animate", messages, built, exitCode))
        return exitCode;
    Graph& graph = doc.CurrentGraph();
    graph.m_singlePlotOnly = 1;
    // The range fields start as the dialog's do: from the first set to the last.
    settings.renderAll = !split.Has("--from") && !split.Has("--to");
    settings.start = 0;
    settings.stop = graph.m_plots.Count() - 1;
    if (!ReadOption(split, "--from", settings.start, messages) || !ReadOption(split, "--to", settings.stop, messages) ||
        !ReadOption(split, "--fps", settings.framesPerSecond, messages))
        return 1;

    MovieProgress progress;
    if (!CheckMovieSettings(graph, settings, messages, progress))
        return 1;
    PageFrameRenderer renderer;
    if (RecordMovie(doc, settings, renderer, progress, messages) != MovieResult::Recorded)
        return 1;
    return built ? 0 : 1;
}
