#pragma once

#include "tests/support/read_back.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

/// Whether this build runs under AddressSanitizer, whose shadow memory
/// cannot live under an address-space limit.
constexpr bool kAddressSanitizer =
#if defined(__SANITIZE_ADDRESS__)
    true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    true;
#else
    false;
#endif
#else
    false;
#endif

/// The process's address space in bytes now (VmSize), or 0 when unknown.
inline std::size_t AddressSpaceInUse()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0;
    char line[256];
    std::size_t kilobytes = 0;
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmSize:", 7) == 0)
            kilobytes = std::strtoull(line + 7, nullptr, 10);
    }
    std::fclose(status);
    return kilobytes * 1024;
}

/// Threads of earlier tests leave malloc arenas behind whose reserved space an
/// allocation that fails under the limit falls back on, so the limit would
/// hold only in a fresh process. With one arena for the whole test program it
/// holds whatever ran before.
inline const bool kOneMallocArena = ::mallopt(M_ARENA_MAX, 1) == 1;

/// Runs `body` in a child process whose address space may grow by only
/// `headroom` bytes beyond what it uses when it starts, so large allocations
/// fail there and nowhere else. The child's output goes to `output` (read
/// back for the caller). Returns the child's exit status, or -1 when it did
/// not exit normally (killed, aborted).
inline int RunWithMemoryLimit(std::size_t headroom, const std::function<int(std::FILE*)>& body,
                              std::string* output = nullptr)
{
    std::FILE* channel = std::tmpfile();
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit limit{AddressSpaceInUse() + headroom, AddressSpaceInUse() + headroom};
        ::setrlimit(RLIMIT_AS, &limit);
        const int status = body(channel);
        std::fflush(channel);
        ::_exit(status);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (output)
        *output = ReadAll(channel);
    std::fclose(channel);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
