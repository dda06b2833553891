#pragma once

#include <cstdio>
#include <memory>
#include <string_view>

/// Longest line the importer accepts; a line this long or longer is refused.
constexpr std::size_t kMaxLineLength = 524288;

/// The text source of the importer: a file read in large blocks, or text in
/// memory. The reader looks at a window of unread text, takes what it has
/// used, and asks for more when a line runs past the window.
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
    std::FILE* m_file = nullptr;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_bufferSize = 0;
    const char* m_position = nullptr;
    const char* m_end = nullptr;
    bool m_fileDone = true;
    bool m_readFailed = false;
};
