#include "model/temporary_files.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int kSlots = 32;
constexpr std::size_t kPathBytes = 4096;

enum SlotState : int { kFree, kFilling, kListed };

struct Slot {
    std::atomic<int> state{kFree};
    char path[kPathBytes];
};

Slot g_slots[kSlots];

void RemoveAndStop(int signal)
{
    RemoveTemporaryFiles();
    // SA_RESETHAND restored the default action; the signal raised again is
    // delivered as the handler returns and ends the program with it.
    ::raise(signal);
}

} // namespace

int RegisterTemporaryFile(const char* path)
{
    const std::size_t length = std::strlen(path);
    if (length >= kPathBytes)
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (g_slots[i].state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(g_slots[i].path, path, length + 1);
            g_slots[i].state.store(kListed);
            return i;
        }
    }
    return -1;
}

void ForgetTemporaryFile(int slot)
{
    if (slot >= 0 && slot < kSlots)
        g_slots[slot].state.store(kFree);
}

void RemoveTemporaryFiles()
{
    for (Slot& slot : g_slots)
        if (slot.state.load() == kListed)
            ::unlink(slot.path);
}

void InstallTemporaryFileCleanup()
{
    struct sigaction action {};
    action.sa_handler = &RemoveAndStop;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction previous {};
        // A signal the starting shell set to be ignored stays ignored.
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}
