#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

/// Writes a file so that the target stays what it was: a failed or abandoned
/// write leaves the previous file untouched wherever that can be had, and a
/// finished one keeps the old file's mode and owner, the symbolic link that
/// named it (the link's target is written) and hard links to it.
///
/// The text goes to a new file with a unique name beside the target, which
/// replaces the target on `Commit`. Where no such file can be made (a folder
/// the user may not write in, although the file itself is writable) or where
/// replacing would change what the name is (a device, a pipe, a file with
/// several hard links), the target itself is written in place.
class SafeFileWriter {
public:
    explicit SafeFileWriter(std::string path);
    /// Discards an uncommitted temporary file; a target written in place keeps
    /// what was written.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    /// Opens the file for writing. False, with `Error()` set, when the target
    /// cannot be written (no such folder, no permission, not a file).
    bool Open();

    /// Appends bytes; false (and every later call false) once writing failed.
    bool Write(const void* data, std::size_t size);
    bool Write(std::string_view text) { return Write(text.data(), text.size()); }

    /// Overwrites bytes already written, `offset` bytes from the start, for
    /// formats whose headers hold sizes known only at the end. Later writes
    /// still append. False (and every later call false) when it fails, as on
    /// a pipe, which cannot go back.
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t size);

    /// Finishes the file and puts it in the target's place. False when any
    /// step failed; the previous file then stays unless it was written in place.
    bool Commit();

    /// Why the last step failed, as the system says it ("Permission denied").
    const std::string& Error() const { return m_error; }

    /// Whether the target is written directly rather than replaced.
    bool InPlace() const { return m_inPlace; }

private:
    bool Fail(int error);
    // Buffers writes to the open `descriptor`.
    bool Attach(int descriptor);

    std::string m_path;      // as given
    std::string m_target;    // the file finally written, links followed
    std::string m_temporary; // the new file beside it, or empty
    std::FILE* m_file = nullptr;
    std::string m_error;
    bool m_inPlace = false;
    bool m_failed = false;
    bool m_committed = false;
};

/// Writes `data` to `path` with a `SafeFileWriter` in one go. Returns false
/// and stores the reason in `error` (when given) on failure.
bool WriteFileSafely(const std::string& path, std::string_view data, std::string* error = nullptr);
