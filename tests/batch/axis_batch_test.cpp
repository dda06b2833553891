// End-to-end checks of the axes through corvid-batch: rendered images show
// ticks, labels and data, and --x-axis / --y-axis set what the axis dialogs set.
#include "tests/support/batch_run.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <QImage>

#include <fstream>
#include <string>

namespace {

// The JSON object that follows `"key":` in `json` (first occurrence).
std::string Object(const std::string& json, const std::string& key)
{
    const std::size_t start = json.find("\"" + key + "\":{");
    if (start == std::string::npos)
        return {};
    int depth = 0;
    for (std::size_t i = json.find('{', start); i < json.size(); ++i) {
        depth += json[i] == '{' ? 1 : json[i] == '}' ? -1 : 0;
        if (depth == 0)
            return json.substr(start, i - start + 1);
    }
    return {};
}

void WriteData(const ScratchDir& dir)
{
    std::ofstream data(dir / "data.txt");
    for (int i = 0; i <= 100; ++i)
        data << i * 0.1 << " " << (i % 20) * 0.05 << "\n";
}

bool Dark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

} // namespace

TEST(BatchAxes, RenderedImageShowsTicksLabelsAndTheData)
{
    const ScratchDir dir("corvid-axes");
    WriteData(dir);
    const BatchRun run = RunBatchIn("render -xy data.txt -o page.png --size 800x600", dir);
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image(QString::fromStdString(dir / "page.png"));
    ASSERT_FALSE(image.isNull());
    // The bottom axis runs along y = 525 from x = 100 to 700; its first major
    // tick points down from (100, 525) by 10 pixels.
    EXPECT_TRUE(Dark(image.pixel(400, 525)));
    EXPECT_TRUE(Dark(image.pixel(100, 531)));
    EXPECT_FALSE(Dark(image.pixel(400, 531))) << "no tick in the middle of a major step";
    // Labels lie 20 pixels below the axis and 20 left of the left axis.
    int ink = 0;
    for (int y = 545; y < 560; ++y)
        for (int x = 80; x < 120; ++x)
            ink += Dark(image.pixel(x, y));
    EXPECT_GT(ink, 10) << "the first x label";
    ink = 0;
    for (int y = 515; y < 535; ++y)
        for (int x = 30; x < 80; ++x)
            ink += Dark(image.pixel(x, y));
    EXPECT_GT(ink, 10) << "the first y label";
    // The data: a saw tooth across the plot area.
    ink = 0;
    for (int y = 80; y < 520; ++y)
        ink += Dark(image.pixel(400, y));
    EXPECT_GT(ink, 0);
}

TEST(BatchAxes, AxisOptionsSetWhatTheDialogsSet)
{
    const ScratchDir dir("corvid-axes");
    WriteData(dir);
    const BatchRun run = RunBatchIn("info -xy data.txt --x-axis 'title=Time,major=2*2,minor=0.5,color=red,"
                          "gridtype=dashed,gridsize=2,tickside=both' "
                          "--y-axis format=scientific,precision=1,labelside=opposite,labelheight=20",
                          dir);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string bottom = Object(run.out, "bottomAxis");
    const std::string top = Object(run.out, "topAxis");
    const std::string left = Object(run.out, "leftAxis");
    const std::string right = Object(run.out, "rightAxis");
    EXPECT_TRUE(Contains(bottom, "\"majorSpacing\":4,")) << bottom;
    EXPECT_TRUE(Contains(top, "\"minorSpacing\":0.5,"));
    EXPECT_TRUE(Contains(bottom, "\"userSpacing\":1,"));
    EXPECT_TRUE(Contains(bottom, "\"color\":255,"));
    EXPECT_TRUE(Contains(bottom, "\"showGrid\":1,")) << "grid options switch the grid on";
    EXPECT_TRUE(Contains(bottom, "\"gridType\":2,"));
    EXPECT_TRUE(Contains(bottom, "\"gridSize\":2,"));
    EXPECT_TRUE(Contains(top, "\"showTicks\":1,"));
    EXPECT_TRUE(Contains(top, "\"tickDirection\":4,"));
    EXPECT_TRUE(Contains(left, "\"showLabels\":0,"));
    EXPECT_TRUE(Contains(right, "\"showLabels\":1,"));
    EXPECT_TRUE(Contains(right, "\"format\":2"));
    EXPECT_TRUE(Contains(right, "\"precision\":1,"));
    EXPECT_TRUE(Contains(right, "\"labelFontHeight\":-20,"));
    EXPECT_TRUE(Contains(Object(run.out, "xLabel"), "\"text\":\"Time\""));
}

TEST(BatchAxes, RefusedSpacingsAndMalformedOptions)
{
    const ScratchDir dir("corvid-axes");
    WriteData(dir);
    struct Row { const char* arguments; int status; const char* err; };
    const Row rows[] = {
        {"--x-axis major=0", 1, "message: Please enter a positive number for the major tick spacing.\n"},
        {"--y-axis minor=abc", 1, "message: Please enter a valid number for the minor tick spacing.\n"},
        {"--x-axis colour=red", 2, "corvid-batch info: --x-axis: unknown key \"colour\""},
        {"--y-axis gridsize=9", 2, "corvid-batch info: --y-axis: bad value \"9\" for gridsize"},
        {"--x-axis ticks", 2, "--x-axis needs KEY=VALUE pairs"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = RunBatchIn(std::string("info -xy data.txt ") + row.arguments, dir);
        EXPECT_EQ(run.status, row.status);
        EXPECT_TRUE(Contains(run.err, row.err)) << run.err;
        if (row.status == 1) {
            EXPECT_TRUE(Contains(Object(run.out, "bottomAxis"), "\"userSpacing\":0,")) << "nothing changed";
        }
    }
}
