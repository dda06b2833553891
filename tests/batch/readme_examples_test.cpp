// The corvid-batch examples of README.md run as written from a fresh clone.
#include "tests/support/batch_run.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The command lines of README.md's indented example blocks that start with
// "build/corvid-batch ", each with its backslash-continued lines joined.
std::vector<std::string> ReadmeBatchCommands()
{
    std::ifstream readme(std::string(CORVID_SOURCE_DIR) + "/README.md");
    std::vector<std::string> commands;
    bool continued = false;
    for (std::string line; std::getline(readme, line);) {
        const std::size_t indent = line.find_first_not_of(' ');
        const std::string text = indent == std::string::npos ? "" : line.substr(indent);
        if (continued)
            commands.back() += " " + text;
        else if (indent >= 4 && text.rfind("build/corvid-batch ", 0) == 0)
            commands.push_back(text);
        else
            continue;
        continued = commands.back().back() == '\\';
        if (continued)
            commands.back().pop_back();
    }
    return commands;
}

// Makes `root` stand in for the repository root: every top-level entry of the
// sources is linked into it and build/corvid-batch is this build's program, so
// the examples' paths resolve as written and what they write stays in `root`.
void MirrorSourceRoot(const ScratchDir& root)
{
    for (const fs::directory_entry& entry : fs::directory_iterator(CORVID_SOURCE_DIR))
        if (entry.path().filename() != "build")
            fs::create_symlink(entry.path(), root.Path() / entry.path().filename());
    fs::create_directory(root.Path() / "build");
    fs::create_symlink(BatchProgram(), root.Path() / "build" / "corvid-batch");
}

} // namespace

TEST(ReadmeExamples, EveryBatchExampleRunsAsWritten)
{
    const std::vector<std::string> commands = ReadmeBatchCommands();
    ASSERT_GE(commands.size(), 10u) << "the examples of README.md were not found";
    const ScratchDir root("corvid-readme");
    MirrorSourceRoot(root);
    // In the README's order: an example may read what an earlier one wrote.
    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        const BatchRun run = RunShellIn(command, root);
        EXPECT_EQ(run.status, 0) << run.err;
        // No warning or failure; the one message an example may show is the
        // movie recorder's report of success.
        EXPECT_FALSE(Contains("\n" + run.err, "\nmessage:") && run.err != "message: Movie creation successfull!\n")
            << run.err;
    }
}
