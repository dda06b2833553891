// End-to-end checks of corvid-batch: the real program, run as a script would.
#include "tests/support/batch_run.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

TEST(Batch, InfoOfAFreshPage)
{
    const ScratchDir dir("corvid-batch");
    const BatchRun run = RunBatchIn("info", dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Contains(run.out, "\"rows\":1,\"columns\":1"));
    EXPECT_TRUE(Contains(run.out, "\"graphs\":[{"));
    EXPECT_TRUE(Contains(run.out, "\"plots\":[]"));
    EXPECT_EQ(run.err, "");
}

TEST(Batch, CommandLineErrorsAreShownAndFailTheRun)
{
    const ScratchDir dir("corvid-batch");
    struct Row {
        const char* arguments;
        const char* message;
    };
    const Row rows[] = {
        {"info -xy", "message: A filename was not found on the command line\n"},
        {"info -pipe", "message: A pipe address was not found on the command line\n"},
        {"info -XY a.dat", "message: A unknown flag was found on the command line\n"},
        {"info -xy '/nonexistent/*.dat'", "message: The wildcard failed to match a file name\n"},
        {"info -xy a.dat -logy", "message: A filename was not found on the command line\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = RunBatchIn(row.arguments, dir);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, row.message);
        EXPECT_TRUE(Contains(run.out, "\"graphs\":[{")) << "the page is still made from what was parsed";
    }
    const BatchRun help = RunBatchIn("info -help", dir);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Command Line Options\nThe following options", 0), 0u);
}

TEST(Batch, ImportedSetsAppearWithTheirPoints)
{
    const ScratchDir dir("corvid-batch");
    const std::string path = dir.Write("sets.txt", "#@set[1].info second\n1 2 3\n4 5 6\n");
    const BatchRun run = RunBatchIn("info -nxy " + path + " --points", dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Contains(run.out, "\"points\":[[4,6],[1,3]]")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\"info\":\"second\""));
    EXPECT_TRUE(Contains(run.out, "\"pointCount\":2"));

    const BatchRun first = RunBatchIn("info --points -logy -nxy " + path, dir);
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, RunBatchIn("info -logy -nxy " + path + " --points", dir).out)
        << "options before the page arguments mean the same";
}

TEST(Batch, DataFilesThatCannotBeImportedFailTheRun)
{
    const ScratchDir dir("corvid-batch");
    const std::string good = dir.Write("good.txt", "1 2\n2 3\n");
    const std::string empty = dir.Write("empty.txt", "# nothing here\n");
    fs::create_directory(dir / "folder");
    struct Row {
        std::string arguments;
        std::string message;
    };
    const Row rows[] = {
        {"info -xy nosuch.dat", "message: Unable to open the file nosuch.dat\n"},
        {"info -xy " + empty, "message: No data found in the file " + empty + "\n"},
        {"info -xy " + dir / "folder", "message: IO error reading from file " + dir / "folder" + "\n"},
        {"info -xy " + good + " nosuch.dat", "message: Unable to open the file nosuch.dat\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = RunBatchIn(row.arguments, dir);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, row.message);
    }
    const BatchRun partial = RunBatchIn("render -xy " + good + " nosuch.dat -o page.png", dir);
    EXPECT_EQ(partial.status, 1);
    EXPECT_FALSE(fs::exists(dir / "page.png")) << "a page without all its data is no image to write";
}

TEST(Batch, RenderWritesTheImage)
{
    const ScratchDir dir("corvid-batch");
    const std::string data = dir.Write("render.txt", "1 1\n2 4\n3 9\n");
    for (const char* extension : {"png", "svg", "pdf", "bmp"}) {
        SCOPED_TRACE(extension);
        const std::string image = dir / (std::string("render.") + extension);
        const BatchRun run = RunBatchIn("render -xy " + data + " -o " + image + " --size 320x240", dir);
        EXPECT_EQ(run.status, 0) << run.err;
        ASSERT_TRUE(fs::exists(image));
        EXPECT_GT(fs::file_size(image), 100u);
        fs::remove(image);
    }
    const BatchRun before = RunBatchIn("render --size=64x48 -o first.png -xy " + data, dir);
    EXPECT_EQ(before.status, 0) << before.err;
    EXPECT_TRUE(fs::exists(dir / "first.png"));
}

TEST(Batch, UsageErrors)
{
    const ScratchDir dir("corvid-batch");
    const std::string data = dir.Write("a.dat", "1 2\n");
    struct Row {
        std::string arguments;
        int status;
        const char* error; // start of the first line on stderr
    };
    const Row rows[] = {
        {"", 2, "usage: corvid-batch"},
        {"--help", 0, ""},
        {"render --help", 0, ""},
        {"frobnicate", 2, "corvid-batch: unknown command"},
        {"render", 2, "corvid-batch render: give -o IMAGE"},
        {"render --size 0x5 -o a.png", 2, "corvid-batch render: --size needs"},
        {"render -xy " + data + " -o a.png --dpi 300", 2, "corvid-batch render: unknown option '--dpi'"},
        {"render -xy " + data + " -o", 2, "corvid-batch render: option '-o' needs a value"},
        {"info --points=yes", 2, "corvid-batch info: option '--points' takes no value"},
        {"export -xy " + data + " --sets 1,x", 2, "corvid-batch export: --sets needs"},
        {"render -o /nonexistent-dir/x.png", 1, "message: "},
        {"render -o page.gif", 1, "message: "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = RunBatchIn(row.arguments, dir);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.err.substr(0, std::string(row.error).size()), row.error);
        if (row.status == 2) {
            EXPECT_TRUE(Contains(run.err, "usage: corvid-batch COMMAND")) << "usage errors show the usage";
        }
    }
    EXPECT_TRUE(Contains(RunBatchIn("--help", dir).out, "render [DOCUMENT] [-logx|-logy|-logxy] [-xy|"))
        << "the help shows the flag order the parser accepts";
}

TEST(Batch, EquationCommands)
{
    const ScratchDir dir("corvid-batch");
    // The language's pi is 3.14159265359.
    EXPECT_EQ(RunBatchIn("eval '2*pi'", dir).out, "6.2831853071800001\n");
    EXPECT_EQ(RunBatchIn("eval 'sqrt(x)+log(x)' x=-1", dir).status, 1);
    EXPECT_EQ(RunBatchIn("field 1e-3", dir).out, "0.00100000005\n");
    EXPECT_EQ(RunBatchIn("deriv 'x^3' x x=2", dir).out, "12\n");
    EXPECT_EQ(RunBatchIn("deriv --simplify 'x^3' x", dir).out, "x^3*(3/x)\n")
        << "without a value, the derivative as text";
    const BatchRun simplified = RunBatchIn("eval --simplify 'x-(y-x)' x=3 y=1", dir);
    EXPECT_EQ(simplified.out, "5\n");
    EXPECT_EQ(simplified.status, 0);
    const BatchRun unused = RunBatchIn("eval 'x+1' x=1 q=2", dir);
    EXPECT_EQ(unused.out, "2\n");
    EXPECT_EQ(unused.status, 0);
    EXPECT_TRUE(Contains(unused.err, "'q'"));
}

TEST(Batch, ExportWritesTheDataTextOfTheChosenSets)
{
    const ScratchDir dir("corvid-batch");
    const std::string data = dir.Write("runs.txt", "#@set[0].info first\n#@set[1].info second\n1 2\n3 4\n \n5 6\n");
    const std::string all = "# first (set 0)\n3\t4\n1\t2\n\t\n# second (set 1)\n5\t6\n\t\n";
    const BatchRun toStdout = RunBatchIn("export -xy " + data, dir);
    EXPECT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out, all);

    const BatchRun chosen = RunBatchIn("export --sets 1 -o out.txt -xy " + data, dir);
    EXPECT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_EQ(ReadWholeFile(dir / "out.txt"), "# second (set 1)\n5\t6\n\t\n");

    const BatchRun missing = RunBatchIn("export -xy " + data + " --sets 0,7", dir);
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(Contains(missing.err, "no set 7"));
}

TEST(Batch, PipesAndProcessSubstitutionAreReadToTheirEnd)
{
    const ScratchDir dir("corvid-batch");
    // A writer that pauses between lines, as a running generator does.
    const BatchRun piped = RunShellIn("(echo '1 2'; sleep 0.3; echo '3 4'; sleep 0.3; echo '5 6') | " +
                                          BatchProgram() + " info -xy /dev/stdin --points",
                                      dir);
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_TRUE(Contains(piped.out, "\"points\":[[5,6],[3,4],[1,2]]")) << piped.out;

    const std::string script =
        dir.Write("substitute.sh", "exec " + BatchProgram() + " info --points -xy <(printf '1 1\\n2 4\\n3 9\\n')\n");
    const BatchRun substituted = RunShellIn("bash '" + script + "'", dir);
    EXPECT_EQ(substituted.status, 0) << substituted.err;
    EXPECT_TRUE(Contains(substituted.out, "\"points\":[[3,9],[2,4],[1,1]]")) << substituted.out;
}

// Every output may be a pipe (a script's `-o /dev/stdout | ...`, or a named
// pipe where the name must end in ".avi"): what goes through it is what the
// same command writes into a file.
TEST(Batch, OutputsGoThroughPipesAsIntoFiles)
{
    const ScratchDir dir("corvid-batch");
    dir.Write("wave.dat", "0 0\n0.001 1\n0.002 0\n0.003 -1\n0.004 0\n");
    dir.Write("sets.dat", "1 1 2\n2 2 4\n3 1 3\n");
    ASSERT_EQ(std::system(("mkfifo '" + dir / "movie.avi" + "'").c_str()), 0);
    struct Row {
        const char* command;
        const char* file;
        std::string piped; // the script that writes through a pipe to standard output
    };
    const std::string batch = BatchProgram();
    const Row rows[] = {
        {"export -xy wave.dat -o", "file.out", batch + " export -xy wave.dat -o /dev/stdout | cat"},
        {"render -xy wave.dat --save", "file.out", batch + " render -xy wave.dat --save /dev/stdout | cat"},
        {"histogram -xy wave.dat --bins 2 --start -1 --end 1 --save", "file.out",
         batch + " histogram -xy wave.dat --bins 2 --start -1 --end 1 --save /dev/fd/1 | cat"},
        {"audio -xy wave.dat --duration 0.01 -o", "file.out",
         batch + " audio -xy wave.dat --duration 0.01 -o /proc/self/fd/1 | cat"},
        {"animate -nxy sets.dat --size 32x24 -o", "file.avi",
         "cat movie.avi & { " + batch + " animate -nxy sets.dat --size 32x24 -o movie.avi; } 9>movie.avi; wait"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.command);
        const BatchRun file = RunBatchIn(std::string(row.command) + " " + row.file, dir);
        ASSERT_EQ(file.status, 0) << file.err;
        const std::string expected = ReadWholeFile(dir / row.file);
        ASSERT_FALSE(expected.empty());
        const BatchRun piped = RunShellIn(row.piped, dir);
        EXPECT_EQ(piped.err, file.err) << "the same messages";
        EXPECT_TRUE(piped.out == expected) << piped.out.size() << " bytes through the pipe, " << expected.size()
                                           << " into the file";
        fs::remove(dir / row.file);
    }
}
