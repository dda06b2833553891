#include "tools/batch/audio_command.h"

#include "document/tarn_doc.h"
#include "io/audio_channel.h"
#include "io/audio_output.h"
#include "model/error.h"
#include "model/messages.h"
#include "render/graph.h"
#include "tools/batch/batch_arguments.h"
#include "tools/batch/batch_usage.h"
#include "tools/batch/style_options.h"
#include "tools/batch/page_commands.h"

#include <cstdio>

static bool ReadRate(const std::string& text, int& rate)
{
    for (int choice : kAudioRates) {
        if (text == std::to_string(choice)) {
            rate = choice;
            return true;
        }
    }
    return false;
}

int RunAudioCommand(const std::vector<std::string>& args)
{
    BatchArguments split;
    int exitCode = 0;
    if (!SplitOrExplain("audio", args,
                        WithStyleOptions({{"-o", true}, {"--output", true}, {"--sets", true}, {"--rate", true},
                         {"--duration", true}, {"--volume", true}}),
                        split, exitCode))
        return exitCode;
    const std::string output = split.Value("-o", split.Value("--output"));
    if (output.empty()) {
        UsageError("audio", "give -o OUT.wav", exitCode);
        return exitCode;
    }
    std::vector<int> sets{0};
    if (split.Has("--sets") && (!ParseSetList(split.Value("--sets"), sets) || sets.empty() || sets.size() > 2)) {
        UsageError("audio", "--sets needs one set number (mono) or two separated by a comma (stereo)", exitCode);
        return exitCode;
    }
    AudioRequest request;
    if (split.Has("--rate") && !ReadRate(split.Value("--rate"), request.rate)) {
        UsageError("audio", "--rate needs 8000, 11025, 22050 or 44100", exitCode);
        return exitCode;
    }
    request.stereo = sets.size() == 2;
    request.leftSet = sets[0];
    request.rightSet = request.stereo ? sets[1] : -1;

    StreamMessages messages;
    CTarnDoc doc;
    bool built = BuildPage(doc, split.positional, messages);
    if (!ApplyStyleOptions(doc, split, "audio", messages, built, exitCode))
        return exitCode;
    const Graph& graph = doc.CurrentGraph();
    for (int index : sets) {
        if (index >= graph.m_plots.Count()) {
            std::fprintf(stderr, "corvid-batch audio: the graph has no set %d (it holds %d)\n", index,
                         graph.m_plots.Count());
            return 1;
        }
    }
    // The fields as the dialog reads them; the duration follows the chosen set.
    std::string message;
    request.duration = XSpan(graph.m_plots.Get(request.leftSet));
    if (split.Has("--duration") && !ReadDurationField(split.Value("--duration"), request.duration, message)) {
        messages.Show(message);
        return 1;
    }
    if (split.Has("--volume") && !ReadVolumeField(split.Value("--volume"), request.volume, message)) {
        messages.Show(message);
        return 1;
    }
    if (!CheckAudioRequest(graph, request, messages))
        return 1;
    try {
        WriteAudioFile(graph, request, output);
    } catch (const Error& error) {
        messages.Show(error.Text());
        return 1;
    }
    return built ? 0 : 1;
}
