#pragma once

#include "model/colors.h"
#include "model/log_font.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

/// Why reading a document file stopped: a stored value is out of its range
/// (a negative count, an index outside the page, a value below its minimum),
/// the data ended before the record did, or the file could not be read
/// (`error` then holds the system's error number).
struct ArchiveError {
    enum Cause { kBadIndex, kEndOfFile, kReadFailed };
    Cause cause;
    int error = 0;
};

/// Reads the encodings of a document file, from bytes in memory or from an
/// open file read as the records ask for bytes. Every read checks the bytes
/// left first and raises `ArchiveError` kEndOfFile when they do not suffice,
/// so nothing is ever allocated for data the file does not hold, and no more
/// of a stream is read than the records already read call for.
class ArchiveReader {
public:
    ArchiveReader(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}
    /// Reads from `descriptor` (left open). `size` is the file's length when
    /// known (a regular file), which bounds the counts as for bytes in memory;
    /// a pipe or a device has none, and its counts are bounded by the data
    /// that actually arrives.
    ArchiveReader(int descriptor, std::optional<std::uint64_t> size) : m_descriptor(descriptor), m_known(size) {}

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
    /// The next `count` bytes; they stay valid until the next read.
    const unsigned char* Take(std::size_t count);
    /// Whether `count` more bytes are there to read (reading a stream that far).
    bool Has(std::size_t count);

    /// The bytes left as far as known: for a stream of unknown length, as
    /// many as a count may ask for.
    std::size_t Remaining() const;

private:
    std::size_t ReadLength(bool& wide);
    // Reads from the descriptor until `count` bytes are buffered or it ends.
    void Fill(std::size_t count);

    const unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_offset = 0;
    int m_descriptor = -1;
    std::optional<std::uint64_t> m_known; // the stream's length, when known
    std::uint64_t m_dropped = 0;          // stream bytes already read and let go
    std::string m_buffer;                 // the stream's bytes not yet let go
    bool m_ended = false;
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
