#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <sys/types.h>

/// Writes a file so that the target stays what it was: a failed or abandoned
/// write leaves the previous file untouched wherever that can be had, and a
/// finished one keeps the old file's mode and owner, the symbolic link that
/// named it (the link's target is written) and hard links to it.
///
/// The text goes to a new file with a unique name beside the target, which
/// is flushed to the disk and then replaces the target on `Commit`. Where no
/// such file can be made (a folder the user may not write in, although the
/// file itself is writable) or where replacing would change what the name is
/// (a file with several hard links), the bytes are first collected in a
/// temporary file and the target is rewritten in place on `Commit` only once
/// room for all of them is reserved, so a full disk keeps the old bytes. A
/// pipe, a character device or a socket (also one named as /dev/stdout or
/// /proc/self/fd/N) is written directly.
class SafeFileWriter {
public:
    /// Whether the format goes back with `WriteAt`: such a writer collects
    /// what goes to a pipe or a socket (which cannot seek) and sends it on
    /// `Commit`.
    enum class Seeking { Forward, Back };

    explicit SafeFileWriter(std::string path, Seeking seeking = Seeking::Forward);
    /// Discards what was not committed: the target keeps its old bytes, except
    /// a pipe, a device or a socket written directly, which has what was sent.
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
    /// step failed; the previous file then stays byte for byte, unless the
    /// disk itself failed while a file was rewritten in place (after room for
    /// the new bytes had been reserved).
    bool Commit();

    /// Why the last step failed, as the system says it ("Permission denied").
    const std::string& Error() const { return m_error; }

    /// Whether the target is written directly rather than replaced.
    bool InPlace() const { return m_inPlace; }

private:
    bool Fail(int error);
    // Buffers writes to the open `descriptor`.
    bool Attach(int descriptor);
    // Opens a pipe, device or socket target.
    bool OpenStream(mode_t mode);
    // Opens a regular file that is rewritten in place, and the spool for it.
    bool OpenInPlace(bool exists);
    bool CommitReplacement();
    bool CommitInPlace(int spool);
    bool CommitStream(int spool);

    std::string m_path;      // as given
    std::string m_target;    // the file finally written, links followed
    std::string m_temporary; // the new file beside it, or empty
    int m_registered = -1;   // its slot in the list of temporary files (model/temporary_files.h)
    Seeking m_seeking;
    int m_destination = -1;  // a target written in place, while the bytes are spooled
    bool m_spooled = false;  // m_file collects the bytes in an unnamed temporary file
    std::FILE* m_file = nullptr;
    std::string m_error;
    bool m_inPlace = false;
    bool m_failed = false;
    bool m_committed = false;
};

/// Writes `data` to `path` with a `SafeFileWriter` in one go. Returns false
/// and stores the reason in `error` (when given) on failure.
bool WriteFileSafely(const std::string& path, std::string_view data, std::string* error = nullptr);
