#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

/// Longest line the importer accepts; a line this long or longer is refused.
constexpr std::size_t kMaxLineLength = 524288;

/// Reads text one line at a time from a file (read in large blocks) or from
/// text in memory. A line ends at CR LF, LF or a lone CR; the end is not part of
/// the line. Lines of `kMaxLineLength` characters or more come back cut to that
/// length, so the caller can refuse them.
class IOBuffer {
public:
    /// Reads from the open stream `file`, which stays owned by the caller.
    /// A null stream raises `Error` "NULL file pointer!".
    explicit IOBuffer(std::FILE* file);
    /// Reads from `text`; a null text raises `Error` "NULL mem pointer!".
    explicit IOBuffer(const char* text);

    /// Whether every line has been read.
    bool AtEnd();
    /// The next line; valid until the next call. Empty at the end.
    std::string_view NextLine();
    /// Whether reading the file failed (as opposed to ending).
    bool ReadFailed() const { return m_readFailed; }

private:
    bool Refill();

    std::FILE* m_file = nullptr;
    std::vector<char> m_buffer;
    const char* m_position = nullptr;
    const char* m_end = nullptr;
    bool m_fileDone = true;
    bool m_hasCR = false; // whether the unread text holds a CR at all
    bool m_readFailed = false;
};
