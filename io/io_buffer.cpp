#include "io/io_buffer.h"

#include "model/error.h"

#include <cstring>

// Large enough for a refused line plus a whole read block behind it.
static constexpr std::size_t kBlockSize = 1 << 20;

IOBuffer::IOBuffer(std::FILE* file) : m_file(file)
{
    if (!file)
        throw Error("NULL file pointer!", "IOBuffer", __LINE__);
    m_buffer.resize(kMaxLineLength + 2 * kBlockSize);
    m_position = m_end = m_buffer.data();
    m_fileDone = false;
}

IOBuffer::IOBuffer(const char* text)
{
    if (!text)
        throw Error("NULL mem pointer!", "IOBuffer", __LINE__);
    m_position = text;
    m_end = text + std::strlen(text);
    m_hasCR = std::memchr(m_position, '\r', m_end - m_position) != nullptr;
}

bool IOBuffer::Refill()
{
    if (m_fileDone)
        return false;
    // Keep the unread rest at the front, then fill up behind it.
    const std::size_t rest = std::size_t(m_end - m_position);
    std::memmove(m_buffer.data(), m_position, rest);
    m_position = m_buffer.data();
    m_end = m_position + rest;
    const std::size_t room = m_buffer.size() - rest;
    const std::size_t got = std::fread(m_buffer.data() + rest, 1, room, m_file);
    m_end += got;
    // Most files hold no CR at all; then a line ends only at LF.
    m_hasCR = std::memchr(m_position, '\r', m_end - m_position) != nullptr;
    if (got < room) {
        m_fileDone = true;
        m_readFailed = std::ferror(m_file) != 0;
    }
    return got > 0;
}

bool IOBuffer::AtEnd()
{
    if (m_position < m_end)
        return false;
    return !Refill();
}

std::string_view IOBuffer::NextLine()
{
    for (;;) {
        const std::size_t available = std::size_t(m_end - m_position);
        const std::size_t scan = available < kMaxLineLength ? available : kMaxLineLength;
        const char* newline = static_cast<const char*>(std::memchr(m_position, '\n', scan));
        const char* stop = newline ? newline : m_position + scan;
        // A CR before the LF (or alone) ends the line there.
        const char* cr =
            m_hasCR ? static_cast<const char*>(std::memchr(m_position, '\r', stop - m_position))
                    : nullptr;
        if (cr)
            stop = cr;
        if (cr || newline) {
            std::string_view line(m_position, stop - m_position);
            m_position = stop + 1;
            if (cr && m_position < m_end && *m_position == '\n')
                ++m_position;
            else if (cr && m_position == m_end && !m_fileDone) {
                // The LF of this CR LF may be the first byte of the next block.
                const std::size_t lineLength = line.size();
                m_position = stop - lineLength;
                if (Refill())
                    continue;
                line = std::string_view(m_position, lineLength);
                m_position += lineLength + 1;
            }
            return line;
        }
        if (available >= kMaxLineLength) {
            // Too long: hand back the first part so the caller refuses it.
            std::string_view line(m_position, kMaxLineLength);
            m_position += kMaxLineLength;
            return line;
        }
        if (!m_fileDone && Refill())
            continue;
        // Refill may have moved the rest to the front of the buffer.
        std::string_view line(m_position, std::size_t(m_end - m_position));
        m_position = m_end;
        return line;
    }
}
