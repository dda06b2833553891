#include "model/safe_file_writer.h"

#include "tests/support/read_back.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode;
}

// The names in `directory`, to see that no temporary file is left behind.
std::vector<std::string> Names(const fs::path& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(SafeFileWriter, KeepsWhatTheTargetIs)
{
    const ScratchDir dir("corvid-safe-write");
    const mode_t oldMask = ::umask(022);

    const std::string fresh = dir / "fresh.txt";
    ASSERT_TRUE(WriteFileSafely(fresh, "new"));
    EXPECT_EQ(ReadWholeFile(fresh), "new");
    EXPECT_EQ(ModeOf(fresh) & 0777, 0644u) << "a new file gets the usual mode";

    const std::string secret = dir.Write("secret.txt", "old");
    ::chmod(secret.c_str(), 0600);
    ASSERT_TRUE(WriteFileSafely(secret, "new"));
    EXPECT_EQ(ReadWholeFile(secret), "new");
    EXPECT_EQ(ModeOf(secret) & 0777, 0600u) << "an existing file keeps its mode";

    const std::string target = dir.Write("target.txt", "old");
    const std::string link = dir / "link.txt";
    fs::create_symlink("target.txt", link);
    ASSERT_TRUE(WriteFileSafely(link, "through the link"));
    EXPECT_TRUE(S_ISLNK(ModeOf(link))) << "the link stays a link";
    EXPECT_EQ(ReadWholeFile(target), "through the link");

    const std::string dangling = dir / "dangling.txt";
    fs::create_symlink("made-later.txt", dangling);
    ASSERT_TRUE(WriteFileSafely(dangling, "made"));
    EXPECT_TRUE(S_ISLNK(ModeOf(dangling)));
    EXPECT_EQ(ReadWholeFile(dir / "made-later.txt"), "made");

    const std::string linked = dir.Write("linked.txt", "old");
    const std::string second = dir / "second-name.txt";
    fs::create_hard_link(linked, second);
    ASSERT_TRUE(WriteFileSafely(linked, "both names"));
    EXPECT_EQ(ReadWholeFile(second), "both names") << "a hard link still names the same file";

    const std::string neighbour = dir.Write("out.txt.corvid-part", "unrelated");
    ASSERT_TRUE(WriteFileSafely(dir / "out.txt", "data"));
    EXPECT_EQ(ReadWholeFile(neighbour), "unrelated");

    EXPECT_EQ(Names(dir.Path()),
              (std::vector<std::string>{"dangling.txt", "fresh.txt", "link.txt", "linked.txt", "made-later.txt",
                                        "out.txt", "out.txt.corvid-part", "second-name.txt", "secret.txt",
                                        "target.txt"}))
        << "no temporary file is left";
    ::umask(oldMask);
}

TEST(SafeFileWriter, AnAbandonedWriteLeavesTheOldFile)
{
    const ScratchDir dir("corvid-safe-write");
    const std::string path = dir.Write("keep.txt", "old");
    {
        SafeFileWriter writer(path);
        ASSERT_TRUE(writer.Open());
        EXPECT_FALSE(writer.InPlace());
        ASSERT_TRUE(writer.Write("half of the new"));
    }
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"keep.txt"});
}

TEST(SafeFileWriter, GoesBackToFillInAHeaderAndAppendsAfterIt)
{
    const ScratchDir dir("corvid-safe-write");
    const std::string path = dir.Write("sized.bin", "old");
    SafeFileWriter writer(path);
    ASSERT_TRUE(writer.Open());
    ASSERT_TRUE(writer.Write("size=??;body"));
    ASSERT_TRUE(writer.WriteAt(5, "12", 2));
    ASSERT_TRUE(writer.Write(";tail"));
    EXPECT_EQ(ReadWholeFile(path), "old") << "still beside the target until committed";
    ASSERT_TRUE(writer.Commit());
    EXPECT_EQ(ReadWholeFile(path), "size=12;body;tail");

    // A pipe cannot go back: the writer fails and stays failed.
    const std::string fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    SafeFileWriter piped(fifo);
    ASSERT_TRUE(piped.Open());
    ASSERT_TRUE(piped.Write("head"));
    EXPECT_FALSE(piped.WriteAt(0, "H", 1));
    EXPECT_EQ(piped.Error(), "Illegal seek");
    EXPECT_FALSE(piped.Write("more"));
    ::close(reader);
}

TEST(SafeFileWriter, RefusesWhatCannotBeWritten)
{
    const ScratchDir dir("corvid-safe-write");
    struct Row {
        std::string path;
        const char* reason;
    };
    const Row rows[] = {
        {dir / "no-such-folder/out.txt", "No such file or directory"},
        {dir.Path().string(), "Is a directory"},
        {"", "No such file or directory"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        std::string error;
        EXPECT_FALSE(WriteFileSafely(row.path, "x", &error));
        EXPECT_EQ(error, row.reason);
    }
}

TEST(SafeFileWriter, WritesAPipeInPlace)
{
    const ScratchDir dir("corvid-safe-write");
    const std::string fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    SafeFileWriter writer(fifo);
    ASSERT_TRUE(writer.Open());
    EXPECT_TRUE(writer.InPlace());
    ASSERT_TRUE(writer.Write("through"));
    ASSERT_TRUE(writer.Commit());
    char buffer[16] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "through");
    ::close(reader);
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
}

// A writable file in a folder the user may not write in. Permissions do not
// bind root, so as root the check runs in a child that becomes "nobody".
TEST(SafeFileWriter, WritesInPlaceInAFolderThatIsReadOnly)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        std::string base;
        const char* candidates[] = {std::getenv("TMPDIR"), "/tmp", "/var/tmp", "/dev/shm"};
        for (const char* candidate : candidates) {
            if (candidate && ::access(candidate, W_OK | X_OK) == 0) {
                base = candidate;
                break;
            }
        }
        if (base.empty())
            ::_exit(4);
        std::string folder = base + "/corvid-readonly.XXXXXX";
        if (!::mkdtemp(folder.data()))
            ::_exit(4);
        const std::string path = folder + "/data.txt";
        std::ofstream(path) << "old";
        ::chmod(folder.c_str(), 0555);
        SafeFileWriter writer(path);
        const bool written = writer.Open() && writer.InPlace() && writer.Write("new") && writer.Commit();
        const bool content = ReadWholeFile(path) == "new";
        ::chmod(folder.c_str(), 0755);
        ::unlink(path.c_str());
        ::rmdir(folder.c_str());
        ::_exit(written && content ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 4)
        GTEST_SKIP() << "no temporary folder the unprivileged user may write in";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

namespace {

// A file system of `kilobytes` of its own (a tmpfs mounted on a scratch
// folder), to fill up for real. Mounting needs root and a mount namespace
// that allows it; `Mounted()` tells.
class SmallDisk {
public:
    explicit SmallDisk(int kilobytes) : m_dir("corvid-small-disk")
    {
        const std::string command = "mount -t tmpfs -o size=" + std::to_string(kilobytes) + "k tmpfs '" +
                                    m_dir.Path().string() + "' 2>/dev/null";
        m_mounted = ::geteuid() == 0 && std::system(command.c_str()) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            (void)!std::system(("umount '" + m_dir.Path().string() + "'").c_str());
    }
    bool Mounted() const { return m_mounted; }
    const ScratchDir& Dir() const { return m_dir; }

private:
    ScratchDir m_dir;
    bool m_mounted = false;
};

} // namespace

TEST(SafeFileWriter, AFullDiskKeepsTheOldBytes)
{
    struct Row {
        const char* reason;
        int names;        // hard links to the file: more than one is rewritten in place
        std::size_t oldSize;
        std::size_t newSize;
        bool fits;
    };
    const Row rows[] = {
        {"a replaced file larger than the disk", 1, 1000, 200'000, false},
        {"a file of several names rewritten larger than the disk", 2, 1000, 200'000, false},
        {"a file of several names rewritten in the room it has", 2, 40'000, 40'000, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        const SmallDisk disk(64);
        if (!disk.Mounted())
            GTEST_SKIP() << "no tmpfs can be mounted here";
        const std::string old(row.oldSize, 'o');
        const std::string path = disk.Dir().Write("page.cvd", old);
        if (row.names > 1)
            fs::create_hard_link(path, disk.Dir() / "other-name.cvd");
        std::string error;
        const bool written = WriteFileSafely(path, std::string(row.newSize, 'n'), &error);
        EXPECT_EQ(written, row.fits) << error;
        const std::string expected = row.fits ? std::string(row.newSize, 'n') : old;
        EXPECT_TRUE(ReadWholeFile(path) == expected) << "size " << ReadWholeFile(path).size();
        if (row.names > 1) {
            EXPECT_TRUE(ReadWholeFile(disk.Dir() / "other-name.cvd") == expected);
        }
        if (!row.fits) {
            EXPECT_EQ(error, "No space left on device");
        }
        EXPECT_EQ(Names(disk.Dir().Path()).size(), std::size_t(row.names)) << "no temporary file is left";
    }
}

// Names of descriptors (as a shell's >(...) or /dev/stdout give them) lead to
// a pipe or a socket, which is written as it is: also by a format that goes
// back to fill in its header, which then gets everything at the end.
TEST(SafeFileWriter, WritesThePipeOrSocketADescriptorNames)
{
    struct Row {
        const char* reason;
        bool socket;
        const char* folder;
        SafeFileWriter::Seeking seeking;
        const char* expected;
    };
    const Row rows[] = {
        {"a pipe as /proc/self/fd/N", false, "/proc/self/fd/", SafeFileWriter::Seeking::Forward, "head;body"},
        {"a pipe as /dev/fd/N", false, "/dev/fd/", SafeFileWriter::Seeking::Forward, "head;body"},
        {"a socket as /proc/self/fd/N", true, "/proc/self/fd/", SafeFileWriter::Seeking::Forward, "head;body"},
        {"a header filled in at the end", false, "/dev/fd/", SafeFileWriter::Seeking::Back, "HEAD;body"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        int ends[2];
        ASSERT_EQ(row.socket ? ::socketpair(AF_UNIX, SOCK_STREAM, 0, ends) : ::pipe(ends), 0);
        const int reader = ends[0], writerEnd = ends[1];
        SafeFileWriter writer(row.folder + std::to_string(writerEnd), row.seeking);
        ASSERT_TRUE(writer.Open()) << writer.Error();
        EXPECT_TRUE(writer.InPlace());
        ASSERT_TRUE(writer.Write("head;"));
        ASSERT_TRUE(writer.Write("body"));
        if (row.seeking == SafeFileWriter::Seeking::Back) {
            ASSERT_TRUE(writer.WriteAt(0, "HEAD", 4));
        }
        ASSERT_TRUE(writer.Commit()) << writer.Error();
        ::close(writerEnd);
        std::string got;
        char buffer[64];
        for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;)
            got.append(buffer, std::size_t(n));
        ::close(reader);
        EXPECT_EQ(got, row.expected);
    }
    std::string error;
    EXPECT_TRUE(WriteFileSafely("/dev/null", "into a device", &error)) << error;
}
