// The desktop side of the link pipe: reader thread, status line, Escape halt,
// end messages, with real pipes and the window offscreen.
#include "app/main_frame.h"
#include "app/tarn_view.h"
#include "document/tarn_doc.h"
#include "io/pipe_endings.h"
#include "platform/app_settings.h"
#include "render/graph.h"
#include "tests/io/pipe_fixture.h"
#include "tests/render/test_messages.h"
#include "tests/support/pipe_stream.h"
#include "tests/support/qt_application.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <unistd.h>

namespace {

// A main window whose document reads from a pipe that the test writes.
struct PipedFrame {
    PipedFrame() : frame((TestApplication(), doc), messages, settings)
    {
        std::signal(SIGPIPE, SIG_IGN);
        // The reader closes the descriptor it was given when it ends; the
        // test keeps its own copy of the read end.
        if (::pipe(ends) == 0)
            doc.m_pipeNumber = readerEnd = ::dup(ends[0]);
        auto recording = std::make_unique<RecordingEndings>();
        endings = recording.get();
        frame.View()->SetPipeEndings(std::move(recording));
        QObject::connect(frame.View(), &CTarnView::ReaderStatus, &frame,
                         [this](int, int) { panes.push_back(frame.StatusText(0).toStdString()); });
        QObject::connect(frame.View(), &CTarnView::PipeReadingEnded, &frame,
                         [this] { panes.push_back("ended"); }, Qt::QueuedConnection);
    }
    ~PipedFrame()
    {
        CloseWriter();
        CloseReader();
        if (!frame.View()->PipeStarted())
            ::close(readerEnd);
    }
    void CloseReader()
    {
        if (ends[0] >= 0)
            ::close(ends[0]);
        ends[0] = -1;
    }
    void Write(const std::string& bytes) { ASSERT_EQ(::write(ends[1], bytes.data(), bytes.size()), ssize_t(bytes.size())); }
    void CloseWriter()
    {
        if (ends[1] >= 0)
            ::close(ends[1]);
        ends[1] = -1;
    }
    // Runs the event loop until `done` holds; a guard against a hang, not a timing check.
    bool WaitFor(const std::function<bool()>& done)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > 20000)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(1);
        }
        return true;
    }
    bool WaitForReady()
    {
        return WaitFor([this] { return !panes.empty() && panes.back() == "ended"; });
    }
    Graph& Graph0() { return doc.m_graphs[0]; }

    int ends[2] = {-1, -1};
    int readerEnd = -1;
    CTarnDoc doc;
    RecordingMessages messages;
    AppSettings settings;
    CMainFrame frame;
    RecordingEndings* endings = nullptr;
    std::vector<std::string> panes;
};

void PressEscape(QWidget* widget)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

} // namespace

TEST(PipeView, StatusLineFollowsTheReaderAndTheSetArrives)
{
    PipedFrame f;
    f.frame.View()->StartPipe();
    EXPECT_EQ(f.frame.View()->cursor().shape(), Qt::BusyCursor);
    f.Write(PipeStream().Version().NewSet("a").Point(1, 10).Point(2, 20).Point(3, 30).EndOfData().Bytes());
    ASSERT_TRUE(f.WaitForReady());
    EXPECT_EQ(f.panes, (std::vector<std::string>{"Waiting for data ...", "Reading plot 0", "Closing pipe", "ended"}));
    EXPECT_EQ(f.frame.StatusText(0), "Ready");
    ASSERT_EQ(f.Graph0().m_plots.Count(), 1);
    EXPECT_EQ(f.Graph0().m_plots.Get(0).PointCount(), 3);
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_EQ(f.doc.m_pipeNumber, 0);
    EXPECT_EQ(f.doc.m_pipeHalt, 1);
    EXPECT_EQ(f.frame.View()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(f.messages.shown.empty());
    // Escape after reading has finished asks nothing.
    PressEscape(f.frame.View());
    EXPECT_TRUE(f.messages.asked.empty());
}

TEST(PipeView, TitlesArriveWhileTheReaderStillWaits)
{
    PipedFrame f;
    f.frame.View()->StartPipe();
    f.Write(PipeStream().Byte(5).Text("Live title").Byte(6).Int(30).Bytes());
    ASSERT_TRUE(f.WaitFor([&] { return f.Graph0().m_title.m_font.height == -30; }));
    EXPECT_EQ(f.Graph0().m_title.m_text, "Live title");
    EXPECT_TRUE(f.frame.View()->PipeReading());
    f.Write(PipeStream().EndOfData().Bytes());
    ASSERT_TRUE(f.WaitForReady());
}

TEST(PipeView, EscapeHaltsAfterTheNextMessageAndDropsTheOpenSet)
{
    PipedFrame f;
    f.frame.View()->StartPipe();
    f.Write(PipeStream().NewSet("kept").Point(1, 1).Point(2, 2).Bytes());
    ASSERT_TRUE(f.WaitFor([&] { return f.panes.size() >= 2; }));
    PressEscape(f.frame.View());
    EXPECT_EQ(f.messages.asked, (std::vector<std::string>{"Halt reading from data pipe?"}));
    // Escape while halted asks nothing more.
    PressEscape(f.frame.View());
    EXPECT_EQ(f.messages.asked.size(), 1u);
    // The reader waits for data; the next message arrives and is handled, then it stops.
    f.Write(PipeStream().NewSet("dropped").Point(3, 3).Bytes());
    ASSERT_TRUE(f.WaitForReady());
    ASSERT_EQ(f.Graph0().m_plots.Count(), 1);
    EXPECT_EQ(f.Graph0().m_plots.Get(0).m_info, "kept");
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_EQ(f.frame.StatusText(0), "Ready");
}

TEST(PipeView, EscapeAnsweredNoKeepsReading)
{
    PipedFrame f;
    f.messages.answer = false;
    f.frame.View()->StartPipe();
    f.Write(PipeStream().NewSet("a").Point(1, 1).Bytes());
    ASSERT_TRUE(f.WaitFor([&] { return f.panes.size() >= 2; }));
    PressEscape(f.frame.View());
    f.Write(PipeStream().NewSet("b").Point(2, 2).EndOfData().Bytes());
    ASSERT_TRUE(f.WaitForReady());
    EXPECT_EQ(f.Graph0().m_plots.Count(), 2);
}

TEST(PipeView, AReaderFailureIsShownAndReadingEnds)
{
    PipedFrame f;
    f.frame.View()->StartPipe();
    f.Write(PipeStream().NewSet("a").Point(1, 1).NewSet("b").Point(2, 2).Bytes());
    f.CloseWriter(); // the writer disappears without an end message
    ASSERT_TRUE(f.WaitForReady());
    EXPECT_EQ(f.messages.shown, (std::vector<std::string>{"Can't read message header"}));
    EXPECT_EQ(f.Graph0().m_plots.Count(), 1);
    EXPECT_EQ(f.frame.StatusText(0), "Ready");
}

TEST(PipeView, AWriterStillSendingAfterAFailureIsToldTheReadingEnded)
{
    PipedFrame f;
    f.frame.View()->StartPipe();
    f.Write(PipeStream().NewSet("a").Point(1, 1).Bytes() + std::string(1, char(19)));
    ASSERT_TRUE(f.WaitForReady());
    EXPECT_EQ(f.messages.shown, (std::vector<std::string>{"Unknown message"}));
    // With the program's end closed, a writer sending more than a pipe holds
    // gets EPIPE instead of waiting for ever.
    f.CloseReader();
    const std::string more(1 << 20, char(3));
    ssize_t written = 0;
    while (written >= 0)
        written = ::write(f.ends[1], more.data(), more.size());
    EXPECT_EQ(errno, EPIPE);
}

TEST(PipeView, AnExportRequestClosesTheWindowAndWritesWhileClosing)
{
    PipedFrame f;
    f.frame.show();
    f.frame.View()->StartPipe();
    f.Write(PipeStream().NewSet("a").Point(1, 1).Export(28, "picture.png", 320, 240).Bytes());
    ASSERT_TRUE(f.WaitFor([&] { return !f.frame.isVisible(); }));
    EXPECT_EQ(f.endings->exported,
              (std::vector<RecordingEndings::Export>{{"picture.png", kPipeExportPngKind, 320, 240}}));
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_EQ(f.panes.back(), "ended") << "reading finished before the close";
}

TEST(PipeView, ASaveRequestSavesThenCloses)
{
    PipedFrame f;
    f.frame.show();
    f.frame.View()->StartPipe();
    f.Write(PipeStream().NewSet("a").Point(1, 1).SaveDocument("saved page").Bytes());
    ASSERT_TRUE(f.WaitFor([&] { return !f.frame.isVisible(); }));
    EXPECT_EQ(f.endings->saved, (std::vector<std::string>{"saved page"}));
    EXPECT_TRUE(f.endings->exported.empty());
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(PipeView, ClosingWhileTheReaderWaitsDoesNotWaitForTheWriter)
{
    auto f = std::make_unique<PipedFrame>();
    f->frame.View()->StartPipe();
    f->Write(PipeStream().NewSet("a").Bytes());
    ASSERT_TRUE(f->WaitFor([&] { return f->panes.size() >= 2; }));
    EXPECT_TRUE(f->frame.View()->PipeReading());
    f.reset(); // the writer is still open: the waiting read is cancelled
    SUCCEED();
}

TEST(PipeView, NoPipeNumberStartsNothing)
{
    PipedFrame f;
    const int number = f.doc.m_pipeNumber;
    f.doc.m_pipeNumber = 0;
    f.frame.View()->StartPipe();
    EXPECT_FALSE(f.frame.View()->PipeReading());
    PressEscape(f.frame.View());
    EXPECT_TRUE(f.messages.asked.empty());
    f.doc.m_pipeNumber = number;
}
