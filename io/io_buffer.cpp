#include "io/io_buffer.h"

#include "model/error.h"

#include <cerrno>
#include <algorithm>
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
    // Text copied from an editor may begin with a UTF-8 byte-order mark.
    if (m_end - m_position >= 3 && std::memcmp(m_position, "\xEF\xBB\xBF", 3) == 0)
        m_position += 3;
}

std::size_t IOBuffer::ReadRaw(char* into, std::size_t room)
{
    // Read the descriptor directly: stdio would copy every byte once more.
    const int descriptor = fileno(m_file);
    std::size_t got = 0;
    while (got < room) {
        const ssize_t n = ::read(descriptor, into + got, room - got);
        if (n > 0) {
            got += std::size_t(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            m_readFailed = m_readFailed || n < 0;
            break;
        }
    }
    return got;
}

std::size_t IOBuffer::Sniff(char* start, std::size_t count)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(start);
    if (count >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        m_encoding = Encoding::Bytes;
        std::memmove(start, start + 3, count - 3);
        return count - 3;
    }
    if (count >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
        m_encoding = bytes[0] == 0xFF ? Encoding::Utf16LE : Encoding::Utf16BE;
        m_raw.assign(start + 2, count - 2);
        return 0;
    }
    m_encoding = Encoding::Bytes;
    return count;
}

// Appends the UTF-8 form of `code` (a Unicode scalar value) at `out`.
static char* PutUtf8(char* out, unsigned code)
{
    if (code < 0x80) {
        *out++ = char(code);
    } else if (code < 0x800) {
        *out++ = char(0xC0 | (code >> 6));
        *out++ = char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out++ = char(0xE0 | (code >> 12));
        *out++ = char(0x80 | ((code >> 6) & 0x3F));
        *out++ = char(0x80 | (code & 0x3F));
    } else {
        *out++ = char(0xF0 | (code >> 18));
        *out++ = char(0x80 | ((code >> 12) & 0x3F));
        *out++ = char(0x80 | ((code >> 6) & 0x3F));
        *out++ = char(0x80 | (code & 0x3F));
    }
    return out;
}

std::size_t IOBuffer::ReadUtf16(char* into, std::size_t room)
{
    // Two bytes of UTF-16 make at most three of UTF-8 (a pair of four makes
    // four), so this much input always fits.
    const std::size_t want = (room / 3) * 2;
    if (!m_rawDone && m_raw.size() < want) {
        const std::size_t have = m_raw.size();
        m_raw.resize(want);
        const std::size_t got = ReadRaw(m_raw.data() + have, want - have);
        m_raw.resize(have + got);
        if (have + got < want)
            m_rawDone = true;
    }
    const bool little = m_encoding == Encoding::Utf16LE;
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_raw.data());
    const std::size_t units = std::min(m_raw.size(), want) / 2;
    auto unitAt = [&](std::size_t i) {
        return little ? unsigned(bytes[2 * i] | (bytes[2 * i + 1] << 8))
                      : unsigned((bytes[2 * i] << 8) | bytes[2 * i + 1]);
    };
    char* out = into;
    std::size_t i = 0;
    while (i < units) {
        unsigned code = unitAt(i);
        if (code >= 0xD800 && code < 0xDC00) {
            if (i + 1 >= units && !(m_rawDone && m_raw.size() / 2 <= units)) {
                break; // the pair's second half comes with the next read
            }
            const unsigned low = i + 1 < units ? unitAt(i + 1) : 0;
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            } else {
                code = 0xFFFD;
            }
        } else if (code >= 0xDC00 && code < 0xE000) {
            code = 0xFFFD;
        }
        out = PutUtf8(out, code);
        ++i;
    }
    m_raw.erase(0, 2 * i);
    // An odd byte at the very end is no character.
    if (m_rawDone && m_raw.size() == 1)
        m_raw.clear();
    return std::size_t(out - into);
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
    char* into = m_buffer.get() + rest;
    std::size_t got = 0;
    if (m_encoding == Encoding::Unknown) {
        got = ReadRaw(into, room);
        const bool ended = got < room;
        got = Sniff(into, got);
        if (m_encoding != Encoding::Bytes) {
            m_rawDone = ended;
            got = ReadUtf16(into, room);
        } else if (ended) {
            m_fileDone = true;
        }
    } else if (m_encoding == Encoding::Bytes) {
        got = ReadRaw(into, room);
        if (got < room)
            m_fileDone = true;
    } else {
        got = ReadUtf16(into, room);
    }
    if (m_encoding == Encoding::Utf16LE || m_encoding == Encoding::Utf16BE)
        m_fileDone = m_rawDone && m_raw.empty();
    m_end += got;
    return got > 0;
}
