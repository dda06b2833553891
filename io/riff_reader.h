#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

/// A four-character chunk code as the 32-bit little-endian value it is in a
/// RIFF file ("fmt " is FourCC("fmt ")).
constexpr std::uint32_t FourCC(const char (&code)[5])
{
    return std::uint32_t(std::uint8_t(code[0])) | std::uint32_t(std::uint8_t(code[1])) << 8 |
           std::uint32_t(std::uint8_t(code[2])) << 16 | std::uint32_t(std::uint8_t(code[3])) << 24;
}

/// One chunk of a RIFF file: its code, the size its header gives (which a
/// broken file may give larger than the file) and where its data start.
struct RiffChunk {
    std::uint32_t id = 0;
    std::uint32_t size = 0;
    std::uint64_t offset = 0; ///< of the data, just behind the 8-byte header
};

/// Reads the chunks of a RIFF file (little-endian) from an open file or from
/// bytes in memory. Chunks are found by walking their headers, so the order
/// of the chunks inside a form does not matter; a chunk of odd size is
/// followed by one pad byte. Nothing is ever read outside the source: a
/// chunk that claims more bytes than there are yields only the bytes there.
class RiffReader {
public:
    /// Reads the open descriptor `file` (kept open and owned by the caller).
    /// A regular file is read where it is needed, in large blocks; a pipe or
    /// another stream that cannot be positioned is read into memory first, as
    /// far as its RIFF header's size says and no further (only the 12 header
    /// bytes when it starts with no "RIFF"; `std::bad_alloc` when there is no
    /// room).
    explicit RiffReader(int file);
    /// Reads the `size` bytes at `data`, which the caller keeps alive.
    RiffReader(const void* data, std::size_t size);

    /// The number of bytes the source holds.
    std::uint64_t Size() const { return m_size; }

    /// Reads the header of the first chunk and, behind it, the form type.
    /// False when not even the 8-byte header is there; `formType` is 0 when
    /// the four bytes of the form type are missing.
    bool ReadForm(RiffChunk& form, std::uint32_t& formType);

    /// Finds the first chunk with code `id` among the chunks inside the form
    /// `form` (behind its form type, up to its end or the end of the source,
    /// whichever comes first). False when there is none.
    bool FindChunk(const RiffChunk& form, std::uint32_t id, RiffChunk& found);

    /// The bytes from `offset` on, at most `count` of them: fewer at the end
    /// of the source or after a read error, none beyond it. The view stays
    /// valid until the next call of `Load` or `FindChunk`.
    std::span<const std::uint8_t> Load(std::uint64_t offset, std::size_t count);

    /// Whether reading the file failed (as opposed to ending).
    bool ReadFailed() const { return m_readFailed; }

private:
    // Reads up to `count` bytes at `offset` of the file into `into`.
    std::size_t ReadFileAt(std::uint64_t offset, std::uint8_t* into, std::size_t count);

    int m_file = -1;                       // read with pread, or -1 for bytes in memory
    const std::uint8_t* m_data = nullptr;  // the bytes in memory
    std::uint64_t m_size = 0;
    std::vector<std::uint8_t> m_owned;     // a stream read whole
    std::unique_ptr<std::uint8_t[]> m_block; // the file's read block
    std::size_t m_blockSize = 0;
    bool m_readFailed = false;
};
