// End-to-end checks of corvid-batch animate: the movie read back, the
// dialog's refusals, and ffprobe's reading of the file where it is installed.
#include "tests/support/avi_reading.h"
#include "tests/support/batch_run.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// Five sets over the same x and y extent (each column a reordering of
// 0..3), so every set alone scales the graph as all of them together do.
const char kFiveSets[] = "0 0 3 1 2 0\n1 1 2 3 0 2\n2 2 1 0 3 3\n3 3 0 2 1 1\n";
const char kFirstSet[] = "0 0\n1 1\n2 2\n3 3\n";

std::string Shell(const std::string& command)
{
    std::string out;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

} // namespace

TEST(AnimateBatch, RecordsEverySetAtTheDialogsDefaults)
{
    ScratchDir dir;
    dir.Write("sets.dat", kFiveSets);
    const BatchRun run = RunBatchIn("animate -nxy sets.dat -o movie.avi", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "message: Movie creation successfull!\n");
    const AviContents avi = ReadAvi(dir / "movie.avi");
    ASSERT_TRUE(avi.ok) << avi.error;
    ExpectVideoStream(avi, 800, 600, 5, 15);
    EXPECT_EQ(avi.streamBuffer, 800u * 600u * 3u);
    EXPECT_EQ(avi.imageSize, 800u * 600u * 3u);
    ASSERT_EQ(avi.frames.size(), 5u);
    ASSERT_EQ(avi.index.size(), 5u);
    for (std::size_t f = 0; f < 5; ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(avi.index[f].code, "00db");
        EXPECT_EQ(avi.index[f].flags & 0x10u, 0x10u);
        EXPECT_EQ(avi.index[f].size, 800u * 600u * 3u);
        if (f > 0) {
            EXPECT_NE(avi.frames[f].data, avi.frames[f - 1].data) << "each frame shows another set";
        }
    }
}

TEST(AnimateBatch, AFrameIsThePageAsTheImageExportDrawsIt)
{
    // Set 0 shown alone in animation mode is the page of set 0 by itself.
    ScratchDir dir;
    dir.Write("sets.dat", kFiveSets);
    dir.Write("first.dat", kFirstSet);
    const BatchRun movie = RunBatchIn("animate -nxy sets.dat -o movie.avi --size 320x240 --to 1", dir);
    ASSERT_EQ(movie.status, 0) << movie.err;
    const BatchRun image = RunBatchIn("render -xy first.dat -o first.bmp --size 320x240", dir);
    ASSERT_EQ(image.status, 0) << image.err;
    const AviContents avi = ReadAvi(dir / "movie.avi");
    ASSERT_EQ(avi.frames.size(), 2u);
    std::ifstream file(dir / "first.bmp", std::ios::binary);
    const std::string bmp((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GT(bmp.size(), 54u);
    // Both store 24-bit rows bottom row first; 320 pixels need no padding.
    const std::string frame(avi.frames[0].data.begin(), avi.frames[0].data.end());
    EXPECT_TRUE(frame == bmp.substr(54)) << "frame 0 differs from the exported image";
}

TEST(AnimateBatch, TakesThePageOptionsOfRender)
{
    // Each page option changes the first frame exactly as it changes the page
    // that render draws with set 0 shown alone (animation mode switched on).
    const char* const rows[] = {
        "--title Sets --xtitle Time --ytitle-angle 45",
        "--legend info --legend-box cyan,red",
        "--x-axis grid=on,major=0.5 --y-axis labels=off",
        "--lines y=1.5:dashed --label 0.5,0.5,Hello",
        "--line-scaling 3 --font-scaling 2",
        "--plot-options animation=on,line-color=red,symbol=square",
    };
    ScratchDir dir;
    dir.Write("sets.dat", kFiveSets);
    const auto firstFrame = [&](const std::string& options) {
        const BatchRun run = RunBatchIn("animate -nxy sets.dat -o m.avi --size 320x240 --to 1 " + options, dir);
        EXPECT_EQ(run.status, 0) << run.err;
        const AviContents avi = ReadAvi(dir / "m.avi");
        return avi.frames.empty() ? std::string() : std::string(avi.frames[0].data.begin(), avi.frames[0].data.end());
    };
    const std::string plain = firstFrame("");
    ASSERT_FALSE(plain.empty());
    for (const char* options : rows) {
        SCOPED_TRACE(options);
        const std::string frame = firstFrame(options);
        const BatchRun image = RunBatchIn(std::string("render -nxy sets.dat -o page.bmp --size 320x240 "
                                                      "--plot-options animation=on ") + options, dir);
        ASSERT_EQ(image.status, 0) << image.err;
        const std::string bmp = ReadWholeFile(dir / "page.bmp");
        ASSERT_GT(bmp.size(), 54u);
        EXPECT_TRUE(frame == bmp.substr(54)) << "frame 0 differs from the page render draws";
        EXPECT_NE(frame, plain) << "the options changed the frame";
    }
}

TEST(AnimateBatch, RangeRateSizeAndCodecOptions)
{
    struct Row { const char* what; const char* options; std::uint32_t frames, rate, width, height; const char* chunk; };
    const Row rows[] = {
        {"selected range", "--from 1 --to 3 --fps 30 --size 320x240", 3, 30, 320, 240, "00db"},
        {"from alone runs to the last set", "--from 3 --size 64x48", 2, 15, 64, 48, "00db"},
        {"fps 120", "--fps 120 --size 64x48", 5, 120, 64, 48, "00db"},
        {"motion jpeg", "--codec mjpeg --size 160x120", 5, 15, 160, 120, "00dc"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDir dir;
        dir.Write("sets.dat", kFiveSets);
        const BatchRun run = RunBatchIn(std::string("animate -nxy sets.dat -o m.avi ") + row.options, dir);
        EXPECT_EQ(run.status, 0) << run.err;
        const AviContents avi = ReadAvi(dir / "m.avi");
        ASSERT_TRUE(avi.ok) << avi.error;
        EXPECT_EQ(avi.totalFrames, row.frames);
        EXPECT_EQ(avi.index.size(), row.frames);
        EXPECT_EQ(avi.rate, row.rate);
        EXPECT_EQ(avi.scale, 1u);
        EXPECT_EQ(avi.width, row.width);
        EXPECT_EQ(avi.height, row.height);
        ASSERT_FALSE(avi.frames.empty());
        EXPECT_EQ(avi.frames[0].code, row.chunk);
    }
}

TEST(AnimateBatch, RefusalsGiveTheDialogsMessagesAndWriteNothing)
{
    struct Row { const char* what; const char* data; const char* arguments; int status; const char* message; };
    const Row rows[] = {
        {"one set", kFirstSet, "-xy sets.dat -o m.avi", 1, "message: Please enter a valid step range!"},
        {"start equals stop", kFiveSets, "-nxy sets.dat -o m.avi --from 2 --to 2", 1,
         "message: Please enter a valid step range!"},
        {"fps 121", kFiveSets, "-nxy sets.dat -o m.avi --fps 121", 1,
         "message: Please enter a frame rate between 1 and 120"},
        {"fps 0", kFiveSets, "-nxy sets.dat -o m.avi --fps 0", 1,
         "message: Please enter a frame rate between 1 and 120"},
        {"fps not a number", kFiveSets, "-nxy sets.dat -o m.avi --fps 2.5", 1, "message: Please enter an integer."},
        {"width 0", kFiveSets, "-nxy sets.dat -o m.avi --size 0x600", 1, "message: Please enter a valid width"},
        {"width past an AVI frame", kFiveSets, "-nxy sets.dat -o m.avi --size 40000x10", 1,
         "message: Frame width out of bounds"},
        {"name .avi2", kFiveSets, "-nxy sets.dat -o m.avi2", 1,
         "message: The AVI output file MUST end with a '.avi' extension."},
        {"unknown codec", kFiveSets, "-nxy sets.dat -o m.avi --codec h264", 2, "--codec needs none or mjpeg"},
        {"no output", kFiveSets, "-nxy sets.dat", 2, "give -o OUT.avi"},
        {"malformed size", kFiveSets, "-nxy sets.dat -o m.avi --size 300", 2, "--size needs WIDTHxHEIGHT"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDir dir;
        dir.Write("sets.dat", row.data);
        const BatchRun run = RunBatchIn(std::string("animate ") + row.arguments, dir);
        EXPECT_EQ(run.status, row.status);
        EXPECT_TRUE(Contains(run.err, row.message)) << run.err;
        EXPECT_FALSE(Contains(run.err, "successfull"));
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            EXPECT_EQ(entry.path().filename(), "sets.dat") << "nothing else is written";
    }
}

TEST(AnimateBatch, AcceptsNamesEndingInAviInAnyCase)
{
    for (const char* name : {"M.AVI", ".avi", "x.aVi"}) {
        SCOPED_TRACE(name);
        ScratchDir dir;
        dir.Write("sets.dat", kFiveSets);
        const BatchRun run = RunBatchIn(std::string("animate -nxy sets.dat --size 32x24 -o '") + name + "'", dir);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadAvi(dir / name).totalFrames, 5u);
    }
}

TEST(AnimateBatch, FfprobeReadsTheRecordedMovie)
{
    if (std::system("command -v ffprobe >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ffprobe is not installed";
    struct Row { const char* codec; const char* name; };
    for (const Row row : {Row{"none", "rawvideo"}, Row{"mjpeg", "mjpeg"}}) {
        SCOPED_TRACE(row.codec);
        ScratchDir dir;
        dir.Write("sets.dat", kFiveSets);
        const BatchRun run =
            RunBatchIn(std::string("animate -nxy sets.dat -o m.avi --size 320x240 --fps 25 --codec ") + row.codec, dir);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string probe = Shell("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                                        "stream=codec_name,width,height,r_frame_rate,nb_read_frames "
                                        "-of default=noprint_wrappers=1 '" + (dir / "m.avi") + "' 2>&1");
        EXPECT_TRUE(Contains(probe, std::string("codec_name=") + row.name + "\n")) << probe;
        EXPECT_TRUE(Contains(probe, "width=320\n")) << probe;
        EXPECT_TRUE(Contains(probe, "height=240\n")) << probe;
        EXPECT_TRUE(Contains(probe, "r_frame_rate=25/1\n")) << probe;
        EXPECT_TRUE(Contains(probe, "nb_read_frames=5\n")) << probe;
    }
}
