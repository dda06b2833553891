// The link stream over real pipes, through the end-of-stream steps into the page.
#include "document/tarn_doc.h"
#include "io/pipe_finish.h"
#include "io/pipe_result.h"
#include "model/colors.h"
#include "render/graph.h"
#include "tests/io/pipe_fixture.h"
#include "tests/render/test_messages.h"
#include "tests/support/pipe_stream.h"

#include <gtest/gtest.h>

#include <csignal>
#include <thread>
#include <unistd.h>

namespace {

// A page that reads one stream from a real pipe, with what it showed.
struct PipedPage {
    CTarnDoc doc;
    RecordingMessages messages;
    RecordingEndings endings;
    std::vector<std::string> statuses;
    bool ok = false;

    // Writes `bytes` into a new pipe from another thread while the page reads
    // it; the writer then closes its end (as a client that ends).
    void Stream(const std::string& bytes)
    {
        std::signal(SIGPIPE, SIG_IGN);
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        std::thread writer([&] {
            std::size_t done = 0;
            while (done < bytes.size()) {
                const ssize_t n = ::write(ends[1], bytes.data() + done, bytes.size() - done);
                if (n <= 0)
                    break;
                done += std::size_t(n);
            }
            ::close(ends[1]);
        });
        messages.SetStatusHook([this](const std::string& text) { statuses.push_back(text); });
        doc.m_pipeNumber = ends[0];
        ok = ReadPipeInThisThread(doc, messages, endings);
        // A reader that stopped early leaves the writer nobody to write to.
        ::close(ends[0]);
        writer.join();
    }
    Graph& Graph0() { return doc.m_graphs[0]; }
};

std::vector<PlotPoint> Points(const Plot& plot)
{
    return {plot.m_points.begin(), plot.m_points.end()};
}

} // namespace

TEST(PipeStream, ThreePointsBecomeOneSetOfGraphZero)
{
    PipedPage page;
    page.Stream(PipeStream().Version().NewSet("a").Point(1, 10).Point(2, 20).Point(3, 30).EndOfData().Bytes());
    EXPECT_TRUE(page.ok);
    EXPECT_TRUE(page.messages.shown.empty());
    ASSERT_EQ(page.Graph0().m_plots.Count(), 1);
    const Plot& plot = page.Graph0().m_plots.Get(0);
    EXPECT_EQ(plot.m_info, "a");
    // Handed over into the reader's list, then copied into the graph: the
    // copy reverses, so the points are traversed in the order they were sent.
    EXPECT_EQ(Points(plot), (std::vector<PlotPoint>{{1, 10}, {2, 20}, {3, 30}}));
    EXPECT_EQ(page.statuses,
              (std::vector<std::string>{"Waiting for data ...", "Reading plot 0", "Closing pipe", "Ready"}));
    EXPECT_TRUE(page.doc.IsModified());
    EXPECT_EQ(page.doc.m_pipeNumber, 0);
    EXPECT_EQ(page.doc.m_pipeHalt, 1);
    // The graph rescaled to the data and gave the set its plot area.
    EXPECT_LE(page.Graph0().m_xMin, 1.0f);
    EXPECT_GE(page.Graph0().m_xMax, 3.0f);
    EXPECT_EQ(plot.m_left, page.Graph0().m_left);
    EXPECT_EQ(plot.m_xMax, page.Graph0().m_xMax);
}

TEST(PipeStream, AFailureIsShownOnceAndWhatCameBeforeStays)
{
    struct Row {
        const char* reason;
        std::string tail;
        const char* message;
    };
    const Row rows[] = {
        {"version 3", PipeStream().Version(3).Bytes(), "Wrong Corvid Link version!"},
        {"a stream without an end message", "", "Can't read message header"},
        {"code 19", PipeStream().Byte(19).EndOfData().Bytes(), "Unknown message"},
        {"the writer goes away inside a point", PipeStream().Byte(3).Real(2).Bytes(), "Empty pipe!"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        PipedPage page;
        page.Stream(PipeStream()
                        .Byte(5).Text("Kept title")
                        .Byte(21).Real(-5).Real(5)
                        .NewSet("kept").Point(1, 1).Point(2, 2)
                        .NewSet("open").Point(3, 3)
                        .Raw(row.tail)
                        .Bytes());
        EXPECT_FALSE(page.ok);
        ASSERT_FALSE(page.messages.shown.empty());
        EXPECT_EQ(page.messages.shown.front(), row.message);
        EXPECT_EQ(page.messages.shown.size(), 1u);
        ASSERT_EQ(page.Graph0().m_plots.Count(), 1);
        EXPECT_EQ(page.Graph0().m_plots.Get(0).m_info, "kept");
        EXPECT_EQ(page.Graph0().m_title.m_text, "Kept title");
        // Remembered ranges are applied after a failure too.
        EXPECT_EQ(page.Graph0().m_xMin, -5.0f);
        EXPECT_EQ(page.Graph0().m_xMax, 5.0f);
        EXPECT_EQ(page.statuses.back(), "Ready");
        EXPECT_EQ(page.doc.m_pipeNumber, 0);
    }
}

TEST(PipeStream, APointBeforeAnySetStopsReading)
{
    PipedPage page;
    page.Stream(PipeStream().Version().Point(1, 1).NewSet("never").EndOfData().Bytes());
    EXPECT_EQ(page.messages.shown, (std::vector<std::string>{"Can't read point data into NULL plot"}));
    EXPECT_EQ(page.Graph0().m_plots.Count(), 0);
    EXPECT_TRUE(page.doc.IsModified());
}

TEST(PipeStream, PipedSetsFollowTheSetsAlreadyThere)
{
    PipedPage page;
    Plot existing;
    existing.m_info = "loaded";
    page.Graph0().m_plots.Append(existing);
    page.Stream(PipeStream().NewSet("first").Point(1, 1).NewSet("second").Point(2, 2).EndOfData().Bytes());
    ASSERT_EQ(page.Graph0().m_plots.Count(), 3);
    EXPECT_EQ(page.Graph0().m_plots.Get(0).m_info, "loaded");
    EXPECT_EQ(page.Graph0().m_plots.Get(1).m_info, "first");
    EXPECT_EQ(page.Graph0().m_plots.Get(2).m_info, "second");
    // The colour cycle runs within the stream: its first set keeps black.
    EXPECT_EQ(page.Graph0().m_plots.Get(1).m_lineColor, ColorFromCode(kBlack));
    EXPECT_EQ(page.Graph0().m_plots.Get(2).m_lineColor, ColorFromCode(kRed));
}

TEST(PipeStream, ALogAxisTheDataCannotShowFallsBackOnceWithOneMessage)
{
    struct Row {
        const char* reason;
        int xLog, yLog;
        std::string sets;
        int xAfter, yAfter;
        bool message;
    };
    const Row rows[] = {
        {"y = 0 on a log y axis, in two sets", 1, 1,
         PipeStream().NewSet("a").Point(1, 0).NewSet("b").Point(2, 0).Bytes(), 1, 0, true},
        {"x error reaching 0 on log x", 1, 0,
         PipeStream().NewSet("a", true).Point(1, 5).Real(-2).Bytes(), 0, 0, true},
        {"positive data keeps both", 1, 1, PipeStream().NewSet("a").Point(1, 5).Bytes(), 1, 1, false},
        {"linear axes ask nothing", 0, 0, PipeStream().NewSet("a").Point(-1, -5).Bytes(), 0, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        PipedPage page;
        page.Graph0().m_xLog = row.xLog;
        page.Graph0().m_yLog = row.yLog;
        page.Stream(PipeStream().Raw(row.sets).EndOfData().Bytes());
        const std::vector<std::string> expected =
            row.message ? std::vector<std::string>{"Can't compute log(n<=0) for piped data; Switching to a linear scale."}
                        : std::vector<std::string>{};
        EXPECT_EQ(page.messages.shown, expected);
        EXPECT_EQ(page.Graph0().m_xLog, row.xAfter);
        EXPECT_EQ(page.Graph0().m_yLog, row.yAfter);
        // Every set draws with the graph's scales.
        for (int i = 0; i < page.Graph0().m_plots.Count(); ++i) {
            EXPECT_EQ(page.Graph0().m_plots.Get(i).m_xLog, row.xAfter);
            EXPECT_EQ(page.Graph0().m_plots.Get(i).m_yLog, row.yAfter);
        }
    }
}

TEST(PipeStream, RangesAndTicksApplyAtTheEnd)
{
    PipedPage page;
    page.Stream(PipeStream()
                    .Byte(21).Real(0).Real(1)
                    .Byte(22).Real(-2).Real(-0.5f)
                    .NewSet("a").Point(1, 1).Point(50, 70)
                    .Byte(21).Real(10).Real(20)
                    .Byte(23).Real(-1).Real(3)
                    .Byte(24).Real(0.75f).Real(0.25f)
                    .EndOfData()
                    .Bytes());
    EXPECT_TRUE(page.ok);
    const Graph& graph = page.Graph0();
    EXPECT_EQ(graph.m_xMin, 10.0f);
    EXPECT_EQ(graph.m_xMax, 20.0f);
    EXPECT_EQ(graph.m_yMin, -1.0f);
    EXPECT_EQ(graph.m_yMax, 3.0f);
    for (const Axis* axis : {&graph.m_bottomAxis, &graph.m_topAxis}) {
        EXPECT_EQ(axis->m_majorSpacing, 2.0f);
        EXPECT_EQ(axis->m_minorSpacing, 0.5f);
    }
    for (const Axis* axis : {&graph.m_leftAxis, &graph.m_rightAxis}) {
        EXPECT_EQ(axis->m_majorSpacing, 0.75f);
        EXPECT_EQ(axis->m_minorSpacing, 0.25f);
    }
    // Equal bounds are the graph's own message.
    PipedPage equal;
    equal.Stream(PipeStream().NewSet("a").Point(1, 1).Byte(23).Real(2).Real(2).EndOfData().Bytes());
    EXPECT_EQ(equal.messages.shown,
              (std::vector<std::string>{"Y coordinate range is too small! Restoring default XY range."}));
}

TEST(PipeStream, TitlesAndFontSizesChangeGraphZero)
{
    PipedPage page;
    page.doc.m_graphs.emplace_back(); // graph 0 is written even when not current
    page.doc.m_currentGraph = 1;
    page.Stream(PipeStream()
                    .Byte(5).Text("Signal")
                    .Byte(6).Int(24)
                    .Byte(7).Text("time (s)")
                    .Byte(8).Int(10)
                    .Byte(9).Text("")
                    .EndOfData()
                    .Bytes());
    const Graph& graph = page.doc.m_graphs[0];
    EXPECT_EQ(graph.m_title.m_text, "Signal");
    EXPECT_EQ(graph.m_title.m_font.height, -24);
    EXPECT_EQ(graph.m_xLabel.m_text, "time (s)");
    EXPECT_EQ(graph.m_xLabel.m_font.height, -10);
    EXPECT_EQ(graph.m_yLabel.m_text, "");
    EXPECT_EQ(page.doc.m_graphs[1].m_title.m_text, "Graph");
}

TEST(PipeStream, EndMessagesSaveOrExportAndClose)
{
    struct Row {
        const char* reason;
        std::string end;
        std::vector<std::string> saved;
        std::vector<RecordingEndings::Export> exported;
    };
    const Row rows[] = {
        {"26 saves", PipeStream().SaveDocument("/tmp/some dir/page.cvp").Bytes(), {"/tmp/some dir/page.cvp"}, {}},
        {"27 exports a BMP", PipeStream().Export(27, "out.bmp", 640, 480).Bytes(), {},
         {{"out.bmp", kPipeExportBmpKind, 640, 480}}},
        {"28 exports a PNG", PipeStream().Export(28, "plot.png", 1, 2).Bytes(), {},
         {{"plot.png", kPipeExportPngKind, 1, 2}}},
        {"25 only closes", PipeStream().EndAndClose().Bytes(), {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        PipedPage page;
        page.Stream(PipeStream().NewSet("a").Point(1, 2).Raw(row.end).Bytes());
        EXPECT_TRUE(page.ok);
        EXPECT_TRUE(page.messages.shown.empty());
        EXPECT_EQ(page.endings.saved, row.saved);
        EXPECT_EQ(page.endings.exported, row.exported);
        EXPECT_EQ(page.Graph0().m_plots.Count(), 1);
        // Closing asks nothing: the modified mark is cleared.
        EXPECT_FALSE(page.doc.IsModified());
        EXPECT_EQ(page.doc.m_exportKind, kPipeExportNone) << "the pending export was carried out";
    }
}

TEST(PipeStream, AFailedSaveOrExportSaysSoAndStillEnds)
{
    for (int code : {26, 28}) {
        SCOPED_TRACE(code);
        PipedPage page;
        page.endings.succeed = false;
        const std::string end =
            code == 26 ? PipeStream().SaveDocument("x").Bytes() : PipeStream().Export(code, "x", 5, 5).Bytes();
        page.Stream(end);
        EXPECT_FALSE(page.ok);
        EXPECT_EQ(page.messages.shown, (std::vector<std::string>{"Unable to save/export file!"}));
    }
}

TEST(PipeStream, TheSaveComesAfterTheMergeAndCloseHooksComeInOrder)
{
    // The steps with hooks, as the desktop runs them.
    class OrderEndings : public RecordingEndings {
    public:
        bool SaveDocument(CTarnDoc& doc, const std::string& path, Messages& messages) override
        {
            order->push_back("save with " + std::to_string(doc.m_graphs[0].m_plots.Count()) + " set(s), pipe " +
                             std::to_string(doc.m_pipeNumber) + (doc.IsModified() ? ", modified" : ""));
            return RecordingEndings::SaveDocument(doc, path, messages);
        }
        std::vector<std::string>* order = nullptr;
    };
    std::vector<std::string> order;
    OrderEndings endings;
    endings.order = &order;
    CTarnDoc doc;
    RecordingMessages messages;
    PipeResult result;
    Plot plot;
    plot.m_handOver = 1;
    plot.AddPoint(1, 1);
    result.finished.Append(plot);
    result.saveOption = kPipeSaveDocument;
    result.saveFileName = "page";
    result.closeAfter = true;
    doc.m_pipeNumber = 9;
    PipeFinishHooks hooks;
    hooks.readingFinished = [&] { order.push_back("finished, pipe " + std::to_string(doc.m_pipeNumber)); };
    hooks.closeRequest = [&] { order.push_back(std::string("close") + (doc.IsModified() ? ", modified" : "")); };
    EXPECT_TRUE(FinishPipe(doc, result, messages, endings, hooks));
    EXPECT_EQ(order, (std::vector<std::string>{"finished, pipe 9", "save with 1 set(s), pipe 0, modified", "close"}));
    EXPECT_EQ(result.finished.Count(), 0);
}

TEST(PipeStream, ANumberThatNamesNoStreamFailsAtTheHeader)
{
    for (int number : {-3, 987654}) {
        SCOPED_TRACE(number);
        CTarnDoc doc;
        RecordingMessages messages;
        RecordingEndings endings;
        doc.m_pipeNumber = number;
        EXPECT_FALSE(ReadPipeInThisThread(doc, messages, endings));
        EXPECT_EQ(messages.shown, (std::vector<std::string>{"Can't read message header"}));
        EXPECT_EQ(doc.m_pipeNumber, 0);
    }
}
