// End-to-end checks of the axes through corvid-batch: rendered images show
// ticks, labels and data, and --x-axis / --y-axis set what the axis dialogs set.
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <QImage>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

struct AxisRun {
    int status = -1;
    std::string out;
    std::string err;
};

const std::string kBatch = std::string(CORVID_BINARY_DIR) + "/corvid-batch";

AxisRun AxisBatch(const std::string& arguments, const ScratchDir& directory)
{
    const std::string errFile = directory / "stderr.txt";
    const std::string command = "cd '" + directory.Path().string() + "' && " + kBatch + " " +
                                arguments + " 2>'" + errFile + "'";
    AxisRun run;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer;
        while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
            run.out.append(buffer.data(), n);
        const int status = ::pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::ifstream file(errFile);
    std::string line;
    while (std::getline(file, line))
        if (line.rfind("QStandardPaths", 0) != 0)
            run.err += line + "\n";
    return run;
}

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

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
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
    const AxisRun run = AxisBatch("render -xy data.txt -o page.png --size 800x600", dir);
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
    const AxisRun run = AxisBatch("info -xy data.txt --x-axis 'title=Time,major=2*2,minor=0.5,color=red,"
                          "gridtype=dashed,gridsize=2,tickside=both' "
                          "--y-axis format=scientific,precision=1,labelside=opposite,labelheight=20",
                          dir);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string bottom = Object(run.out, "bottomAxis");
    const std::string top = Object(run.out, "topAxis");
    const std::string left = Object(run.out, "leftAxis");
    const std::string right = Object(run.out, "rightAxis");
    EXPECT_TRUE(Has(bottom, "\"majorSpacing\":4,")) << bottom;
    EXPECT_TRUE(Has(top, "\"minorSpacing\":0.5,"));
    EXPECT_TRUE(Has(bottom, "\"userSpacing\":1,"));
    EXPECT_TRUE(Has(bottom, "\"color\":255,"));
    EXPECT_TRUE(Has(bottom, "\"showGrid\":1,")) << "grid options switch the grid on";
    EXPECT_TRUE(Has(bottom, "\"gridType\":2,"));
    EXPECT_TRUE(Has(bottom, "\"gridSize\":2,"));
    EXPECT_TRUE(Has(top, "\"showTicks\":1,"));
    EXPECT_TRUE(Has(top, "\"tickDirection\":4,"));
    EXPECT_TRUE(Has(left, "\"showLabels\":0,"));
    EXPECT_TRUE(Has(right, "\"showLabels\":1,"));
    EXPECT_TRUE(Has(right, "\"format\":2"));
    EXPECT_TRUE(Has(right, "\"precision\":1,"));
    EXPECT_TRUE(Has(right, "\"labelFontHeight\":-20,"));
    EXPECT_TRUE(Has(Object(run.out, "xLabel"), "\"text\":\"Time\""));
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
        const AxisRun run = AxisBatch(std::string("info -xy data.txt ") + row.arguments, dir);
        EXPECT_EQ(run.status, row.status);
        EXPECT_TRUE(Has(run.err, row.err)) << run.err;
        if (row.status == 1)
            EXPECT_TRUE(Has(Object(run.out, "bottomAxis"), "\"userSpacing\":0,")) << "nothing changed";
    }
}
