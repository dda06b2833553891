// End-to-end checks of corvid-batch's analysis commands: the real program.
#include "tests/support/batch_run.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

TEST(BatchAnalysis, StatsPrintsTheReport)
{
    const ScratchDir dir("corvid-batch");
    const std::string data = dir.Write("two.txt", "#@set[1].info line\n2 3\n \n1 1\n2 2\n3 3\n");
    const BatchRun all = RunBatchIn("stats -xy " + data, dir);
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out.rfind("Plot Statistics Results\n******* Set #0 (N = 1) \"" + data +
                                "\" *******\n<x> = 2\n<x^2> = 4\nmin(x) = 2\n",
                            0),
              0u)
        << all.out;
    EXPECT_TRUE(Contains(all.out, "******* Set #1 (N = 3) \"line\" *******\n<x> = 2\n<x^2> = 4.66667\n"
                                  "StdDev(x) = 1\n"));
    const BatchRun second = RunBatchIn("stats --sets 1 -xy " + data, dir);
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(second.out.rfind("Plot Statistics Results\n******* Set #1 ", 0), 0u);
    EXPECT_FALSE(Contains(second.out, "Set #0"));

    const BatchRun empty = RunBatchIn("stats", dir);
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "message: No Plots have been selected!\n");
    EXPECT_EQ(empty.out, "");
}

TEST(BatchAnalysis, IntegratePrintsTheReportWithItsLineEnds)
{
    const ScratchDir dir("corvid-batch");
    const std::string data = dir.Write("line.txt", "#@set[0].info line\n0 0\n1 1\n2 2\n");
    struct Row {
        std::string arguments;
        std::string text;
    };
    const Row rows[] = {
        {"", "line\r\nIntegration limits [0, 2]\r\nIntegral = 2\r\n\r\n"},
        {"--from 0.5 --to 2", "line\r\nIntegration limits [0.5, 2]\r\nIntegral = 1.5\r\n\r\n"},
        {"--to=0 --from=2", "line\r\nIntegration limits [2, 0]\r\nIntegral = -2\r\n\r\n"},
        {"--from '4/8' --to 2", "line\r\nIntegration limits [0.5, 2]\r\nIntegral = 1.5\r\n\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = RunBatchIn("integrate -xy " + data + " " + row.arguments, dir);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "Integration results\n" + row.text);
    }
    const BatchRun refused = RunBatchIn("integrate -xy " + data + " --from x --to 1", dir);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "message: Please enter a number.\n");
    EXPECT_EQ(refused.out, "");
}

TEST(BatchAnalysis, HistogramPrintsTheNewSet)
{
    const ScratchDir dir("corvid-batch");
    const std::string data = dir.Write("y.txt", "1 0.1\n2 0.4\n3 0.6\n4 0.9\n");
    const std::string past = dir.Write("z.txt", "1 0.1\n2 0.95\n");
    struct Row {
        std::string arguments;
        std::string text;
    };
    const Row rows[] = {
        {data + " --width 0.5 --start 0 --end 1", "0\t2\n0.5\t2\n1\t0\n"},
        {data + " --bins 2.7 --start 0 --end 1", "0\t2\n0.5\t2\n1\t0\n"},
        {data + " --width 0.5 --start 0 --end 1 --no-align", "0.25\t2\n0.75\t2\n1.25\t0\n"},
        {data + " --width 0.5 --start 0 --end 1 --normalize", "0\t1\n0.5\t1\n1\t0\n"},
        // The last bin starts at the float the steps of 0.3 reach, written exactly.
        {past + " --width 0.3 --start 0 --end 1", "0\t1\n0.3\t0\n0.6\t0\n0.90000004\t0\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = RunBatchIn("histogram -xy " + row.arguments, dir);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "# Histogram of Set 0 (set 1)\n" + row.text + "\t\n");
    }
    const BatchRun image =
        RunBatchIn("histogram -xy " + data + " --bins 4 --start 0 --end 1 -o page.png --size 200x150", dir);
    EXPECT_EQ(image.status, 0) << image.err;
    EXPECT_EQ(image.out, "");
    EXPECT_GT(fs::file_size(dir / "page.png"), 100u);
    const BatchRun save = RunBatchIn("histogram -xy " + data + " --bins 4 --start 0 --end 1 --save page.corvid", dir);
    EXPECT_EQ(save.status, 0) << save.err;
    EXPECT_EQ(save.out, "");
    const BatchRun saved = RunBatchIn("info page.corvid", dir);
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_TRUE(Contains(saved.out, "\"pointCount\":4,")) << "the data set is in the document";
    EXPECT_TRUE(Contains(saved.out, "\"pointCount\":5,")) << "and so is the histogram";
}

TEST(BatchAnalysis, DiffPrintsTheDerivative)
{
    const ScratchDir dir("corvid-batch");
    // Read in file order; a set is traversed from its last line.
    const std::string data = dir.Write("sq.txt", "0 0\n1 1\n2 4\n3 9\n");
    struct Row {
        const char* arguments;
        const char* text;
    };
    const Row rows[] = {
        {"", "2\t4\n1\t2\n"},
        {"--left", "3\t6\n2\t4\n"},
        {"--right", "1\t2\n0\t0\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = RunBatchIn("diff -xy " + data + " " + row.arguments, dir);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, std::string("# Derivative of Set 0 (set 1)\n") + row.text + "\t\n");
    }
    const std::string pair = dir.Write("pair.txt", "1 1\n2 2\n");
    const BatchRun few = RunBatchIn("diff -xy " + pair, dir);
    EXPECT_EQ(few.status, 1);
    EXPECT_EQ(few.err, "message: At least three points are needed to compute a three point derivative.\n");
    const std::string dip = dir.Write("dip.txt", "1 1\n2 0.5\n3 1\n");
    const BatchRun logged = RunBatchIn("diff -logy -xy " + dip, dir);
    EXPECT_EQ(logged.status, 0) << "a warning, and the set is still added";
    EXPECT_TRUE(Contains(logged.out, "# Derivative of Set 0 (set 1)\n2\t0\n"));
    EXPECT_TRUE(Contains(logged.err, "message: Warning! Can't use a log axis with negative or zero values!\n"))
        << logged.err;
}

TEST(BatchAnalysis, UsageErrorsAndFailedChecks)
{
    const ScratchDir dir("corvid-batch");
    const std::string data = dir.Write("a.txt", "1 1\n2 2\n3 3\n");
    struct Row {
        std::string arguments;
        int status;
        const char* error; // start of stderr
    };
    const Row rows[] = {
        {"histogram -xy " + data + " --start 0 --end 1", 2, "corvid-batch histogram: give either"},
        {"histogram -xy " + data + " --width 1 --bins 2 --start 0 --end 1", 2,
         "corvid-batch histogram: give either"},
        {"histogram -xy " + data + " --width 1 --end 1", 2, "corvid-batch histogram: give --start"},
        {"histogram -xy " + data + " --width 1 --start 2 --end 1", 1,
         "message: Start value > Ending value.\n"},
        {"histogram -xy " + data + " --bins 0.5 --start 0 --end 1", 1,
         "message: # Bin <= 0. No histogram for you.\n"},
        {"histogram -xy " + data + " --width 1 --start 0 --end 1 --size 0x1", 2,
         "corvid-batch histogram: --size needs"},
        {"diff -xy " + data + " --left --right", 2, "corvid-batch diff: give --left or --right"},
        {"integrate -xy " + data + " --from 1", 2, "corvid-batch integrate: --from and --to"},
        {"stats -xy " + data + " --sets 0,x", 2, "corvid-batch stats: --sets needs"},
        {"stats -xy " + data + " --sets 3", 1, "corvid-batch stats: the graph has no set 3"},
        {"stats -xy " + data + " --bins 3", 2, "corvid-batch stats: unknown option '--bins'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = RunBatchIn(row.arguments, dir);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.err.substr(0, std::string(row.error).size()), row.error) << run.err;
        if (row.status == 2) {
            EXPECT_TRUE(Contains(run.err, "usage: corvid-batch COMMAND"));
        }
    }
    const BatchRun help = RunBatchIn("--help", dir);
    EXPECT_TRUE(Contains(help.out, "histogram FORMAT-FLAG FILE (--width W | --bins N) --start S --end E"));
}
