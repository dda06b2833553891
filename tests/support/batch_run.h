#pragma once
// Runs the real corvid-batch from a shell command line and collects what it
// printed, for the end-to-end tests of its commands.
#include "tests/support/scratch_dir.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

struct BatchRun {
    int status = -1;
    std::string out;
    std::string err;
};

/// Runs corvid-batch with `arguments` (shell words) in `directory`; stderr
/// lines of Qt's runtime-folder warning are left out.
inline BatchRun RunBatchIn(const std::string& arguments, const ScratchDir& directory)
{
    const std::string batch = std::string(CORVID_BINARY_DIR) + "/corvid-batch";
    const std::string errFile = directory / "stderr.txt";
    const std::string command = "cd '" + directory.Path().string() + "' && " + batch + " " + arguments +
                                " 2>'" + errFile + "'";
    BatchRun run;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer;
        while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
            run.out.append(buffer.data(), n);
        const int status = ::pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::ifstream file(errFile, std::ios::binary);
    std::string line;
    while (std::getline(file, line))
        if (line.rfind("QStandardPaths", 0) != 0)
            run.err += line + "\n";
    std::filesystem::remove(errFile);
    return run;
}
