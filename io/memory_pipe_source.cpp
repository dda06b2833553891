#include "io/memory_pipe_source.h"

#include <algorithm>
#include <cstring>

std::size_t MemoryPipeSource::Read(void* into, std::size_t room)
{
    std::size_t count = std::min(room, m_bytes.size() - m_position);
    if (m_chunk > 0)
        count = std::min(count, m_chunk);
    if (count == 0)
        return 0;
    std::memcpy(into, m_bytes.data() + m_position, count);
    m_position += count;
    return count;
}
