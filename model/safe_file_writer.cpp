#include "model/safe_file_writer.h"

#include "model/temporary_files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links from `path` to the name of the file finally meant,
// which need not exist yet (a link to a file still to be made).
std::string FollowLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
        if (length <= 0)
            return path;
        const std::string link(target, std::size_t(length));
        path = link[0] == '/' ? link : DirectoryOf(path) + "/" + link;
    }
    return path;
}

// The permission bits a new file gets: 0666 less the process's file mask.
// Read from /proc, since asking umask() for it would change it for a moment
// under every other thread.
mode_t NewFileMode()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return mode_t(0666) & ~mode_t(std::strtol(line.c_str() + 6, nullptr, 8));
    }
    return 0644;
}

// The descriptor number that `path` names as /dev/fd/N, /dev/stdout or
// /proc/self/fd/N (after any links to such a name), or -1. Such a name's own
// link text is no path ("pipe:[1234]"), so it cannot be followed further.
int DescriptorNamed(std::string path)
{
    const std::string own = "/proc/" + std::to_string(::getpid()) + "/fd/";
    for (int hops = 0; hops < 40; ++hops) {
        for (const std::string& folder : {std::string("/dev/fd/"), std::string("/proc/self/fd/"),
                                          std::string("/proc/thread-self/fd/"), own}) {
            if (path.rfind(folder, 0) != 0 || path.size() == folder.size())
                continue;
            const std::string number = path.substr(folder.size());
            if (number.find_first_not_of("0123456789") == std::string::npos && number.size() < 10)
                return std::atoi(number.c_str());
        }
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return -1;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
        if (length <= 0)
            return -1;
        const std::string link(target, std::size_t(length));
        path = link[0] == '/' ? link : DirectoryOf(path) + "/" + link;
    }
    return -1;
}

// A socket bound to a name in the file system, connected for writing.
int ConnectSocket(const std::string& path)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0)
        return -1;
    if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(descriptor);
        errno = error;
        return -1;
    }
    return descriptor;
}

// An unnamed file in the temporary folder that collects bytes before they
// go where they cannot be taken back; it vanishes when closed.
int OpenSpool()
{
    const char* folder = std::getenv("TMPDIR");
    if (!folder || !*folder || ::access(folder, W_OK | X_OK) != 0)
        folder = "/tmp";
    const int descriptor = ::open(folder, O_TMPFILE | O_RDWR | O_EXCL | O_CLOEXEC, 0600);
    if (descriptor >= 0)
        return descriptor;
    std::string pattern = std::string(folder) + "/.corvid-spool.XXXXXX";
    const int named = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (named >= 0)
        ::unlink(pattern.c_str());
    return named;
}

// Writes all `size` bytes, `offset` bytes into `descriptor` (or at its
// current position when `offset` is negative). False with errno set.
bool WriteAll(int descriptor, const char* bytes, std::size_t size, off_t offset)
{
    while (size > 0) {
        const ssize_t written = offset < 0 ? ::write(descriptor, bytes, size)
                                           : ::pwrite(descriptor, bytes, size, offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        bytes += written;
        size -= std::size_t(written);
        if (offset >= 0)
            offset += written;
    }
    return true;
}

// Copies the first `size` bytes of `spool` to `descriptor`, from its start
// (or at its position, for a stream: `inPlace` false). False with errno set.
bool CopySpool(int spool, int descriptor, off_t size, bool inPlace)
{
    char chunk[1 << 16];
    for (off_t at = 0; at < size;) {
        const ssize_t got = ::pread(spool, chunk, std::size_t(std::min<off_t>(size - at, off_t(sizeof chunk))), at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got == 0)
                errno = EIO;
            return false;
        }
        if (!WriteAll(descriptor, chunk, std::size_t(got), inPlace ? at : off_t(-1)))
            return false;
        at += got;
    }
    return true;
}

// Flushes a folder's entries to the disk, so a renamed file is there after a
// crash. Folders that cannot be opened or synced (some network file
// systems) are left as they are: the rename itself has worked.
void SyncFolder(const std::string& folder)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

} // namespace

SafeFileWriter::SafeFileWriter(std::string path, Seeking seeking) : m_path(std::move(path)), m_seeking(seeking) {}

SafeFileWriter::~SafeFileWriter()
{
    if (m_file)
        std::fclose(m_file);
    if (m_destination >= 0)
        ::close(m_destination);
    if (!m_committed && !m_temporary.empty())
        ::unlink(m_temporary.c_str());
    ForgetTemporaryFile(m_registered);
}

bool SafeFileWriter::Fail(int error)
{
    m_failed = true;
    m_error = std::strerror(error);
    return false;
}

bool SafeFileWriter::Open()
{
    if (m_path.empty())
        return Fail(ENOENT);
    struct stat info {};
    // A pipe, device or socket is what the name means, whatever links lead
    // there (the links of /dev/stdout end in "pipe:[...]", which names nothing).
    if (::stat(m_path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
        return OpenStream(info.st_mode);
    m_target = FollowLinks(m_path);
    const bool exists = ::stat(m_target.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode))
        return Fail(EISDIR);
    if (exists && ::access(m_target.c_str(), W_OK) != 0)
        return Fail(errno);
    // Replacing one of several hard links would change what the name is;
    // such a file is rewritten in place.
    m_inPlace = exists && info.st_nlink > 1;
    if (!m_inPlace) {
        std::string pattern = DirectoryOf(m_target) + "/." + NameOf(m_target) + ".XXXXXX";
        const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (descriptor >= 0) {
            const mode_t mode = exists ? (info.st_mode & 07777) : NewFileMode();
            ::fchmod(descriptor, mode);
            // Keeping the owner works only where we may; a user's own file
            // already has them as its owner.
            if (exists && (info.st_uid != ::geteuid() || info.st_gid != ::getegid()))
                (void)!::fchown(descriptor, info.st_uid, info.st_gid);
            m_temporary = pattern;
            // A program stopped by a signal removes the file from this list.
            m_registered = RegisterTemporaryFile(pattern.c_str());
            return Attach(descriptor);
        }
        m_inPlace = true;
    }
    return OpenInPlace(exists);
}

bool SafeFileWriter::OpenStream(mode_t mode)
{
    m_inPlace = true;
    const int named = DescriptorNamed(m_path);
    int descriptor = S_ISSOCK(mode) ? -1 : ::open(m_path.c_str(), O_WRONLY | O_CLOEXEC);
    // A socket cannot be opened by name: one that is a descriptor of this
    // process is written through a copy of it, one in the file system is
    // connected to.
    if (descriptor < 0 && named >= 0)
        descriptor = ::fcntl(named, F_DUPFD_CLOEXEC, 0);
    else if (descriptor < 0 && S_ISSOCK(mode))
        descriptor = ConnectSocket(m_path);
    if (descriptor < 0)
        return Fail(errno);
    // A device that can seek (/dev/full, a disk) takes writes that go back
    // as they come; a pipe or a socket gets the bytes once they are final.
    if (m_seeking == Seeking::Forward || ::lseek(descriptor, 0, SEEK_CUR) >= 0)
        return Attach(descriptor);
    m_destination = descriptor;
    const int spool = OpenSpool();
    if (spool < 0)
        return Fail(errno);
    m_spooled = true;
    return Attach(spool);
}

bool SafeFileWriter::OpenInPlace(bool exists)
{
    // The old bytes stay until Commit knows that the new ones fit.
    const int flags = O_WRONLY | O_CLOEXEC | (exists ? 0 : O_CREAT);
    m_destination = ::open(m_target.c_str(), flags, 0666);
    if (m_destination < 0)
        return Fail(errno);
    const int spool = OpenSpool();
    if (spool < 0)
        return Fail(errno);
    m_spooled = true;
    return Attach(spool);
}

bool SafeFileWriter::Attach(int descriptor)
{
    m_file = ::fdopen(descriptor, "wb");
    if (m_file)
        return true;
    const int error = errno;
    ::close(descriptor);
    return Fail(error);
}

bool SafeFileWriter::Write(const void* data, std::size_t size)
{
    if (m_failed || !m_file)
        return m_failed ? false : Fail(EBADF);
    if (size && std::fwrite(data, 1, size, m_file) != size)
        return Fail(errno ? errno : EIO);
    return true;
}

bool SafeFileWriter::WriteAt(std::uint64_t offset, const void* data, std::size_t size)
{
    if (m_failed || !m_file)
        return m_failed ? false : Fail(EBADF);
    if (std::fflush(m_file) != 0)
        return Fail(errno ? errno : EIO);
    const int descriptor = ::fileno(m_file);
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::pwrite(descriptor, bytes, size, off_t(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return Fail(written < 0 ? errno : EIO);
        bytes += written;
        offset += std::uint64_t(written);
        size -= std::size_t(written);
    }
    return true;
}

bool SafeFileWriter::Commit()
{
    if (!m_file)
        return m_failed ? false : Fail(EBADF);
    const bool flushed = std::fflush(m_file) == 0;
    const int flushError = errno;
    if (m_failed || !flushed) {
        std::fclose(m_file);
        m_file = nullptr;
        return m_failed ? false : Fail(flushError);
    }
    // Only a stream written directly learns of a failure as the file closes.
    const bool direct = m_temporary.empty() && !m_spooled;
    bool done = true;
    if (!m_temporary.empty())
        done = CommitReplacement();
    else if (m_spooled && m_inPlace && !m_target.empty())
        done = CommitInPlace(::fileno(m_file));
    else if (m_spooled)
        done = CommitStream(::fileno(m_file));
    const bool closed = std::fclose(m_file) == 0;
    const int closeError = errno;
    m_file = nullptr;
    if (m_destination >= 0 && ::close(m_destination) != 0 && done) {
        m_destination = -1;
        return Fail(errno);
    }
    m_destination = -1;
    if (!done)
        return false;
    if (!closed && direct)
        return Fail(closeError);
    m_committed = true;
    return true;
}

bool SafeFileWriter::CommitReplacement()
{
    // The new bytes are on the disk before the name points at them, so a
    // crash or a full disk found only now never leaves a name without them.
    if (::fsync(::fileno(m_file)) != 0)
        return Fail(errno);
    if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return Fail(errno);
    m_temporary.clear();
    ForgetTemporaryFile(m_registered);
    m_registered = -1;
    SyncFolder(DirectoryOf(m_target));
    return true;
}

bool SafeFileWriter::CommitInPlace(int spool)
{
    const off_t size = ::lseek(spool, 0, SEEK_END);
    struct stat info {};
    if (size < 0 || ::fstat(m_destination, &info) != 0)
        return Fail(errno);
    // Room for every new byte is reserved before the first old one is
    // overwritten; reserving keeps the bytes already there. Where the file
    // system cannot reserve at all, the bytes are written as they come.
    if (size > 0) {
        const int reserved = ::posix_fallocate(m_destination, 0, size);
        if (reserved == ENOSPC || reserved == EDQUOT || reserved == EFBIG || reserved == EIO) {
            struct stat now {};
            if (::fstat(m_destination, &now) == 0 && now.st_size != info.st_size)
                (void)!::ftruncate(m_destination, info.st_size);
            return Fail(reserved);
        }
    }
    if (!CopySpool(spool, m_destination, size, true))
        return Fail(errno);
    if (::ftruncate(m_destination, size) != 0 || ::fsync(m_destination) != 0)
        return Fail(errno);
    return true;
}

bool SafeFileWriter::CommitStream(int spool)
{
    const off_t size = ::lseek(spool, 0, SEEK_END);
    if (size < 0 || !CopySpool(spool, m_destination, size, false))
        return Fail(errno);
    return true;
}

bool WriteFileSafely(const std::string& path, std::string_view data, std::string* error)
{
    SafeFileWriter writer(path);
    const bool written = writer.Open() && writer.Write(data) && writer.Commit();
    if (!written && error)
        *error = writer.Error();
    return written;
}
