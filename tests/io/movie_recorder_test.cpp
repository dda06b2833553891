// Recording a graph's sets as a movie, through a renderer that paints each
// frame from the set it is shown, read back from the written file.
#include "document/tarn_doc.h"
#include "io/movie_frame_renderer.h"
#include "io/movie_recorder.h"
#include "io/movie_settings.h"
#include "model/error.h"
#include "render/graph.h"
#include "render/raster_image.h"
#include "tests/render/test_messages.h"
#include "tests/support/avi_reading.h"
#include "tests/support/memory_limit.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Paints the top half of a frame in a grey of 40 x the shown set and the
// bottom half black, and notes which set each frame showed.
class SetPainter : public MovieFrameRenderer {
public:
    bool RenderFrame(CTarnDoc& doc, RasterImage& image) override
    {
        const Graph& graph = doc.CurrentGraph();
        shown.push_back(graph.m_singlePlotOnly ? graph.m_singlePlotIndex : -100);
        const int frame = int(shown.size()) - 1;
        if (frame == failAt)
            return false;
        if (frame == throwAt)
            throw Error("Legend drawing went wrong", "test", __LINE__);
        const auto grey = std::uint8_t(40 * graph.m_singlePlotIndex);
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width() * 3; ++x)
                image.Row(y)[x] = y < image.Height() / 2 ? grey : 0;
        return true;
    }
    std::vector<int> shown;
    int failAt = -1;
    int throwAt = -1;
};

struct NotedProgress : MovieProgress {
    void Step() override { ++steps; }
    void Busy(bool on) override { busy.push_back(on); }
    bool ChooseCompression(MovieSettings& settings) override
    {
        ++choices;
        settings.codec = codec;
        return !cancel;
    }
    int steps = 0;
    int choices = 0;
    std::vector<bool> busy;
    bool cancel = false;
    AviCodec codec = AviCodec::Uncompressed;
};

struct Recording {
    explicit Recording(int sets)
    {
        Graph& graph = doc.CurrentGraph();
        for (int i = 0; i < sets; ++i) {
            Plot plot;
            plot.AddPoint(float(i), 1.0f);
            graph.m_plots.Append(plot);
        }
        graph.m_singlePlotOnly = 1;
        graph.m_singlePlotIndex = 3;
        settings.fileName = dir / "movie.avi";
        settings.width = 64;
        settings.height = 48;
        settings.start = 0;
        settings.stop = sets - 1;
    }
    MovieResult Run() { return RecordMovie(doc, settings, painter, progress, messages); }

    ScratchDir dir;
    CTarnDoc doc;
    MovieSettings settings;
    SetPainter painter;
    NotedProgress progress;
    RecordingMessages messages;
};

} // namespace

TEST(MovieRecorder, FiveSetsMakeFiveFramesAndTheShownSetComesBack)
{
    Recording r(5);
    r.settings.framesPerSecond = 24;
    EXPECT_EQ(r.Run(), MovieResult::Recorded);
    EXPECT_EQ(r.messages.shown, std::vector<std::string>{"Movie creation successfull!"});
    EXPECT_EQ(r.painter.shown, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(r.doc.CurrentGraph().m_singlePlotIndex, 3);
    EXPECT_EQ(r.progress.steps, 5);
    EXPECT_EQ(r.progress.busy, (std::vector<bool>{true, false}));

    const AviContents avi = ReadAvi(r.settings.fileName);
    ASSERT_TRUE(avi.ok) << avi.error;
    ExpectVideoStream(avi, 64, 48, 5, 24);
    EXPECT_EQ(avi.bitCount, 24);
    EXPECT_EQ(avi.compression, 0u);
    ASSERT_EQ(avi.frames.size(), 5u);
    ASSERT_EQ(avi.index.size(), 5u);
    for (std::size_t f = 0; f < 5; ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(avi.frames[f].code, "00db");
        EXPECT_EQ(avi.frames[f].size, 64u * 48u * 3u);
        EXPECT_EQ(avi.index[f].code, "00db");
        EXPECT_EQ(avi.index[f].flags & 0x10u, 0x10u) << "every frame is a key frame";
        EXPECT_EQ(avi.index[f].size, avi.frames[f].size);
        // Rows are stored bottom row first: black, then the set's grey on top.
        const std::vector<std::uint8_t>& data = avi.frames[f].data;
        ASSERT_EQ(data.size(), 64u * 48u * 3u);
        EXPECT_EQ(data.front(), 0);
        EXPECT_EQ(data.back(), 40 * f);
    }
}

TEST(MovieRecorder, ASelectedRangeRecordsOnlyThoseSets)
{
    Recording r(6);
    r.settings.start = 1;
    r.settings.stop = 3;
    EXPECT_EQ(r.Run(), MovieResult::Recorded);
    EXPECT_EQ(r.painter.shown, (std::vector<int>{1, 2, 3}));
    const AviContents avi = ReadAvi(r.settings.fileName);
    EXPECT_EQ(avi.totalFrames, 3u);
    EXPECT_EQ(avi.index.size(), 3u);
    EXPECT_EQ(avi.frames.at(2).data.back(), 120) << "the last frame shows set 3";
}

TEST(MovieRecorder, CancellingTheCompressionChoiceEndsQuietly)
{
    Recording r(3);
    r.dir.Write("movie.avi", "old movie");
    r.progress.cancel = true;
    EXPECT_EQ(r.Run(), MovieResult::Cancelled);
    EXPECT_TRUE(r.messages.shown.empty());
    EXPECT_TRUE(r.painter.shown.empty());
    EXPECT_EQ(r.progress.busy, (std::vector<bool>{true, false})) << "the cursor is restored";
    EXPECT_EQ(FileText(r.settings.fileName), "old movie");
    EXPECT_EQ(r.doc.CurrentGraph().m_singlePlotIndex, 3);
}

TEST(MovieRecorder, AFailurePartWayKeepsThePlayableFramesBeforeIt)
{
    struct Row { const char* what; int failAt, throwAt; const char* message; };
    const Row rows[] = {
        {"drawing runs out of memory", 2, -1, "There is not enough memory to draw frame 2."},
        {"drawing raises an error", -1, 2, "Legend drawing went wrong"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Recording r(5);
        r.painter.failAt = row.failAt;
        r.painter.throwAt = row.throwAt;
        EXPECT_EQ(r.Run(), MovieResult::Failed);
        EXPECT_EQ(r.messages.shown, std::vector<std::string>{row.message});
        EXPECT_EQ(r.doc.CurrentGraph().m_singlePlotIndex, 3) << "restored although the frame failed";
        EXPECT_EQ(r.progress.steps, 2);
        EXPECT_EQ(r.progress.busy.back(), false);
        const AviContents avi = ReadAvi(r.settings.fileName);
        ASSERT_TRUE(avi.ok) << avi.error;
        EXPECT_EQ(avi.totalFrames, 2u);
        EXPECT_EQ(avi.frames.size(), 2u);
        EXPECT_EQ(avi.index.size(), 2u);
    }
}

TEST(MovieRecorder, AFailureOnTheFirstFrameLeavesTheOldFile)
{
    Recording r(3);
    r.dir.Write("movie.avi", "old movie");
    r.painter.failAt = 0;
    EXPECT_EQ(r.Run(), MovieResult::Failed);
    EXPECT_EQ(r.messages.shown, std::vector<std::string>{"There is not enough memory to draw frame 0."});
    EXPECT_EQ(FileText(r.settings.fileName), "old movie");
}

TEST(MovieRecorder, TheWritersRefusalsAreShown)
{
    struct Row { const char* what; void (*change)(MovieSettings&, const ScratchDir&); const char* message; };
    const Row rows[] = {
        {"a folder that does not exist",
         [](MovieSettings& s, const ScratchDir& d) { s.fileName = d / "no/such/folder/movie.avi"; },
         "Error opening the AVI file"},
        {"a frame wider than an AVI frame may be", [](MovieSettings& s, const ScratchDir&) { s.width = 40000; },
         "Frame width out of bounds"},
        {"a frame taller than an AVI frame may be", [](MovieSettings& s, const ScratchDir&) { s.height = 32768; },
         "Frame height out of bounds"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Recording r(3);
        row.change(r.settings, r.dir);
        EXPECT_EQ(r.Run(), MovieResult::Failed);
        EXPECT_EQ(r.messages.shown, std::vector<std::string>{row.message});
        EXPECT_TRUE(r.painter.shown.empty());
        EXPECT_FALSE(std::filesystem::exists(r.settings.fileName));
    }
}

TEST(MovieRecorder, MotionJpegFramesAreJpegPictures)
{
    Recording r(3);
    r.progress.codec = AviCodec::MotionJpeg;
    EXPECT_EQ(r.Run(), MovieResult::Recorded);
    const AviContents avi = ReadAvi(r.settings.fileName);
    ASSERT_TRUE(avi.ok) << avi.error;
    EXPECT_EQ(avi.handler, "MJPG");
    ASSERT_EQ(avi.frames.size(), 3u);
    for (std::size_t f = 0; f < 3; ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(avi.frames[f].code, "00dc");
        const std::vector<std::uint8_t>& data = avi.frames[f].data;
        ASSERT_GE(data.size(), 4u);
        EXPECT_TRUE(data[0] == 0xFF && data[1] == 0xD8) << "a JPEG start-of-image marker";
        EXPECT_EQ(avi.index[f].flags & 0x10u, 0x10u);
    }
}

TEST(MovieRecorder, AHugeFrameIsRefusedForMemoryWithoutACrash)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "the address-space limit cannot hold the sanitizer's shadow memory";
    ScratchDir dir;
    const std::string path = dir / "huge.avi";
    std::string output;
    const int status = RunWithMemoryLimit(
        std::size_t(512) << 20,
        [&](std::FILE* channel) {
            Recording r(3);
            r.settings.fileName = path;
            r.settings.width = 32767;
            r.settings.height = 32767;
            const MovieResult result = r.Run();
            for (const std::string& text : r.messages.shown)
                std::fprintf(channel, "%s\n", text.c_str());
            return result == MovieResult::Failed && r.painter.shown.empty() ? 0 : 1;
        },
        &output);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(output, "Couldn't set compressed AVI format!\n");
    EXPECT_FALSE(std::filesystem::exists(path));
}
