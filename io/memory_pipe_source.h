#pragma once

#include "io/pipe_source.h"

#include <string_view>

/// Bytes in memory as a link stream, handed out at most `chunk` bytes per
/// read, so tests and the fuzz target can cut a stream anywhere a pipe
/// could. The bytes stay owned by the caller.
class MemoryPipeSource : public PipeSource {
public:
    explicit MemoryPipeSource(std::string_view bytes, std::size_t chunk = 0)
        : m_bytes(bytes), m_chunk(chunk) {}

    std::size_t Read(void* into, std::size_t room) override;

    /// Bytes handed out so far.
    std::size_t Position() const { return m_position; }

private:
    std::string_view m_bytes;
    std::size_t m_chunk; // 0: as much as asked for
    std::size_t m_position = 0;
};
