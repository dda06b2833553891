#pragma once

#include "model/colors.h"
#include "model/log_font.h"

#include <cstddef>
#include <cstdint>
#include <string>

/// Why reading a document file stopped: a stored value is out of its range
/// (a negative count, an index outside the page, a value below its minimum),
/// or the data ended before the record did.
struct ArchiveError {
    enum Cause { kBadIndex, kEndOfFile };
    Cause cause;
};

/// Reads the encodings of a document file from bytes in memory. Every read
/// checks the bytes left first and raises `ArchiveError` kEndOfFile when they
/// do not suffice, so nothing is ever allocated for data the file does not hold.
class ArchiveReader {
public:
    ArchiveReader(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}

    std::int32_t Int32();
    float Float();
    Color ColorValue() { return Color(std::uint32_t(Int32())); }
    LogFont Font();
    /// A length-prefixed string; one stored as UTF-16 (marker 0xFF, 0xFFFE)
    /// comes back as UTF-8.
    std::string String();
    /// A record count: negative is kBadIndex; more records of at least
    /// `recordBytes` bytes each than the data left can hold is kEndOfFile.
    int Count(std::size_t recordBytes);
    /// The next `count` bytes, which stay owned by the caller's buffer.
    const unsigned char* Take(std::size_t count);

    std::size_t Remaining() const { return m_size - m_offset; }
    std::size_t Offset() const { return m_offset; }

private:
    std::size_t ReadLength(bool& wide);

    const unsigned char* m_data;
    std::size_t m_size;
    std::size_t m_offset = 0;
};

/// The little-endian 32-bit value at `in`.
inline std::uint32_t LoadLittle32(const unsigned char* in)
{
    return std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 |
           std::uint32_t(in[3]) << 24;
}

/// UTF-16 code units (little-endian, `count` of them at `in`) as UTF-8; an
/// unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const unsigned char* in, std::size_t count);
