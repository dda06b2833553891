#include "io/movie_recorder.h"

#include "document/tarn_doc.h"
#include "io/avi_writer.h"
#include "io/movie_frame_renderer.h"
#include "io/movie_settings.h"
#include "model/error.h"
#include "model/messages.h"
#include "render/graph.h"
#include "render/raster_image.h"

#include <cstdio>
#include <new>

namespace {

// Shows set `index` of the current graph for as long as it lives, and puts
// the shown set back however the frame ends.
class ShownSet {
public:
    ShownSet(Graph& graph, int index) : m_graph(graph), m_saved(graph.m_singlePlotIndex)
    {
        m_graph.m_singlePlotOnly = 1;
        m_graph.m_singlePlotIndex = index;
    }
    ~ShownSet() { m_graph.m_singlePlotIndex = m_saved; }
    ShownSet(const ShownSet&) = delete;
    ShownSet& operator=(const ShownSet&) = delete;

private:
    Graph& m_graph;
    int m_saved;
};

// Records frame `set` into `writer`; an empty string, or the failure's message.
std::string RecordFrame(CTarnDoc& doc, int set, MovieFrameRenderer& renderer, RasterImage& image,
                        AviWriter& writer)
{
    {
        ShownSet shown(doc.CurrentGraph(), set);
        if (!renderer.RenderFrame(doc, image)) {
            char text[96];
            std::snprintf(text, sizeof text, "There is not enough memory to draw frame %d.", set);
            return text;
        }
    }
    if (!writer.WriteFrame(image.Row(0), image.Stride()))
        return writer.Error();
    return {};
}

} // namespace

MovieResult RecordMovie(CTarnDoc& doc, const MovieSettings& checked, MovieFrameRenderer& renderer,
                        MovieProgress& progress, Messages& messages)
{
    MovieSettings settings = checked;
    progress.Busy(true);
    if (!progress.ChooseCompression(settings)) {
        progress.Busy(false);
        return MovieResult::Cancelled;
    }
    AviStreamFormat format;
    format.width = settings.width;
    format.height = settings.height;
    format.framesPerSecond = settings.framesPerSecond;
    format.codec = settings.codec;
    format.jpegQuality = settings.jpegQuality;

    std::string failure;
    bool stopped = false;
    AviWriter writer(settings.fileName);
    RasterImage image;
    try {
        if (!writer.Open(format))
            failure = writer.Error();
        else if (!image.Allocate(settings.width, settings.height))
            failure = "Couldn't set compressed AVI format!";
        for (int set = settings.start; failure.empty() && !stopped && set <= settings.stop; ++set) {
            failure = RecordFrame(doc, set, renderer, image, writer);
            if (failure.empty()) {
                progress.Step();
                stopped = set < settings.stop && progress.StopRequested();
            }
        }
    } catch (const Error& error) {
        failure = error.Text();
    } catch (const std::bad_alloc&) {
        failure = "There is not enough memory to finish the movie.";
    }
    // A movie that stops part way (failed or stopped by the user) is still
    // finished, so the frames recorded so far play; the first failure is the
    // one reported.
    if (writer.FramesWritten() > 0 && !writer.Finish() && failure.empty())
        failure = writer.Error();
    progress.Busy(false);
    if (!failure.empty()) {
        messages.Show(failure);
        return MovieResult::Failed;
    }
    if (stopped)
        return MovieResult::Stopped;
    messages.Show("Movie creation successfull!");
    return MovieResult::Recorded;
}
