// The checks of "Record" in Export Animation and the Animate Plots window's
// refresh rules, without a window.
#include "document/plot_animation.h"
#include "io/movie_settings.h"
#include "render/graph.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Graph GraphWithSets(int count, bool animated)
{
    Graph graph;
    for (int i = 0; i < count; ++i) {
        Plot plot;
        plot.AddPoint(float(i), float(i * i));
        plot.m_info = "set" + std::to_string(i) + ".dat";
        graph.m_plots.Append(plot);
    }
    graph.m_singlePlotOnly = animated ? 1 : 0;
    return graph;
}

MovieSettings Valid()
{
    MovieSettings settings;
    settings.fileName = "movie.avi";
    settings.width = 320;
    settings.height = 240;
    return settings;
}

// Counts the progress steps the checks announce.
struct CountingProgress : MovieProgress {
    void SetSteps(int count) override { steps.push_back(count); }
    std::vector<int> steps;
};

} // namespace

TEST(MovieSettings, RefusalsComeInTheDialogsOrderWithItsTexts)
{
    const char* kRange = "Please enter a valid step range!";
    const char* kRate = "Please enter a frame rate between 1 and 120";
    const char* kName = "The AVI output file MUST end with a '.avi' extension.";
    struct Row {
        const char* what;
        int sets;
        bool animated;
        void (*change)(MovieSettings&);
        const char* message; // nullptr: accepted
    };
    const Row rows[] = {
        {"animation off", 5, false, [](MovieSettings&) {},
         "Please enable plot animation in the Plot Options dialog before exporting a movie."},
        {"animation off wins over every other fault", 1, false,
         [](MovieSettings& s) { s.framesPerSecond = 0; s.fileName = ""; },
         "Please enable plot animation in the Plot Options dialog before exporting a movie."},
        {"one set, render all", 1, true, [](MovieSettings&) {}, kRange},
        {"no sets at all", 0, true, [](MovieSettings&) {}, kRange},
        {"start equals stop", 5, true, [](MovieSettings& s) { s.renderAll = false; s.start = 2; s.stop = 2; }, kRange},
        {"start after stop", 5, true, [](MovieSettings& s) { s.renderAll = false; s.start = 3; s.stop = 1; }, kRange},
        {"negative start", 5, true, [](MovieSettings& s) { s.renderAll = false; s.start = -1; s.stop = 2; }, kRange},
        {"stop past the last set", 5, true, [](MovieSettings& s) { s.renderAll = false; s.start = 0; s.stop = 5; }, kRange},
        {"selected range is used only when chosen", 5, true,
         [](MovieSettings& s) { s.start = 9; s.stop = 9; }, nullptr},
        {"range fault before rate fault", 1, true, [](MovieSettings& s) { s.framesPerSecond = 0; }, kRange},
        {"rate 120", 3, true, [](MovieSettings& s) { s.framesPerSecond = 120; }, nullptr},
        {"rate 1", 3, true, [](MovieSettings& s) { s.framesPerSecond = 1; }, nullptr},
        {"rate 121", 3, true, [](MovieSettings& s) { s.framesPerSecond = 121; }, kRate},
        {"rate 0", 3, true, [](MovieSettings& s) { s.framesPerSecond = 0; }, kRate},
        {"rate fault before size fault", 3, true, [](MovieSettings& s) { s.framesPerSecond = -4; s.width = 0; }, kRate},
        {"width 0", 3, true, [](MovieSettings& s) { s.width = 0; }, "Please enter a valid width"},
        {"height -1", 3, true, [](MovieSettings& s) { s.height = -1; }, "Please enter a valid height"},
        {"width before height", 3, true, [](MovieSettings& s) { s.width = 0; s.height = 0; }, "Please enter a valid width"},
        {"no file name", 3, true, [](MovieSettings& s) { s.fileName = ""; }, "Please enter a file name"},
        {"upper-case extension", 3, true, [](MovieSettings& s) { s.fileName = "/tmp/MOVIE.AVI"; }, nullptr},
        {"mixed-case extension", 3, true, [](MovieSettings& s) { s.fileName = "a.AvI"; }, nullptr},
        {"the name .avi alone", 3, true, [](MovieSettings& s) { s.fileName = ".avi"; }, nullptr},
        {"extension .avi2", 3, true, [](MovieSettings& s) { s.fileName = "movie.avi2"; }, kName},
        {"the name avi", 3, true, [](MovieSettings& s) { s.fileName = "avi"; }, kName},
        {"avi without its dot", 3, true, [](MovieSettings& s) { s.fileName = "movieavi"; }, kName},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Graph graph = GraphWithSets(row.sets, row.animated);
        MovieSettings settings = Valid();
        row.change(settings);
        RecordingMessages messages;
        CountingProgress progress;
        const bool accepted = CheckMovieSettings(graph, settings, messages, progress);
        EXPECT_EQ(accepted, row.message == nullptr);
        if (row.message) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0], row.message);
        } else {
            EXPECT_TRUE(messages.shown.empty());
        }
    }
}

TEST(MovieSettings, TheRangeIsResolvedAndAnnouncedBeforeTheLaterChecks)
{
    struct Row {
        const char* what;
        bool renderAll;
        int start, stop, rate;
        int wantStart, wantStop;
        std::vector<int> steps;
    };
    const Row rows[] = {
        {"render all takes every set", true, 3, 3, 15, 0, 4, {5}},
        {"render selected keeps its range", false, 1, 3, 15, 1, 3, {3}},
        {"steps are set even when the rate is refused", false, 0, 1, 500, 0, 1, {2}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Graph graph = GraphWithSets(5, true);
        MovieSettings settings = Valid();
        settings.renderAll = row.renderAll;
        settings.start = row.start;
        settings.stop = row.stop;
        settings.framesPerSecond = row.rate;
        RecordingMessages messages;
        CountingProgress progress;
        CheckMovieSettings(graph, settings, messages, progress);
        EXPECT_EQ(settings.start, row.wantStart);
        EXPECT_EQ(settings.stop, row.wantStop);
        EXPECT_EQ(progress.steps, row.steps);
    }
}

TEST(MovieSettings, IntegerFieldsReadAsTheDialogReadsThem)
{
    struct Row { const char* text; bool ok; int value; };
    const Row rows[] = {
        {"15", true, 15},         {"  120 ", true, 120},     {"-3", true, -3},   {"+7", true, 7},
        {"", false, 0},           {"1.5", false, 0},         {"12a", false, 0},  {"-", false, 0},
        {"2147483647", true, 2147483647}, {"2147483648", false, 0}, {"99999999999999999999", false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        int value = -99;
        std::string message;
        EXPECT_EQ(ReadIntegerField(row.text, value, message), row.ok);
        if (row.ok)
            EXPECT_EQ(value, row.value);
        else
            EXPECT_EQ(message, "Please enter an integer.");
    }
}

TEST(PlotAnimation, RefreshFollowsTheGraphsModeAndSets)
{
    struct Row {
        const char* what;
        int sets;
        bool animated;
        int index;
        bool enabled;
        int maximum, position, indexAfter;
        const char* first;
        const char* second;
    };
    const Row rows[] = {
        {"mode off", 3, false, 1, false, 0, 0, 1, "Animation has been disabled!", "(enable via the plot options dialog)"},
        {"mode on, no sets", 0, true, 0, false, 0, 0, 0, "Animation has been disabled!", "please load at least one plot"},
        {"index in range", 3, true, 2, true, 2, 2, 2, "Plot: 2", "set2.dat"},
        {"index past the last set goes back to 0", 3, true, 7, true, 2, 0, 0, "Plot: 0", "set0.dat"},
        {"index equal to the set count", 3, true, 3, true, 2, 0, 0, "Plot: 0", "set0.dat"},
        {"index below 0", 3, true, -1, true, 2, 0, 0, "Plot: 0", "set0.dat"},
        {"one set", 1, true, 0, true, 0, 0, 0, "Plot: 0", "set0.dat"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Graph graph = GraphWithSets(row.sets, row.animated);
        graph.m_singlePlotIndex = row.index;
        const PlotAnimationState state = RefreshPlotAnimation(graph);
        EXPECT_EQ(state.enabled, row.enabled);
        EXPECT_EQ(state.maximum, row.maximum);
        EXPECT_EQ(state.position, row.position);
        EXPECT_EQ(state.firstLine, row.first);
        EXPECT_EQ(state.secondLine, row.second);
        EXPECT_EQ(graph.m_singlePlotIndex, row.indexAfter);
    }
}

TEST(PlotAnimation, MovingTheSliderShowsThatSet)
{
    Graph graph = GraphWithSets(4, true);
    graph.m_singlePlotIndex = 0;
    const PlotAnimationState state = MovePlotAnimation(graph, 3);
    EXPECT_EQ(graph.m_singlePlotIndex, 3);
    EXPECT_EQ(state.firstLine, "Plot: 3");
    EXPECT_EQ(state.secondLine, "set3.dat");
    MovePlotAnimation(graph, 9);
    EXPECT_EQ(graph.m_singlePlotIndex, 3) << "a position outside the sets is ignored";

    Graph off = GraphWithSets(4, false);
    off.m_singlePlotIndex = 1;
    MovePlotAnimation(off, 2);
    EXPECT_EQ(off.m_singlePlotIndex, 1) << "a graph out of animation mode is left alone";
}
