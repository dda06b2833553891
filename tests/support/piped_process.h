#pragma once

#include "tests/support/batch_run.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

/// What a program run with a pipe did: the same record as a shell run's.
using PipedRun = BatchRun;

/// Runs `program` with `args` in `directory`, with the read end of a new pipe
/// as descriptor `number` (an argument "@PIPE@" is replaced by that number),
/// writes `bytes` into the pipe and closes it, and waits for the program.
/// Standard output and error are captured through files in `directory`.
inline PipedRun RunWithPipe(const std::string& program, std::vector<std::string> args, const std::string& bytes,
                            const std::string& directory, int number = 3)
{
    std::signal(SIGPIPE, SIG_IGN);
    for (std::string& arg : args)
        if (arg == "@PIPE@")
            arg = std::to_string(number);
    const std::string outPath = directory + "/piped-stdout.txt";
    const std::string errPath = directory + "/piped-stderr.txt";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    int ends[2];
    if (::pipe(ends) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[1]);
        if (ends[0] != number) {
            ::dup2(ends[0], number);
            ::close(ends[0]);
        }
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (::chdir(directory.c_str()) != 0)
            ::_exit(126);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(ends[0]);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(ends[1], bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break; // the program stopped reading and closed
        done += std::size_t(n);
    }
    ::close(ends[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    PipedRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadWholeFile(outPath);
    run.err = WithoutQtWarnings(ReadWholeFile(errPath));
    return run;
}
