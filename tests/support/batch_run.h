#pragma once
// Runs the real corvid-batch from a shell command line and collects what it
// printed, for the end-to-end tests of its commands.
#include "tests/support/read_back.h"
#include "tests/support/scratch_dir.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <sys/wait.h>

struct BatchRun {
    int status = -1; ///< exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

/// The corvid-batch program of this build.
inline std::string BatchProgram()
{
    return std::string(CORVID_BINARY_DIR) + "/corvid-batch";
}

/// Whether `part` stands anywhere in `text`.
inline bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

/// The lines of a captured standard error, less the lines of Qt's
/// runtime-folder warning, which depend on the machine and not on the program.
inline std::string WithoutQtWarnings(const std::string& stderrText)
{
    std::istringstream err(stderrText);
    std::string kept;
    for (std::string line; std::getline(err, line);)
        if (line.rfind("QStandardPaths", 0) != 0)
            kept += line + "\n";
    return kept;
}

/// Runs the shell command `script` in `directory` and collects its standard
/// output and (filtered) standard error. A script may set limits or the
/// environment, feed standard input or chain programs, so every way of
/// starting corvid-batch that a test needs goes through here.
inline BatchRun RunShellIn(const std::string& script, const ScratchDir& directory)
{
    const std::string errFile = directory / "stderr.txt";
    const std::string command =
        "cd '" + directory.Path().string() + "' && { " + script + " ; } 2>'" + errFile + "'";
    BatchRun run;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer;
        while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
            run.out.append(buffer.data(), n);
        const int status = ::pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    run.err = WithoutQtWarnings(ReadWholeFile(errFile));
    std::filesystem::remove(errFile);
    return run;
}

/// Runs corvid-batch with `arguments` (shell words) in `directory`.
inline BatchRun RunBatchIn(const std::string& arguments, const ScratchDir& directory)
{
    return RunShellIn(BatchProgram() + " " + arguments, directory);
}
