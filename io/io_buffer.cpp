#include "io/io_buffer.h"

#include "model/error.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

// Large enough for a refused line plus a whole read block behind it.
static constexpr std::size_t kBlockSize = 1 << 20;

IOBuffer::IOBuffer(std::FILE* file) : m_file(file)
{
    if (!file)
        throw Error("NULL file pointer!", "IOBuffer", __LINE__);
    m_bufferSize = kMaxLineLength + 2 * kBlockSize;
    m_buffer = std::make_unique_for_overwrite<char[]>(m_bufferSize);
    m_position = m_end = m_buffer.get();
    m_fileDone = false;
}

IOBuffer::IOBuffer(const char* text)
{
    if (!text)
        throw Error("NULL mem pointer!", "IOBuffer", __LINE__);
    m_position = text;
    m_end = text + std::strlen(text);
}

bool IOBuffer::Extend()
{
    if (m_fileDone)
        return false;
    // Keep the unread rest at the front, then fill up behind it.
    const std::size_t rest = std::size_t(m_end - m_position);
    std::memmove(m_buffer.get(), m_position, rest);
    m_position = m_buffer.get();
    m_end = m_position + rest;
    const std::size_t room = m_bufferSize - rest;
    // Read the descriptor directly: stdio would copy every byte once more.
    const int descriptor = fileno(m_file);
    std::size_t got = 0;
    bool failed = false;
    while (got < room) {
        const ssize_t n = ::read(descriptor, m_buffer.get() + rest + got, room - got);
        if (n > 0) {
            got += std::size_t(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            failed = n < 0;
            break;
        }
    }
    m_end += got;
    if (got < room) {
        m_fileDone = true;
        m_readFailed = failed;
    }
    return got > 0;
}
