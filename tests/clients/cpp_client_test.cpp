// The header-only C++ client against the real programs, and the Python
// client's own test suite run with them.
#include "clients/cpp/corvid_link.hpp"
#include "tests/support/batch_run.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/wait.h>

namespace {

const std::string kCorvid = std::string(CORVID_BINARY_DIR) + "/corvid";

// Width and height from a PNG file's header, or 0 x 0.
std::pair<unsigned, unsigned> PngSize(const std::string& path)
{
    const std::string bytes = ReadWholeFile(path);
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0)
        return {0, 0};
    auto word = [&](std::size_t at) {
        return (unsigned(std::uint8_t(bytes[at])) << 24) | (unsigned(std::uint8_t(bytes[at + 1])) << 16) |
               (unsigned(std::uint8_t(bytes[at + 2])) << 8) | unsigned(std::uint8_t(bytes[at + 3]));
    };
    return {word(16), word(20)};
}

// A corvid-batch command reading the stream, its output into files.
struct BatchLink {
    explicit BatchLink(const ScratchDir& dir, std::vector<std::string> command = {"info", "--points"})
        : outPath(dir / "out.json"), errPath(dir / "err.txt")
    {
        out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        corvid::LinkOptions options;
        options.program = BatchProgram();
        options.command = std::move(command);
        options.stdoutFd = out;
        options.stderrFd = err;
        link = std::make_unique<corvid::Link>(options);
    }
    ~BatchLink()
    {
        link.reset();
        ::close(out);
        ::close(err);
    }
    std::string outPath, errPath;
    int out, err;
    std::unique_ptr<corvid::Link> link;
};

} // namespace

TEST(CppClient, ThreeSetsWithStylesReachThePage)
{
    const ScratchDir dir("corvid-cpp-client");
    BatchLink batch(dir);
    corvid::Link& link = *batch.link;
    link.Title("From C++");
    link.YLabelSize(16);
    link.NewSet("plain");
    link.Points({1, 2, 3}, {10, 20, 30});
    link.SymbolStyle(corvid::Square);
    link.LineColor(corvid::Blue);
    link.NewSet("dx", true, false);
    link.Point(1, 5, -0.25f);
    link.LineWidth(4);
    link.NewSet("both", true, true);
    link.Point(2, 6, 0.5f, 0.75f);
    link.SymbolRgb(255, 128, 0);
    link.YRange(0, 40);
    link.EndData();
    EXPECT_EQ(link.Wait(), 0) << ReadWholeFile(batch.errPath);
    const std::string page = ReadWholeFile(batch.outPath);
    EXPECT_TRUE(Contains(page, "\"text\":\"From C++\"")) << page;
    EXPECT_TRUE(Contains(page, "\"info\":\"plain\"")) << page;
    EXPECT_TRUE(Contains(page, "\"points\":[[1,10],[2,20],[3,30]]")) << page;
    EXPECT_TRUE(Contains(page, "\"dx\":[0.25]")) << page;
    EXPECT_TRUE(Contains(page, "\"dx\":[0.5],\"dy\":[0.75]")) << page;
    EXPECT_TRUE(Contains(page, "\"lineColor\":16776960")) << "cyan after blue: " << page;
    EXPECT_TRUE(Contains(page, "\"pointColor\":33023")) << page;
    EXPECT_TRUE(Contains(page, "\"yMin\":0,\"yMax\":40")) << page;
}

TEST(CppClient, RefusesWhatTheProtocolCannotCarry)
{
    const ScratchDir dir("corvid-cpp-client");
    BatchLink batch(dir, {"info"});
    corvid::Link& link = *batch.link;
    EXPECT_THROW(link.Point(1, 2), corvid::LinkError) << "no set yet";
    EXPECT_THROW(link.SymbolSize(5), corvid::LinkError) << "no set yet";
    link.NewSet("a", true);
    EXPECT_THROW(link.Point(1, 2), corvid::LinkError) << "dx missing";
    EXPECT_THROW(link.Point(1, 2, 3, 4), corvid::LinkError) << "no dy";
    EXPECT_THROW(link.SymbolSize(11), corvid::LinkError);
    EXPECT_THROW(link.LineWidth(6), corvid::LinkError);
    EXPECT_THROW(link.LineRgb(0, 256, 0), corvid::LinkError);
    EXPECT_THROW(link.TitleSize(0), corvid::LinkError);
    link.Point(1, 2, 0.5f);
    link.EndData();
    EXPECT_THROW(link.Title("late"), corvid::LinkError);
    EXPECT_EQ(link.Wait(), 0) << ReadWholeFile(batch.errPath);
    EXPECT_TRUE(Contains(ReadWholeFile(batch.outPath), "\"pointCount\":1"));
}

TEST(CppClient, AProgramThatStoppedReadingIsAnErrorNotASignal)
{
    const ScratchDir dir("corvid-cpp-client");
    BatchLink batch(dir, {"info"});
    corvid::Link& link = *batch.link;
    // A wrong version ends reading at once; corvid-batch then exits.
    link.Version(3);
    link.NewSet("a");
    EXPECT_THROW(
        {
            for (int i = 0; i < 10'000'000; ++i)
                link.Point(float(i), 1.0f);
        },
        corvid::LinkError);
    EXPECT_EQ(link.Wait(), 1);
    EXPECT_TRUE(Contains(ReadWholeFile(batch.errPath), "message: Wrong Corvid Link version!"));
}

TEST(CppClient, DesktopProgramExportsAndCloses)
{
    const ScratchDir dir("corvid-cpp-client");
    const std::string path = dir / "page.png";
    corvid::LinkOptions options;
    options.program = kCorvid;
    options.headless = true;
    corvid::Link link(options);
    link.NewSet("line");
    for (int i = 0; i < 50; ++i)
        link.Point(float(i), float(i * i));
    EXPECT_EQ(link.ExportPng(path, 300, 180), 0);
    EXPECT_EQ(PngSize(path), (std::pair<unsigned, unsigned>(300, 180)));
}

TEST(CppClient, AnEndingThatFailsIsAnError)
{
    struct Row {
        const char* reason;
        std::function<int(corvid::Link&, const std::string&)> ending;
    };
    const Row rows[] = {
        {"save", [](corvid::Link& link, const std::string& folder) { return link.Save(folder + "/page.cvp"); }},
        {"PNG export",
         [](corvid::Link& link, const std::string& folder) { return link.ExportPng(folder + "/page.png", 30, 20); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        const ScratchDir dir("corvid-cpp-client");
        corvid::LinkOptions options;
        options.program = kCorvid;
        options.headless = true;
        corvid::Link link(options);
        link.NewSet("line");
        link.Point(1.0f, 2.0f);
        EXPECT_THROW(row.ending(link, dir / "no/such"), corvid::LinkError);
        EXPECT_EQ(link.Wait(), 1) << "corvid exits with 1 when the ending's file cannot be written";
    }
}

TEST(CppClient, TheExampleRuns)
{
    const ScratchDir dir("corvid-cpp-client");
    const std::string path = dir / "lissajous.png";
    const std::string command = "CORVID_PROGRAM='" + kCorvid + "' DISPLAY= WAYLAND_DISPLAY= '" +
                                std::string(CORVID_BINARY_DIR) + "/corvid-link-example' '" + path + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(PngSize(path), (std::pair<unsigned, unsigned>(640, 640)));
}

TEST(PythonClient, ItsTestSuitePasses)
{
    if (std::system("python3 -c 'import sys; sys.exit(sys.version_info < (3, 8))' 2>/dev/null") != 0)
        GTEST_SKIP() << "no Python 3.8 or later";
    const ScratchDir dir("corvid-python-client");
    const std::string log = dir / "log.txt";
    const std::string command = "cd '" + dir.Path().string() + "' && CORVID_PROGRAM='" + kCorvid +
                                "' CORVID_BATCH='" + BatchProgram() + "' python3 -m unittest discover -s '" +
                                std::string(CORVID_SOURCE_DIR) + "/clients/python/tests' >'" + log + "' 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 0) << ReadWholeFile(log);
}

TEST(PythonClient, TheExampleRuns)
{
    if (std::system("python3 -c 'import sys; sys.exit(sys.version_info < (3, 8))' 2>/dev/null") != 0)
        GTEST_SKIP() << "no Python 3.8 or later";
    const ScratchDir dir("corvid-python-client");
    const std::string path = dir / "wave.png";
    const std::string command = "CORVID_PROGRAM='" + kCorvid + "' DISPLAY= WAYLAND_DISPLAY= python3 '" +
                                std::string(CORVID_SOURCE_DIR) + "/clients/python/examples/damped_wave.py' '" + path +
                                "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(PngSize(path), (std::pair<unsigned, unsigned>(800, 600)));
}
