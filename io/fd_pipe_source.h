#pragma once

#include "io/pipe_source.h"

/// Reads an inherited file descriptor (the read end of a pipe, or any other
/// readable stream). The descriptor is closed only when asked
/// (`CloseDescriptor`), once nothing more will be read. Another thread may `Cancel` a read that
/// waits for data, so a program that closes never waits for its writer.
class FdPipeSource : public PipeSource {
public:
    explicit FdPipeSource(int descriptor);
    ~FdPipeSource() override;
    FdPipeSource(const FdPipeSource&) = delete;
    FdPipeSource& operator=(const FdPipeSource&) = delete;

    /// Returns what one read(2) gives, retried after interruptions; 0 at the
    /// end of the stream, on a read error and once cancelled.
    std::size_t Read(void* into, std::size_t room) override;

    /// Makes the waiting read, and every later one, return 0. Safe to call
    /// from any thread, and more than once.
    void Cancel();
    bool Cancelled() const;

    /// Closes the descriptor; later reads return 0. A writer still sending
    /// then gets EPIPE instead of blocking for ever on a full pipe.
    void CloseDescriptor();

private:
    int m_descriptor;
    int m_wake = -1; // event descriptor that Cancel signals, or -1
};
