// End-to-end checks of the annotation options of corvid-batch: titles with
// their orientation, legend entries and box, reference lines and free labels
// set what the dialogs set, with the dialogs' messages.
#include "tests/support/batch_run.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

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
    const BatchRun run = RunBatchIn("info -nxy two.dat --title '$x^2$ vs $\\alpha$' --ytitle-angle 45 "
                          "--xtitle 'Time (s)'",
                          dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "\"title\":{\"text\":\"$x^2$ vs $\\\\alpha$\""));
    EXPECT_TRUE(Contains(run.out, "\"xLabel\":{\"text\":\"Time (s)\""));
    EXPECT_TRUE(Contains(run.out, "\"escapement\":450,\"orientation\":450"));

    const BatchRun refused = RunBatchIn("info -nxy two.dat --ytitle-angle 361", dir);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "message: Please enter a valid orientation!\n");
    EXPECT_TRUE(Contains(refused.out, "\"escapement\":900")) << "the y title stays upright";
}

TEST(AnnotationBatch, LegendEntriesAndBox)
{
    const ScratchDir dir("corvid-annotations");
    WriteData(dir);
    const BatchRun run = RunBatchIn("info -nxy two.dat --legend '$\\beta$|B' --legend-box cyan,red", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "\"label\":\"$\\\\beta$\""));
    EXPECT_TRUE(Contains(run.out, "\"label\":\"B\""));
    EXPECT_TRUE(Contains(run.out, "\"showBox\":1,\"boxFillColor\":16776960,\"boxEdgeColor\":255"));
    EXPECT_TRUE(Contains(run.out, "\"legend\":{\"printMode\":0,\"visible\":1"));

    const BatchRun names = RunBatchIn("info -nxy two.dat --legend info", dir);
    EXPECT_TRUE(Contains(names.out, "\"label\":\"first\""));
    EXPECT_TRUE(Contains(names.out, "\"label\":\"second\""));
}

TEST(AnnotationBatch, ReferenceLinesAreRefusedOnLogAxesWithTheirMessage)
{
    const ScratchDir dir("corvid-annotations");
    WriteData(dir);
    const BatchRun run = RunBatchIn("info -logy -nxy two.dat --lines 'y=0,x=2:dashed,y=5:dashdotdot'", dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "message: Can't plot slected line on a log scale!\n");
    EXPECT_TRUE(Contains(run.out, "\"refLines\":[{\"orientation\":0,\"lineStyle\":2,\"value\":2},"
                                  "{\"orientation\":1,\"lineStyle\":4,\"value\":5}]"));

    const BatchRun malformed = RunBatchIn("info -nxy two.dat --lines 'z=1'", dir);
    EXPECT_EQ(malformed.status, 2);
}

TEST(AnnotationBatch, FreeLabelsJoinThePageAndRender)
{
    const ScratchDir dir("corvid-annotations");
    WriteData(dir);
    const BatchRun run = RunBatchIn("info -nxy two.dat --label '0.25,0.9,$\\Delta$ = 3, see'", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "\"labels\":[{\"text\":\"$\\\\Delta$ = 3, see\""));
    EXPECT_TRUE(Contains(run.out, "\"x\":0.25,\"y\":0.899999976"));
    EXPECT_EQ(RunBatchIn("info --label '0.5'", dir).status, 2);

    const BatchRun image = RunBatchIn("render -nxy two.dat -o page.png --label '0.5,0.5,$x^2$' "
                            "--legend info --lines y=3",
                            dir);
    EXPECT_EQ(image.status, 0) << image.err;
    std::ifstream png(dir / "page.png", std::ios::binary);
    EXPECT_TRUE(png.good());
}
