// End-to-end checks of the style dialogs' options of corvid-batch's page
// commands: --plot-options, --error-bars, --graph-type and --sixteen-bit.
#include "tests/support/batch_run.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// Two sets: (1, 1) (2, 2) and (1, 0) (2, 3).
const char* const kTwoSets = "1 1\n2 2\n \n1 0\n2 3\n";

// Every value of `"key":` inside the first graph's set list, in set order.
std::vector<long long> PlotValues(const std::string& json, const std::string& key)
{
    std::vector<long long> values;
    const std::size_t plots = json.find("\"plots\":[");
    if (plots == std::string::npos)
        return values;
    const std::string pattern = "\"" + key + "\":";
    for (std::size_t at = json.find(pattern, plots); at != std::string::npos; at = json.find(pattern, at + 1))
        values.push_back(std::stoll(json.substr(at + pattern.size())));
    return values;
}

// The first value of `"key":` after the start of the graph list.
long long GraphValue(const std::string& json, const std::string& key)
{
    const std::string pattern = "\"" + key + "\":";
    const std::size_t at = json.find(pattern, json.find("\"graphs\":["));
    return at == std::string::npos ? -99 : std::stoll(json.substr(at + pattern.size()));
}

using Values = std::vector<long long>;

} // namespace

TEST(BatchStyle, PlotOptionsRestyleTheChosenSets)
{
    const ScratchDir dir("corvid-style");
    const std::string data = dir.Write("two.txt", kTwoSets);
    const BatchRun both =
        RunBatchIn("info -xy " + data + " --sixteen-bit --plot-options sets=0,1,line=dashed,line-size=3", dir);
    EXPECT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(both.err, "message: Warning! Only solid lines can have a size greater than 1. Line will appear "
                        "solid.\n")
        << "one warning for both sets";
    EXPECT_EQ(PlotValues(both.out, "lineStyle"), (Values{2, 2}));
    EXPECT_EQ(PlotValues(both.out, "lineSize"), (Values{3, 3}));

    const BatchRun second = RunBatchIn("info -xy " + data +
                                           " --plot-options sets=1,symbol=square,symbol-size=10,"
                                           "symbol-color=none,line-color=#123456",
                                       dir);
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.err, "") << "no warning without 16-bit coordinates";
    EXPECT_EQ(PlotValues(second.out, "pointStyle"), (Values{7, 1}));
    EXPECT_EQ(PlotValues(second.out, "pointSize")[1], 10);
    EXPECT_EQ(PlotValues(second.out, "pointColor")[1], 0xFF000000LL);
    EXPECT_EQ(PlotValues(second.out, "pointColorNone")[1], 1);
    EXPECT_EQ(PlotValues(second.out, "lineColor")[1], 0x563412) << "#RRGGBB is stored as 0x00BBGGRR";

    // Without sets= the dialog's own first choice, set 0, is restyled; the
    // lists not named keep set 0's style, custom colour included.
    const BatchRun first = RunBatchIn("info -xy " + data +
                                          " --plot-options line-color=#123456 --plot-options animation=on",
                                      dir);
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(GraphValue(first.out, "singlePlotOnly"), 1);
    EXPECT_EQ(GraphValue(first.out, "singlePlotIndex"), 0) << "the index is reset as the dialog closes";
}

TEST(BatchStyle, ErrorBarsAndRefusals)
{
    const ScratchDir dir("corvid-style");
    const std::string data = dir.Write("two.txt", kTwoSets);
    const BatchRun bars = RunBatchIn("info -xy " + data + " --error-bars hat=5,x=left,y=none,line-size=10", dir);
    EXPECT_EQ(bars.status, 0) << bars.err;
    EXPECT_EQ(PlotValues(bars.out, "errorBarHatSize"), (Values{5, 3}));
    EXPECT_EQ(PlotValues(bars.out, "xErrorBarDisplay"), (Values{0, 3}));
    EXPECT_EQ(PlotValues(bars.out, "errorBarLineSize"), (Values{10, 1}));

    const BatchRun none = RunBatchIn("info -xy " + data + " --error-bars sets=,hat=5", dir);
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "message: No Plots have been selected!\n");
    EXPECT_EQ(PlotValues(none.out, "errorBarHatSize"), (Values{3, 3}));

    const BatchRun missing = RunBatchIn("info -xy " + data + " --plot-options sets=4,symbol=dot", dir);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("set 4 is not in the list of active sets"), std::string::npos) << missing.err;
}

TEST(BatchStyle, GraphTypeSwitchesOrReportsTheRefusal)
{
    const ScratchDir dir("corvid-style");
    const std::string data = dir.Write("two.txt", kTwoSets);
    const BatchRun refused = RunBatchIn("info -xy " + data + " --graph-type log-log", dir);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "message: Warning! Can't use log scale, y data <= 0.0\n");
    EXPECT_EQ(GraphValue(refused.out, "xLog"), 1) << "the x axis is switched all the same";
    EXPECT_EQ(GraphValue(refused.out, "yLog"), 0);

    const BatchRun text = RunBatchIn("info -xy " + data + " '--graph-type=Log X, Linear Y'", dir);
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(GraphValue(text.out, "xLog"), 1);

    // The options work on every page command, here an image.
    const BatchRun render = RunBatchIn("render -xy " + data + " -o page.png --graph-type linear-linear "
                                       "--plot-options symbol=triangle --error-bars y=both",
                                       dir);
    EXPECT_EQ(render.status, 0) << render.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "page.png"));
}

TEST(BatchStyle, MalformedOptionsAreUsageErrors)
{
    const ScratchDir dir("corvid-style");
    const std::string data = dir.Write("two.txt", kTwoSets);
    struct Row {
        const char* options;
        const char* reason;
    };
    const Row rows[] = {
        {"--plot-options symbol=star", "--plot-options: bad value \"star\" for symbol"},
        {"--plot-options line-size=6", "--plot-options: bad value \"6\" for line-size"},
        {"--plot-options colour=red", "--plot-options: unknown key \"colour\""},
        {"--plot-options animation", "--plot-options needs KEY=VALUE pairs separated by commas, not \"animation\""},
        {"--error-bars x=top", "--error-bars: bad value \"top\" for x"},
        {"--error-bars sets=a", "--error-bars: bad value \"a\" for sets"},
        {"--graph-type log", "--graph-type needs linear-linear, linear-log, log-linear or log-log, not \"log\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.options);
        const BatchRun run = RunBatchIn("info -xy " + data + " " + row.options, dir);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind(std::string("corvid-batch info: ") + row.reason + "\n", 0), 0u) << run.err;
    }
}
