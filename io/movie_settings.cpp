#include "io/movie_settings.h"

#include "model/messages.h"
#include "render/graph.h"

#include <cctype>
#include <climits>
#include <cstdio>

bool HasAviExtension(const std::string& name)
{
    static const char kExtension[] = ".avi";
    if (name.size() < 4)
        return false;
    for (std::size_t i = 0; i < 4; ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - 4 + i])) != kExtension[i])
            return false;
    return true;
}

bool CheckMovieSettings(const Graph& graph, MovieSettings& settings, Messages& messages,
                        MovieProgress& progress)
{
    if (!graph.m_singlePlotOnly) {
        messages.Show("Please enable plot animation in the Plot Options dialog before exporting a movie.");
        return false;
    }
    const int last = graph.m_plots.Count() - 1;
    if (settings.renderAll) {
        settings.start = 0;
        settings.stop = last;
    }
    if (!(0 <= settings.start && settings.start < settings.stop && settings.stop <= last)) {
        messages.Show("Please enter a valid step range!");
        return false;
    }
    progress.SetSteps(settings.stop - settings.start + 1);
    if (settings.framesPerSecond < 1 || settings.framesPerSecond > kMaxMovieFrameRate) {
        char text[64];
        std::snprintf(text, sizeof text, "Please enter a frame rate between 1 and %d", kMaxMovieFrameRate);
        messages.Show(text);
        return false;
    }
    if (settings.width <= 0) {
        messages.Show("Please enter a valid width");
        return false;
    }
    if (settings.height <= 0) {
        messages.Show("Please enter a valid height");
        return false;
    }
    if (settings.fileName.empty()) {
        messages.Show("Please enter a file name");
        return false;
    }
    if (!HasAviExtension(settings.fileName)) {
        messages.Show("The AVI output file MUST end with a '.avi' extension.");
        return false;
    }
    return true;
}
