#pragma once

#include <cstddef>

/// Where the link reader's bytes come from: a pipe, or bytes in memory.
class PipeSource {
public:
    virtual ~PipeSource() = default;
    /// Reads at least one and at most `room` bytes into `into`, waiting until
    /// some have arrived. Returns 0 when the stream has ended or failed (a
    /// writer that closed its end, a number that names no readable stream).
    virtual std::size_t Read(void* into, std::size_t room) = 0;
};
