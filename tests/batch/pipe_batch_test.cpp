// corvid-batch with -pipe N: a stream read to its end before the page is used.
#include "tests/support/batch_run.h"
#include "tests/support/piped_process.h"
#include "tests/support/pipe_stream.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>

namespace {

PipedRun BatchWithPipe(std::vector<std::string> args, const std::string& bytes, const ScratchDir& dir)
{
    return RunWithPipe(BatchProgram(), std::move(args), bytes, dir.Path().string());
}

} // namespace

TEST(PipeBatch, InfoShowsThePipedSetInSendingOrder)
{
    const ScratchDir dir("corvid-pipe-batch");
    PipeStream s;
    s.Version().Byte(5).Text("Piped").NewSet("a").Point(1, 10).Point(2, 20).Point(3, 30).EndOfData();
    const PipedRun run = BatchWithPipe({"info", "--points", "-pipe", "@PIPE@"}, s.Bytes(), dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(Contains(run.out, "\"info\":\"a\"")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\"points\":[[1,10],[2,20],[3,30]]")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\"text\":\"Piped\"")) << run.out;
}

TEST(PipeBatch, FailuresAreMessagesAndTheRunFails)
{
    struct Row {
        const char* reason;
        std::string bytes;
        const char* message;
    };
    const Row rows[] = {
        {"version 3", PipeStream().Version(3).Bytes(), "Wrong Corvid Link version!"},
        {"no end message", "", "Can't read message header"},
        {"code 19", PipeStream().Byte(19).Bytes(), "Unknown message"},
        {"symbol size 11", PipeStream().Style(14, 11).Bytes(), "Illegal symbol size"},
        {"line width 6", PipeStream().Style(18, 6).Bytes(), "Illegal line size"},
        {"text length 2^31", PipeStream().Byte(5).Int(0x7FFFFFFF).Raw("abc").Bytes(), "Empty pipe!"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        const ScratchDir dir("corvid-pipe-batch");
        const std::string bytes = PipeStream().NewSet("kept").Point(1, 1).NewSet("open").Raw(row.bytes).Bytes();
        const PipedRun run = BatchWithPipe({"info", "-pipe", "@PIPE@"}, bytes, dir);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, std::string("message: ") + row.message + "\n");
        EXPECT_TRUE(Contains(run.out, "\"info\":\"kept\"")) << run.out;
        EXPECT_FALSE(Contains(run.out, "\"info\":\"open\"")) << run.out;
    }
}

TEST(PipeBatch, ExportMessagesWriteTheirImage)
{
    struct Row {
        int code;
        const char* name;
        const char* format;
    };
    // The message, not the name, chooses the format.
    const Row rows[] = {{28, "page.png", "PNG"}, {27, "page.bmp", "BMP"}, {28, "named.bmp", "PNG"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ScratchDir dir("corvid-pipe-batch");
        PipeStream s;
        s.NewSet("a").Point(1, 1).Point(2, 4).Export(row.code, row.name, 120, 90);
        const PipedRun run = BatchWithPipe({"render", "-pipe", "@PIPE@"}, s.Bytes(), dir);
        EXPECT_EQ(run.status, 0) << run.err;
        const std::string path = dir / row.name;
        QImage image;
        ASSERT_TRUE(image.load(QString::fromStdString(path), row.format));
        EXPECT_EQ(image.width(), 120);
        EXPECT_EQ(image.height(), 90);
    }
}

TEST(PipeBatch, ImpossibleExportSizesAreRefused)
{
    const ScratchDir dir("corvid-pipe-batch");
    const PipedRun run =
        BatchWithPipe({"render", "-pipe", "@PIPE@"}, PipeStream().Export(28, "x.png", 0, 100000).Bytes(), dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(run.err, "message: Unable to save/export file!\n")) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
}

TEST(PipeBatch, SaveMessageWritesTheDocument)
{
    // Message 26 saves the piped page as a document; reading that document
    // back gives the same page as the stream did.
    const ScratchDir dir("corvid-pipe-batch");
    const std::string stream = PipeStream().NewSet("a").Point(1, 1).Point(2, 4).SaveDocument("p.cvp").Bytes();
    const PipedRun run = BatchWithPipe({"info", "-pipe", "@PIPE@", "--points"}, stream, dir);
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_TRUE(std::filesystem::exists(dir / "p.cvp"));
    const PipedRun reread = BatchWithPipe({"info", std::string(dir / "p.cvp"), "--points"}, "", dir);
    EXPECT_EQ(reread.status, 0) << reread.err;
    // The halt flag is the reader's state, not part of the stored page, and
    // the file keeps no hollow-symbol flag: a set reads it from its colour.
    std::string piped = run.out;
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"\"pipeHalt\":1", "\"pipeHalt\":0"},
                                   {"\"pointColorNone\":1", "\"pointColorNone\":0"}}) {
        const std::size_t at = piped.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        piped.replace(at, from.size(), to);
    }
    EXPECT_EQ(reread.out, piped);
    EXPECT_TRUE(Contains(reread.out, "\"points\":[[1,1],[2,4]]")) << reread.out;
}

TEST(PipeBatch, ASaveThatFailsIsReported)
{
    const ScratchDir dir("corvid-pipe-batch");
    const PipedRun run = BatchWithPipe({"info", "-pipe", "@PIPE@"},
                                       PipeStream().NewSet("a").Point(1, 1).SaveDocument("no/such/p.cvp").Bytes(), dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(run.err, "message: Cannot save \"no/such/p.cvp\"")) << run.err;
    EXPECT_TRUE(Contains(run.err, "message: Unable to save/export file!\n")) << run.err;
}

TEST(PipeBatch, RenderWritesThePipedPageToo)
{
    const ScratchDir dir("corvid-pipe-batch");
    PipeStream s;
    s.NewSet("a").Point(1, 1).Point(3, 2).EndOfData();
    const PipedRun run = BatchWithPipe({"render", "-pipe", "@PIPE@", "-o", "out.png", "--size", "64x48"}, s.Bytes(), dir);
    EXPECT_EQ(run.status, 0) << run.err;
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(dir / "out.png")));
    EXPECT_EQ(image.size(), QSize(64, 48));
}

TEST(PipeBatch, ImportedFilesComeFirstAndTheLogFallBackIsShownOnce)
{
    const ScratchDir dir("corvid-pipe-batch");
    dir.Write("d.txt", "1 1\n2 4\n");
    PipeStream s;
    s.NewSet("zero").Point(1, 0).NewSet("neg").Point(2, -1).EndOfData();
    // The pipe number stands first: a pipe address clears the flags before it.
    const PipedRun run = BatchWithPipe({"info", "-pipe", "@PIPE@", "-logy", "-xy", "d.txt"}, s.Bytes(), dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "message: Can't compute log(n<=0) for piped data; Switching to a linear scale.\n");
    const std::size_t file = run.out.find("\"info\":\"d.txt\"");
    const std::size_t zero = run.out.find("\"info\":\"zero\"");
    const std::size_t neg = run.out.find("\"info\":\"neg\"");
    EXPECT_LT(zero, neg);
    EXPECT_NE(zero, std::string::npos) << run.out;
    EXPECT_TRUE(file == std::string::npos || file < zero);
    EXPECT_FALSE(Contains(run.out, "\"yLog\":1")) << run.out;
}

namespace {

const std::string kCorvid = std::string(CORVID_BINARY_DIR) + "/corvid";

} // namespace

TEST(PipeCorvid, OffscreenWindowReadsReportsAndCloses)
{
    const ScratchDir dir("corvid-pipe-desktop");
    const PipedRun closed = RunWithPipe(
        "/usr/bin/env", {"CORVID_MESSAGES=stderr", "QT_QPA_PLATFORM=offscreen", kCorvid, "-pipe", "@PIPE@"},
        PipeStream().NewSet("a").Point(1, 1).Export(28, "shot.png", 50, 40).Bytes(), dir.Path().string());
    EXPECT_EQ(closed.status, 0) << closed.err;
    EXPECT_FALSE(Contains(closed.err, "message:")) << closed.err;
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(dir / "shot.png"), "PNG"));
    EXPECT_EQ(image.size(), QSize(50, 40));
}

TEST(PipeCorvid, WithoutADisplayTheStreamIsReadBeforeThePageIsWritten)
{
    const ScratchDir dir("corvid-pipe-desktop");
    PipeStream s;
    s.NewSet("a").Point(1, 1).Point(2, 3).Style(18, 6).EndOfData();
    const PipedRun run = RunWithPipe(
        "/usr/bin/env", {"-u", "QT_QPA_PLATFORM", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", kCorvid, "-pipe", "@PIPE@"},
        s.Bytes(), dir.Path().string());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.err, "message: Illegal line size\n")) << run.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "corvid-page.png"));
}
