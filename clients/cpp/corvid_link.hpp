// Streams data sets into CorvidPlot over the Corvid Link pipe (protocol
// version 4). Header only; POSIX (pipe, posix_spawn). Starts `corvid` (or
// `corvid-batch`) with the read end of a new pipe as an inherited file
// descriptor (-pipe N) and writes link messages into it through a buffer.
//
//     corvid::Link link;                    // corvid on PATH, or $CORVID_PROGRAM
//     link.NewSet("squares");
//     for (int x = 0; x < 10; ++x)
//         link.Point(x, x * x);
//     link.Title("Squares");
//     int status = link.ExportPng("squares.png", 640, 480);
//
// Failures (a value the protocol cannot carry, a program that stopped
// reading, a program that cannot be started, and an ending whose program
// exits with a status other than 0, as when the save or export it asked for
// failed) throw corvid::LinkError.
#pragma once

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <initializer_list>
#include <pthread.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace corvid {

constexpr int kProtocolVersion = 4;

enum SymbolCode : int { Circle, Square, Triangle, Dot, HistogramX, HistogramY, Vector, NoSymbol };
enum LineCode : int { Solid, Dotted, Dashed, DashDot, DashDotDot, NoLine };
enum ColorCode : int { Black, White, Red, Green, Blue, Cyan, Grey, NoColor };

class LinkError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// How to start the program that reads the stream.
struct LinkOptions {
    std::string program;               ///< empty: $CORVID_PROGRAM, else "corvid" on PATH
    std::vector<std::string> command;  ///< arguments before -pipe N (corvid-batch: {"info"})
    std::vector<std::string> args;     ///< arguments after it (page arguments)
    bool headless = false;             ///< offscreen platform, messages on standard error
    int stdoutFd = -1;                 ///< where the program's standard output goes (-1: ours)
    int stderrFd = -1;                 ///< likewise for standard error
};

/// One running program and the pipe it reads.
class Link {
public:
    explicit Link(LinkOptions options = {})
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            throw LinkError(std::string("cannot make a pipe: ") + std::strerror(errno));
        if (options.program.empty()) {
            const char* named = std::getenv("CORVID_PROGRAM");
            options.program = named && *named ? named : "corvid";
        }
        std::vector<std::string> words{options.program};
        words.insert(words.end(), options.command.begin(), options.command.end());
        words.push_back("-pipe");
        words.push_back(std::to_string(ends[0]));
        words.insert(words.end(), options.args.begin(), options.args.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);

        std::vector<std::string> environment;
        for (char** entry = environ; *entry; ++entry) {
            const bool replaced = options.headless && (std::strncmp(*entry, "QT_QPA_PLATFORM=", 16) == 0 ||
                                                       std::strncmp(*entry, "CORVID_MESSAGES=", 16) == 0);
            if (!replaced)
                environment.emplace_back(*entry);
        }
        if (options.headless) {
            environment.emplace_back("QT_QPA_PLATFORM=offscreen");
            environment.emplace_back("CORVID_MESSAGES=stderr");
        }
        std::vector<char*> envp;
        for (std::string& entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        // A dup2 onto itself clears close-on-exec: the read end alone is inherited.
        posix_spawn_file_actions_adddup2(&actions, ends[0], ends[0]);
        if (options.stdoutFd >= 0)
            posix_spawn_file_actions_adddup2(&actions, options.stdoutFd, 1);
        if (options.stderrFd >= 0)
            posix_spawn_file_actions_adddup2(&actions, options.stderrFd, 2);
        const int failed = ::posix_spawnp(&m_child, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        ::close(ends[0]);
        if (failed) {
            ::close(ends[1]);
            throw LinkError("cannot start " + options.program + ": " + std::strerror(failed));
        }
        m_pipe = ends[1];
        Version(kProtocolVersion);
    }

    /// Closes the pipe (the program then reports "Can't read message header"
    /// unless an ending was sent) and waits for the program when it was asked
    /// to close.
    ~Link()
    {
        try {
            ClosePipe();
        } catch (const LinkError&) {
        }
        if (m_child > 0 && m_closing && !m_waited) {
            int status;
            ::waitpid(m_child, &status, 0);
        }
    }
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    /// Sends the protocol version (done once when the link starts).
    void Version(int number) { Code(20).Int(number); }

    // ---- data sets ----------------------------------------------------------

    /// Finishes the current set and starts a new one; with `dx` or `dy` each
    /// point carries that error value.
    void NewSet(const std::string& name = "", bool dx = false, bool dy = false)
    {
        Code(1).Byte(dx ? 1 : 0).Byte(dy ? 1 : 0).Text(name);
        m_inSet = true;
        m_hasDx = dx;
        m_hasDy = dy;
    }
    /// The "data follows" message (it only checks that a set exists).
    void Data()
    {
        NeedSet("Data");
        Code(2);
    }
    /// One point of a set without error values.
    void Point(float x, float y)
    {
        NeedSet("Point");
        if (m_hasDx || m_hasDy)
            throw LinkError("this set's points need their error values");
        Code(3).Real(x).Real(y);
    }
    /// One point with its single error value (dx or dy, as the set has).
    void Point(float x, float y, float error)
    {
        NeedSet("Point");
        if (m_hasDx == m_hasDy)
            throw LinkError("this set's points take " + std::string(m_hasDx ? "two error values" : "none"));
        Code(3).Real(x).Real(y).Real(error);
    }
    /// One point with dx and dy.
    void Point(float x, float y, float dx, float dy)
    {
        NeedSet("Point");
        if (!m_hasDx || !m_hasDy)
            throw LinkError("this set's points do not take both error values");
        Code(3).Real(x).Real(y).Real(dx).Real(dy);
    }
    /// Many points of a set without error values, from two columns.
    void Points(const float* x, const float* y, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i)
            Point(x[i], y[i]);
    }
    void Points(const std::vector<float>& x, const std::vector<float>& y)
    {
        if (x.size() != y.size())
            throw LinkError("the x and y columns differ in length");
        Points(x.data(), y.data(), x.size());
    }

    // ---- styles of the current set ------------------------------------------

    void SymbolStyle(int style) { Styled(11, "SymbolStyle", style, 0, 7); }
    void SymbolColor(int code) { Styled(12, "SymbolColor", code, 0, 7); }
    void SymbolRgb(int red, int green, int blue) { Rgb(13, "SymbolRgb", red, green, blue); }
    void SymbolSize(int size) { Styled(14, "SymbolSize", size, 1, 10); }
    void LineStyle(int style) { Styled(15, "LineStyle", style, 0, 5); }
    void LineColor(int code) { Styled(16, "LineColor", code, 0, 7); }
    void LineRgb(int red, int green, int blue) { Rgb(17, "LineRgb", red, green, blue); }
    void LineWidth(int width) { Styled(18, "LineWidth", width, 1, 5); }

    // ---- graph 0: titles, ranges, ticks -------------------------------------

    void Title(const std::string& text) { Code(5).Text(text); }
    void TitleSize(int size) { FontSize(6, size); }
    void XLabel(const std::string& text) { Code(7).Text(text); }
    void XLabelSize(int size) { FontSize(8, size); }
    void YLabel(const std::string& text) { Code(9).Text(text); }
    void YLabelSize(int size) { FontSize(10, size); }
    /// The x range, applied when the stream ends.
    void XRange(float minimum, float maximum) { Code(21).Real(minimum).Real(maximum); }
    /// Major and minor tick spacing along x, applied at the end.
    void XTicks(float major, float minor) { Code(22).Real(major).Real(minor); }
    void YRange(float minimum, float maximum) { Code(23).Real(minimum).Real(maximum); }
    void YTicks(float major, float minor) { Code(24).Real(major).Real(minor); }

    // ---- the five endings -----------------------------------------------------

    /// Ends the stream; the program keeps running with the page.
    void EndData() { End(4); }
    // Each of the four endings below waits for the program and returns its
    // exit status, 0; any other status (the stream failed, or the save or
    // export failed) throws LinkError.

    /// Ends the stream and has the program close.
    int Close() { return EndAndWait(25, "closing"); }
    /// Has the program save the page as a document at `path` and close.
    int Save(const std::string& path)
    {
        Code(26).Text(path);
        return EndAndWait(-1, "saving " + path);
    }
    /// Has the program write the page as a BMP image and close.
    int ExportBmp(const std::string& path, int width, int height)
    {
        Code(27).Text(path).Int(width).Int(height);
        return EndAndWait(-1, "exporting " + path);
    }
    /// Has the program write the page as a PNG image and close.
    int ExportPng(const std::string& path, int width, int height)
    {
        Code(28).Text(path).Int(width).Int(height);
        return EndAndWait(-1, "exporting " + path);
    }

    /// Closes the pipe if still open and waits for the program; returns its
    /// exit status (-1 when it did not exit normally).
    int Wait()
    {
        ClosePipe();
        if (m_waited)
            return m_status;
        int status = 0;
        while (::waitpid(m_child, &status, 0) < 0 && errno == EINTR) {
        }
        m_waited = true;
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return m_status;
    }

    pid_t Process() const { return m_child; }

private:
    Link& Code(int code) { return Byte(code); }
    Link& Byte(int value)
    {
        if (m_pipe < 0)
            throw LinkError("the stream has already ended");
        if (m_buffer.size() >= kFlushAt)
            Flush();
        m_buffer.push_back(char(std::uint8_t(value)));
        return *this;
    }
    Link& Int(std::int32_t value)
    {
        const auto bits = std::uint32_t(value);
        for (int shift = 0; shift < 32; shift += 8)
            Byte(int((bits >> shift) & 0xFF));
        return *this;
    }
    Link& Real(float value)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return Int(std::int32_t(bits));
    }
    Link& Text(const std::string& text)
    {
        if (text.size() >= 0x7FFFFFFF)
            throw LinkError("a text too long for the protocol");
        Int(std::int32_t(text.size() + 1));
        for (char c : text)
            Byte(c);
        return Byte(0);
    }
    void NeedSet(const char* what) const
    {
        if (!m_inSet)
            throw LinkError(std::string(what) + " needs a data set: call NewSet first");
    }
    void Styled(int code, const char* what, int value, int low, int high)
    {
        NeedSet(what);
        if (value < low || value > high)
            throw LinkError(std::string(what) + " " + std::to_string(value) + " is outside " +
                            std::to_string(low) + " to " + std::to_string(high));
        Code(code).Int(value);
    }
    void Rgb(int code, const char* what, int red, int green, int blue)
    {
        NeedSet(what);
        for (int part : {red, green, blue})
            if (part < 0 || part > 255)
                throw LinkError(std::string(what) + ": colour parts must be 0 to 255");
        Code(code).Byte(red).Byte(green).Byte(blue);
    }
    void FontSize(int code, int size)
    {
        if (size < 1)
            throw LinkError("a font size must be at least 1");
        Code(code).Int(size);
    }
    void End(int code)
    {
        Code(code);
        ClosePipe();
    }
    int EndAndWait(int code, const std::string& what)
    {
        if (code > 0)
            Code(code);
        m_closing = true;
        ClosePipe();
        const int status = Wait();
        if (status != 0)
            throw LinkError(what + " failed: the program exited with status " + std::to_string(status));
        return status;
    }
    // Writes the buffer. SIGPIPE is held back for this thread meanwhile, so a
    // program that stopped reading is an error here, not the end of ours.
    void Flush()
    {
        if (m_buffer.empty() || m_pipe < 0)
            return;
        sigset_t pipeSignal, previous;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        const bool wasPending = sigismember(&pending, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
        std::size_t done = 0;
        int error = 0;
        while (done < m_buffer.size()) {
            const ssize_t n = ::write(m_pipe, m_buffer.data() + done, m_buffer.size() - done);
            if (n > 0) {
                done += std::size_t(n);
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else {
                error = n < 0 ? errno : EIO;
                break;
            }
        }
        if (error == EPIPE && !wasPending) {
            const timespec now{0, 0};
            sigtimedwait(&pipeSignal, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        m_buffer.clear();
        if (error) {
            ::close(m_pipe);
            m_pipe = -1;
            throw LinkError(error == EPIPE ? "the program stopped reading the pipe"
                                           : std::string("cannot write the pipe: ") + std::strerror(error));
        }
    }
    void ClosePipe()
    {
        if (m_pipe < 0)
            return;
        Flush();
        ::close(m_pipe);
        m_pipe = -1;
    }

    static constexpr std::size_t kFlushAt = 1 << 16;
    std::vector<char> m_buffer;
    int m_pipe = -1;
    pid_t m_child = -1;
    bool m_inSet = false;
    bool m_hasDx = false;
    bool m_hasDy = false;
    bool m_closing = false;
    bool m_waited = false;
    int m_status = -1;
};

} // namespace corvid
