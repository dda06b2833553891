#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

class PipeSource;

/// The link stream's fields read through a buffer: each refill takes what
/// the source has ready (up to the buffer's size), so a stream of small
/// messages costs a system call per block, not per field, and a reader never
/// waits for bytes beyond the field it needs. Integers and reals are
/// little-endian 32-bit values. Every read returns false when the stream
/// ends before the field is complete.
class PipeBuffer {
public:
    static constexpr std::size_t kDefaultCapacity = 1 << 16;

    explicit PipeBuffer(PipeSource& source, std::size_t capacity = kDefaultCapacity);
    ~PipeBuffer();
    PipeBuffer(const PipeBuffer&) = delete;
    PipeBuffer& operator=(const PipeBuffer&) = delete;

    bool ReadByte(std::uint8_t& value)
    {
        if (m_position == m_end && !Fill(1))
            return false;
        value = m_buffer[m_position++];
        return true;
    }
    bool ReadInt(std::int32_t& value)
    {
        std::uint32_t bits;
        if (!ReadWord(bits))
            return false;
        value = std::int32_t(bits);
        return true;
    }
    bool ReadReal(float& value)
    {
        std::uint32_t bits;
        if (!ReadWord(bits))
            return false;
        std::memcpy(&value, &bits, sizeof value);
        return true;
    }
    /// Reads `count` bytes into `into`.
    bool ReadBytes(void* into, std::size_t count);
    /// Reads a text of `length` bytes and keeps what stands before its first
    /// zero byte (all of it when there is none). Memory grows only with bytes
    /// that have arrived, so a length far beyond the stream costs nothing.
    bool ReadText(std::uint32_t length, std::string& text);

    /// Bytes taken from the source so far.
    std::uint64_t BytesRead() const { return m_total; }

private:
    bool ReadWord(std::uint32_t& bits)
    {
        if (m_end - m_position < 4 && !Fill(4))
            return false;
        const std::uint8_t* p = m_buffer.get() + m_position;
        bits = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
               (std::uint32_t(p[3]) << 24);
        m_position += 4;
        return true;
    }
    // Makes at least `need` (at most the capacity) unread bytes available.
    bool Fill(std::size_t need);

    PipeSource& m_source;
    std::unique_ptr<std::uint8_t[]> m_buffer;
    std::size_t m_capacity;
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    std::uint64_t m_total = 0;
};
