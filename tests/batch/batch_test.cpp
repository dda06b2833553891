// End-to-end checks of corvid-batch: the real program, run as a script would.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace {

struct BatchRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs corvid-batch with `arguments` (shell words) and captures both streams.
BatchRun Batch(const std::string& arguments)
{
    const std::string errFile = (std::filesystem::temp_directory_path() /
                                 ("corvid-batch-err-" + std::to_string(::getpid())))
                                    .string();
    const std::string command = std::string(CORVID_BINARY_DIR) + "/corvid-batch " + arguments +
                                " 2>" + errFile;
    BatchRun run;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer;
        while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
            run.out.append(buffer.data(), n);
        const int status = ::pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::ifstream err(errFile);
    std::string line;
    while (std::getline(err, line))
        if (line.rfind("QStandardPaths", 0) != 0)
            run.err += line + "\n";
    std::filesystem::remove(errFile);
    return run;
}

std::string DataFile(const std::string& name, const std::string& text)
{
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path) << text;
    return path.string();
}

} // namespace

TEST(Batch, InfoOfAFreshPage)
{
    const BatchRun run = Batch("info");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"rows\":1,\"columns\":1"), std::string::npos);
    EXPECT_NE(run.out.find("\"graphs\":[{"), std::string::npos);
    EXPECT_NE(run.out.find("\"plots\":[]"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

TEST(Batch, CommandLineMessagesGoToStandardError)
{
    struct Row {
        const char* arguments;
        const char* message;
    };
    const Row rows[] = {
        {"info -xy", "message: A filename was not found on the command line\n"},
        {"info -pipe", "message: A pipe address was not found on the command line\n"},
        {"info -XY a.dat", "message: A unknown flag was found on the command line\n"},
        {"info -xy '/nonexistent/*.dat'", "message: The wildcard failed to match a file name\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = Batch(row.arguments);
        EXPECT_EQ(run.status, 0) << "the page is still made from what was parsed";
        EXPECT_EQ(run.err, row.message);
    }
    const BatchRun help = Batch("info -help");
    EXPECT_EQ(help.out.rfind("Command Line Options\nThe following options", 0), 0u);
}

TEST(Batch, ImportedSetsAppearWithTheirPoints)
{
    const std::string path = DataFile("corvid-batch-sets.txt", "#@set[1].info second\n1 2 3\n4 5 6\n");
    const BatchRun run = Batch("info -nxy " + path + " --points");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"points\":[[4,6],[1,3]]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"info\":\"second\""), std::string::npos);
    EXPECT_NE(run.out.find("\"pointCount\":2"), std::string::npos);

    const BatchRun missing = Batch("info -xy " + path + ".absent");
    EXPECT_EQ(missing.err, "message: Unable to open the file " + path + ".absent\n");
    std::filesystem::remove(path);
}

TEST(Batch, RenderWritesTheImage)
{
    const std::string data = DataFile("corvid-batch-render.txt", "1 1\n2 4\n3 9\n");
    for (const char* extension : {"png", "svg", "pdf", "bmp"}) {
        SCOPED_TRACE(extension);
        const auto image = std::filesystem::temp_directory_path() /
                           (std::string("corvid-batch-render.") + extension);
        std::filesystem::remove(image);
        const BatchRun run = Batch("render -xy " + data + " -o " + image.string() + " --size 320x240");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(std::filesystem::exists(image));
        EXPECT_GT(std::filesystem::file_size(image), 100u);
        std::filesystem::remove(image);
    }
    std::filesystem::remove(data);
}

TEST(Batch, UsageErrors)
{
    struct Row {
        const char* arguments;
        int status;
    };
    const Row rows[] = {{"", 2},           {"--help", 0},        {"frobnicate", 2},
                        {"render", 2},     {"render --size 0x5 -o a.png", 2},
                        {"render -o /nonexistent-dir/x.png", 1}, {"render -o page.gif", 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        EXPECT_EQ(Batch(row.arguments).status, row.status);
    }
}

TEST(Batch, EquationCommands)
{
    // The language's pi is 3.14159265359.
    EXPECT_EQ(Batch("eval '2*pi'").out, "6.2831853071800001\n");
    const BatchRun bad = Batch("eval 'sqrt(x)+log(x)' x=-1");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(Batch("field 1e-3").out, "0.00100000005\n");
    EXPECT_EQ(Batch("deriv 'x^3' x x=2").out, "12\n");
}
