// Running out of memory is a message, never an abort: a child process gets a
// small address-space limit and reports through its exit status which checks
// failed. AddressSanitizer reserves far more address space than any limit
// allows, so the test is skipped in sanitizer builds.
#include "equation/evalfield.h"
#include "tests/equation/eq_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define CORVID_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORVID_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

// The process's address space in bytes, from /proc/self/statm.
long AddressSpace()
{
    std::FILE* file = std::fopen("/proc/self/statm", "r");
    if (!file)
        return -1;
    long pages = -1;
    if (std::fscanf(file, "%ld", &pages) != 1)
        pages = -1;
    std::fclose(file);
    return pages < 0 ? -1 : pages * sysconf(_SC_PAGESIZE);
}

bool LimitTo(long extraBytes)
{
    const long used = AddressSpace();
    if (used < 0)
        return false;
    // Only the soft limit, so that a later call may set it higher again.
    rlimit limit;
    if (getrlimit(RLIMIT_AS, &limit) != 0)
        return false;
    limit.rlim_cur = rlim_t(used + extraBytes);
    return setrlimit(RLIMIT_AS, &limit) == 0;
}

bool IsOutOfMemory(const Equation& equation)
{
    return equation.m_message && std::string(equation.m_message) == kEqNoMemoryMessage;
}

// The checks, run in the child; bit k of the result is set when check k failed.
// Memory freed inside the process stays in its address space, so the tight
// limit comes first and the looser one after it.
int RunChecks(const std::string& huge, const std::string& large)
{
    int failed = 0;
    // The large equation fits; then the limit is brought down close to what is used.
    Equation source(large.c_str());
    if (source.m_message)
        return 1 << 6;
    if (!LimitTo(8L << 20))
        return 1 << 7;

    // 1: a derivative that does not fit carries the message and no tree.
    Equation derivative = source.Deriv(0);
    if (!IsOutOfMemory(derivative) || derivative.Root() || source.m_message)
        failed |= 1 << 1;

    // 2: so does a copy, which is left empty.
    Equation copy(source);
    if (!IsOutOfMemory(copy) || copy.Root() || copy.Text())
        failed |= 1 << 2;

    // 3: the source is whole and still evaluates.
    for (int i = 0; i < source.NumVars(); ++i)
        source.SetVar(i, 1);
    if (double(source.Eval()) != 200001 || source.m_message)
        failed |= 1 << 3;

    // 4: parsing more than fits leaves an empty equation with the message.
    if (!LimitTo(256L << 20))
        return failed | 1 << 7;
    Equation parsed;
    if (parsed.Parse(huge.c_str()) != 0 || !IsOutOfMemory(parsed) || parsed.Root() ||
        parsed.NumVars() != 0 || parsed.Text())
        failed |= 1 << 4;

    // 5: a number field that runs out of memory is refused, not read as a number.
    float value = 0;
    if (EvalField(huge.c_str(), value) != 0)
        failed |= 1 << 5;
    return failed;
}

TEST(EquationMemory, RunningOutIsAMessage)
{
#ifdef CORVID_ADDRESS_SANITIZER
    GTEST_SKIP() << "address-space limits do not work under AddressSanitizer";
#else
    // Both texts are made before the limit: 5 million terms need far more than 256 MB of
    // tokens and elements; 200,000 products fit, their derivative does not.
    std::string huge = "x";
    for (int i = 0; i < 5000000; ++i)
        huge += "+x";
    std::string large = "x*y";
    for (int i = 1; i < 200000; ++i)
        large += "+x*y";
    large += "+x*y";
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(RunChecks(huge, large));
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "failed checks (bits): " << WEXITSTATUS(status);
#endif
}

} // namespace
