// The Animate Plots window, the Export Animation dialog and the Compression
// Options chooser, driven offscreen.
#include "ui/animate_plots_window.h"
#include "ui/compression_dialog.h"
#include "ui/export_animation_dialog.h"

#include "document/tarn_doc.h"
#include "render/graph.h"
#include "tests/render/test_messages.h"
#include "tests/support/avi_reading.h"
#include "tests/support/qt_application.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include <filesystem>
#include <functional>
#include <vector>

namespace {

struct AnimationPage {
    explicit AnimationPage(int sets, bool animated = true)
    {
        TestApplication();
        Graph& graph = doc.CurrentGraph();
        for (int i = 0; i < sets; ++i) {
            Plot plot;
            plot.AddPoint(0.0f, float(i));
            plot.AddPoint(1.0f, float(i + 1));
            plot.m_info = "run" + std::to_string(i);
            graph.m_plots.Append(plot);
        }
        graph.SyncPlotGeometry();
        graph.AutoScale(true, messages);
        graph.m_singlePlotOnly = animated;
    }
    CTarnDoc doc;
    RecordingMessages messages;
};

// Runs the event loop until `done` holds (true) or a generous bound passes
// (false); the bound only keeps a broken build from hanging.
bool RunEventsUntil(const std::function<bool()>& done)
{
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > 20000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace

TEST(AnimatePlotsWindow, PlayStepsThroughTheSetsAndLoopStartsOver)
{
    AnimationPage page(3);
    CAnimatePlotsWindow window(page.doc);
    std::vector<int> shown;
    QObject::connect(&window, &CAnimatePlotsWindow::RedrawRequested,
                     [&] { shown.push_back(page.doc.CurrentGraph().m_singlePlotIndex); });
    EXPECT_EQ(window.PlayButton()->text(), "Play");
    EXPECT_EQ(window.LoopButton()->text(), "Loop");
    window.PlayButton()->click();
    EXPECT_TRUE(window.IsPlaying());
    EXPECT_EQ(window.PlayButton()->text(), "Pause");
    ASSERT_TRUE(RunEventsUntil([&] { return !window.IsPlaying(); })) << "playing stops at the last set";
    EXPECT_EQ(shown, (std::vector<int>{1, 2}));
    EXPECT_EQ(window.PlayButton()->text(), "Play");
    EXPECT_EQ(window.FirstLine()->text(), "Plot: 2");

    // Played to the end, Play starts from the first set; with Loop it goes round.
    shown.clear();
    window.LoopButton()->click();
    window.PlayButton()->click();
    ASSERT_TRUE(RunEventsUntil([&] { return shown.size() >= 5; }));
    window.PlayButton()->click();
    EXPECT_FALSE(window.IsPlaying()) << "Pause stops it";
    EXPECT_EQ(std::vector<int>(shown.begin(), shown.begin() + 5), (std::vector<int>{0, 1, 2, 0, 1}));

    // Switching the mode off stops the playing.
    window.PlayButton()->click();
    page.doc.CurrentGraph().m_singlePlotOnly = 0;
    window.Refresh();
    EXPECT_FALSE(window.IsPlaying());
    EXPECT_FALSE(window.PlayButton()->isEnabled());
}

TEST(AnimatePlotsWindow, OpeningPutsAnIndexPastTheLastSetBackToZero)
{
    AnimationPage page(3);
    page.doc.CurrentGraph().m_singlePlotIndex = 9;
    CAnimatePlotsWindow window(page.doc);
    EXPECT_EQ(page.doc.CurrentGraph().m_singlePlotIndex, 0);
    EXPECT_TRUE(window.Slider()->isEnabled());
    EXPECT_EQ(window.Slider()->maximum(), 2);
    EXPECT_EQ(window.Slider()->value(), 0);
    EXPECT_EQ(window.FirstLine()->text(), "Plot: 0");
    EXPECT_EQ(window.SecondLine()->text(), "run0");
}

TEST(AnimatePlotsWindow, MovingTheSliderShowsTheSetAndAsksForARedraw)
{
    AnimationPage page(4);
    CAnimatePlotsWindow window(page.doc);
    int redraws = 0;
    QObject::connect(&window, &CAnimatePlotsWindow::RedrawRequested, [&] { ++redraws; });
    window.Slider()->setValue(2);
    EXPECT_EQ(page.doc.CurrentGraph().m_singlePlotIndex, 2);
    EXPECT_EQ(window.FirstLine()->text(), "Plot: 2");
    EXPECT_EQ(window.SecondLine()->text(), "run2");
    EXPECT_EQ(redraws, 1);
    window.Refresh();
    EXPECT_EQ(redraws, 1) << "a refresh does not ask for another redraw";
}

TEST(ExportAnimationDialog, StartsWithTheDefaultsAndTheRadioPairEnablesTheRange)
{
    AnimationPage page(5);
    CExportAnimationDialog dialog(page.doc, 640, 480, page.messages);
    EXPECT_EQ(dialog.windowTitle(), "Export Animation");
    EXPECT_EQ(dialog.FileNameField()->text(), "");
    EXPECT_EQ(dialog.WidthField()->text(), "640");
    EXPECT_EQ(dialog.HeightField()->text(), "480");
    EXPECT_EQ(dialog.FrameRateField()->text(), "15");
    EXPECT_EQ(dialog.StartField()->text(), "0");
    EXPECT_EQ(dialog.StopField()->text(), "4");
    EXPECT_TRUE(dialog.RenderAllButton()->isChecked());
    EXPECT_FALSE(dialog.StartField()->isEnabled());
    EXPECT_FALSE(dialog.StopField()->isEnabled());
    dialog.RenderSelectedButton()->setChecked(true);
    EXPECT_TRUE(dialog.StartField()->isEnabled());
    EXPECT_TRUE(dialog.StopField()->isEnabled());

    dialog.SetFileChooser([] { return QString("/tmp/chosen.avi"); });
    dialog.BrowseButton()->click();
    EXPECT_EQ(dialog.FileNameField()->text(), "/tmp/chosen.avi");
}

TEST(ExportAnimationDialog, ARefusedFieldKeepsTheDialogOpenWithNothingWritten)
{
    struct Row { const char* what; const char* rate; const char* name; const char* message; };
    const Row rows[] = {
        {"rate 121", "121", "m.avi", "Please enter a frame rate between 1 and 120"},
        {"rate not a number", "fast", "m.avi", "Please enter an integer."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        AnimationPage page(3);
        ScratchDir dir;
        CExportAnimationDialog dialog(page.doc, 64, 48, page.messages);
        dialog.FrameRateField()->setText(row.rate);
        dialog.FileNameField()->setText(QString::fromStdString(dir / row.name));
        bool asked = false;
        dialog.SetCompressionChooser([&](MovieSettings&) { return asked = true; });
        dialog.RecordButton()->click();
        EXPECT_EQ(page.messages.shown, std::vector<std::string>{row.message});
        EXPECT_FALSE(asked);
        EXPECT_EQ(dialog.result(), 0);
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    }
}

TEST(ExportAnimationDialog, RecordWritesEveryFrameStepsTheBarAndCloses)
{
    AnimationPage page(4);
    page.doc.CurrentGraph().m_singlePlotIndex = 1;
    ScratchDir dir;
    CExportAnimationDialog dialog(page.doc, 80, 60, page.messages);
    dialog.FileNameField()->setText(QString::fromStdString(dir / "movie.AVI"));
    dialog.SetCompressionChooser([](MovieSettings&) { return true; });
    dialog.RecordButton()->click();
    EXPECT_EQ(page.messages.shown, std::vector<std::string>{"Movie creation successfull!"});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Progress()->maximum(), 4);
    EXPECT_EQ(dialog.Progress()->value(), 4);
    EXPECT_EQ(page.doc.CurrentGraph().m_singlePlotIndex, 1);
    const AviContents avi = ReadAvi(dir / "movie.AVI");
    EXPECT_TRUE(avi.ok) << avi.error;
    EXPECT_EQ(avi.totalFrames, 4u);
    EXPECT_EQ(avi.bitmapWidth, 80);
    EXPECT_EQ(avi.bitmapHeight, 60);
}

TEST(ExportAnimationDialog, CancelDuringRecordingKeepsThePlayableFramesSoFar)
{
    AnimationPage page(6);
    ScratchDir dir;
    CExportAnimationDialog dialog(page.doc, 64, 48, page.messages);
    dialog.FileNameField()->setText(QString::fromStdString(dir / "movie.avi"));
    dialog.SetCompressionChooser([](MovieSettings&) { return true; });
    // The click is queued when the bar reaches two frames: it arrives only
    // because the dialog takes its events while it records.
    QObject::connect(dialog.Progress(), &QProgressBar::valueChanged, [&](int value) {
        if (value == 2)
            QMetaObject::invokeMethod(dialog.CancelButton(), "click", Qt::QueuedConnection);
    });
    dialog.RecordButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(page.messages.shown.empty());
    EXPECT_EQ(dialog.Progress()->value(), 2) << "no frame is drawn after Cancel";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is gone";
    const AviContents avi = ReadAvi(dir / "movie.avi");
    ASSERT_TRUE(avi.ok) << avi.error;
    EXPECT_EQ(avi.totalFrames, 2u);
    EXPECT_EQ(avi.index.size(), 2u);
    EXPECT_EQ(avi.frames.size(), 2u);
}

TEST(ExportAnimationDialog, CancellingTheCompressionChoiceLeavesTheDialogOpen)
{
    AnimationPage page(3);
    ScratchDir dir;
    CExportAnimationDialog dialog(page.doc, 64, 48, page.messages);
    dialog.FileNameField()->setText(QString::fromStdString(dir / "movie.avi"));
    dialog.SetCompressionChooser([](MovieSettings&) { return false; });
    dialog.RecordButton()->click();
    EXPECT_TRUE(page.messages.shown.empty());
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "movie.avi"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is gone";
}

TEST(CompressionDialog, OffersTheTwoChoicesAndAQualityForMotionJpeg)
{
    TestApplication();
    MovieSettings settings;
    CCompressionDialog dialog(settings);
    EXPECT_EQ(dialog.windowTitle(), "Compression Options");
    ASSERT_EQ(dialog.Compressor()->count(), 2);
    EXPECT_EQ(dialog.Compressor()->itemText(0), "Full frames (uncompressed)");
    EXPECT_EQ(dialog.Compressor()->itemText(1), "Motion JPEG");
    EXPECT_FALSE(dialog.Quality()->isEnabled());
    dialog.Compressor()->setCurrentIndex(1);
    EXPECT_TRUE(dialog.Quality()->isEnabled());
    dialog.Quality()->setValue(60);
    dialog.ApplyTo(settings);
    EXPECT_EQ(settings.codec, AviCodec::MotionJpeg);
    EXPECT_EQ(settings.jpegQuality, 60);
}
