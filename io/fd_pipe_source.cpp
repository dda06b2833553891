#include "io/fd_pipe_source.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

FdPipeSource::FdPipeSource(int descriptor) : m_descriptor(descriptor)
{
    m_wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

FdPipeSource::~FdPipeSource()
{
    if (m_wake >= 0)
        ::close(m_wake);
}

std::size_t FdPipeSource::Read(void* into, std::size_t room)
{
    // poll(2) ignores negative descriptors, which would wait for ever.
    if (room == 0 || m_descriptor < 0)
        return 0;
    for (;;) {
        if (m_wake >= 0) {
            // Wait for data or for Cancel, whichever comes first.
            pollfd waits[2] = {{m_descriptor, POLLIN, 0}, {m_wake, POLLIN, 0}};
            const int ready = ::poll(waits, 2, -1);
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready < 0 || (waits[1].revents & POLLIN))
                return 0;
            if (waits[0].revents & POLLNVAL)
                return 0;
        }
        const ssize_t got = ::read(m_descriptor, into, room);
        if (got > 0)
            return std::size_t(got);
        if (got < 0 && errno == EINTR)
            continue;
        // A descriptor opened without blocking may have nothing yet.
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && m_wake >= 0)
            continue;
        return 0;
    }
}

void FdPipeSource::CloseDescriptor()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
}

void FdPipeSource::Cancel()
{
    if (m_wake < 0)
        return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wake, &one, sizeof one);
}

bool FdPipeSource::Cancelled() const
{
    if (m_wake < 0)
        return false;
    pollfd wait{m_wake, POLLIN, 0};
    return ::poll(&wait, 1, 0) > 0 && (wait.revents & POLLIN);
}
