#include "app/main_frame.h"
#include "app/tarn_app.h"
#include "document/help_texts.h"
#include "document/tarn_command_line_info.h"
#include "model/messages.h"
#include "tests/support/batch_run.h"
#include "tests/support/pipe_stream.h"
#include "tests/support/qt_application.h"
#include "tests/support/read_back.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

struct StartupRun {
    bool started = false;
    bool succeeded = false;
    std::string errors;
    std::string output;
    int pipeNumber = 0;
    int logx = 0;
    int logy = 0;
};

StartupRun Start(const std::vector<std::string>& args)
{
    TestApplication();
    awaitingFiles = false;
    std::FILE* errors = std::tmpfile();
    std::FILE* output = std::tmpfile();
    StreamMessages messages(errors, output);
    CTarnApp app(messages);
    StartupRun run;
    run.started = app.InitInstance(args, false);
    run.succeeded = app.StartupSucceeded();
    run.errors = ReadAll(errors);
    run.output = ReadAll(output);
    run.pipeNumber = app.Doc().m_pipeNumber;
    run.logx = app.Doc().CurrentGraph().m_xLog;
    run.logy = app.Doc().CurrentGraph().m_yLog;
    std::fclose(errors);
    std::fclose(output);
    awaitingFiles = false;
    return run;
}

} // namespace

TEST(Startup, CommandLineErrorsAreShownAndTheProgramStillStarts)
{
    struct Row {
        std::vector<std::string> args;
        std::string errors;
        int logx, logy;
    };
    const Row rows[] = {
        {{"-xy"}, "message: A filename was not found on the command line\n", 0, 0},
        {{"-logx", "-Q"}, "message: A unknown flag was found on the command line\n", 1, 0},
        {{"-logxy"}, "", 1, 1},
        {{"-pipe"}, "message: A pipe address was not found on the command line\n", 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.front());
        StartupRun run = Start(row.args);
        EXPECT_TRUE(run.started);
        EXPECT_EQ(run.succeeded, row.errors.empty());
        EXPECT_EQ(run.errors, row.errors);
        EXPECT_EQ(run.logx, row.logx);
        EXPECT_EQ(run.logy, row.logy);
    }
}

TEST(Startup, HelpAndPipeActAfterTheWindowIsUp)
{
    StartupRun help = Start({"-help"});
    EXPECT_TRUE(help.started);
    EXPECT_EQ(help.output, std::string(kCommandLineHelpCaption) + "\n" + kCommandLineHelpText);

    StartupRun pipe = Start({"-logx", "-pipe", "7"});
    EXPECT_EQ(pipe.pipeNumber, 7);
    EXPECT_EQ(pipe.logx, 0) << "a log flag before the pipe flag is lost";
}

TEST(Startup, HeadlessRunFailsWhenAFileCannotBeImportedButWritesThePage)
{
    const ScratchDir dir("corvid-startup");
    const std::string good = dir.Write("good.dat", "1 2\n2 3\n");
    const std::string image = dir / "page.png";
    const std::string command = std::string("cd '") + dir.Path().string() +
                                "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM CORVID_HEADLESS_IMAGE='" +
                                image + "' " + CORVID_BINARY_DIR + "/corvid -xy '" + good +
                                "' nosuch.dat 2>/dev/null >/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_TRUE(std::filesystem::exists(image));

    StartupRun run = Start({"-xy", good});
    EXPECT_TRUE(run.succeeded);
}

TEST(Startup, ADisplayThatCannotBeReachedEndsInAnImageAndStreamsAreRead)
{
    const ScratchDir dir("corvid-startup");
    for (const char* display : {"DISPLAY=", "DISPLAY=:97"}) {
        SCOPED_TRACE(display);
        const std::string image = dir / "page.png";
        std::filesystem::remove(image);
        const std::string command = std::string("cd '") + dir.Path().string() +
                                    "' && (echo '1 2'; sleep 0.2; echo '3 4') | env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                    display + " CORVID_HEADLESS_IMAGE='" + image + "' " + CORVID_BINARY_DIR +
                                    "/corvid -xy /dev/stdin >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_TRUE(std::filesystem::exists(image));
    }
}

TEST(Startup, ADocumentThatCannotBeOpenedEndsTheProgram)
{
    StartupRun run = Start({"/nonexistent/dir/page.cvd"});
    EXPECT_FALSE(run.started);
    EXPECT_NE(run.errors.find("message: Cannot open \"/nonexistent/dir/page.cvd\""),
              std::string::npos);

    const std::string command = std::string("cd ") + CORVID_BINARY_DIR +
                                " && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM"
                                " ./corvid /nonexistent/page.cvd 2>/dev/null >/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
}

// corvid fails the run when its stream fails: a descriptor that cannot be
// read, or an ending whose save or export cannot be written. Without a
// display the stream is read before the page image is written; with a
// window (offscreen here) the program closes as the ending asks.
TEST(Startup, AStreamThatFailsEndsTheRunWithOne)
{
    const ScratchDir dir("corvid-startup");
    const std::string page = PipeStream().NewSet("a").Point(1, 2).Bytes();
    dir.Write("save.bin", PipeStream().Raw(page).SaveDocument("no/such/page.cvd").Bytes());
    dir.Write("export.bin", PipeStream().Raw(page).Export(28, "no/such/page.png", 30, 20).Bytes());
    dir.Write("saved.bin", PipeStream().Raw(page).SaveDocument("page.cvd").Bytes());
    const std::string corvid = std::string(CORVID_BINARY_DIR) + "/corvid";
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM CORVID_HEADLESS_IMAGE=page.png ";
    const std::string window = "env QT_QPA_PLATFORM=offscreen CORVID_MESSAGES=stderr ";
    struct Row {
        std::string script;
        int status;
        const char* message;
    };
    const Row rows[] = {
        {noDisplay + corvid + " -pipe 7 7<&-", 1, "message: Can't read message header\n"},
        {noDisplay + corvid + " -pipe 3 3<save.bin", 1, "message: Unable to save/export file!\n"},
        {window + corvid + " -pipe 3 3<save.bin", 1, "message: Unable to save/export file!\n"},
        {window + corvid + " -pipe 3 3<export.bin", 1, "message: Unable to save/export file!\n"},
        {window + corvid + " -pipe 3 3<saved.bin", 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.script);
        const BatchRun run = RunShellIn(row.script, dir);
        EXPECT_EQ(run.status, row.status) << run.err;
        if (*row.message) {
            EXPECT_TRUE(Contains(run.err, row.message)) << run.err;
        }
    }
    EXPECT_TRUE(std::filesystem::exists(dir / "page.cvd"));
}
