#include "io/pipe_buffer.h"

#include "io/pipe_source.h"

#include <algorithm>
#include <cassert>

PipeBuffer::PipeBuffer(PipeSource& source, std::size_t capacity)
    : m_source(source), m_buffer(std::make_unique_for_overwrite<std::uint8_t[]>(std::max<std::size_t>(capacity, 8))),
      m_capacity(std::max<std::size_t>(capacity, 8))
{
}

PipeBuffer::~PipeBuffer() = default;

bool PipeBuffer::Fill(std::size_t need)
{
    assert(need <= m_capacity && "a field larger than the buffer");
    std::size_t available = m_end - m_position;
    if (available >= need)
        return true;
    // Keep the unread rest at the front and read behind it.
    if (m_position > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_position, available);
        m_position = 0;
        m_end = available;
    }
    while (available < need) {
        const std::size_t got = m_source.Read(m_buffer.get() + m_end, m_capacity - m_end);
        if (got == 0)
            return false;
        m_end += got;
        m_total += got;
        available += got;
    }
    return true;
}

bool PipeBuffer::ReadBytes(void* into, std::size_t count)
{
    auto* out = static_cast<std::uint8_t*>(into);
    while (count > 0) {
        if (m_position == m_end && !Fill(1))
            return false;
        const std::size_t take = std::min(count, m_end - m_position);
        std::memcpy(out, m_buffer.get() + m_position, take);
        m_position += take;
        out += take;
        count -= take;
    }
    return true;
}

bool PipeBuffer::ReadText(std::uint32_t length, std::string& text)
{
    text.clear();
    bool ended = false; // the zero byte has been met
    std::uint64_t left = length;
    while (left > 0) {
        if (m_position == m_end && !Fill(1))
            return false;
        const std::size_t take = std::size_t(std::min<std::uint64_t>(left, m_end - m_position));
        const std::uint8_t* start = m_buffer.get() + m_position;
        if (!ended) {
            const auto* zero = static_cast<const std::uint8_t*>(std::memchr(start, 0, take));
            const std::size_t keep = zero ? std::size_t(zero - start) : take;
            text.append(reinterpret_cast<const char*>(start), keep);
            ended = zero != nullptr;
        }
        m_position += take;
        left -= take;
    }
    return true;
}
