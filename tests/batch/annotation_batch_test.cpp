// End-to-end checks of the annotation options of corvid-batch: titles with
// their orientation, legend entries and box, reference lines and free labels
// set what the dialogs set, with the dialogs' messages.
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

struct AnnotationRun {
    int status = -1;
    std::string out;
    std::string err;
};

const std::string kBatch = std::string(CORVID_BINARY_DIR) + "/corvid-batch";

AnnotationRun Batch(const std::string& arguments, const ScratchDir& directory)
{
    const std::string errFile = directory / "stderr.txt";
    const std::string command = "cd '" + directory.Path().string() + "' && " + kBatch + " " +
                                arguments + " 2>'" + errFile + "'";
    AnnotationRun run;
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

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

void WriteData(const ScratchDir& dir)
{
    std::ofstream(dir / "two.dat") << "#@set[0].info first\n#@set[1].info second\n"
                                      "1 1 2\n2 4 3\n3 9 5\n";
}

} // namespace

TEST(AnnotationBatch, TitlesTakeTheirTextAndOrientation)
{
    const ScratchDir dir("corvid-annotations");
    WriteData(dir);
    const AnnotationRun run = Batch("info -nxy two.dat --title '$x^2$ vs $\\alpha$' --ytitle-angle 45 "
                          "--xtitle 'Time (s)'",
                          dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "\"title\":{\"text\":\"$x^2$ vs $\\\\alpha$\""));
    EXPECT_TRUE(Contains(run.out, "\"xLabel\":{\"text\":\"Time (s)\""));
    EXPECT_TRUE(Contains(run.out, "\"escapement\":450,\"orientation\":450"));

    const AnnotationRun refused = Batch("info -nxy two.dat --ytitle-angle 361", dir);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "message: Please enter a valid orientation!\n");
    EXPECT_TRUE(Contains(refused.out, "\"escapement\":900")) << "the y title stays upright";
}

TEST(AnnotationBatch, LegendEntriesAndBox)
{
    const ScratchDir dir("corvid-annotations");
    WriteData(dir);
    const AnnotationRun run = Batch("info -nxy two.dat --legend '$\\beta$|B' --legend-box cyan,red", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "\"label\":\"$\\\\beta$\""));
    EXPECT_TRUE(Contains(run.out, "\"label\":\"B\""));
    EXPECT_TRUE(Contains(run.out, "\"showBox\":1,\"boxFillColor\":16776960,\"boxEdgeColor\":255"));
    EXPECT_TRUE(Contains(run.out, "\"legend\":{\"printMode\":0,\"visible\":1"));

    const AnnotationRun names = Batch("info -nxy two.dat --legend info", dir);
    EXPECT_TRUE(Contains(names.out, "\"label\":\"first\""));
    EXPECT_TRUE(Contains(names.out, "\"label\":\"second\""));
}

TEST(AnnotationBatch, ReferenceLinesAreRefusedOnLogAxesWithTheirMessage)
{
    const ScratchDir dir("corvid-annotations");
    WriteData(dir);
    const AnnotationRun run = Batch("info -logy -nxy two.dat --lines 'y=0,x=2:dashed,y=5:dashdotdot'", dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "message: Can't plot slected line on a log scale!\n");
    EXPECT_TRUE(Contains(run.out, "\"refLines\":[{\"orientation\":0,\"lineStyle\":2,\"value\":2},"
                                  "{\"orientation\":1,\"lineStyle\":4,\"value\":5}]"));

    const AnnotationRun malformed = Batch("info -nxy two.dat --lines 'z=1'", dir);
    EXPECT_EQ(malformed.status, 2);
}

TEST(AnnotationBatch, FreeLabelsJoinThePageAndRender)
{
    const ScratchDir dir("corvid-annotations");
    WriteData(dir);
    const AnnotationRun run = Batch("info -nxy two.dat --label '0.25,0.9,$\\Delta$ = 3, see'", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "\"labels\":[{\"text\":\"$\\\\Delta$ = 3, see\""));
    EXPECT_TRUE(Contains(run.out, "\"x\":0.25,\"y\":0.899999976"));
    EXPECT_EQ(Batch("info --label '0.5'", dir).status, 2);

    const AnnotationRun image = Batch("render -nxy two.dat -o page.png --label '0.5,0.5,$x^2$' "
                            "--legend info --lines y=3",
                            dir);
    EXPECT_EQ(image.status, 0) << image.err;
    std::ifstream png(dir / "page.png", std::ios::binary);
    EXPECT_TRUE(png.good());
}
