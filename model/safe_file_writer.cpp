#include "model/safe_file_writer.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
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

} // namespace

SafeFileWriter::SafeFileWriter(std::string path) : m_path(std::move(path)) {}

SafeFileWriter::~SafeFileWriter()
{
    if (m_file)
        std::fclose(m_file);
    if (!m_committed && !m_temporary.empty())
        ::unlink(m_temporary.c_str());
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
    m_target = FollowLinks(m_path);
    struct stat info {};
    const bool exists = ::stat(m_target.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode))
        return Fail(EISDIR);
    if (exists && ::access(m_target.c_str(), W_OK) != 0)
        return Fail(errno);
    // Replacing a device, a pipe or one of several hard links would change
    // what the name is; such targets are written directly.
    m_inPlace = exists && (!S_ISREG(info.st_mode) || info.st_nlink > 1);
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
            return Attach(descriptor);
        }
        m_inPlace = true;
    }
    const int descriptor = ::open(m_target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return Fail(errno);
    return Attach(descriptor);
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
    const bool closed = std::fclose(m_file) == 0;
    const int closeError = errno;
    m_file = nullptr;
    if (m_failed)
        return false;
    if (!flushed)
        return Fail(flushError);
    if (!closed)
        return Fail(closeError);
    if (!m_temporary.empty() && std::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return Fail(errno);
    m_committed = true;
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
