#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

/// Longest line the importer accepts; a line this long or longer is refused.
constexpr std::size_t kMaxLineLength = 524288;

/// The text source of the importer: a file read in large blocks, or text in
/// memory. The reader looks at a window of unread text, takes what it has
/// used, and asks for more when a line runs past the window.
///
/// A UTF-8 byte-order mark at the start is skipped; a file that starts with a
/// UTF-16 byte-order mark (little or big endian) is read as that text, turned
/// into UTF-8 as it is read.
class IOBuffer {
public:
    /// Reads from the open stream `file`, which stays owned by the caller.
    /// A null stream raises `Error` "NULL file pointer!".
    explicit IOBuffer(std::FILE* file);
    /// Reads from `text`; a null text raises `Error` "NULL mem pointer!".
    explicit IOBuffer(const char* text);

    /// Whether all text has been used.
    bool AtEnd() { return m_position < m_end ? false : !Extend(); }

    /// The unread text, at most `kMaxLineLength` + 1 characters of it: a line
    /// of the longest length that is refused together with its line end.
    std::string_view Window() const
    {
        const std::size_t available = std::size_t(m_end - m_position);
        return {m_position, available <= kMaxLineLength ? available : kMaxLineLength + 1};
    }

    /// Marks the text up to `next` (inside the window) as used.
    void Consume(const char* next) { m_position = next; }

    /// Reads more text behind the unread rest; false when there is no more.
    /// Moves the window: views taken before are no longer valid.
    bool Extend();

    /// Whether reading the file failed (as opposed to ending).
    bool ReadFailed() const { return m_readFailed; }

private:
    enum class Encoding { Unknown, Bytes, Utf16LE, Utf16BE };

    // Reads up to `room` bytes of the file into `into`; fewer only at its end.
    std::size_t ReadRaw(char* into, std::size_t room);
    // Fills up to `room` bytes at `into` with UTF-8 from the UTF-16 file.
    std::size_t ReadUtf16(char* into, std::size_t room);
    // Looks at the first bytes read (`count` at `start`) for a byte-order
    // mark; returns how many bytes of them are text.
    std::size_t Sniff(char* start, std::size_t count);

    std::FILE* m_file = nullptr;
    Encoding m_encoding = Encoding::Unknown;
    std::string m_raw;       // UTF-16 bytes read but not yet turned into UTF-8
    bool m_rawDone = false;  // the file itself has ended (UTF-16 mode)
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_bufferSize = 0;
    const char* m_position = nullptr;
    const char* m_end = nullptr;
    bool m_fileDone = true;
    bool m_readFailed = false;
};
